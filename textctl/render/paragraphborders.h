#pragma once

// Paragraph borders as word processors draw them: each side outside the
// paragraph's text by its space, the top and bottom lines reaching over
// the left and right ones. The layout keeps room for them (layoutformats.h);
// Qt's own drawing knows nothing of them.

class QPainter;
class QRectF;
class QTextDocument;

namespace textctl {

// Draws the borders of the paragraphs of `doc` that reach into `clip`, in
// layout coordinates, with `painter` set up as for the layout's drawing.
// The paragraphs looked at start one before the paragraph at `from` (before
// the table holding it, when in one): a page of a long text passes its
// first position, so that only its own paragraphs are looked at.
void drawParagraphBorders(QPainter &painter, const QTextDocument &doc, const QRectF &clip, int from = 0);

}  // namespace textctl
