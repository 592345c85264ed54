// The document window's "Tabla" menu: its items, their enabled states
// recomputed each time it opens, and the commands behind them, all on the
// area being edited (tables in headers and footers work the same).

#include "frame/mdichild.h"

#include "commands/frmtabledlg.h"
#include "commands/tablas.h"
#include "frame/editor.h"
#include "textctl/dialogs/tableattributesdialog.h"

#include <QAction>
#include <QMenu>

namespace frame {

void MDIchild::createTableMenu(QMenu *formato)
{
    QMenu *tabla = addMenu(formato, QStringLiteral("tablaitem"), QStringLiteral("Tabla"));
    connect(tabla, &QMenu::aboutToShow, this, &MDIchild::tablaitem_Click);
    QMenu *insertar = addMenu(tabla, QStringLiteral("instablaitem"), QStringLiteral("Insertar"));
    addItem(insertar, QStringLiteral("tabla2item"), QStringLiteral("Tabla"), {}, [this] { tabla2item_Click(); });
    addSeparator(insertar, QStringLiteral("separadoritem11"));
    addItem(insertar, QStringLiteral("coldchaitem"), QStringLiteral("Columna a la derecha"), {},
            [this] { editedControl().TableInsertColumn(2); });
    addItem(insertar, QStringLiteral("colizqitem"), QStringLiteral("Columna a la izquierda"), {},
            [this] { editedControl().TableInsertColumn(1); });
    addSeparator(insertar, QStringLiteral("separadoritem12"));
    addItem(insertar, QStringLiteral("filaarribaitem"), QStringLiteral("Fila Arriba"), {},
            [this] { editedControl().TableInsertRows(1, 1); });
    addItem(insertar, QStringLiteral("filabajoitem"), QStringLiteral("Fila Abajo"), {},
            [this] { editedControl().TableInsertRows(2, 1); });
    QMenu *borrar = addMenu(tabla, QStringLiteral("tblborraritem"), QStringLiteral("Borrar"));
    addItem(borrar, QStringLiteral("brrtabla"), QStringLiteral("Tabla"), {}, [this] {
        commands::seleccionar_tabla(editedControl());
        m_control.TableDeleteRows();
    });
    addItem(borrar, QStringLiteral("brrcolumnaitem"), QStringLiteral("Columna"), {},
            [this] { editedControl().TableDeleteColumn(); });
    addItem(borrar, QStringLiteral("brrfilaitem"), QStringLiteral("Fila"), {}, [this] { editedControl().TableDeleteRows(); });
    QMenu *seleccionar = addMenu(tabla, QStringLiteral("tblseleccionaritem"), QStringLiteral("Seleccionar"));
    addItem(seleccionar, QStringLiteral("seltablaitem"), QStringLiteral("Tabla"), {},
            [this] { commands::seleccionar_tabla(editedControl()); });
    addItem(seleccionar, QStringLiteral("selfilaitem"), QStringLiteral("Fila"), {},
            [this] { commands::seleccionar_fila(editedControl()); });
    addItem(seleccionar, QStringLiteral("selceldaitem"), QStringLiteral("Celda"), {},
            [this] { commands::seleccionar_celda(editedControl()); });
    addItem(tabla, QStringLiteral("propiedadesitem"), QStringLiteral("Propiedades"), {},
            [this] { textctl::showTableAttributesDialog(editedControl(), window()); });
    addItem(tabla, QStringLiteral("visibleitem"), QStringLiteral("Visible"), {}, [this] { visibleitem_Click(); })
        ->setCheckable(true);
}

// "Insertar" and "Visible" keep their states.
void MDIchild::tablaitem_Click()
{
    const commands::EstadoMenuTabla estado = commands::estado_menu_tabla(editedControl());
    const std::pair<const char *, bool> states[] = {
        {"tabla2item", estado.tabla},
        {"colizqitem", estado.columna},
        {"coldchaitem", estado.columna},
        {"filaarribaitem", estado.filas},
        {"filabajoitem", estado.filas},
        {"tblborraritem", estado.en_tabla},
        {"brrtabla", estado.borrar_filas},
        {"brrcolumnaitem", estado.borrar_columna},
        {"brrfilaitem", estado.borrar_filas},
        {"tblseleccionaritem", estado.en_tabla},
        {"seltablaitem", estado.en_tabla},
        {"selfilaitem", estado.en_tabla},
        {"selceldaitem", estado.en_tabla},
        {"propiedadesitem", estado.en_tabla},
    };
    for (const auto &[name, enabled] : states)
        item(QString::fromLatin1(name))->setEnabled(enabled);
}

void MDIchild::tabla2item_Click()
{
    m_editor.setTabla_control(&editedControl());
    commands::frmTableDlg dialog(window());
    if (dialog.exec() != QDialog::Accepted)
        return;
    TXTextControl *control = m_editor.tabla_control();
    if (!control)
        return;
    const commands::ValoresTabla valores = dialog.valores();
    m_editor.setTabla_id(commands::insertar_tabla(*control, valores, m_editor.tabla_id()));
    if (MDIchild *active = m_editor.activeWindow())
        active->item(QStringLiteral("visibleitem"))->setChecked(valores.lineas_visibles);
}

void MDIchild::visibleitem_Click()
{
    int tabla_id = m_editor.tabla_id();
    TXTextControl &control = editedControl();
    if (control.TableAtInputPos() == 0)
        return;
    item(QStringLiteral("visibleitem"))->setChecked(commands::alternar_lineas(control, &tabla_id));
    m_editor.setTabla_id(tabla_id);
}

}  // namespace frame
