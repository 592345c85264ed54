// The grid of a table: columns from the union of the rows' boundaries,
// spans, merges, and rows that do not fit.

#include "textctl/rtf/rtfreadergrid.h"

#include <gtest/gtest.h>

using namespace textctl::rtf;

namespace {

Row rowOf(std::initializer_list<int> rights, int cells = -1, int left = 0)
{
    Row row;
    row.def.left = left;
    for (int right : rights) {
        CellDef def;
        def.right = right;
        row.def.cells.push_back(def);
    }
    const int count = cells < 0 ? static_cast<int>(rights.size()) : cells;
    for (int i = 0; i < count; ++i) {
        CellContent content;
        Block block;
        block.paragraph.runs.push_back({QStringLiteral("x"), {}});
        content.blocks.push_back(std::move(block));
        row.cells.push_back(std::move(content));
    }
    return row;
}

const GridCell *cellAt(const TableGrid &grid, int row, int column)
{
    for (const GridCell &cell : grid.cells) {
        if (cell.row == row && cell.column == column)
            return &cell;
    }
    return nullptr;
}

TEST(RtfReaderGrid, UnionOfBoundariesWithSpans)
{
    Table table;
    table.rows.push_back(rowOf({3000, 6000}));
    table.rows.push_back(rowOf({1000, 3000, 6000}));
    const TableGrid grid = buildGrid(table);
    EXPECT_EQ(grid.boundaries, (std::vector<int>{0, 1000, 3000, 6000}));
    ASSERT_TRUE(cellAt(grid, 0, 0));
    EXPECT_EQ(cellAt(grid, 0, 0)->columnSpan, 2);
    EXPECT_EQ(cellAt(grid, 0, 2)->columnSpan, 1);
    EXPECT_EQ(grid.cells.size(), 5u);
}

TEST(RtfReaderGrid, NearlyEqualBoundariesAreOne)
{
    Table table;
    table.rows.push_back(rowOf({2000, 4000}));
    table.rows.push_back(rowOf({2003, 3998}));
    const TableGrid grid = buildGrid(table);
    EXPECT_EQ(grid.columns(), 2);
    EXPECT_EQ(grid.cells.size(), 4u);
}

TEST(RtfReaderGrid, VerticalMergeMakesARowSpan)
{
    Table table;
    table.rows.push_back(rowOf({2000, 4000}));
    table.rows.push_back(rowOf({2000, 4000}));
    table.rows.push_back(rowOf({2000, 4000}));
    table.rows[0].def.cells[0].verticalStart = true;
    table.rows[1].def.cells[0].verticalMerged = true;
    table.rows[2].def.cells[0].verticalMerged = true;
    const TableGrid grid = buildGrid(table);
    ASSERT_TRUE(cellAt(grid, 0, 0));
    EXPECT_EQ(cellAt(grid, 0, 0)->rowSpan, 3);
    EXPECT_FALSE(cellAt(grid, 1, 0));
    // The merged-away cells had text: it is kept in the covering cell.
    EXPECT_EQ(cellAt(grid, 0, 0)->contents.size(), 3u);
}

TEST(RtfReaderGrid, MergedAwayCellsAtTheSameBoundaryKeepIt)
{
    // Word writes \clmgf\cellx1728\clmrg\cellx1728\clmrg\cellx1728.
    Table table;
    Row row = rowOf({1728, 1728, 1728, 3456});
    row.def.cells[0].horizontalStart = true;
    row.def.cells[1].horizontalMerged = true;
    row.def.cells[2].horizontalMerged = true;
    table.rows.push_back(std::move(row));
    table.rows.push_back(rowOf({1728, 3456}));
    const TableGrid grid = buildGrid(table);
    EXPECT_EQ(grid.boundaries, (std::vector<int>{0, 1728, 3456}));
    ASSERT_TRUE(cellAt(grid, 0, 0));
    EXPECT_EQ(cellAt(grid, 0, 0)->columnSpan, 1);
    EXPECT_EQ(cellAt(grid, 0, 0)->contents.size(), 3u);  // the merged-away texts follow
}

TEST(RtfReaderGrid, MoreCellsThanDefinitions)
{
    Table table;
    table.rows.push_back(rowOf({2000}, 3));
    const TableGrid grid = buildGrid(table);
    EXPECT_EQ(grid.columns(), 3);
    EXPECT_EQ(grid.cells.size(), 3u);
    EXPECT_EQ(cellAt(grid, 0, 2)->def, nullptr);
}

TEST(RtfReaderGrid, BackwardsBoundariesStillGiveCells)
{
    Table table;
    table.rows.push_back(rowOf({5000, 3000, 1000}));
    const TableGrid grid = buildGrid(table);
    EXPECT_EQ(grid.cells.size(), 3u);
    for (const GridCell &cell : grid.cells)
        EXPECT_GE(cell.columnSpan, 1);
}

TEST(RtfReaderGrid, ColumnsAreCapped)
{
    Table table;
    for (int i = 0; i < 500; ++i)
        table.rows.push_back(rowOf({100 + i * 37}));
    const TableGrid grid = buildGrid(table);
    EXPECT_LE(grid.columns(), 64);
    EXPECT_EQ(grid.rows, 500);
}

}  // namespace
