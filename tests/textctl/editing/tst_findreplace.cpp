// Search and replace in the area being edited: case and whole words, the
// end of the text, and replace all as one undo step over text, table cells
// and a header.
#include "textctl/editing/findreplace.h"
#include "textctl/txtextcontrol.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace textctl;

namespace {

void caretAt(TXTextControl &control, int position)
{
    QTextCursor cursor = control.cursor();
    cursor.setPosition(position);
    control.setCursor(cursor);
}

}  // namespace

TEST(FindReplace, FindNextFromTheCaret)
{
    struct Row {
        const char *name;
        const char16_t *search;
        FindOptions options;
        int caret;
        int expected;  // selection start, -1 for no match after the caret
    };
    // "Daño en casa; el daño, dañoso." positions: Daño 0, daño 17, dañoso 23.
    const Row rows[] = {
        {"ignoresCase", u"daño", {}, 0, 0},
        {"matchesCase", u"daño", {.matchCase = true}, 0, 17},
        {"wholeWordSkipsLongerWord", u"daño", {.wholeWord = true}, 18, -1},
        {"partOfWord", u"daño", {}, 18, 23},
        {"fromTheCaret", u"casa", {}, 9, -1},
        {"emptyText", u"", {}, 0, -1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        TXTextControl control;
        control.setText(u"Daño en casa; el daño, dañoso."_qs);
        caretAt(control, row.caret);
        const FindOutcome outcome = findNext(control, QString::fromUtf16(row.search), row.options);
        if (row.expected < 0) {
            EXPECT_NE(outcome, FindOutcome::Found);
            EXPECT_FALSE(control.cursor().hasSelection());
        } else {
            EXPECT_EQ(outcome, FindOutcome::Found);
            EXPECT_EQ(control.cursor().selectionStart(), row.expected);
            EXPECT_EQ(control.cursor().selectedText().size(), QString::fromUtf16(row.search).size());
        }
    }
}

TEST(FindReplace, EndOfTextAndFromTheStart)
{
    TXTextControl control;
    control.setText(u"alfa beta alfa"_qs);
    caretAt(control, 12);
    EXPECT_EQ(findNext(control, u"beta"_qs, {}), FindOutcome::AtEnd);
    EXPECT_TRUE(findFromStart(control, u"beta"_qs, {}));
    EXPECT_EQ(control.cursor().selectionStart(), 5);
    caretAt(control, 0);
    EXPECT_EQ(findNext(control, u"gamma"_qs, {}), FindOutcome::NotFound);
}

TEST(FindReplace, ReplaceCurrentOnlyReplacesAMatch)
{
    TXTextControl control;
    control.setText(u"alfa beta"_qs);
    QTextCursor cursor = control.cursor();
    cursor.setPosition(0);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    control.setCursor(cursor);
    EXPECT_FALSE(replaceCurrent(control, u"beta"_qs, u"x"_qs, {}));
    EXPECT_TRUE(replaceCurrent(control, u"ALFA"_qs, u"gamma"_qs, {}));
    EXPECT_EQ(control.Text(), u"gamma beta"_qs);
}

TEST(FindReplace, ReplaceAllInTheEditedAreaIsOneUndoStep)
{
    TXTextControl control;
    control.setText(u"pieza\n"_qs);
    QTextDocument *main = control.document().main();
    QTextCursor end(main);
    end.movePosition(QTextCursor::End);
    QTextTable *table = end.insertTable(1, 2);
    table->cellAt(0, 0).firstCursorPosition().insertText(u"Pieza A"_qs);
    table->cellAt(0, 1).firstCursorPosition().insertText(u"piezas"_qs);
    control.setHeaderFooter(1);
    QTextCursor(control.document().area(1)).insertText(u"Pieza de cabecera"_qs);
    const QString mainBefore = main->toPlainText();

    EXPECT_EQ(replaceAll(control, u"pieza"_qs, u"parte"_qs, {}), 3);
    EXPECT_EQ(main->toPlainText().count(u"parte"_qs), 3);
    EXPECT_EQ(control.document().area(1)->toPlainText(), u"Pieza de cabecera"_qs);
    control.Undo();
    EXPECT_EQ(main->toPlainText(), mainBefore);

    EXPECT_EQ(replaceAll(control, u"pieza"_qs, u"parte"_qs, {.matchCase = true, .wholeWord = true}), 1);
    control.Undo();

    control.activateHeaderFooter(1);
    EXPECT_EQ(replaceAll(control, u"pieza"_qs, u"parte"_qs, {}), 1);
    EXPECT_EQ(control.document().area(1)->toPlainText(), u"parte de cabecera"_qs);
    EXPECT_EQ(main->toPlainText(), mainBefore);
}
