#include "textctl/rtf/rtfreader.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/layoutformats.h"
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreaderbuilder.h"
#include "textctl/rtf/rtfreaderparser.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

namespace textctl {

namespace {

QString notRtfMessage()
{
    return QStringLiteral("El fichero no es RTF.");
}

// Beyond these a document takes more than several seconds to open and more
// memory than a report ever needs (some 2,000 pages of text): such a file
// is refused rather than leaving the editor unusable.
constexpr qsizetype kMostParagraphs = 100'000;
constexpr qsizetype kMostCharacters = 8'000'000;

struct TextSize {
    qsizetype paragraphs = 0;
    qsizetype characters = 0;
};

void measure(const std::vector<rtf::Block> &blocks, TextSize &size)
{
    for (const rtf::Block &block : blocks) {
        if (block.table) {
            for (const rtf::Row &row : block.table->rows) {
                for (const rtf::CellContent &cell : row.cells)
                    measure(cell.blocks, size);
            }
            continue;
        }
        ++size.paragraphs;
        for (const rtf::Run &run : block.paragraph.runs)
            size.characters += run.text.size();
    }
}

// 8000000 as "8.000.000".
QString grouped(qsizetype number)
{
    QString digits = QString::number(number);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u'.');
    return digits;
}

// Empty when the document is of a size the editor works with.
QString tooLargeMessage(const rtf::ReadResult &content)
{
    TextSize size;
    measure(content.main, size);
    for (const auto &area : content.areas) {
        if (area)
            measure(*area, size);
    }
    if (size.paragraphs <= kMostParagraphs && size.characters <= kMostCharacters)
        return {};
    return QStringLiteral("El documento es demasiado grande para abrirlo: tiene %1 párrafos y %2 caracteres, "
                          "y se admiten como mucho %3 párrafos y %4 caracteres.")
        .arg(grouped(size.paragraphs), grouped(size.characters), grouped(kMostParagraphs), grouped(kMostCharacters));
}

void applyPage(const rtf::StatedPage &values, PageSetup &page)
{
    const auto set = [](const std::optional<int> &value, int &target) {
        if (value && *value > 0)
            target = *value;
    };
    set(values.width, page.width);
    set(values.height, page.height);
    set(values.marginLeft, page.marginLeft);
    set(values.marginTop, page.marginTop);
    set(values.marginRight, page.marginRight);
    set(values.marginBottom, page.marginBottom);
    set(values.headerY, page.headerY);
    set(values.footerY, page.footerY);
}

// Fills `document` (empty) with `blocks`, as one edit that leaves no undo
// history behind.
void fillDocument(QTextDocument *document, const std::vector<rtf::Block> &blocks,
                  const std::vector<rtf::PictureResource> &pictures, const rtf::ReadResult *values = nullptr)
{
    const bool undo = document->isUndoRedoEnabled();
    document->setUndoRedoEnabled(false);
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    rtf::RtfReaderBuilder builder(document, pictures);
    builder.insertBlocks(cursor, blocks, rtf::RtfReaderBuilder::Start::Replace);
    cursor.endEditBlock();
    // The document-wide values live on the main text's root frame.
    if (values && (!values->styleSheetFonts.isEmpty() || !values->documentWords.isEmpty())) {
        QTextFrameFormat root = document->rootFrame()->frameFormat();
        if (!values->styleSheetFonts.isEmpty())
            root.setProperty(prop::StyleSheetFonts, values->styleSheetFonts);
        if (!values->documentWords.isEmpty())
            root.setProperty(prop::DocumentWordsRtf, values->documentWords);
        document->rootFrame()->setFrameFormat(root);
    }
    updateLayoutFormats(document, 0, document->characterCount());
    if (LayoutFormatKeeper *keeper = LayoutFormatKeeper::of(document))
        keeper->discardPending();
    document->setUndoRedoEnabled(undo);
}

}  // namespace

bool looksLikeRtf(QByteArrayView bytes)
{
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == ' ' || bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == '\t'))
        ++i;
    return bytes.sliced(i).startsWith("{\\rtf");
}

bool readRtf(QByteArrayView rtf, RichDocument &doc, QString *error)
{
    if (!looksLikeRtf(rtf)) {
        if (error)
            *error = notRtfMessage();
        return false;
    }
    const rtf::ReadResult content = rtf::RtfReaderParser(rtf).parse();
    if (const QString tooLarge = tooLargeMessage(content); !tooLarge.isEmpty()) {
        if (error)
            *error = tooLarge;
        return false;
    }

    const PageSetup page = doc.page;
    doc.clear();
    doc.page = page;
    applyPage(content.page, doc.page);
    doc.leftHeaderRtf = content.leftHeaderRtf;
    doc.leftFooterRtf = content.leftFooterRtf;
    doc.keptGroups = content.keptGroups;

    fillDocument(doc.main(), content.main, content.pictures, &content);
    for (int code : kHeaderFooterAreas) {
        const auto &area = content.areas[areaIndex(code)];
        if (area)
            fillDocument(doc.ensureArea(code), *area, content.pictures);
    }
    return true;
}

bool insertRtf(QByteArrayView rtf, QTextCursor &cursor, QString *error)
{
    if (!looksLikeRtf(rtf)) {
        if (error)
            *error = notRtfMessage();
        return false;
    }
    const rtf::ReadResult content = rtf::RtfReaderParser(rtf).parse();
    QTextDocument *document = cursor.document();
    if (!document)
        return false;
    cursor.beginEditBlock();
    if (cursor.hasSelection())
        cursor.removeSelectedText();
    rtf::RtfReaderBuilder builder(document, content.pictures);
    builder.insertBlocks(cursor, content.main, rtf::RtfReaderBuilder::Start::Merge);
    cursor.endEditBlock();
    return true;
}

}  // namespace textctl
