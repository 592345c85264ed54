#include "commands/frmtabledlg.h"
#include "commands/tablas.h"
#include "textctl/tablecells.h"
#include "textctl/txtextcontrol.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace commands;

namespace {

// "ab" and a 2 x 3 table whose cells hold "r<row>c<column>"; the caret in
// cell (row, column).
int tableWithTexts(TXTextControl &control, int row, int column)
{
    control.setText(u"ab"_qs);
    control.setSelStart(2);
    const int id = control.TableInsert(2, 3, -1, 11);
    for (int r = 1; r <= 2; ++r) {
        for (int c = 1; c <= 3; ++c) {
            control.setSelStart(control.TableCellStart(id, r, c) - 1);
            control.setSelText(QStringLiteral("r%1c%2").arg(r).arg(c));
        }
    }
    control.setSelStart(control.TableCellStart(id, row, column) - 1);
    return id;
}

// The cells the control's selection covers: first row, rows, first column, columns.
std::array<int, 4> selectedCells(const TXTextControl &control)
{
    std::array<int, 4> cells{-1, 0, -1, 0};
    const QTextCursor cursor = control.cursor();
    if (cursor.hasComplexSelection())
        cursor.selectedTableCells(&cells[0], &cells[1], &cells[2], &cells[3]);
    else if (QTextTable *table = cursor.currentTable())
        cells = {table->cellAt(cursor).row(), 1, table->cellAt(cursor).column(), 1};
    return cells;
}

}  // namespace

TEST(TableDialog, OpensAtTwoByTwoWithTheListsAndNoLines)
{
    frmTableDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), u"Atributos de la Tabla"_qs);
    EXPECT_EQ(dialog.cboRows->count(), 100);
    EXPECT_EQ(dialog.cboRows->itemText(99), u"100"_qs);
    EXPECT_EQ(dialog.cboColumns->count(), 12);
    EXPECT_EQ(dialog.cboRows->currentText(), u"2"_qs);
    EXPECT_EQ(dialog.cboColumns->currentText(), u"2"_qs);
    EXPECT_FALSE(dialog.Check1->isChecked());
    EXPECT_TRUE(dialog.btnOK->isEnabled());
    EXPECT_EQ(dialog.valores(), (ValoresTabla{2, 2, false}));
}

TEST(TableDialog, OkOnlyForWholeCountsWithinTheLists)
{
    const struct {
        const char16_t *rows;
        const char16_t *columns;
        bool ok;
    } rows[] = {
        {u"3", u"4", true},    {u" 100 ", u"12", true}, {u"3.0", u"1", true},  {u"0", u"2", false},
        {u"2.5", u"2", false}, {u"101", u"2", false},   {u"2", u"13", false},  {u"abc", u"2", false},
        {u"", u"2", false},    {u"-1", u"2", false},    {u"2", u"2,5", false}, {u"1e400", u"2", false},
    };
    for (const auto &row : rows) {
        frmTableDlg dialog;
        dialog.cboRows->setEditText(QString::fromUtf16(row.rows));
        dialog.cboColumns->setEditText(QString::fromUtf16(row.columns));
        const std::string name = QString::fromUtf16(row.rows).toStdString() + " x " + QString::fromUtf16(row.columns).toStdString();
        EXPECT_EQ(dialog.btnOK->isEnabled(), row.ok) << name;
        dialog.btnOK->click();
        EXPECT_EQ(dialog.result() == QDialog::Accepted, row.ok) << name;
    }
}

TEST(TableDialog, InsertsUnderTheNextIdentifierWithItsLinesAsOneUndoStep)
{
    const struct {
        const char *name;
        int tablaId;
        bool lines;
        int given;
    } rows[] = {
        {"first table", 10, true, 11},
        {"no lines", 10, false, 11},
        {"counter at its end", 32767, false, 11},
    };
    for (const auto &row : rows) {
        TXTextControl control;
        control.setText(u"ab"_qs);
        EXPECT_EQ(insertar_tabla(control, {3, 2, row.lines}, row.tablaId), row.given) << row.name;
        EXPECT_EQ(control.TableRows(row.given), 3) << row.name;
        EXPECT_EQ(control.TableColumns(row.given), 2) << row.name;
        EXPECT_EQ(control.TableCellAttribute(row.given, 3, 2, 2), row.lines ? 3 : 0) << row.name;
        control.Undo();
        EXPECT_TRUE(textctl::tablesOf(control.targetDocument()).isEmpty()) << row.name;
    }
    TXTextControl control;
    EXPECT_EQ(insertar_tabla(control, {1, 1, false}, 10), 11);
    EXPECT_EQ(insertar_tabla(control, {1, 1, false}, 10), 12) << "11 is in use";
    EXPECT_EQ(insertar_tabla(control, {0, 1, false}, 12), 12) << "nothing inserted, the counter stays";
}

