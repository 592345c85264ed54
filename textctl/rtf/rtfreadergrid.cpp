#include "textctl/rtf/rtfreadergrid.h"

#include <algorithm>

namespace textctl::rtf {

namespace {

// Boundaries closer than this are one: writers round differently per row.
constexpr int kSnapTwips = 10;
// More columns than any real table has; a hostile file gets coarser ones.
constexpr size_t kMaxColumns = 64;
// Width given to cells a row has text for but no \cellx.
constexpr int kDefaultCellTwips = 1440;
constexpr int kMinCellTwips = 20;

bool hasText(const CellContent &content)
{
    return std::any_of(content.blocks.begin(), content.blocks.end(),
                       [](const Block &b) { return b.table || !b.paragraph.isEmpty(); });
}

struct RowCell {
    int left = 0;
    int right = 0;
    const CellDef *def = nullptr;
    std::vector<const CellContent *> contents;
};

// The cells of one row with their edges, horizontal merges applied.
std::vector<RowCell> rowCells(const Row &row)
{
    static const CellContent kEmpty;
    const RowDef &def = row.def;
    const size_t count = std::max(def.cells.size(), row.cells.size());
    std::vector<RowCell> cells;
    cells.reserve(count);
    int edge = def.left;
    for (size_t i = 0; i < count; ++i) {
        RowCell cell;
        cell.left = edge;
        if (i < def.cells.size()) {
            cell.def = &def.cells[i];
            // A merged-away cell may end where the cell it joins ends.
            const int least = def.cells[i].horizontalMerged && !cells.empty() ? edge : edge + kMinCellTwips;
            cell.right = std::max(def.cells[i].right, least);
        } else {
            cell.right = edge + kDefaultCellTwips;
        }
        cell.contents.push_back(i < row.cells.size() ? &row.cells[i] : &kEmpty);
        edge = cell.right;
        if (cell.def && cell.def->horizontalMerged && !cells.empty()) {
            cells.back().right = cell.right;
            if (hasText(*cell.contents.front()))
                cells.back().contents.push_back(cell.contents.front());
            continue;
        }
        cells.push_back(std::move(cell));
    }
    return cells;
}

std::vector<int> snap(const std::vector<int> &sorted, int tolerance)
{
    std::vector<int> snapped;
    for (int e : sorted) {
        if (snapped.empty() || e - snapped.back() > tolerance)
            snapped.push_back(e);
    }
    return snapped;
}

std::vector<int> snappedBoundaries(const std::vector<std::vector<RowCell>> &rows, int &tolerance)
{
    std::vector<int> edges;
    for (const auto &row : rows) {
        for (const RowCell &cell : row) {
            edges.push_back(cell.left);
            edges.push_back(cell.right);
        }
    }
    std::sort(edges.begin(), edges.end());
    tolerance = kSnapTwips;
    std::vector<int> snapped = snap(edges, tolerance);
    while (snapped.size() > kMaxColumns + 1) {
        tolerance *= 2;
        snapped = snap(edges, tolerance);
    }
    return snapped;
}

int columnOf(const std::vector<int> &boundaries, int edge, int tolerance)
{
    const auto it = std::lower_bound(boundaries.begin(), boundaries.end(), edge - tolerance);
    return static_cast<int>(std::min<ptrdiff_t>(it - boundaries.begin(), boundaries.size() - 1));
}

}  // namespace

namespace {

// Places one cell of row `r` on the grid: its columns, or a row span of
// the cell above when it continues a vertical merge.
void placeCell(TableGrid &grid, std::vector<std::vector<int>> &owner, int r, RowCell &cell, int tolerance)
{
    const int columns = grid.columns();
    int first = std::min(columnOf(grid.boundaries, cell.left, tolerance), columns - 1);
    int last = std::max(first + 1, columnOf(grid.boundaries, cell.right, tolerance));
    while (first < columns && owner[r][first] >= 0)
        ++first;  // overlapping edges: take the next free column
    if (first >= columns) {
        // No room left in this row: keep the text in the row's last cell.
        GridCell &covering = grid.cells[owner[r][columns - 1]];
        covering.contents.insert(covering.contents.end(), cell.contents.begin(), cell.contents.end());
        return;
    }
    last = std::min(std::max(last, first + 1), columns);
    for (int c = first + 1; c < last; ++c) {
        if (owner[r][c] >= 0) {
            last = c;
            break;
        }
    }
    const int above = r > 0 ? owner[r - 1][first] : -1;
    if (cell.def && cell.def->verticalMerged && above >= 0) {
        GridCell &start = grid.cells[above];
        if (start.column == first && start.row + start.rowSpan == r) {
            ++start.rowSpan;
            for (int c = start.column; c < start.column + start.columnSpan; ++c)
                owner[r][c] = above;
            for (const CellContent *c : cell.contents) {
                if (hasText(*c))
                    start.contents.push_back(c);
            }
            return;
        }
    }
    GridCell out;
    out.row = r;
    out.column = first;
    out.columnSpan = last - first;
    out.def = cell.def;
    out.contents = std::move(cell.contents);
    for (int c = first; c < last; ++c)
        owner[r][c] = static_cast<int>(grid.cells.size());
    grid.cells.push_back(std::move(out));
}

}  // namespace

TableGrid buildGrid(const Table &table)
{
    std::vector<std::vector<RowCell>> rows;
    rows.reserve(table.rows.size());
    for (const Row &row : table.rows)
        rows.push_back(rowCells(row));

    TableGrid grid;
    int tolerance = kSnapTwips;
    grid.boundaries = snappedBoundaries(rows, tolerance);
    if (grid.boundaries.size() < 2)
        grid.boundaries = {0, kDefaultCellTwips};
    grid.rows = static_cast<int>(rows.size());
    // owner[r][c]: index in grid.cells of the cell covering that slot.
    std::vector<std::vector<int>> owner(rows.size(), std::vector<int>(grid.columns(), -1));
    for (int r = 0; r < grid.rows; ++r) {
        for (RowCell &cell : rows[r])
            placeCell(grid, owner, r, cell, tolerance);
    }
    // Slots no cell covers stay as empty filler cells.
    std::stable_sort(grid.cells.begin(), grid.cells.end(), [](const GridCell &a, const GridCell &b) {
        return a.row != b.row ? a.row < b.row : a.column < b.column;
    });
    return grid;
}

}  // namespace textctl::rtf
