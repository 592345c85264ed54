#pragma once

// The tables of one text as the control numbers them: identifiers, the
// printed grid lines of a cell, a new table's format, and the walk from
// cell to cell. Widget-free; callers wrap an edit in one undo step.
//
//   QSet<int> used = {11, 12};
//   freeTableId(11, used);      // 13
//   freeTableId(32767, {});     // 32767; freeTableId(32768, {}) is 11

#include <QList>
#include <QSet>
#include <QTextTableFormat>

class QTextCursor;
class QTextDocument;
class QTextTable;
class QTextTableCell;

namespace textctl {

inline constexpr int kFirstTableId = 11;
inline constexpr int kLastTableId = 32767;
// Cell attribute 2, the printed grid lines.
inline constexpr int kGridLinesAttribute = 2;
inline constexpr int kGridLinesOn = 3;
// The width of a printed grid line (half a point).
inline constexpr int kGridLineTwips = 10;

// Every table of `doc`, nested ones included, in document order.
QList<QTextTable *> tablesOf(const QTextDocument *doc);
// The innermost table that holds `position`, or nullptr.
QTextTable *tableAt(const QTextDocument *doc, int position);
// `id` when no table uses it, else the next free one counting on from it;
// past 32767 the count starts again at 11 (so does an `id` outside
// 1-32767). 0 when no identifier is left.
int freeTableId(int id, const QSet<int> &used);

// 3 when the cell draws its lines on all four sides, 0 otherwise.
int gridLines(const QTextTableCell &cell);
// The cell's four sides with thin black lines (on) or none. The border
// words a file gave the cell are dropped: the lines are the cell's now.
QTextTableCellFormat withGridLines(QTextTableCellFormat format, bool on);

// A table of `columns` equal columns across `widthTwips`, without lines,
// with the gaps word processors give a new table.
QTextTableFormat newTableFormat(int columns, int widthTwips, int id);
// A new table's cell: the table's gap at the sides, none above and below.
QTextTableCellFormat newCellFormat();

// `count` rows inserted before row `at` (0-based; the table's row count
// appends them), each cell formatted as the cell of row `like` in its column.
void insertRowsLike(QTextTable *table, int at, int count, int like);
// A column inserted before column `at` (0-based), as wide as column `like`
// and with its cells formatted as that column's.
void insertColumnLike(QTextTable *table, int at, int like);

// Where a selection from `anchor` to `stop` ends: a stop just past the
// last character of a cell, from inside the same table, stays at the end
// of that cell (its end mark cannot be selected). Otherwise `stop`.
int selectionStopInTable(const QTextDocument *doc, int anchor, int stop);

// Moves the cursor to the start of the next cell in reading order; in the
// last cell a row is added first. False outside a table.
bool moveToNextCell(QTextCursor &cursor);

}  // namespace textctl
