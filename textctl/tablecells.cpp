#include "textctl/tablecells.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"
#include "textctl/model/tableborders.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace textctl {

namespace {

void collectTables(QTextFrame *frame, QList<QTextTable *> *out)
{
    for (QTextFrame *child : frame->childFrames()) {
        if (auto *table = qobject_cast<QTextTable *>(child))
            out->append(table);
        collectTables(child, out);
    }
}

// Twips a new table leaves between a cell's edge and its text (\trgaph).
constexpr int kNewTableGapTwips = 108;

}  // namespace

QList<QTextTable *> tablesOf(const QTextDocument *doc)
{
    QList<QTextTable *> tables;
    if (doc)
        collectTables(doc->rootFrame(), &tables);
    return tables;
}

QTextTable *tableAt(const QTextDocument *doc, int position)
{
    if (!doc)
        return nullptr;
    QTextCursor cursor(const_cast<QTextDocument *>(doc));
    cursor.setPosition(qBound(0, position, doc->characterCount() - 1));
    return cursor.currentTable();
}

int freeTableId(int id, const QSet<int> &used)
{
    if (id < 1 || id > kLastTableId)
        id = kFirstTableId;
    for (int tried = 0; tried < kLastTableId; ++tried) {
        if (!used.contains(id))
            return id;
        id = id == kLastTableId ? kFirstTableId : id + 1;
    }
    return 0;
}

int gridLines(const QTextTableCell &cell)
{
    const QTextTableCellFormat f = cell.format().toTableCellFormat();
    for (CellSide side : kCellSides) {
        if (f.doubleProperty(cellBorderWidthProperty(side)) <= 0
            || cellBorderStyle(f, side) == QTextFrameFormat::BorderStyle_None)
            return 0;
    }
    return kGridLinesOn;
}

QTextTableCellFormat withGridLines(QTextTableCellFormat format, bool on)
{
    const qreal width = on ? twipsToPixels(kGridLineTwips) : 0;
    const auto style = on ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None;
    for (CellSide side : kCellSides)
        setCellBorder(format, side, width, style);
    format.setBorderBrush(on ? QBrush(Qt::black) : QBrush());
    format.clearProperty(prop::CellBordersRtf);
    return format;
}

QTextTableFormat newTableFormat(int columns, int widthTwips, int id)
{
    QTextTableFormat format;
    format.setBorder(0);
    format.setCellSpacing(0);
    format.setCellPadding(twipsToPixels(kNewTableGapTwips));
    format.setBorderCollapse(true);
    format.setMargin(0);
    QList<QTextLength> widths;
    const int each = qMax(1, widthTwips / qMax(1, columns));
    for (int c = 0; c < columns; ++c)
        widths.append(QTextLength(QTextLength::FixedLength, twipsToPixels(each)));
    format.setColumnWidthConstraints(widths);
    format.setProperty(prop::TableNestingLevel, 1);
    format.setProperty(prop::TableId, id);
    return format;
}

void insertRowsLike(QTextTable *table, int at, int count, int like)
{
    if (at >= table->rows())
        table->appendRows(count);
    else
        table->insertRows(at, count);
    if (like >= at)
        like += count;
    for (int r = at; r < at + count; ++r) {
        for (int c = 0; c < table->columns(); ++c) {
            QTextTableCell cell = table->cellAt(r, c);
            const QTextTableCell model = table->cellAt(like, c);
            if (cell.row() == r && cell.column() == c && model.isValid())
                cell.setFormat(model.format());
        }
    }
}

void insertColumnLike(QTextTable *table, int at, int like)
{
    const QList<QTextLength> before = table->format().columnWidthConstraints();
    table->insertColumns(at, 1);
    if (like >= at)
        ++like;
    QTextTableFormat format = table->format();
    QList<QTextLength> widths = format.columnWidthConstraints();
    const int likeBefore = like > at ? like - 1 : like;
    if (at < widths.size() && likeBefore < before.size()) {
        widths[at] = before.at(likeBefore);
        format.setColumnWidthConstraints(widths);
        table->setFormat(format);
    }
    for (int r = 0; r < table->rows(); ++r) {
        QTextTableCell cell = table->cellAt(r, at);
        const QTextTableCell model = table->cellAt(r, like);
        if (cell.row() == r && cell.column() == at && model.isValid())
            cell.setFormat(model.format());
    }
}

int selectionStopInTable(const QTextDocument *doc, int anchor, int stop)
{
    QTextTable *table = tableAt(doc, anchor);
    if (!table || stop <= anchor || !table->cellAt(anchor).isValid())
        return stop;
    const QTextTableCell last = table->cellAt(stop - 1);
    return last.isValid() && last.lastPosition() == stop - 1 ? stop - 1 : stop;
}

QTextTableCellFormat newCellFormat()
{
    QTextTableCellFormat format;
    format.setLeftPadding(twipsToPixels(kNewTableGapTwips));
    format.setRightPadding(twipsToPixels(kNewTableGapTwips));
    format.setTopPadding(0);
    format.setBottomPadding(0);
    return format;
}

bool moveToNextCell(QTextCursor &cursor)
{
    QTextTable *table = cursor.currentTable();
    if (!table)
        return false;
    const QTextTableCell cell = table->cellAt(cursor);
    int row = cell.row();
    int column = cell.column() + cell.columnSpan();
    if (column >= table->columns()) {
        column = 0;
        row += cell.rowSpan();
    }
    if (row >= table->rows()) {
        cursor.beginEditBlock();
        insertRowsLike(table, table->rows(), 1, table->rows() - 1);
        cursor.endEditBlock();
        row = table->rows() - 1;
        column = 0;
    }
    cursor.setPosition(table->cellAt(row, column).firstPosition());
    return true;
}

}  // namespace textctl
