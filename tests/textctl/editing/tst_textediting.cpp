// The editing steps of the page view on plain documents: typing, overwrite,
// paragraph breaks and deletion at paragraph and table-cell edges.
#include "textctl/editing/textediting.h"
#include "textctl/model/formatprops.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace textctl;

namespace {

QString cellText(QTextTable *table, int row, int column)
{
    const QTextTableCell cell = table->cellAt(row, column);
    QTextCursor cursor = cell.firstCursorPosition();
    cursor.setPosition(cell.lastPosition(), QTextCursor::KeepAnchor);
    return cursor.selectedText();
}

// "Antes", a 1x2 table "uno" | "dos", "Después".
QTextTable *makeTable(QTextDocument &doc)
{
    QTextCursor cursor(&doc);
    cursor.insertText(u"Antes"_qs);
    QTextTable *table = cursor.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(u"uno"_qs);
    table->cellAt(0, 1).firstCursorPosition().insertText(u"dos"_qs);
    cursor = table->lastCursorPosition();
    cursor.movePosition(QTextCursor::NextCharacter);
    cursor.insertText(u"Después"_qs);
    return table;
}

}  // namespace

TEST(TextEditing, TypingAndOverwrite)
{
    struct Row {
        const char *name;
        QString text;
        int position;
        QString typed;
        bool overwrite;
        QString expected;
    };
    const Row rows[] = {
        {"insert", u"abc"_qs, 1, u"X"_qs, false, u"aXbc"_qs},
        {"overwrite", u"abc"_qs, 1, u"X"_qs, true, u"aXc"_qs},
        {"overwrite several", u"abcd"_qs, 0, u"XY"_qs, true, u"XYcd"_qs},
        {"overwrite stops at the paragraph end", u"ab\ncd"_qs, 1, u"XYZ"_qs, true, u"aXYZ\ncd"_qs},
    };
    for (const Row &row : rows) {
        QTextDocument doc;
        doc.setPlainText(row.text);
        QTextCursor cursor(&doc);
        cursor.setPosition(row.position);
        typeText(cursor, row.typed, row.overwrite);
        EXPECT_EQ(doc.toPlainText(), row.expected) << row.name;
        EXPECT_EQ(cursor.position(), row.position + row.typed.size()) << row.name;
        // One undo step takes the typing back.
        doc.undo();
        EXPECT_EQ(doc.toPlainText(), row.text) << row.name;
    }
}

TEST(TextEditing, DeletionAtParagraphEdges)
{
    QTextDocument doc;
    doc.setPlainText(u"uno\ndos"_qs);
    QTextCursor cursor(&doc);
    cursor.setPosition(4);
    EXPECT_TRUE(deleteBackward(cursor));
    EXPECT_EQ(doc.toPlainText(), u"unodos"_qs);
    cursor.setPosition(0);
    EXPECT_FALSE(deleteBackward(cursor));
    cursor.movePosition(QTextCursor::End);
    EXPECT_FALSE(deleteForward(cursor));
    doc.setPlainText(u"uno\ndos"_qs);
    cursor = QTextCursor(&doc);
    cursor.setPosition(3);
    EXPECT_TRUE(deleteForward(cursor));
    EXPECT_EQ(doc.toPlainText(), u"unodos"_qs);
}

TEST(TextEditing, TableCellsNeverMerge)
{
    QTextDocument doc;
    QTextTable *table = makeTable(doc);
    const int secondStart = table->cellAt(0, 1).firstPosition();
    const int firstStart = table->cellAt(0, 0).firstPosition();
    const int firstEnd = table->cellAt(0, 0).lastPosition();
    const int secondEnd = table->cellAt(0, 1).lastPosition();
    const QTextBlock before = table->cellAt(0, 0).firstCursorPosition().block().previous();
    const QTextBlock after = table->cellAt(0, 1).lastCursorPosition().block().next();
    ASSERT_TRUE(before.isValid() && after.isValid());
    struct Row {
        const char *name;
        int position;
        bool backward;
    };
    const Row rows[] = {
        {"backspace at the second cell's start", secondStart, true},
        {"backspace at the first cell's start", firstStart, true},
        {"delete at the first cell's end", firstEnd, false},
        {"delete at the last cell's end", secondEnd, false},
        {"delete before the table", before.position() + before.length() - 1, false},
        {"backspace after the table", after.position(), true},
    };
    for (const Row &row : rows) {
        QTextCursor cursor(&doc);
        cursor.setPosition(row.position);
        const bool done = row.backward ? deleteBackward(cursor) : deleteForward(cursor);
        EXPECT_FALSE(done) << row.name;
        EXPECT_EQ(cellText(table, 0, 0), u"uno"_qs) << row.name;
        EXPECT_EQ(cellText(table, 0, 1), u"dos"_qs) << row.name;
        EXPECT_TRUE(doc.toPlainText().startsWith(u"Antes\n"_qs)) << row.name;
        EXPECT_TRUE(doc.toPlainText().endsWith(u"\nDespués"_qs)) << row.name;
    }
    // Inside a cell, characters go as usual.
    QTextCursor cursor(&doc);
    cursor.setPosition(secondStart + 1);
    EXPECT_TRUE(deleteBackward(cursor));
    EXPECT_EQ(cellText(table, 0, 1), u"os"_qs);
}

TEST(TextEditing, EnterInASeparatorBlockLeavesTheMarkBehind)
{
    // Regression: the new paragraph copied the separator mark, so its text
    // was never saved.
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextBlockFormat separator;
    separator.setProperty(prop::SeparatorBlock, true);
    cursor.setBlockFormat(separator);
    insertParagraph(cursor);
    EXPECT_TRUE(doc.firstBlock().blockFormat().boolProperty(prop::SeparatorBlock));
    EXPECT_FALSE(cursor.block().blockFormat().hasProperty(prop::SeparatorBlock));
    // Typing into a separator block makes it a paragraph of the file.
    QTextCursor first(&doc);
    typeText(first, u"texto"_qs, false);
    EXPECT_FALSE(doc.firstBlock().blockFormat().hasProperty(prop::SeparatorBlock));
}

TEST(TextEditing, EnterKeepsOrdinaryParagraphFormattingButNotAPageBreak)
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    centred.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.setBlockFormat(centred);
    cursor.insertText(u"Título"_qs);
    insertParagraph(cursor);
    EXPECT_EQ(doc.blockCount(), 2);
    EXPECT_EQ(cursor.block().blockFormat().alignment(), Qt::AlignHCenter);
    // Regression: every Enter after a page break started another page.
    EXPECT_EQ(doc.firstBlock().blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(cursor.block().blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);
    insertLineBreak(cursor);
    EXPECT_EQ(doc.blockCount(), 2);
    EXPECT_TRUE(cursor.block().text().contains(QChar::LineSeparator));
}
