#pragma once

// Which tables collapse their cell borders. Tables whose cells have no
// border are built without collapsing: Qt works out collapsed borders edge
// by edge for every cell it lays out or draws, which costs a table of
// thousands of rows seconds and changes nothing where no cell has one.

#include <QTextTableCellFormat>

class QTextTable;

namespace textctl {

// Whether Qt gives a cell of this format a border on some side, drawn or
// not: a side with a border style has one, 3 pixels wide when no width is
// given.
bool hasCellBorder(const QTextTableCellFormat &format);
// Turns on collapsed borders (each line drawn once, centred on the edge
// two cells share) in a table whose cells are being given borders.
void collapseBordersOf(QTextTable *table);

}  // namespace textctl
