#pragma once

// Where the pages of a main text break. The text is laid out as one
// continuous column (no page height): a page is a slice of it that starts
// at the top of a line or of a table row and holds what fits in the body's
// height. A line or row that does not fit moves to the next page, as does
// one that starts with a page break; a line or row taller than a whole
// page is cut, its next page starting further into it.
//
// A page start is a document position (the first of its line or row) and
// an offset into that line or row, so that it stays right while text after
// it is edited: its height is read from the layout when asked for.
//
//   PageStart start;            // page 1: position 0
//   PageStart next;
//   while (nextPageStart(*doc, start, bodyHeight, &next))
//       start = next;           // one page after another

#include <QtGlobal>

class QTextDocument;

namespace textctl {

// How far under the body a page's table rows may be drawn: Qt rounds each
// row to whole layout pixels, and a page holds what fits by the rows' exact
// heights (layout pixels).
inline constexpr double kRoundingAllowance = 6.0;

struct PageStart {
    int position = 0;
    double offset = 0;  // layout pixels into the line or row at `position`

    friend bool operator==(const PageStart &, const PageStart &) = default;
};

// The layout y where a page starting at `start` begins.
double pageStartY(const QTextDocument &doc, const PageStart &start);

// The start of the page after the one starting at `start`, for a body
// `bodyHeight` layout pixels tall; false when that page runs to the end of the text.
// `units`, when given, grows by the lines and rows looked at.
bool nextPageStart(const QTextDocument &doc, const PageStart &start, double bodyHeight, PageStart *next,
                   qint64 *units = nullptr);

}  // namespace textctl
