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
