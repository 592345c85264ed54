// The plain text of a document model: paragraphs and table cells in
// reading order, then the present areas under their tags.

#include "textctl/model/formatprops.h"
#include "textctl/model/plaintext.h"
#include "textctl/model/richdocument.h"

#include <gtest/gtest.h>

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

using namespace textctl;

namespace {

TEST(PlainText, ParagraphsEachOnALine)
{
    RichDocument doc;
    doc.main()->setPlainText(u"Uno\n\nTres"_qs);
    EXPECT_EQ(documentPlainText(doc), u"Uno\n\nTres\n"_qs);
}

TEST(PlainText, EmptyDocumentIsOneEmptyLine)
{
    RichDocument doc;
    EXPECT_EQ(documentPlainText(doc), u"\n"_qs);
}

TEST(PlainText, CellsInReadingOrderAndObjectsLeftOut)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    cursor.insertText(u"Antes"_qs);
    QTextTable *table = cursor.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(u"A1"_qs);
    QTextCursor cell = table->cellAt(0, 1).firstCursorPosition();
    cell.insertText(u"B"_qs);
    cell.insertText(QString(QChar::ObjectReplacementCharacter), QTextImageFormat());
    cell.insertText(u"1"_qs + QChar(QChar::LineSeparator) + u"B2"_qs);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(u"Después"_qs);
    EXPECT_EQ(documentPlainText(doc), u"Antes\nA1\nB1\nB2\nDespués\n"_qs);
}

TEST(PlainText, SeparatorBlocksAreNoParagraphs)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextBlockFormat separator;
    separator.setProperty(prop::SeparatorBlock, true);
    cursor.setBlockFormat(separator);
    QTextTable *table = cursor.insertTable(1, 1);
    table->cellAt(0, 0).firstCursorPosition().insertText(u"celda"_qs);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(u"fin"_qs);
    EXPECT_EQ(documentPlainText(doc), u"celda\nfin\n"_qs);
}

TEST(PlainText, AreasInTheirOrderUnderTheirTags)
{
    RichDocument doc;
    doc.main()->setPlainText(u"Cuerpo"_qs);
    doc.ensureArea(FirstPageFooter)->setPlainText(u"pie 1"_qs);
    doc.ensureArea(PageHeader)->setPlainText(u"cabecera"_qs);
    doc.ensureArea(PageFooter)->setPlainText(u"pie\nsegunda"_qs);
    EXPECT_EQ(documentPlainText(doc), u"Cuerpo\n[cabecera]\ncabecera\n[pie]\npie\nsegunda\n[pie1]\npie 1\n"_qs);
    doc.ensureArea(FirstPageHeader);
    EXPECT_TRUE(documentPlainText(doc).contains(u"[cabecera]\ncabecera\n[cabecera1]\n\n[pie]\n"_qs));
}

}  // namespace
