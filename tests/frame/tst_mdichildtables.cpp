#include "tests/frame/framefixture.h"

#include "commands/frmtabledlg.h"
#include "textctl/model/areas.h"
#include "textctl/tablecells.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QTextTable>
#include <QTimer>

#include <functional>

using namespace frame;

namespace {

const char *const kStateItems[] = {"tabla2item",   "colizqitem",     "coldchaitem",        "filaarribaitem",
                                   "filabajoitem", "tblborraritem",  "brrtabla",           "brrcolumnaitem",
                                   "brrfilaitem",  "tblseleccionaritem", "seltablaitem",   "selfilaitem",
                                   "selceldaitem", "propiedadesitem"};

}  // namespace

class TableMenuTest : public FrameTest {
protected:
    void trigger(const QString &name) { activeWindow()->item(name)->trigger(); }
    bool checked(const QString &name) { return activeWindow()->item(name)->isChecked(); }
    // The enabled items after the "Tabla" menu opens, in kStateItems' order.
    QStringList enabledOnOpening()
    {
        auto *menu = activeWindow()->findChild<QMenu *>(u"tablaitem"_qs);
        emit menu->aboutToShow();
        QStringList enabled;
        for (const char *name : kStateItems) {
            if (activeWindow()->item(QString::fromLatin1(name))->isEnabled())
                enabled << QString::fromLatin1(name);
        }
        return enabled;
    }
    // "Insertar" > "Tabla" answered by `act` on the dialog.
    void insertTable(std::function<void(commands::frmTableDlg *)> act)
    {
        QTimer::singleShot(0, [act] {
            auto *dialog = qobject_cast<commands::frmTableDlg *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(dialog);
        });
        trigger(u"tabla2item"_qs);
    }
};

TEST_F(TableMenuTest, StatesOutsideAndInsideATableInTheTextAndInAHeader)
{
    const QStringList outside{u"tabla2item"_qs};
    const QStringList inside{kStateItems, kStateItems + std::size(kStateItems)};
    EXPECT_EQ(enabledOnOpening(), outside);
    insertTable([](commands::frmTableDlg *d) { d->btnOK->click(); });
    EXPECT_EQ(enabledOnOpening(), inside);
    EXPECT_EQ(editor().tabla_id(), 11);

    trigger(u"cabeceraitem"_qs);
    ASSERT_EQ(control().activeHeaderFooter(), textctl::PageHeader);
    EXPECT_EQ(enabledOnOpening(), outside) << "the header's caret is in no table";
    insertTable([](commands::frmTableDlg *d) {
        d->Check1->setChecked(true);
        d->cboRows->setEditText(u"3"_qs);
        d->btnOK->click();
    });
    EXPECT_EQ(enabledOnOpening(), inside);
    EXPECT_EQ(editor().tabla_id(), 12);
    EXPECT_TRUE(checked(u"visibleitem"_qs));
    QTextDocument *header = control().document().area(textctl::PageHeader);
    const QList<QTextTable *> tables = textctl::tablesOf(header);
    ASSERT_EQ(tables.size(), 1);
    EXPECT_EQ(tables.constFirst()->rows(), 3);
    EXPECT_TRUE(textctl::tablesOf(control().document().main()).size() == 1) << "the text keeps its own table";
}

TEST_F(TableMenuTest, CancelInsertsNothingAndLeavesTheCounter)
{
    insertTable([](commands::frmTableDlg *d) { d->btnCancel->click(); });
    EXPECT_EQ(editor().tabla_id(), 10);
    EXPECT_TRUE(textctl::tablesOf(control().document().main()).isEmpty());
    insertTable([](commands::frmTableDlg *d) {
        d->cboColumns->setEditText(u"0"_qs);
        d->btnOK->click();  // disabled: the dialog stays
        d->btnCancel->click();
    });
    EXPECT_TRUE(textctl::tablesOf(control().document().main()).isEmpty());
}

TEST_F(TableMenuTest, VisibleSwitchesTheLinesAndItsMarkAndDeletingTakesTheTable)
{
    insertTable([](commands::frmTableDlg *d) { d->btnOK->click(); });
    EXPECT_FALSE(checked(u"visibleitem"_qs));
    trigger(u"visibleitem"_qs);
    EXPECT_TRUE(checked(u"visibleitem"_qs));
    EXPECT_EQ(control().TableCellAttribute(11, 0, 0, 2), 3);
    trigger(u"visibleitem"_qs);
    EXPECT_FALSE(checked(u"visibleitem"_qs));
    EXPECT_EQ(control().TableCellAttribute(11, 2, 2, 2), 0);
    trigger(u"coldchaitem"_qs);
    trigger(u"filabajoitem"_qs);
    EXPECT_EQ(control().TableRows(11), 3);
    EXPECT_EQ(control().TableColumns(11), 3);
    trigger(u"brrtabla"_qs);
    EXPECT_TRUE(textctl::tablesOf(control().document().main()).isEmpty());
    EXPECT_TRUE(editor().estados(1).modificado);
}
