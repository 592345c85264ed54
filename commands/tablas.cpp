#include "commands/tablas.h"

#include "textctl/tablecells.h"
#include "textctl/txtextcontrol.h"

namespace commands {

namespace {

// Cell starts count from 1, the selection from 0.
Seleccion seleccionar(TXTextControl &control, int tabla, int fila1, int col1, int fila2, int col2)
{
    const int inicio = control.TableCellStart(tabla, fila1, col1) - 1;
    const int fin = control.TableCellStart(tabla, fila2, col2) + control.TableCellLength(tabla, fila2, col2);
    control.setSelStart(inicio);
    control.setSelLength(fin - inicio);
    return {inicio, fin - inicio};
}

}  // namespace

EstadoMenuTabla estado_menu_tabla(TXTextControl &control)
{
    EstadoMenuTabla estado;
    estado.tabla = control.TableCanInsert();
    estado.columna = control.TableCanInsertColumn();
    estado.filas = control.TableCanInsertRows();
    estado.en_tabla = control.TableAtInputPos() != 0;
    estado.borrar_filas = control.TableCanDeleteRows();
    estado.borrar_columna = control.TableCanDeleteColumn();
    return estado;
}

Seleccion seleccionar_tabla(TXTextControl &control)
{
    const int t = control.TableAtInputPos();
    return t == 0 ? Seleccion{} : seleccionar(control, t, 1, 1, control.TableRows(t), control.TableColumns(t));
}

Seleccion seleccionar_fila(TXTextControl &control)
{
    const int t = control.TableAtInputPos();
    const int r = control.TableRowAtInputPos();
    return t == 0 ? Seleccion{} : seleccionar(control, t, r, 1, r, control.TableColumns(t));
}

Seleccion seleccionar_celda(TXTextControl &control)
{
    const int t = control.TableAtInputPos();
    const int r = control.TableRowAtInputPos();
    const int c = control.TableColAtInputPos();
    return t == 0 ? Seleccion{} : seleccionar(control, t, r, c, r, c);
}

bool alternar_lineas(TXTextControl &control, int *tabla_id)
{
    const int t = control.TableAtInputPos();
    if (t == 0)
        return false;
    *tabla_id = t;
    const bool poner = control.TableCellAttribute(t, 0, 0, textctl::kGridLinesAttribute) != textctl::kGridLinesOn;
    control.setTableCellAttribute(t, 0, 0, textctl::kGridLinesAttribute, poner ? textctl::kGridLinesOn : 0);
    return poner;
}

}  // namespace commands
