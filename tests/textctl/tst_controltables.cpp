// The control's tables: identifiers, cells by row and column, grid lines,
// row and column edits as single undo steps, Tab from cell to cell.
#include "textctl/model/areas.h"
#include "textctl/rtf/rtfwriter.h"
#include "textctl/tablecells.h"
#include "textctl/txtextcontrol.h"

#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

namespace {

// "ab" and a table of `rows` x `columns` after it; the caret in cell (1, 1).
int withTable(TXTextControl &control, int rows = 2, int columns = 2, int id = 11)
{
    control.setText(u"ab"_qs);
    control.setSelStart(2);
    return control.TableInsert(rows, columns, -1, id);
}

void caretInCell(TXTextControl &control, int id, int row, int column)
{
    control.setSelStart(control.TableCellStart(id, row, column) - 1);
}

int tableCount(const TXTextControl &control)
{
    return int(textctl::tablesOf(control.targetDocument()).size());
}

}  // namespace

TEST(TableIds, TheNextFreeOneAfterAUsedOneAndAgainFrom11Past32767)
{
    const struct {
        const char *name;
        int asked;
        QSet<int> used;
        int given;
    } rows[] = {
        {"free", 11, {}, 11},
        {"used", 11, {11, 12}, 13},
        {"last", 32767, {}, 32767},
        {"last used", 32767, {32767, 11}, 12},
        {"beyond 16 bits", 32768, {}, 11},
        {"none", 0, {}, 11},
        {"below 11 and free", 2, {1}, 2},
    };
    for (const auto &row : rows)
        EXPECT_EQ(textctl::freeTableId(row.asked, row.used), row.given) << row.name;
    QSet<int> all;
    for (int id = 1; id <= textctl::kLastTableId; ++id)
        all.insert(id);
    EXPECT_EQ(textctl::freeTableId(11, all), 0);
}

TEST(TableInsert, AnIdentifierInUseIsNeverGivenTwiceInAnyArea)
{
    TXTextControl control;
    EXPECT_EQ(withTable(control, 2, 2, 11), 11);
    control.setSelStart(0);
    EXPECT_EQ(control.TableInsert(1, 1, -1, 11), 12);
    control.setHeaderFooter(textctl::PageHeader);
    control.setHeaderFooterSelect(textctl::PageHeader);
    EXPECT_EQ(control.TableInsert(1, 1, -1, 12), 13) << "the header's table is in the same document";
    EXPECT_EQ(control.TableAtInputPos(), 13);
    control.setHeaderFooterSelect(0);
    EXPECT_EQ(control.TableInsert(1, 1, 0, 32767), 32767);
    EXPECT_EQ(control.TableInsert(1, 1, 0, 32767), 14) << "past 32767 from 11, skipping the used ones";
}

TEST(TableInsert, ACountOutsideTheControlsRangeInsertsNothing)
{
    const struct {
        int rows;
        int columns;
        int given;
    } rows[] = {{0, 2, 0}, {2, 0, 0}, {-1, 2, 0}, {2, 64, 0}, {1, 63, 11}};
    for (const auto &row : rows) {
        TXTextControl control;
        EXPECT_EQ(withTable(control, row.rows, row.columns), row.given) << row.rows << " x " << row.columns;
        EXPECT_EQ(tableCount(control), row.given ? 1 : 0);
    }
}

TEST(TableInsert, ATableFromAFileGetsTheLowestFreeIdentifierWhenAsked)
{
    TXTextControl control;
    control.setText(u"x"_qs);
    QTextCursor cursor(control.document().main());
    cursor.movePosition(QTextCursor::End);
    cursor.insertTable(1, 2);  // as a file's reader makes it: no identifier
    control.setSelStart(3);
    EXPECT_EQ(control.TableAtInputPos(), 1);
    control.setSelStart(0);
    EXPECT_EQ(control.TableInsert(1, 1, -1, 1), 2);
}

TEST(TableCells, StartCountsFrom1AndLengthIsTheCellsText)
{
    TXTextControl control;
    const int id = withTable(control);
    EXPECT_EQ(control.TableAtInputPos(), id);
    EXPECT_EQ(control.TableRowAtInputPos(), 1);
    EXPECT_EQ(control.TableColAtInputPos(), 1);
    control.setSelText(u"uno"_qs);
    caretInCell(control, id, 2, 2);
    control.setSelText(u"dos"_qs);
    EXPECT_EQ(control.TableRowAtInputPos(), 2);
    EXPECT_EQ(control.TableColAtInputPos(), 2);
    // "ab", the table's start mark, then a mark after each cell.
    const int expected[][3] = {{1, 1, 4}, {1, 2, 8}, {2, 1, 9}, {2, 2, 10}};
    for (const auto &e : expected)
        EXPECT_EQ(control.TableCellStart(id, e[0], e[1]), e[2]) << e[0] << "," << e[1];
    EXPECT_EQ(control.TableCellLength(id, 1, 1), 3);
    EXPECT_EQ(control.TableCellLength(id, 1, 2), 0);
    EXPECT_EQ(control.TableCellStart(id, 3, 1), 0) << "no such row";
    EXPECT_EQ(control.TableRows(id + 1), 0) << "no such table";
    control.setSelStart(0);
    EXPECT_EQ(control.TableAtInputPos(), 0);
    EXPECT_EQ(control.TableRowAtInputPos(), 0);
}

