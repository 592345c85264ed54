// The table attributes dialog over a control: it opens on the cells'
// values, writes back only what the user changed, as one undo step.
#include "textctl/dialogs/tableattributesdialog.h"
#include "dialogtesting.h"
#include "textctl/dialogs/lengthbox.h"
#include "textctl/tablecells.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QTextTable>

using namespace textctl;
using textctl::testing::field;
using textctl::testing::select;

namespace {

constexpr int kTextWidth = 9026;

// A 1 x 2 table; cell 1 has a red top line of one point and yellow shading.
QTextTable *makeTable(TXTextControl &control)
{
    control.TableInsert(1, 2, -1, 11);
    QTextTable *table = tablesOf(control.document().main()).constFirst();
    TableAttributes first;
    first.borders[BorderTop] = CellBorder{20, Qt::red};
    first.shading = QColor(Qt::yellow);
    QTextCursor cursor(control.document().main());
    cursor.setPosition(table->cellAt(0, 0).firstPosition());
    applyTableAttributes(cursor, first);
    return table;
}

}  // namespace

TEST(TableAttributesDialog, OpensOnTheCellsValuesAndWritesOnlyTheChangesAsOneStep)
{
    TXTextControl control;
    QTextTable *table = makeTable(control);
    select(control, table->cellAt(0, 0).firstPosition(), table->cellAt(0, 0).firstPosition());
    TableAttributesDialog dialog(control);
    EXPECT_EQ(field<QDoubleSpinBox>(dialog, "borderWidth0")->value(), 1.0);
    EXPECT_EQ(field<QComboBox>(dialog, "borderColor0")->currentText(), u"Rojo"_qs);
    EXPECT_EQ(field<QComboBox>(dialog, "shading")->currentText(), u"Amarillo"_qs);
    EXPECT_EQ(field<QComboBox>(dialog, "verticalAlign")->currentText(), u"Arriba"_qs);
    EXPECT_EQ(field<QComboBox>(dialog, "column")->count(), 2);
    EXPECT_EQ(dialog.changes(), TableAttributes{}) << "nothing changed yet";

    field<QDoubleSpinBox>(dialog, "borderWidth0")->setValue(2);
    field<QComboBox>(dialog, "column")->setCurrentIndex(1);
    field<QDoubleSpinBox>(dialog, "columnWidth")->setValue(5);
    TableAttributes expected;
    expected.borders[BorderTop] = CellBorder{40, Qt::red};
    const int firstWidth = lengthAsShown(kTextWidth / 2);
    expected.columnWidths = {firstWidth, 2835};
    EXPECT_EQ(dialog.changes(), expected);
    dialog.accept();

    QTextCursor cell(control.document().main());
    cell.setPosition(table->cellAt(0, 0).firstPosition());
    TableAttributes now = tableAttributesOf(cell, kTextWidth);
    EXPECT_EQ(now.borders[BorderTop], (CellBorder{40, Qt::red}));
    EXPECT_EQ(now.shading, QColor(Qt::yellow));
    EXPECT_EQ(now.columnWidths, expected.columnWidths);
    control.Undo();
    now = tableAttributesOf(cell, kTextWidth);
    EXPECT_EQ(now.borders[BorderTop], (CellBorder{20, Qt::red}));
    EXPECT_NE(now.columnWidths, expected.columnWidths);
}

TEST(TableAttributesDialog, MixedCellsShowEmptyAndCancelChangesNothing)
{
    TXTextControl control;
    QTextTable *table = makeTable(control);
    select(control, table->cellAt(0, 0).firstPosition(), table->cellAt(0, 1).lastPosition());
    TableAttributesDialog dialog(control);
    EXPECT_EQ(field<QComboBox>(dialog, "shading")->currentIndex(), -1);
    EXPECT_EQ(field<QDoubleSpinBox>(dialog, "borderWidth0")->text().trimmed(), QString());
    EXPECT_EQ(field<QComboBox>(dialog, "verticalAlign")->currentText(), u"Arriba"_qs);
    field<QComboBox>(dialog, "verticalAlign")->setCurrentIndex(2);
    TableAttributes expected;
    expected.verticalAlign = 2;
    EXPECT_EQ(dialog.changes(), expected);
    const QByteArray before = control.document().main()->toHtml().toUtf8();
    dialog.reject();
    EXPECT_EQ(control.document().main()->toHtml().toUtf8(), before);

    control.setSelStart(0);
    EXPECT_FALSE(showTableAttributesDialog(control, nullptr)) << "no dialog outside a table";
}
