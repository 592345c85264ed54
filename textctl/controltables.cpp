// The control's tables: identifiers, cells by row and column, the printed
// grid lines, and the row and column edits at the input position.
#include "textctl/txtextcontrol.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/tableborders.h"
#include "textctl/tablecells.h"

#include <QTextDocument>
#include <QTextTable>

namespace {

// Word processors take no more columns than this in a row.
constexpr int kMaxColumns = 63;
constexpr int kMaxRows = 32767;

// The cell (1-based row and column), or an invalid cell.
QTextTableCell cellOf(const QTextTable *table, int row, int column)
{
    if (!table || row < 1 || column < 1 || row > table->rows() || column > table->columns())
        return {};
    return table->cellAt(row - 1, column - 1);
}

// The selection's first and last rows in `table` (0-based), or the row of
// the input position.
std::pair<int, int> selectedRows(const QTextCursor &cursor, QTextTable *table)
{
    if (cursor.hasComplexSelection()) {
        int firstRow = 0, rows = 0, firstColumn = 0, columns = 0;
        cursor.selectedTableCells(&firstRow, &rows, &firstColumn, &columns);
        return {firstRow, firstRow + rows - 1};
    }
    const QTextTableCell start = table->cellAt(cursor.selectionStart());
    const QTextTableCell end = table->cellAt(cursor.selectionEnd());
    if (start.isValid() && end.isValid())
        return {start.row(), end.row() + end.rowSpan() - 1};
    const QTextTableCell here = table->cellAt(cursor);
    return {here.row(), here.row() + here.rowSpan() - 1};
}

}  // namespace

QTextTable *TXTextControl::currentTable() const
{
    const QTextCursor cursor = this->cursor();
    return cursor.isNull() ? nullptr : cursor.currentTable();
}

int TXTextControl::fileTableId(const QTextTable *table) const
{
    for (const auto &[known, id] : m_fileTableIds) {
        if (known == table)
            return id;
    }
    return 0;
}

int TXTextControl::tableId(QTextTable *table)
{
    if (!table)
        return 0;
    const QTextTableFormat format = table->format();
    if (format.hasProperty(textctl::prop::TableId))
        return format.intProperty(textctl::prop::TableId);
    if (const int known = fileTableId(table))
        return known;
    // Every table without one gets its identifier now, in document order,
    // the lowest one free from 1.
    m_fileTableIds.removeIf([](const auto &entry) { return entry.first.isNull(); });
    QSet<int> used;
    QList<QTextTable *> unnamed;
    for (QTextDocument *text : m_doc.texts()) {
        for (QTextTable *t : textctl::tablesOf(text)) {
            if (t->format().hasProperty(textctl::prop::TableId))
                used.insert(t->format().intProperty(textctl::prop::TableId));
            else if (const int id = fileTableId(t))
                used.insert(id);
            else
                unnamed.append(t);
        }
    }
    int next = 1;
    for (QTextTable *t : unnamed) {
        while (used.contains(next))
            ++next;
        used.insert(next);
        m_fileTableIds.append({QPointer<QObject>(t), next});
    }
    return fileTableId(table);
}

QSet<int> TXTextControl::usedTableIds()
{
    QSet<int> used;
    for (QTextDocument *text : m_doc.texts()) {
        for (QTextTable *table : textctl::tablesOf(text))
            used.insert(tableId(table));
    }
    return used;
}

QTextTable *TXTextControl::tableById(int id)
{
    if (id <= 0)
        return nullptr;
    for (QTextTable *table : textctl::tablesOf(targetDocument())) {
        if (tableId(table) == id)
            return table;
    }
    return nullptr;
}

