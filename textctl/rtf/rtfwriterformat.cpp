// Character and paragraph formats as RTF control words, cached per format
// index of the document being written.

#include "textctl/rtf/rtfwriter.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/model/richdocument.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <cmath>

namespace textctl {

namespace {

// Word shows \highlight only in these colours; any other background is
// character shading (\chcbpat).
bool isHighlightColor(QRgb rgb)
{
    static constexpr QRgb kColors[] = {
        0xff000000, 0xff0000ff, 0xff00ffff, 0xff00ff00, 0xffff00ff, 0xffff0000, 0xffffff00, 0xffffffff,
        0xff000080, 0xff008080, 0xff008000, 0xff800080, 0xff800000, 0xff808000, 0xff808080, 0xffc0c0c0,
    };
    const QRgb opaque = rgb | 0xff000000u;
    for (QRgb color : kColors) {
        if (color == opaque)
            return true;
    }
    return false;
}

const char *underlineWord(QTextCharFormat::UnderlineStyle style)
{
    switch (style) {
    case QTextCharFormat::SingleUnderline: return "ul";
    case QTextCharFormat::DashUnderline: return "uldash";
    case QTextCharFormat::DotLine: return "uld";
    case QTextCharFormat::DashDotLine: return "uldashd";
    case QTextCharFormat::DashDotDotLine: return "uldashdd";
    case QTextCharFormat::WaveUnderline: return "ulwave";
    default: return nullptr;
    }
}

QTextCharFormat::UnderlineStyle underlineOf(const QTextCharFormat &format)
{
    if (format.hasProperty(QTextFormat::TextUnderlineStyle))
        return format.underlineStyle();
    return format.boolProperty(QTextFormat::FontUnderline) ? QTextCharFormat::SingleUnderline
                                                           : QTextCharFormat::NoUnderline;
}

// A kept word (an underline kind, a list of border words) back as control
// words: only letters, so a bad property cannot inject RTF.
QByteArray controlWordOf(const QString &word)
{
    QByteArray out;
    for (QChar ch : word) {
        if (ch.unicode() >= 0x80 || !ch.isLetter())
            return {};
        out.append(char(ch.unicode()));
    }
    return out.isEmpty() ? out : "\\" + out;
}

const char *tabKindWord(QTextOption::TabType type)
{
    switch (type) {
    case QTextOption::RightTab: return "tqr";
    case QTextOption::CenterTab: return "tqc";
    case QTextOption::DelimiterTab: return "tqdec";
    default: return nullptr;
    }
}

const char *leaderWord(QChar leader)
{
    switch (leader.unicode()) {
    case '.': return "tldot";
    case '-': return "tlhyph";
    case '_': return "tlul";
    case '=': return "tlth";
    case 'm': return "tlmdot";
    default: return nullptr;
    }
}

void appendLength(QByteArray &out, const char *word, double pixels)
{
    const int twips = pixelsToTwips(pixels);
    if (twips != 0)
        appendWord(out, word, twips);
}

void appendIndent(QByteArray &out, const char *word, double indent)
{
    if (const int twips = indentToTwips(indent); twips != 0)
        appendWord(out, word, twips);
}

// Word's form of a link: a target inside the document is a bookmark (\l).
QString hyperlinkInstruction(const QString &href)
{
    if (href.startsWith(u'#'))
        return QStringLiteral("HYPERLINK \\l \"%1\"").arg(href.mid(1));
    return QStringLiteral("HYPERLINK \"%1\"").arg(href);
}

}  // namespace

QString RtfWriter::familyOf(const QTextCharFormat &format) const
{
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    for (const QString &family : families) {
        if (!family.isEmpty())
            return family;
    }
    return m_defaultFamily;
}

int RtfWriter::halfPointsOf(const QTextCharFormat &format) const
{
    double points = m_defaultPointSize;
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        points = format.fontPointSize();
    else if (format.hasProperty(QTextFormat::FontPixelSize) && format.intProperty(QTextFormat::FontPixelSize) > 0)
        points = format.intProperty(QTextFormat::FontPixelSize) * 0.75;
    return qMax(1, int(std::lround(points * 2)));
}

QByteArray RtfWriter::makeCharFormatRtf(const QTextCharFormat &format)
{
    QByteArray out;
    out.reserve(48);
    appendWord(out, "plain");
    appendWord(out, "f", m_fonts.indexOf(familyOf(format)));
    appendWord(out, "fs", halfPointsOf(format));
    if (format.fontWeight() >= QFont::DemiBold)
        appendWord(out, "b");
    if (format.fontItalic())
        appendWord(out, "i");
    const QTextCharFormat::UnderlineStyle underline = underlineOf(format);
    if (underline != QTextCharFormat::NoUnderline) {
        const QByteArray kind = controlWordOf(format.stringProperty(prop::UnderlineKind));
        if (!kind.isEmpty())
            out.append(kind);
        else if (const char *word = underlineWord(underline))
            appendWord(out, word);
    }
    if (format.fontStrikeOut())
        appendWord(out, "strike");
    if (format.foreground().style() != Qt::NoBrush)
        appendWord(out, "cf", m_colors.indexOf(format.foreground().color()));
    if (format.background().style() != Qt::NoBrush) {
        const QColor color = format.background().color();
        appendWord(out, isHighlightColor(color.rgb()) ? "highlight" : "chcbpat", m_colors.indexOf(color));
    }
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        appendWord(out, "super");
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        appendWord(out, "sub");
    if (format.hasProperty(QTextFormat::FontCapitalization)) {
        if (format.fontCapitalization() == QFont::AllUppercase)
            appendWord(out, "caps");
        else if (format.fontCapitalization() == QFont::SmallCaps)
            appendWord(out, "scaps");
    }
    if (const int spacing = format.intProperty(prop::CharSpacingTwips); spacing != 0) {
        // \expnd (quarter points) for readers that predate \expndtw.
        appendWord(out, "expnd", spacing / 5);
        appendWord(out, "expndtw", spacing);
    }
    if (const int from = format.intProperty(prop::KerningFrom); from > 0)
        appendWord(out, "kerning", from);
    else if (format.hasProperty(QTextFormat::FontKerning) && format.fontKerning())
        appendWord(out, "kerning", 1);
    if (format.boolProperty(prop::Hidden))
        appendWord(out, "v");
    return out;
}

RtfWriter::CharInfo RtfWriter::makeCharInfo(const QTextCharFormat &format)
{
    CharInfo info;
    info.rtf = makeCharFormatRtf(format);
    info.object = format.isImageFormat() || format.objectType() != QTextFormat::NoObject;
    if (!info.object) {
        // A kept HYPERLINK instruction is the link itself; any other kept
        // instruction is a field, inside a link when the run has one too.
        const QString instruction = format.stringProperty(prop::FieldInstruction);
        const int id = format.hasProperty(prop::FieldId) ? format.intProperty(prop::FieldId) : -1;
        const QString href = format.anchorHref();
        if (instruction.trimmed().startsWith(u"HYPERLINK", Qt::CaseInsensitive)) {
            info.link = {id, instruction};
        } else {
            if (!href.isEmpty())
                info.link = {-2, hyperlinkInstruction(href)};
            if (!instruction.isEmpty())
                info.field = {id, instruction};
        }
    }
    info.bookmarkStarts = format.property(prop::BookmarkStarts).toStringList();
    info.bookmarkEnds = format.property(prop::BookmarkEnds).toStringList();
    info.footnote = format.property(prop::FootnoteRtf).toByteArray();
    info.ready = true;
    return info;
}

RtfWriter::CharInfo &RtfWriter::charSlot(int index)
{
    if (index < 0) {
        m_scratchInfo = {};
        return m_scratchInfo;
    }
    if (size_t(index) >= m_charCache.size())
        m_charCache.resize(size_t(index) + 1);
    return m_charCache[size_t(index)];
}

const RtfWriter::CharInfo &RtfWriter::charInfo(int index, const QTextCharFormat &format)
{
    CharInfo &slot = charSlot(index);
    if (!slot.ready)
        slot = makeCharInfo(format);
    return slot;
}

void RtfWriter::writeCharFormat(const QTextCharFormat &format)
{
    writeCharWords(makeCharFormatRtf(format));
    m_lastCharIndex = -1;
}

QByteArray RtfWriter::listRtf(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return {};
    const QTextBlockFormat format = block.blockFormat();
    const QTextListFormat listFormat = list->format();
    RtfWriterListTable::Key key{list, -1};
    if (format.hasProperty(prop::ListOverride))
        key = {block.document(), format.intProperty(prop::ListOverride)};
    const int level = format.hasProperty(prop::ListLevel)
        ? qBound(0, format.intProperty(prop::ListLevel), RtfWriterListTable::kLevels - 1)
        : qBound(0, listFormat.indent() - 1, RtfWriterListTable::kLevels - 1);
    const int ls = m_lists.listNumber(key);
    RtfWriterListTable::Level definition;
    definition.style = listFormat.style();
    definition.prefix = listFormat.numberPrefix();
    definition.label = listFormat.stringProperty(prop::ListLabelText);
    definition.suffix = RtfWriterListTable::numberSuffix(listFormat);
    definition.leftTwips = indentToTwips(format.leftMargin());
    definition.firstTwips = indentToTwips(firstLineIndent(format));
    definition.start = listFormat.hasProperty(prop::ListStart) ? listFormat.intProperty(prop::ListStart) : 1;
    m_lists.defineLevel(ls, level, definition);
    QByteArray out;
    appendWord(out, "ls", ls);
    appendWord(out, "ilvl", level);
    return out;
}

QByteArray RtfWriter::makeBlockFormatRtf(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    QByteArray out;
    out.reserve(64);
    appendWord(out, "pard");
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        appendWord(out, "qc");
    else if (align & Qt::AlignJustify)
        appendWord(out, "qj");
    else if ((align & Qt::AlignRight) && !(align & Qt::AlignLeft))
        appendWord(out, "qr");
    appendIndent(out, "li", format.leftMargin());
    appendIndent(out, "ri", format.rightMargin());
    appendIndent(out, "fi", firstLineIndent(format));
    const ParagraphSpacing spacing = paragraphSpacing(format);
    appendLength(out, "sb", spacing.before);
    appendLength(out, "sa", spacing.after);
    switch (spacing.rule) {
    case LineRule::Multiple:
        appendWord(out, "sl", int(std::lround(spacing.line * 2.4)));
        appendWord(out, "slmult", 1);
        break;
    case LineRule::Exactly:
        appendWord(out, "sl", -pixelsToTwips(spacing.line));
        appendWord(out, "slmult", 0);
        break;
    case LineRule::AtLeast:
        appendWord(out, "sl", pixelsToTwips(spacing.line));
        appendWord(out, "slmult", 0);
        break;
    case LineRule::Single:
        break;
    }
    if (spacing.contextual)
        appendWord(out, "contextualspace");
    if (!widowControl(format))
        appendWord(out, "nowidctlpar");
    if (format.nonBreakableLines())
        appendWord(out, "keep");
    if (format.boolProperty(prop::KeepWithNext))
        appendWord(out, "keepn");
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        appendWord(out, "pagebb");
    if (format.background().style() != Qt::NoBrush)
        appendWord(out, "cbpat", m_colors.indexOf(format.background().color()));
    const QString leaders = format.stringProperty(prop::TabLeaders);
    const QList<QTextOption::Tab> tabs = tabStops(format);
    for (int i = 0; i < tabs.size(); ++i) {
        if (const char *kind = tabKindWord(tabs.at(i).type))
            appendWord(out, kind);
        if (const char *leader = i < leaders.size() ? leaderWord(leaders.at(i)) : nullptr)
            appendWord(out, leader);
        appendWord(out, "tx", pixelsToTwips(tabs.at(i).position));
    }
    out.append(keptColorWords(format.property(prop::ParagraphBordersRtf).toByteArray()));
    out.append(listRtf(block));
    return out;
}

const QByteArray &RtfWriter::blockFormatRtf(const QTextBlock &block)
{
    const int index = block.blockFormatIndex();
    if (size_t(index) >= m_blockCache.size())
        m_blockCache.resize(size_t(index) + 1);
    QByteArray &cached = m_blockCache[size_t(index)];
    if (cached.isEmpty())
        cached = makeBlockFormatRtf(block);
    return cached;
}

void RtfWriter::writeBlockFormat(const QTextBlock &block)
{
    enterDocument(block.document());
    m_out.controls(blockFormatRtf(block));
}

}  // namespace textctl
