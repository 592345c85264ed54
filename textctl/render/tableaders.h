#pragma once

// Tab leaders as word processors draw them: the room a tab takes, filled
// with dots, hyphens, middle dots or a line up to the text after it. The
// model keeps each stop's leader (prop::TabLeaders); Qt's drawing knows
// nothing of them.

class QPainter;
class QRectF;
class QTextDocument;

namespace textctl {

// Draws the leaders of the tabs of `doc` on the lines that reach into
// `clip`, in layout coordinates, with `painter` set up as for the layout's
// drawing; `from` as for drawParagraphBorders. Dots, hyphens and middle
// dots are text in the run's font, so that a PDF's text keeps them.
void drawTabLeaders(QPainter &painter, const QTextDocument &doc, const QRectF &clip, int from = 0);

}  // namespace textctl
