#pragma once

// The "Tabla" menu's routines over a document's control: which items are
// enabled where the input position stands, the three selections, and the
// switch of a table's printed grid lines.
//
//   EstadoMenuTabla estado = estado_menu_tabla(control);
//   seleccionar_fila(control);          // the row of the input position
//   bool marca = alternar_lineas(control, &tabla_id);

class TXTextControl;

namespace commands {

struct EstadoMenuTabla {
    bool tabla = false;          // tabla2item
    bool columna = false;        // colizqitem, coldchaitem
    bool filas = false;          // filaarribaitem, filabajoitem
    bool en_tabla = false;       // tblborraritem, the "Seleccionar" items, propiedadesitem
    bool borrar_filas = false;   // brrtabla, brrfilaitem
    bool borrar_columna = false; // brrcolumnaitem

    friend bool operator==(const EstadoMenuTabla &, const EstadoMenuTabla &) = default;
};

EstadoMenuTabla estado_menu_tabla(TXTextControl &control);

// A selection as the routines below give it to the control.
struct Seleccion {
    int inicio = 0;
    int longitud = 0;

    friend bool operator==(const Seleccion &, const Seleccion &) = default;
};

// Each selects from the first character of its first cell to one character
// after the text of its last cell: the table, the row, or the cell of the
// input position; the control keeps the end in the last cell. Answers what
// it gave the control; nothing happens outside a table ({0, 0}).
Seleccion seleccionar_tabla(TXTextControl &control);
Seleccion seleccionar_fila(TXTextControl &control);
Seleccion seleccionar_celda(TXTextControl &control);

// The table of the input position gets grid lines on every cell unless
// every cell has them, and then loses them all; one undo step. `tabla_id`
// takes the table's identifier. Answers whether the lines are now on; false
// outside a table, where nothing changes.
bool alternar_lineas(TXTextControl &control, int *tabla_id);

}  // namespace commands