int TXTextControl::TableInsert(int rows, int columns, int position, int id)
{
    QTextCursor &cursor = targetCursor();
    if (cursor.isNull() || rows < 1 || rows > kMaxRows || columns < 1 || columns > kMaxColumns)
        return 0;
    const int given = textctl::freeTableId(id, usedTableIds());
    if (given == 0)
        return 0;
    if (position >= 0)
        cursor.setPosition(qBound(0, position, cursor.document()->characterCount() - 1));
    // Inside a cell the table takes the cell's width, elsewhere the text's.
    int width = m_doc.page.width - m_doc.page.marginLeft - m_doc.page.marginRight;
    if (QTextTable *outer = cursor.currentTable()) {
        const QList<QTextLength> constraints = outer->format().columnWidthConstraints();
        const int column = outer->cellAt(cursor).column();
        if (column < constraints.size() && constraints.at(column).type() == QTextLength::FixedLength)
            width = textctl::pixelsToTwips(constraints.at(column).rawValue());
    }
    QTextTableFormat format = textctl::newTableFormat(columns, width, given);
    if (QTextTable *outer = cursor.currentTable())
        format.setProperty(textctl::prop::TableNestingLevel,
                           outer->format().intProperty(textctl::prop::TableNestingLevel) + 1);
    // The cells' text takes the character format of the input position.
    QTextCharFormat cellFormat = cursor.charFormat();
    cellFormat.merge(textctl::newCellFormat());
    cursor.beginEditBlock();
    QTextTable *table = cursor.insertTable(rows, columns, format);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c)
            table->cellAt(r, c).setFormat(cellFormat);
    }
    cursor.endEditBlock();
    emit selectionChanged();
    return given;
}

int TXTextControl::TableCellAttribute(int id, int row, int column, int attribute)
{
    QTextTable *table = tableById(id);
    if (!table || attribute != textctl::kGridLinesAttribute)
        return 0;
    if (row == 0 && column == 0) {
        for (int r = 0; r < table->rows(); ++r) {
            for (int c = 0; c < table->columns(); ++c) {
                if (textctl::gridLines(table->cellAt(r, c)) != textctl::kGridLinesOn)
                    return 0;
            }
        }
        return textctl::kGridLinesOn;
    }
    const QTextTableCell cell = cellOf(table, row, column);
    return cell.isValid() ? textctl::gridLines(cell) : 0;
}

void TXTextControl::setTableCellAttribute(int id, int row, int column, int attribute, int value)
{
    QTextTable *table = tableById(id);
    if (!table || attribute != textctl::kGridLinesAttribute || (value != 0 && value != textctl::kGridLinesOn))
        return;
    QList<QTextTableCell> cells;
    if (row == 0 && column == 0) {
        for (int r = 0; r < table->rows(); ++r) {
            for (int c = 0; c < table->columns(); ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.row() == r && cell.column() == c)
                    cells.append(cell);
            }
        }
    } else if (const QTextTableCell cell = cellOf(table, row, column); cell.isValid()) {
        cells.append(cell);
    }
    QTextCursor cursor(table->document());
    cursor.beginEditBlock();
    for (QTextTableCell &cell : cells)
        cell.setFormat(textctl::withGridLines(cell.format().toTableCellFormat(), value != 0));
    if (value != 0)
        textctl::collapseBordersOf(table);
    cursor.endEditBlock();
}

int TXTextControl::TableAtInputPos()
{
    return tableId(currentTable());
}

int TXTextControl::TableRowAtInputPos() const
{
    QTextTable *table = currentTable();
    return table ? table->cellAt(cursor()).row() + 1 : 0;
}

int TXTextControl::TableColAtInputPos() const
{
    QTextTable *table = currentTable();
    return table ? table->cellAt(cursor()).column() + 1 : 0;
}

int TXTextControl::TableRows(int id)
{
    QTextTable *table = tableById(id);
    return table ? table->rows() : 0;
}

int TXTextControl::TableColumns(int id)
{
    QTextTable *table = tableById(id);
    return table ? table->columns() : 0;
}

int TXTextControl::TableCellStart(int id, int row, int column)
{
    const QTextTableCell cell = cellOf(tableById(id), row, column);
    return cell.isValid() ? cell.firstPosition() + 1 : 0;
}