TEST(TableCells, GridLinesAreCellBordersSavedAsSuchAndOneUndoStep)
{
    TXTextControl control;
    const int id = withTable(control);
    EXPECT_EQ(control.TableCellAttribute(id, 0, 0, 2), 0) << "a new table prints no lines";
    control.setTableCellAttribute(id, 0, 0, 2, 3);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 2; ++c)
            EXPECT_EQ(control.TableCellAttribute(id, r, c, 2), 3);
    EXPECT_EQ(control.TableCellAttribute(id, 0, 0, 2), 3);
    const QByteArray rtf = textctl::writeRtf(control.document());
    EXPECT_EQ(rtf.count("\\clbrdrt\\brdrw10\\brdrs"), 4) << rtf.constData();
    EXPECT_EQ(rtf.count("\\clbrdrr\\brdrw10\\brdrs"), 4);
    control.setTableCellAttribute(id, 1, 2, 2, 0);
    EXPECT_EQ(control.TableCellAttribute(id, 1, 2, 2), 0);
    EXPECT_EQ(control.TableCellAttribute(id, 0, 0, 2), 0) << "the whole table has lines only when every cell has";
    control.Undo();
    EXPECT_EQ(control.TableCellAttribute(id, 0, 0, 2), 3);
    control.Undo();
    EXPECT_EQ(control.TableCellAttribute(id, 1, 1, 2), 0);
    control.setTableCellAttribute(id, 1, 1, 2, 7);
    EXPECT_EQ(control.TableCellAttribute(id, 1, 1, 2), 0) << "only 3 and 0 are line settings";
}

TEST(TableEdits, RowsAndColumnsAtTheInputPositionEachOneUndoStep)
{
    const struct {
        const char *name;
        std::function<void(TXTextControl &)> edit;
        int rows;
        int columns;
        int caretRow;
        int caretColumn;
    } rows[] = {
        {"column right", [](TXTextControl &c) { c.TableInsertColumn(2); }, 2, 3, 1, 2},
        {"column left", [](TXTextControl &c) { c.TableInsertColumn(1); }, 2, 3, 1, 3},
        {"row above", [](TXTextControl &c) { c.TableInsertRows(1, 1); }, 3, 2, 2, 2},
        {"two rows below", [](TXTextControl &c) { c.TableInsertRows(2, 2); }, 4, 2, 1, 2},
        {"delete row", [](TXTextControl &c) { c.TableDeleteRows(); }, 1, 2, 1, 2},
        {"delete column", [](TXTextControl &c) { c.TableDeleteColumn(); }, 2, 1, 1, 1},
        {"bad position", [](TXTextControl &c) { c.TableInsertColumn(3); }, 2, 2, 1, 2},
    };
    for (const auto &row : rows) {
        TXTextControl control;
        const int id = withTable(control);
        control.setTableCellAttribute(id, 0, 0, 2, 3);
        caretInCell(control, id, 1, 2);
        row.edit(control);
        EXPECT_EQ(control.TableRows(id), row.rows) << row.name;
        EXPECT_EQ(control.TableColumns(id), row.columns) << row.name;
        EXPECT_EQ(control.TableCellAttribute(id, 0, 0, 2), 3) << row.name << ": new cells keep the lines";
        if (row.rows != 1) {
            EXPECT_EQ(control.TableRowAtInputPos(), row.caretRow) << row.name;
            EXPECT_EQ(control.TableColAtInputPos(), row.caretColumn) << row.name;
        }
        control.Undo();
        EXPECT_EQ(control.TableRows(id), 2) << row.name;
        EXPECT_EQ(control.TableColumns(id), 2) << row.name;
    }
}

TEST(TableEdits, TheLastColumnOrEveryRowTakesTheTableAndNotTheText)
{
    TXTextControl control;
    const int id = withTable(control, 2, 1);
    control.TableDeleteColumn();
    EXPECT_EQ(tableCount(control), 0);
    EXPECT_EQ(control.Text(), u"ab"_qs);
    control.Undo();
    ASSERT_EQ(control.TableRows(id), 2);
    control.setSelStart(control.TableCellStart(id, 1, 1) - 1);
    control.setSelLength(control.TableCellStart(id, 2, 1) - control.SelStart());
    EXPECT_TRUE(control.cursor().hasComplexSelection());
    control.TableDeleteRows();
    EXPECT_EQ(tableCount(control), 0);
}

TEST(TableEdits, TabGoesToTheNextCellAndTheLastCellGetsANewRow)
{
    TXTextControl control;
    const int id = withTable(control, 1, 2);
    control.setTableCellAttribute(id, 0, 0, 2, 3);
    QTextCursor cursor = control.cursor();
    ASSERT_TRUE(textctl::moveToNextCell(cursor));
    control.setCursor(cursor);
    EXPECT_EQ(control.TableColAtInputPos(), 2);
    ASSERT_TRUE(textctl::moveToNextCell(cursor));
    control.setCursor(cursor);
    EXPECT_EQ(control.TableRows(id), 2);
    EXPECT_EQ(control.TableRowAtInputPos(), 2);
    EXPECT_EQ(control.TableColAtInputPos(), 1);
    EXPECT_EQ(control.TableCellAttribute(id, 2, 2, 2), 3) << "the new row is like the last one";
    control.Undo();
    EXPECT_EQ(control.TableRows(id), 1);
    control.setSelStart(0);
    cursor = control.cursor();
    EXPECT_FALSE(textctl::moveToNextCell(cursor));
}
