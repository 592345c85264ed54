#pragma once

// Draws the borders of table cells, which Qt is told not to draw
// (model/tableborders.h). Lines are collapsed as Qt collapses them: the
// line two cells share is drawn once, centred on their edge, the wider of
// the two (the upper or left cell's on a tie), in its own style and colour.
//
// The painter and `clip` are in layout pixels, as Qt's document layout
// draws; only the rows of each table that reach into `clip` are drawn,
// looked up by halves, so a page of a long table costs its own rows.

class QPainter;
class QRectF;
class QTextDocument;

namespace textctl {

void drawCellBorders(QPainter &painter, const QTextDocument &doc, const QRectF &clip);

}  // namespace textctl