int TXTextControl::TableCellLength(int id, int row, int column)
{
    const QTextTableCell cell = cellOf(tableById(id), row, column);
    return cell.isValid() ? cell.lastPosition() - cell.firstPosition() : 0;
}

bool TXTextControl::TableCanInsert() const
{
    const QTextCursor cursor = this->cursor();
    return !cursor.isNull() && !cursor.hasComplexSelection();
}

bool TXTextControl::TableCanInsertColumn() const
{
    QTextTable *table = currentTable();
    return table && table->columns() < kMaxColumns;
}

bool TXTextControl::TableCanInsertRows() const
{
    QTextTable *table = currentTable();
    return table && table->rows() < kMaxRows;
}

bool TXTextControl::TableCanDeleteRows() const
{
    return currentTable() != nullptr;
}

bool TXTextControl::TableCanDeleteColumn() const
{
    return currentTable() != nullptr;
}

void TXTextControl::TableInsertColumn(int position)
{
    QTextTable *table = currentTable();
    if (!table || (position != 1 && position != 2) || !TableCanInsertColumn())
        return;
    // The cell's row and column now: a QTextTableCell follows its cell.
    const QTextTableCell cell = table->cellAt(cursor());
    const int row = cell.row();
    const int column = cell.column();
    const int offset = cursor().position() - cell.firstPosition();
    const int at = position == 1 ? column : column + cell.columnSpan();
    QTextCursor edit(table->document());
    edit.beginEditBlock();
    textctl::insertColumnLike(table, at, column);
    edit.endEditBlock();
    keepCaretInCell(table, row, at <= column ? column + 1 : column, offset);
}

void TXTextControl::TableInsertRows(int position, int count)
{
    QTextTable *table = currentTable();
    if (!table || (position != 1 && position != 2) || count < 1 || table->rows() + qint64(count) > kMaxRows)
        return;
    const QTextTableCell cell = table->cellAt(cursor());
    const int row = cell.row();
    const int column = cell.column();
    const int offset = cursor().position() - cell.firstPosition();
    const int at = position == 1 ? row : row + cell.rowSpan();
    QTextCursor edit(table->document());
    edit.beginEditBlock();
    textctl::insertRowsLike(table, at, count, row);
    edit.endEditBlock();
    keepCaretInCell(table, at <= row ? row + count : row, column, offset);
}

// Cells inserted where the caret stood in an empty cell would take it along:
// it goes back to its own cell.
void TXTextControl::keepCaretInCell(QTextTable *table, int row, int column, int offset)
{
    const QTextTableCell cell = table->cellAt(row, column);
    if (!cell.isValid())
        return;
    targetCursor().setPosition(qMin(cell.firstPosition() + offset, cell.lastPosition()));
    emit selectionChanged();
}

void TXTextControl::TableDeleteRows()
{
    QTextTable *table = currentTable();
    if (!table)
        return;
    const auto [first, last] = selectedRows(cursor(), table);
    QTextCursor edit(table->document());
    edit.beginEditBlock();
    table->removeRows(first, last - first + 1);
    edit.endEditBlock();
    emit selectionChanged();
}

void TXTextControl::TableDeleteColumn()
{
    QTextTable *table = currentTable();
    if (!table)
        return;
    const int column = table->cellAt(cursor()).column();
    QTextCursor edit(table->document());
    edit.beginEditBlock();
    // The last column takes its table with it.
    if (table->columns() == 1)
        table->removeRows(0, table->rows());
    else
        table->removeColumns(column, 1);
    edit.endEditBlock();
    emit selectionChanged();
}

void TXTextControl::beginJoinedEdit()
{
    QTextCursor &cursor = targetCursor();
    if (!cursor.isNull())
        cursor.joinPreviousEditBlock();
}

void TXTextControl::endJoinedEdit()
{
    QTextCursor &cursor = targetCursor();
    if (!cursor.isNull())
        cursor.endEditBlock();
}
