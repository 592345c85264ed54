#include "testsupport/modeldump.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/model/richdocument.h"
#include "textctl/model/tableborders.h"
#include "textctl/rtf/rtftokenizer.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QHash>
#include <QImage>
#include <QImageReader>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <iterator>

using namespace Qt::StringLiterals;

namespace textctl {

namespace {

QString tw(double pixels)
{
    return QString::number(pixelsToTwips(pixels));
}

QString hashOf(const QByteArray &bytes)
{
    return u'#' + QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex().left(12));
}

// Text in double quotes with the characters a diff would hide made visible.
QString quoted(QStringView text)
{
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (QChar ch : text) {
        switch (ch.unicode()) {
        case '"': out += u"\\\""; break;
        case '\\': out += u"\\\\"; break;
        case '\t': out += u"\\t"; break;
        case 0x2028: out += u"\\l"; break;
        case 0xA0: out += u"\\~"; break;
        default:
            if (ch.unicode() < 0x20 || (ch.unicode() >= 0x7f && ch.unicode() < 0xa0))
                out += u"\\x%1"_s.arg(ch.unicode(), 2, 16, QChar(u'0'));
            else
                out += ch;
        }
    }
    out += u'"';
    return out;
}

QString alignmentName(Qt::Alignment alignment)
{
    const Qt::Alignment align = alignment & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        return u"center"_s;
    if (align & Qt::AlignJustify)
        return u"justify"_s;
    if ((align & Qt::AlignRight) && !(align & Qt::AlignLeft))
        return u"right"_s;
    return {};
}

QString underlineName(const QTextCharFormat &format)
{
    QTextCharFormat::UnderlineStyle style = format.underlineStyle();
    if (!format.hasProperty(QTextFormat::TextUnderlineStyle) && format.boolProperty(QTextFormat::FontUnderline))
        style = QTextCharFormat::SingleUnderline;
    static const char *const kNames[] = {"", "single", "dash", "dot", "dashdot", "dashdotdot", "wave", "spell"};
    if (style <= QTextCharFormat::NoUnderline || style > QTextCharFormat::SpellCheckUnderline)
        return {};
    QString name = QString::fromLatin1(kNames[style]);
    const QString kind = format.stringProperty(prop::UnderlineKind);
    if (!kind.isEmpty())
        name += u'/' + kind;
    return name;
}

QString listStyleName(QTextListFormat::Style style)
{
    switch (style) {
    case QTextListFormat::ListDisc: return u"disc"_s;
    case QTextListFormat::ListCircle: return u"circle"_s;
    case QTextListFormat::ListSquare: return u"square"_s;
    case QTextListFormat::ListDecimal: return u"decimal"_s;
    case QTextListFormat::ListLowerAlpha: return u"lower-alpha"_s;
    case QTextListFormat::ListUpperAlpha: return u"upper-alpha"_s;
    case QTextListFormat::ListLowerRoman: return u"lower-roman"_s;
    case QTextListFormat::ListUpperRoman: return u"upper-roman"_s;
    default: return u"style%1"_s.arg(int(style));
    }
}

QString borderStyleName(int style)
{
    static const char *const kNames[] = {"none", "dotted", "dashed", "solid", "double", "dotdash",
                                         "dotdotdash", "groove", "ridge", "inset", "outset"};
    return style >= 0 && style < int(std::size(kNames)) ? QString::fromLatin1(kNames[style]) : u"style%1"_s.arg(style);
}

// Row words the model already shows elsewhere (gap, left edge, alignment,
// header rows) are left out of a row's kept words.
QString unmappedRowWords(const QByteArray &rowRtf)
{
    static const QByteArrayView kMapped[] = {"trgaph", "trleft", "trql", "trqc", "trqr", "trhdr"};
    QString out;
    rtf::RtfTokenizer tokens(rowRtf);
    for (rtf::RtfToken t = tokens.next(); t.type != rtf::RtfToken::End; t = tokens.next()) {
        const bool mapped = t.type == rtf::RtfToken::ControlWord
                            && std::find(std::begin(kMapped), std::end(kMapped), t.text) != std::end(kMapped);
        if (!mapped)
            out += QString::fromLatin1(rowRtf.sliced(t.offset, tokens.position() - t.offset));
    }
    return out;
}

struct PictureFacts {
    QString kind;
    QSize pixels;
    QByteArray bytes;
};

PictureFacts pictureFacts(const QTextDocument &doc, const QTextImageFormat &format)
{
    PictureFacts facts;
    facts.kind = format.stringProperty(prop::PictureKind);
    const QByteArray kept = format.property(prop::PictureRtf).toByteArray();
    if (!kept.isEmpty()) {
        facts.bytes = kept;
        return facts;
    }
    const QVariant resource = doc.resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (resource.typeId() == QMetaType::QByteArray) {
        facts.bytes = resource.toByteArray();
        QBuffer buffer(&facts.bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        facts.pixels = reader.size();
        if (facts.kind.isEmpty())
            facts.kind = QString::fromLatin1(reader.format());
    } else if (const QImage image = resource.value<QImage>(); !image.isNull()) {
        // Saved as PNG, so described by its PNG bytes.
        QBuffer buffer(&facts.bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        facts.pixels = image.size();
        if (facts.kind.isEmpty())
            facts.kind = u"png"_s;
    }
    if (facts.kind == u"jpg")
        facts.kind = u"jpeg"_s;
    return facts;
}

class Dumper final {
public:
    explicit Dumper(const QTextDocument &doc);

    void flow(QTextFrame::iterator it, int depth);
    QStringList lines;

private:
    struct FieldKey {
        int id = -1;
        QString instruction;
        friend bool operator==(const FieldKey &, const FieldKey &) = default;
    };

    void line(int depth, const QString &text) { lines.append(QString(depth * 2, u' ') + text); }
    void block(const QTextBlock &block, int depth);
    void table(const QTextTable *table, int depth);
    void cell(const QTextTable *table, const QTextTableCell &cell, int depth);
    QString blockFormat(const QTextBlock &block);
    QString listDescription(const QTextBlock &block);
    QString charFormat(const QTextCharFormat &format);
    QString markFormat(const QTextBlock &block);
    QString object(const QTextCharFormat &format);
    QString picture(const QTextImageFormat &format);

    const QTextDocument &m_doc;
    QString m_defaultFamily;
    double m_defaultPoints = 12;
    QHash<QPair<const void *, int>, int> m_lists;
    FieldKey m_field;
    int m_fields = 0;
};

Dumper::Dumper(const QTextDocument &doc)
    : m_doc(doc),
      m_defaultFamily(doc.defaultFont().family()),
      m_defaultPoints(doc.defaultFont().pointSizeF() > 0 ? doc.defaultFont().pointSizeF() : 12)
{
}

void Dumper::flow(QTextFrame::iterator it, int depth)
{
    for (; !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame()) {
            if (auto *t = qobject_cast<QTextTable *>(child))
                table(t, depth);
            else
                flow(child->begin(), depth);
        } else if (it.currentBlock().isValid()) {
            block(it.currentBlock(), depth);
        }
    }
}

QString Dumper::charFormat(const QTextCharFormat &format)
{
    QStringList parts;
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    parts << (families.isEmpty() || families.first().isEmpty() ? m_defaultFamily : families.first());
    double points = m_defaultPoints;
    if (format.hasProperty(QTextFormat::FontPointSize) && format.fontPointSize() > 0)
        points = format.fontPointSize();
    parts << QString::number(std::lround(points * 2) / 2.0);
    if (format.fontWeight() >= QFont::DemiBold)
        parts << u"b"_s;
    if (format.fontItalic())
        parts << u"i"_s;
    if (const QString underline = underlineName(format); !underline.isEmpty())
        parts << u"ul="_s + underline;
    if (format.fontStrikeOut())
        parts << u"strike"_s;
    if (format.foreground().style() != Qt::NoBrush)
        parts << u"fg="_s + format.foreground().color().name();
    if (format.background().style() != Qt::NoBrush)
        parts << u"bg="_s + format.background().color().name();
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        parts << u"super"_s;
    else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
        parts << u"sub"_s;
    if (format.hasProperty(QTextFormat::FontCapitalization) && format.fontCapitalization() == QFont::AllUppercase)
        parts << u"caps"_s;
    else if (format.hasProperty(QTextFormat::FontCapitalization) && format.fontCapitalization() == QFont::SmallCaps)
        parts << u"scaps"_s;
    if (const int spacing = format.intProperty(prop::CharSpacingTwips); spacing != 0)
        parts << u"spacing=%1"_s.arg(spacing);
    // A link's instruction is its target; other fields are numbered so
    // that two neighbouring fields stay two.
    const QString href = format.anchorHref();
    const QString instruction = format.stringProperty(prop::FieldInstruction);
    if (!href.isEmpty())
        parts << u"link="_s + quoted(href);
    const bool object = format.isImageFormat() || format.objectType() != QTextFormat::NoObject;
    if (!object && !instruction.isEmpty() && !instruction.trimmed().startsWith(u"HYPERLINK", Qt::CaseInsensitive)) {
        const FieldKey key{format.hasProperty(prop::FieldId) ? format.intProperty(prop::FieldId) : -1, instruction};
        if (!(key == m_field))
            ++m_fields;
        m_field = key;
        parts << u"field=%1:"_s.arg(m_fields) + quoted(instruction.trimmed());
    } else {
        m_field = {};
    }
    if (const QStringList starts = format.property(prop::BookmarkStarts).toStringList(); !starts.isEmpty())
        parts << u"bookmark+="_s + starts.join(u',');
    if (const QStringList ends = format.property(prop::BookmarkEnds).toStringList(); !ends.isEmpty())
        parts << u"bookmark-="_s + ends.join(u',');
    if (const QByteArray note = format.property(prop::FootnoteRtf).toByteArray(); !note.isEmpty())
        parts << u"footnote="_s + hashOf(note);
    if (format.boolProperty(prop::Hidden))
        parts << u"hidden"_s;
    return parts.join(u' ');
}

QString Dumper::markFormat(const QTextBlock &block)
{
    // Only what sizes the line: a cell's first mark also carries the
    // cell's own format (its shading among it).
    const QTextCharFormat format = block.charFormat();
    QTextCharFormat size;
    size.setProperty(QTextFormat::FontFamilies, format.property(QTextFormat::FontFamilies));
    if (format.hasProperty(QTextFormat::FontPointSize))
        size.setFontPointSize(format.fontPointSize());
    const FieldKey field = m_field;
    const QString out = charFormat(size).replace(u' ', u'/');
    m_field = field;
    return out;
}

QString Dumper::picture(const QTextImageFormat &format)
{
    const PictureFacts facts = pictureFacts(m_doc, format);
    const int picW = format.intProperty(prop::PicturePicW) > 0 ? format.intProperty(prop::PicturePicW) : facts.pixels.width();
    const int picH = format.intProperty(prop::PicturePicH) > 0 ? format.intProperty(prop::PicturePicH) : facts.pixels.height();
    // The shown size as a reader of the file would see it: the model's own,
    // else the goal size scaled, else the picture's pixels.
    auto shown = [&](double modelPixels, int goalProp, int scaleProp, int pixels) {
        if (modelPixels > 0)
            return pixelsToTwips(modelPixels);
        const int goal = format.intProperty(goalProp);
        const int scale = format.intProperty(scaleProp) > 0 ? format.intProperty(scaleProp) : 100;
        return goal > 0 ? int(std::lround(goal * scale / 100.0)) : pixels * 15;
    };
    int shownW = shown(format.width(), prop::PictureGoalWidth, prop::PictureScaleX, picW);
    int shownH = shown(format.height(), prop::PictureGoalHeight, prop::PictureScaleY, picH);
    // One side given: the other keeps the picture's proportions.
    if (format.width() > 0 && format.height() <= 0 && picW > 0)
        shownH = int(std::lround(double(shownW) * picH / picW));
    else if (format.height() > 0 && format.width() <= 0 && picH > 0)
        shownW = int(std::lround(double(shownH) * picW / picH));
    QString out = u"[picture %1 shown=%2x%3 pixels=%4x%5 %6"_s.arg(facts.kind.isEmpty() ? u"?"_s : facts.kind)
                      .arg(shownW).arg(shownH).arg(picW).arg(picH).arg(hashOf(facts.bytes));
    if (format.boolProperty(prop::PictureFixed)) {
        out += u" fixed=%1,%2,%3,%4 from=%5/%6 wrap=%7"_s.arg(format.intProperty(prop::PictureShapeLeft))
                   .arg(format.intProperty(prop::PictureShapeTop))
                   .arg(format.intProperty(prop::PictureShapeRight))
                   .arg(format.intProperty(prop::PictureShapeBottom))
                   .arg(format.stringProperty(prop::PictureShapeRelX), format.stringProperty(prop::PictureShapeRelY))
                   .arg(format.hasProperty(prop::PictureShapeWrap) ? format.intProperty(prop::PictureShapeWrap) : 3);
    }
    return out + u']';
}

QString Dumper::object(const QTextCharFormat &format)
{
    if (format.isImageFormat())
        return picture(format.toImageFormat());
    if (format.objectType() == prop::FieldObjectType) {
        const QString kind = format.stringProperty(prop::LiveFieldKind);
        const QString instruction = format.stringProperty(prop::FieldInstruction).trimmed();
        QString out = u"[field "_s + (kind.isEmpty() ? u"PAGE"_s : kind);
        if (!instruction.isEmpty() && instruction != kind)
            out += u' ' + quoted(instruction);
        return out + u']';
    }
    if (format.objectType() == prop::EmptyFieldObjectType)
        return u"[field-empty "_s + quoted(format.stringProperty(prop::FieldInstruction).trimmed()) + u']';
    return u"[object %1]"_s.arg(format.objectType());
}

QString Dumper::listDescription(const QTextBlock &block)
{
    const QTextList *list = block.textList();
    if (!list)
        return {};
    const QTextBlockFormat format = block.blockFormat();
    const QTextListFormat listFormat = list->format();
    QPair<const void *, int> key(list, -1);
    if (format.hasProperty(prop::ListOverride))
        key = {&m_doc, format.intProperty(prop::ListOverride)};
    const int ordinal = m_lists.value(key, int(m_lists.size()) + 1);
    m_lists.insert(key, ordinal);
    const int level = format.hasProperty(prop::ListLevel) ? format.intProperty(prop::ListLevel) : qMax(0, listFormat.indent() - 1);
    QString out = u" list=%1 %2 level=%3"_s.arg(ordinal).arg(listStyleName(listFormat.style())).arg(level);
    const bool bullet = listFormat.style() == QTextListFormat::ListDisc || listFormat.style() == QTextListFormat::ListCircle
        || listFormat.style() == QTextListFormat::ListSquare;
    if (!bullet)
        out += u" number="_s
            + quoted(listFormat.numberPrefix() + u'#'
                     + (listFormat.hasProperty(QTextFormat::ListNumberSuffix) ? listFormat.numberSuffix() : u"."_s));
    if (listFormat.hasProperty(prop::ListStart) && listFormat.intProperty(prop::ListStart) != 1)
        out += u" start=%1"_s.arg(listFormat.intProperty(prop::ListStart));
    return out;
}

QString Dumper::blockFormat(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    const ParagraphSpacing spacing = paragraphSpacing(format);
    QString out = u"p"_s;
    if (const QString align = alignmentName(format.alignment()); !align.isEmpty())
        out += u" align="_s + align;
    // Indents are layout pixels, spacing reference pixels (richdocument.h).
    const struct {
        const char *name;
        double pixels;
    } lengths[] = {{"li", fromLayout(format.leftMargin())}, {"ri", fromLayout(format.rightMargin())},
                   {"fi", fromLayout(firstLineIndent(format))}, {"sb", spacing.before}, {"sa", spacing.after}};
    for (const auto &length : lengths) {
        if (pixelsToTwips(length.pixels) != 0)
            out += u' ' + QString::fromLatin1(length.name) + u'=' + tw(length.pixels);
    }
    switch (spacing.rule) {
    case LineRule::Multiple: out += u" line=%1%"_s.arg(spacing.line); break;
    case LineRule::Exactly: out += u" line=exactly"_s + tw(spacing.line); break;
    case LineRule::AtLeast: out += u" line=atleast"_s + tw(spacing.line); break;
    case LineRule::Single: break;
    }
    const QList<QTextOption::Tab> tabs = textctl::tabStops(format);
    if (!tabs.isEmpty()) {
        const QString leaders = format.stringProperty(prop::TabLeaders);
        QStringList stops;
        for (int i = 0; i < tabs.size(); ++i) {
            static const char kKinds[] = "LRCD";
            QString stop = tw(tabs.at(i).position) + QChar::fromLatin1(kKinds[qBound(0, int(tabs.at(i).type), 3)]);
            if (i < leaders.size() && leaders.at(i) != u' ')
                stop += leaders.at(i);
            stops << stop;
        }
        out += u" tabs=["_s + stops.join(u',') + u']';
    }
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        out += u" pagebreak"_s;
    if (format.nonBreakableLines())
        out += u" keep"_s;
    if (format.boolProperty(prop::KeepWithNext))
        out += u" keepnext"_s;
    out += listDescription(block);
    if (const QByteArray borders = format.property(prop::ParagraphBordersRtf).toByteArray(); !borders.isEmpty())
        out += u" borders="_s + QString::fromLatin1(borders);
    if (format.background().style() != Qt::NoBrush)
        out += u" bg="_s + format.background().color().name();
    return out;
}

void Dumper::block(const QTextBlock &block, int depth)
{
    // An empty paragraph shows its mark's format: its font sets the height.
    line(depth, blockFormat(block) + (block.length() <= 1 ? u" mark="_s + markFormat(block) : QString()));
    m_field = {};
    const QString text = block.text();
    const int base = block.position();
    QString pendingText;
    QString pendingFormat;
    auto flush = [&] {
        if (!pendingText.isEmpty())
            line(depth + 1, quoted(pendingText) + u' ' + pendingFormat);
        pendingText.clear();
    };
    for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (!fragment.isValid())
            continue;
        const QTextCharFormat format = fragment.charFormat();
        const QString description = charFormat(format);
        const QStringView piece = QStringView(text).mid(fragment.position() - base, fragment.length());
        if (format.isImageFormat() || format.objectType() != QTextFormat::NoObject) {
            flush();
            for (QChar ch : piece) {
                if (ch == QChar::ObjectReplacementCharacter)
                    line(depth + 1, object(format) + u' ' + description);
            }
            continue;
        }
        if (description != pendingFormat)
            flush();
        pendingFormat = description;
        pendingText += piece;
    }
    flush();
}

void Dumper::cell(const QTextTable *table, const QTextTableCell &cell, int depth)
{
    const QTextTableFormat tableFormat = table->format();
    const QTextTableCellFormat format = cell.format().toTableCellFormat();
    QString out = u"cell %1,%2"_s.arg(cell.row()).arg(cell.column());
    if (cell.rowSpan() > 1 || cell.columnSpan() > 1)
        out += u" span=%1x%2"_s.arg(cell.rowSpan()).arg(cell.columnSpan());
    const QTextFormat::Property pads[] = {QTextFormat::TableCellTopPadding, QTextFormat::TableCellLeftPadding,
                                          QTextFormat::TableCellBottomPadding, QTextFormat::TableCellRightPadding};
    QStringList padding;
    for (QTextFormat::Property pad : pads)
        padding << tw(format.hasProperty(pad) ? format.doubleProperty(pad) : tableFormat.cellPadding());
    out += u" pad="_s + padding.join(u',');
    int valign = 0;
    if (format.hasProperty(prop::CellVerticalAlign))
        valign = format.intProperty(prop::CellVerticalAlign);
    else if (format.verticalAlignment() == QTextCharFormat::AlignMiddle)
        valign = 1;
    else if (format.verticalAlignment() == QTextCharFormat::AlignBottom)
        valign = 2;
    if (valign != 0)
        out += u" valign=%1"_s.arg(valign);
    if (format.background().style() != Qt::NoBrush)
        out += u" bg="_s + format.background().color().name();
    // Effective borders: the cell's own sides, else the table's border.
    static constexpr std::pair<char, textctl::CellSide> kSides[] = {
        {'t', textctl::CellSide::Top}, {'l', textctl::CellSide::Left},
        {'b', textctl::CellSide::Bottom}, {'r', textctl::CellSide::Right}};
    QStringList borders;
    for (const auto &[letter, side] : kSides) {
        const auto [width, style, brush] = textctl::effectiveCellBorder(format, tableFormat, side);
        if (width <= 0 || style == QTextFrameFormat::BorderStyle_None)
            continue;
        borders << QChar::fromLatin1(letter) + u':' + tw(width) + borderStyleName(style)
                + (brush.style() != Qt::NoBrush ? brush.color().name() : QString());
    }
    if (!borders.isEmpty())
        out += u" borders=["_s + borders.join(u' ') + u']';
    line(depth, out);
    flow(cell.begin(), depth + 1);
}

void Dumper::table(const QTextTable *table, int depth)
{
    const QTextTableFormat format = table->format();
    QStringList widths;
    for (const QTextLength &length : format.columnWidthConstraints()) {
        if (length.type() == QTextLength::FixedLength)
            widths << tw(length.rawValue());
        else if (length.type() == QTextLength::PercentageLength)
            widths << QString::number(length.rawValue()) + u'%';
        else
            widths << u"*"_s;
    }
    QString out = u"table %1x%2 widths=[%3]"_s.arg(table->rows()).arg(table->columns()).arg(widths.join(u','));
    if (const QString align = alignmentName(format.alignment()); !align.isEmpty())
        out += u" align="_s + align;
    if (pixelsToTwips(format.leftMargin()) != 0)
        out += u" left="_s + tw(format.leftMargin());
    if (format.headerRowCount() > 0)
        out += u" header=%1"_s.arg(format.headerRowCount());
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        out += u" pagebreak"_s;
    line(depth, out);
    for (int row = 0; row < table->rows(); ++row) {
        QString rowLine = u"row %1"_s.arg(row);
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.row() == row) {
                const QString kept = unmappedRowWords(cell.format().property(prop::RowPropsRtf).toByteArray());
                if (!kept.isEmpty())
                    rowLine += u" kept="_s + kept;
                break;
            }
        }
        line(depth + 1, rowLine);
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.isValid() && cell.row() == row && cell.column() == column)
                this->cell(table, cell, depth + 2);
        }
    }
}