TEST(TableSelections, EachFromItsFirstCellsStartToOnePastItsLastCellsText)
{
    const struct {
        const char *name;
        Seleccion (*select)(TXTextControl &);
        Seleccion given;
        std::array<int, 4> cells;  // first row, rows, first column, columns (0-based)
        int readStart;
        int readLength;
    } rows[] = {
        // Cells start at 4, 9, 14 (row 1) and 19, 24, 29 (row 2), counted
        // from 1; each holds four characters. A range of cells reads back
        // from the first cell's start to the last cell's start.
        {"table", seleccionar_tabla, {3, 30}, {0, 2, 0, 3}, 3, 25},
        {"row", seleccionar_fila, {18, 15}, {1, 1, 0, 3}, 18, 10},
        {"cell", seleccionar_celda, {23, 5}, {1, 1, 1, 1}, 23, 4},
    };
    for (const auto &row : rows) {
        TXTextControl control;
        const int id = tableWithTexts(control, 2, 2);
        ASSERT_EQ(control.TableCellStart(id, 1, 1), 4);
        EXPECT_EQ(row.select(control), row.given) << row.name;
        EXPECT_EQ(selectedCells(control), row.cells) << row.name;
        EXPECT_EQ(control.SelStart(), row.readStart) << row.name;
        EXPECT_EQ(control.SelLength(), row.readLength) << row.name;
    }
    TXTextControl control;
    control.setText(u"ab"_qs);
    EXPECT_EQ(seleccionar_tabla(control), Seleccion{}) << "outside a table nothing is selected";
    EXPECT_EQ(control.SelLength(), 0);
}

TEST(TableCommands, DeletingTheTableARowOrAColumnLeavesTheRest)
{
    const struct {
        const char *name;
        void (*run)(TXTextControl &);
        int rows;
        int columns;
    } rows[] = {
        {"table", [](TXTextControl &c) { seleccionar_tabla(c); c.TableDeleteRows(); }, 0, 0},
        {"selected last row", [](TXTextControl &c) { seleccionar_fila(c); c.TableDeleteRows(); }, 1, 3},
        {"row of the caret", [](TXTextControl &c) { c.TableDeleteRows(); }, 1, 3},
        {"column", [](TXTextControl &c) { c.TableDeleteColumn(); }, 2, 2},
    };
    for (const auto &row : rows) {
        TXTextControl control;
        const int id = tableWithTexts(control, 2, 2);
        row.run(control);
        EXPECT_EQ(control.TableRows(id), row.rows) << row.name;
        EXPECT_EQ(control.TableColumns(id), row.columns) << row.name;
        EXPECT_TRUE(control.Text().startsWith(u"ab"_qs)) << row.name;
        EXPECT_EQ(control.Text().contains(u"r1c1"_qs), row.rows > 0) << row.name;
        EXPECT_FALSE(control.Text().contains(u"r2c2"_qs)) << row.name;
    }
}

TEST(TableCommands, VisibleTwiceSetsEveryCellsLinesAndTakesThemAway)
{
    TXTextControl control;
    const int id = tableWithTexts(control, 1, 3);
    control.setTableCellAttribute(id, 2, 1, 2, 3);  // some lines: not yet the whole table
    int tabla_id = 40;
    EXPECT_TRUE(alternar_lineas(control, &tabla_id));
    EXPECT_EQ(tabla_id, id);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(control.TableCellAttribute(id, r, c, 2), 3);
    EXPECT_FALSE(alternar_lineas(control, &tabla_id));
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(control.TableCellAttribute(id, r, c, 2), 0);
    control.Undo();
    EXPECT_EQ(control.TableCellAttribute(id, 0, 0, 2), 3) << "one undo step per switch";
    control.setSelStart(0);
    tabla_id = 40;
    EXPECT_FALSE(alternar_lineas(control, &tabla_id));
    EXPECT_EQ(tabla_id, 40) << "outside a table the counter is left alone";
}

TEST(TableCommands, MenuStatesInsideAndOutsideATable)
{
    TXTextControl control;
    tableWithTexts(control, 1, 1);
    EstadoMenuTabla inside{true, true, true, true, true, true};
    EXPECT_EQ(estado_menu_tabla(control), inside);
    control.setSelStart(0);
    EXPECT_EQ(estado_menu_tabla(control), (EstadoMenuTabla{true, false, false, false, false, false}));
}
