#include "textctl/editing/tableattributes.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"
#include "textctl/model/tableborders.h"

#include <QRegularExpression>
#include <QTextCursor>
#include <QTextTable>

#include <cmath>

namespace textctl {

namespace {

// Borders wider than this (six points) no word processor draws.
constexpr int kMaxBorderTwips = 120;

// The cells the selection covers, each once, or the caret's cell.
QList<QTextTableCell> selectedCells(const QTextCursor &cursor, QTextTable *table)
{
    int firstRow = 0, lastRow = 0, firstColumn = 0, lastColumn = 0;
    if (cursor.hasComplexSelection()) {
        int rows = 0, columns = 0;
        cursor.selectedTableCells(&firstRow, &rows, &firstColumn, &columns);
        lastRow = firstRow + rows - 1;
        lastColumn = firstColumn + columns - 1;
    } else {
        const QTextTableCell cell = table->cellAt(cursor);
        firstRow = lastRow = cell.row();
        firstColumn = lastColumn = cell.column();
    }
    QList<QTextTableCell> cells;
    for (int r = firstRow; r <= lastRow; ++r) {
        for (int c = firstColumn; c <= lastColumn; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.isValid() && !cells.contains(cell))
                cells.append(cell);
        }
    }
    return cells;
}

CellBorder borderOf(const QTextTableCellFormat &format, CellSide side)
{
    const bool none = cellBorderStyle(format, side, QTextFrameFormat::BorderStyle_Solid) == QTextFrameFormat::BorderStyle_None;
    const double width = format.doubleProperty(cellBorderWidthProperty(side));
    if (none || width <= 0)
        return {};
    const QBrush brush = format.brushProperty(cellBorderBrushProperty(side));
    return {pixelsToTwips(width), brush.style() == Qt::NoBrush ? QColor(Qt::black) : brush.color()};
}

int verticalAlignOf(const QTextTableCellFormat &format)
{
    if (format.hasProperty(prop::CellVerticalAlign))
        return format.intProperty(prop::CellVerticalAlign);
    switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignMiddle: return 1;
    case QTextCharFormat::AlignBottom: return 2;
    default: return 0;
    }
}

// The value every cell shares, or nothing.
template <typename T, typename Read>
std::optional<T> shared(const QList<QTextTableCell> &cells, Read read)
{
    std::optional<T> value;
    for (const QTextTableCell &cell : cells) {
        const T own = read(cell.format().toTableCellFormat());
        if (value && *value != own)
            return std::nullopt;
        value = own;
    }
    return value;
}

QList<int> columnWidthsOf(const QTextTable *table, int textWidthTwips)
{
    const QList<QTextLength> constraints = table->format().columnWidthConstraints();
    QList<int> widths(table->columns(), -1);
    int used = 0;
    int open = 0;
    for (int c = 0; c < table->columns(); ++c) {
        const QTextLength length = c < constraints.size() ? constraints.at(c) : QTextLength();
        if (length.type() == QTextLength::FixedLength)
            widths[c] = pixelsToTwips(length.rawValue());
        else if (length.type() == QTextLength::PercentageLength)
            widths[c] = int(std::lround(textWidthTwips * length.rawValue() / 100.0));
        if (widths[c] >= 0)
            used += widths[c];
        else
            ++open;
    }
    for (int &width : widths) {
        if (width < 0)
            width = qMax(1, (textWidthTwips - used) / qMax(1, open));
    }
    return widths;
}

// The row's kept words with `twips` as its height (\trrh), or none.
QByteArray withRowHeight(QByteArray words, int twips)
{
    static const QRegularExpression kHeight(QStringLiteral("\\\\trrh-?\\d+ ?"));
    words = QString::fromLatin1(words).remove(kHeight).toLatin1();
    if (twips != 0 && !words.isEmpty())
        words += "\\trrh" + QByteArray::number(twips);
    return words;
}