void appendKept(QStringList &lines, const QString &name, const QByteArray &bytes)
{
    if (!bytes.isEmpty())
        lines << u"%1 %2 bytes %3 "_s.arg(name).arg(bytes.size()).arg(hashOf(bytes))
                     + quoted(QString::fromLatin1(bytes.left(40)));
}

QString dumpLines(const QTextDocument &text, int depth)
{
    Dumper dumper(text);
    dumper.flow(text.rootFrame()->begin(), depth);
    return dumper.lines.join(u'\n') + u'\n';
}

}  // namespace

QString dumpText(const QTextDocument &text)
{
    return dumpLines(text, 0);
}

QString dumpModel(const RichDocument &doc)
{
    QStringList lines;
    const PageSetup &page = doc.page;
    lines << u"page %1x%2 margins %3,%4,%5,%6 header %7 footer %8"_s.arg(page.width).arg(page.height)
                 .arg(page.marginLeft).arg(page.marginTop).arg(page.marginRight).arg(page.marginBottom)
                 .arg(page.headerY).arg(page.footerY);
    appendKept(lines, u"left-header"_s, doc.leftHeaderRtf);
    appendKept(lines, u"left-footer"_s, doc.leftFooterRtf);
    for (const QByteArray &group : doc.keptGroups) {
        // A kept font or colour table is how other kept words find their
        // fonts and colours, not content of its own.
        if (!group.startsWith("{\\colortbl") && !group.startsWith("{\\fonttbl"))
            appendKept(lines, u"kept"_s, group);
    }
    QString out = lines.join(u'\n') + u'\n';
    for (int code : kHeaderFooterAreas) {
        if (const QTextDocument *area = doc.area(code)) {
            out += u"area %1\n"_s.arg(code);
            out += dumpLines(*area, 1);
        }
    }
    out += u"area 0\n"_s;
    out += dumpLines(*doc.main(), 1);
    return out;
}

}  // namespace textctl
