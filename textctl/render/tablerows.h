#pragma once

// Where a table's rows and cells are in Qt's layout, as the pagination and
// the drawing of borders both ask it (layout pixels).

#include <QTextFormat>

class QAbstractTextDocumentLayout;
class QTextTable;
class QTextTableCellFormat;

namespace textctl {

// The first row whose first cell's text starts below `y`, found by halves:
// a long table is not walked row by row. rows() when there is none.
int firstRowBelow(const QTextTable &table, const QAbstractTextDocumentLayout &layout, double y);

// The foot of a table: where Qt puts the paragraph that follows it in its
// flow, less the table's bottom margin. NaN when an empty paragraph (Qt
// hides it in the last row), another table or nothing follows.
double paragraphUnder(const QTextTable &table, const QAbstractTextDocumentLayout &layout);

// A cell's padding on one side (`property`, a TableCell*Padding), the
// table's when the cell gives none.
double cellPadding(const QTextTableCellFormat &format, const QTextTableFormat &table, QTextFormat::Property property);

}  // namespace textctl
