#pragma once

// The grid of a table: the union of its rows' cell boundaries becomes the
// columns, a cell wider than one column spans several, and cells merged
// across rows (\clvmgf/\clvmrg) or columns (\clmgf/\clmrg) become one cell
// with a row or column span. Content of a merged-away cell is not lost: it
// is appended to the cell that covers it.

#include "textctl/rtf/rtfreadercontent.h"

#include <vector>

namespace textctl::rtf {

struct GridCell {
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
    const CellDef *def = nullptr;               // nullptr for a filler cell
    std::vector<const CellContent *> contents;  // the first is the cell's own
};

struct TableGrid {
    std::vector<int> boundaries;  // twips, one more than the columns
    int rows = 0;
    std::vector<GridCell> cells;  // in row order, then column order

    int columns() const { return boundaries.empty() ? 0 : static_cast<int>(boundaries.size()) - 1; }
};

TableGrid buildGrid(const Table &table);

}  // namespace textctl::rtf
