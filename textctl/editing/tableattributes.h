#pragma once

// The table attributes dialog's values for the cells a selection covers (or
// the cell of the caret): the four borders, the shading, the vertical
// alignment, the height of their rows, and the widths of their table's
// columns. A value the cells do not share reads as absent, and an absent
// value is left as each cell has it when the attributes are applied.
// Lengths are twips.
//
//   TableAttributes a = tableAttributesOf(cursor, textWidth);
//   a.borders[BorderTop] = CellBorder{20, Qt::red};    // one point, red
//   a.columnWidths = {2835, 5670};
//   applyTableAttributes(cursor, a);                   // one undo step

#include "textctl/model/paragraphformat.h"

#include <QColor>
#include <QList>

#include <array>
#include <optional>

class QTextCursor;

namespace textctl {

struct CellBorder {
    int width = 0;  // twips; 0: no line
    QColor color = Qt::black;

    friend bool operator==(const CellBorder &, const CellBorder &) = default;
};

struct TableAttributes {
    std::array<std::optional<CellBorder>, 4> borders;  // by BorderSide
    std::optional<QColor> shading;                     // invalid: none
    std::optional<int> verticalAlign;                  // 0 top, 1 centre, 2 bottom
    std::optional<int> rowHeight;                      // 0: as tall as the text; else at least this
    QList<int> columnWidths;                           // empty: left as they are

    friend bool operator==(const TableAttributes &, const TableAttributes &) = default;
};

// Nothing (all absent, no widths) outside a table. `textWidthTwips` sizes
// columns the table gives no fixed width.
TableAttributes tableAttributesOf(const QTextCursor &cursor, int textWidthTwips);
// False, and nothing changes, outside a table.
bool applyTableAttributes(const QTextCursor &cursor, const TableAttributes &attributes);

}  // namespace textctl