void applyToCell(QTextTableCellFormat &format, const TableAttributes &a)
{
    bool bordersChanged = false;
    for (int side = 0; side < 4; ++side) {
        if (!a.borders[side])
            continue;
        const CellBorder &border = *a.borders[side];
        const int width = qBound(0, border.width, kMaxBorderTwips);
        setCellBorder(format, kCellSides[side], width > 0 ? twipsToPixels(width) : 0.0,
                      width > 0 ? QTextFrameFormat::BorderStyle_Solid : QTextFrameFormat::BorderStyle_None);
        format.setProperty(cellBorderBrushProperty(kCellSides[side]), QBrush(border.color.isValid() ? border.color : QColor(Qt::black)));
        bordersChanged = true;
    }
    if (bordersChanged)
        format.clearProperty(prop::CellBordersRtf);
    if (a.shading) {
        if (a.shading->isValid())
            format.setBackground(*a.shading);
        else
            format.clearBackground();
    }
    if (a.verticalAlign) {
        static constexpr QTextCharFormat::VerticalAlignment kQt[] = {
            QTextCharFormat::AlignTop, QTextCharFormat::AlignMiddle, QTextCharFormat::AlignBottom};
        const int align = qBound(0, *a.verticalAlign, 2);
        format.setProperty(prop::CellVerticalAlign, align);
        format.setVerticalAlignment(kQt[align]);
    }
}

}  // namespace

TableAttributes tableAttributesOf(const QTextCursor &cursor, int textWidthTwips)
{
    TableAttributes a;
    QTextTable *table = cursor.currentTable();
    if (!table)
        return a;
    const QList<QTextTableCell> cells = selectedCells(cursor, table);
    for (int side = 0; side < 4; ++side)
        a.borders[side] = shared<CellBorder>(cells, [side](const QTextTableCellFormat &f) { return borderOf(f, kCellSides[side]); });
    a.shading = shared<QColor>(cells, [](const QTextTableCellFormat &f) {
        return f.background().style() == Qt::NoBrush ? QColor() : f.background().color();
    });
    a.verticalAlign = shared<int>(cells, verticalAlignOf);
    a.rowHeight = shared<int>(cells, [](const QTextTableCellFormat &f) { return std::abs(f.intProperty(prop::RowHeight)); });
    a.columnWidths = columnWidthsOf(table, textWidthTwips);
    return a;
}

bool applyTableAttributes(const QTextCursor &cursor, const TableAttributes &a)
{
    QTextTable *table = cursor.currentTable();
    if (!table)
        return false;
    const QList<QTextTableCell> cells = selectedCells(cursor, table);
    QTextCursor edit(cursor);
    edit.beginEditBlock();
    for (QTextTableCell cell : cells) {
        QTextTableCellFormat format = cell.format().toTableCellFormat();
        applyToCell(format, a);
        cell.setFormat(format);
        if (hasCellBorder(format))
            collapseBordersOf(table);
    }
    if (a.rowHeight) {
        QList<int> rows;
        for (const QTextTableCell &cell : cells) {
            if (!rows.contains(cell.row()))
                rows.append(cell.row());
        }
        for (int row : rows) {
            for (int c = 0; c < table->columns(); ++c) {
                QTextTableCell cell = table->cellAt(row, c);
                if (cell.row() != row || cell.column() != c)
                    continue;
                QTextTableCellFormat format = cell.format().toTableCellFormat();
                if (*a.rowHeight > 0)
                    format.setProperty(prop::RowHeight, *a.rowHeight);
                else
                    format.clearProperty(prop::RowHeight);
                if (format.hasProperty(prop::RowPropsRtf))
                    format.setProperty(prop::RowPropsRtf,
                                       withRowHeight(format.property(prop::RowPropsRtf).toByteArray(), *a.rowHeight));
                cell.setFormat(format);
            }
        }
    }
    if (a.columnWidths.size() == table->columns()) {
        QTextTableFormat format = table->format();
        QList<QTextLength> widths;
        for (int twips : a.columnWidths)
            widths.append(QTextLength(QTextLength::FixedLength, twipsToPixels(qMax(1, twips))));
        if (widths != format.columnWidthConstraints()) {
            format.setColumnWidthConstraints(widths);
            table->setFormat(format);
        }
    }
    edit.endEditBlock();
    return true;
}

}  // namespace textctl
