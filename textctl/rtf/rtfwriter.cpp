#include "textctl/rtf/rtfwriter.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextTable>

#include <limits>

namespace textctl {

namespace {

// The destination word of a header or footer area; nullptr for any other
// number.
const char *areaWord(int code)
{
    switch (code) {
    case PageHeader: return "header";
    case FirstPageHeader: return "headerf";
    case PageFooter: return "footer";
    case FirstPageFooter: return "footerf";
    default: return nullptr;
    }
}

// An empty block the reader marked as only there for the table after it.
bool isSeparatorBefore(const QTextBlock &block, const QTextFrame::iterator &next)
{
    return block.isValid() && block.length() <= 1 && block.blockFormat().boolProperty(prop::SeparatorBlock)
        && !next.atEnd() && next.currentFrame() != nullptr;
}

int textWidth(const PageSetup &page)
{
    // In 64 bits: page values come from files and callers unchecked.
    const qint64 width = qint64(page.width) - page.marginLeft - page.marginRight;
    return int(qBound(qint64(1440), width, qint64(std::numeric_limits<int>::max())));
}

}  // namespace

RtfWriter::RtfWriter(const RichDocument &doc)
    : m_doc(&doc),
      m_text(doc.main()),
      m_fonts(doc.main()->defaultFont().family()),
      m_availableTwips(textWidth(doc.page))
{
    for (const QByteArray &group : doc.keptGroups) {
        if (group.startsWith("{\\colortbl"))
            m_keptColorTable = m_colors.adoptTable(group);
    }
    enterDocument(m_text);
}

RtfWriter::RtfWriter(const QTextDocument &text)
    : m_text(&text),
      m_fonts(text.defaultFont().family()),
      m_availableTwips(textWidth(PageSetup{}))
{
    enterDocument(m_text);
}

RtfWriter::~RtfWriter() = default;

QByteArray RtfWriter::writeAll()
{
    return writeOutput().toByteArray();
}

RtfOutput RtfWriter::writeOutput()
{
    m_out.clear();
    m_footnotes = 0;
    m_shifted = false;
    m_shiftedOutside.clear();
    // Text and formatting words: a generous first guess keeps the buffer
    // from growing more than a few times. A large picture's hex is not held
    // here (pictureHex).
    m_out.reserve(qsizetype(m_text->characterCount()) * 4 + 4096);
    if (m_doc) {
        const int set = m_doc->headerFooterSet();
        writePageSetup(m_doc->page, (set & (FirstPageHeader | FirstPageFooter)) != 0);
        for (int code : kHeaderFooterAreas) {
            if (const QTextDocument *text = m_doc->area(code))
                writeArea(code, *text);
        }
        for (const QByteArray *kept : {&m_doc->leftHeaderRtf, &m_doc->leftFooterRtf}) {
            if (!kept->isEmpty()) {
                m_out.verbatim(*kept);
                m_out.newline();
            }
        }
    }
    writeFrame(m_text->rootFrame(), m_lastParagraphMark);
    m_styleSheetFontWords = styleSheetFontWords();

    // The tables are complete only now: they go in front of the body.
    m_out.closeGroup();
    m_out.newline();
    m_out.prepend(header());
    return m_out.takeOutput();
}

QByteArray RtfWriter::header() const
{
    RtfWriterBuffer out;
    out.raw("{\\rtf1\\ansi\\ansicpg1252\\deff0");
    out.raw(m_styleSheetFontWords);
    out.raw("\\uc1");
    out.control("deftab", pixelsToTwips(m_text->defaultTextOption().tabStopDistance()));
    // Paragraphs that say nothing of widow control have it (\nowidctlpar
    // marks the others).
    out.raw("\\widowctrl");
    out.newline();
    out.raw(m_fonts.toRtf());
    out.newline();
    out.raw(m_colors.toRtf());
    out.newline();
    if (!m_lists.isEmpty()) {
        out.raw(m_lists.toRtf());
        out.newline();
    }
    if (m_doc) {
        for (const QByteArray &group : m_doc->keptGroups) {
            // A kept colour table starts the one above; a kept font table
            // gives way to this file's, whose font 0 is the default font.
            if (group.startsWith("{\\colortbl") || group.startsWith("{\\fonttbl"))
                continue;
            out.verbatim(group);
            out.newline();
        }
    }
    // Document formatting words follow the tables and the information group.
    const QByteArray words = m_text->rootFrame()->frameFormat().property(prop::DocumentWordsRtf).toByteArray();
    if (!words.isEmpty()) {
        out.raw(words);
        out.newline();
    }
    return out.take();
}

QByteArray RtfWriter::styleSheetFontWords()
{
    static constexpr const char *kWords[] = {"stshfloch", "stshfhich", "stshfdbch", "stshfbi"};
    const QStringList families = m_text->rootFrame()->frameFormat().property(prop::StyleSheetFonts).toStringList();
    RtfWriterBuffer out;
    for (qsizetype i = 0; i < qMin(families.size(), qsizetype(std::size(kWords))); ++i) {
        if (!families[i].isEmpty())
            out.control(kWords[i], m_fonts.indexOf(families[i]));
    }
    return out.take();
}

void RtfWriter::writePageSetup(const PageSetup &page, bool titlePage)
{
    m_out.control("paperw", page.width);
    m_out.control("paperh", page.height);
    m_out.control("margl", page.marginLeft);
    m_out.control("margr", page.marginRight);
    m_out.control("margt", page.marginTop);
    m_out.control("margb", page.marginBottom);
    const bool landscape = page.width > page.height;
    if (landscape)
        m_out.control("landscape");
    m_out.newline();
    m_out.control("sectd");
    if (landscape)
        m_out.control("lndscpsxn");
    m_out.control("headery", page.headerY);
    m_out.control("footery", page.footerY);
    if (titlePage)
        m_out.control("titlepg");
    m_out.newline();
}

void RtfWriter::writeArea(int code, const QTextDocument &area)
{
    const char *word = areaWord(code);
    if (!word)
        return;
    m_out.openGroup();
    m_out.control(word);
    m_out.newline();
    m_inHeaderArea = true;
    writeFrame(area.rootFrame(), true);
    m_inHeaderArea = false;
    m_out.closeGroup();
    m_shifted = false;  // the area's group ends with its words
    m_out.newline();
}

void RtfWriter::enterDocument(const QTextDocument *doc)
{
    if (doc == m_current)
        return;
    m_current = doc;
    m_charCache.clear();
    m_blockCache.clear();
    m_cellCache.clear();
    m_rowCache.clear();
    m_lastCharIndex = -1;
    const QFont font = doc ? doc->defaultFont() : QFont();
    m_defaultFamily = font.family();
    m_defaultPointSize = font.pointSizeF() > 0 ? font.pointSizeF() : RichDocument::kDefaultFontHalfPoints / 2.0;
}

void RtfWriter::writeFrame(const QTextFrame *frame, bool lastMark)
{
    if (!frame)
        return;
    enterDocument(frame->document());
    writeFlow(frame->begin(), lastMark ? End::Par : End::None);
}

void RtfWriter::writeFlow(QTextFrame::iterator it, End lastEnd)
{
    while (!it.atEnd()) {
        QTextFrame::iterator next = it;
        ++next;
        if (QTextFrame *child = it.currentFrame()) {
            if (auto *table = qobject_cast<QTextTable *>(child))
                writeTable(table);
            else
                writeFlow(child->begin(), End::Par);
        } else if (isSeparatorBefore(it.currentBlock(), next)) {
            // The block Qt keeps before a table is no paragraph of the text.
        } else if (it.currentBlock().isValid()) {
            writeParagraph(it.currentBlock(), next.atEnd() ? lastEnd : End::Par);
        }
        it = next;
    }
}

void RtfWriter::writeBlock(const QTextBlock &block)
{
    writeParagraph(block, End::Par);
}

void RtfWriter::writeEnd(End end)
{
    // LibreOffice drops a paragraph whose mark is raised or lowered.
    if (end != End::None && m_shifted) {
        m_out.control("nosupersub");
        m_shifted = false;
    }
    switch (end) {
    case End::Par: m_out.control("par"); break;
    case End::Cell: m_out.control("cell"); break;
    case End::NestCell: m_out.control("nestcell"); break;
    case End::None: return;
    }
    m_out.newline();
}

QByteArray RtfWriter::keptColorWords(const QByteArray &words) const
{
    if (m_keptColorTable || words.isEmpty())
        return words;
    // Without the table they were read with, colour numbers would name
    // whatever colour this file has there: leave the colour to the reader.
    return RtfWriterColorTable::mapColorWords(words, [](QByteArrayView, int, QByteArrayView) { return -1; });
}

void RtfWriter::writeText(QStringView text)
{
    m_out.text(text);
}

QByteArray writeRtf(const RichDocument &doc)
{
    RtfWriter writer(doc);
    return writer.writeAll();
}

RtfOutput writeRtfOutput(const RichDocument &doc)
{
    RtfWriter writer(doc);
    return writer.writeOutput();
}

QByteArray writeRtfFragment(const QTextDocumentFragment &fragment, const QTextDocument *resources)
{
    const std::unique_ptr<QTextDocument> text = RichDocument::makeTextDocument();
    if (resources)
        text->setDefaultFont(resources->defaultFont());
    QTextCursor cursor(text.get());
    cursor.insertFragment(fragment);
    RtfWriter writer(*text);
    writer.setLastParagraphMark(false);
    writer.setResourceDocument(resources);
    return writer.writeAll();
}

}  // namespace textctl
