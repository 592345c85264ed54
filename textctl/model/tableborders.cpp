#include "textctl/model/tableborders.h"

#include "textctl/model/formatprops.h"

#include <QTextTable>

namespace textctl {

namespace {

QTextFormat::Property qtStyleProperty(CellSide side)
{
    switch (side) {
    case CellSide::Top: return QTextFormat::TableCellTopBorderStyle;
    case CellSide::Left: return QTextFormat::TableCellLeftBorderStyle;
    case CellSide::Bottom: return QTextFormat::TableCellBottomBorderStyle;
    case CellSide::Right: return QTextFormat::TableCellRightBorderStyle;
    }
    return QTextFormat::TableCellTopBorderStyle;
}

int styleShift(CellSide side)
{
    return 4 * int(side);
}

// The side's four bits of prop::CellBorderStyles: its style plus one, 0
// when it keeps none.
int keptStyle(const QTextFormat &format, CellSide side)
{
    return (format.intProperty(prop::CellBorderStyles) >> styleShift(side)) & 0xF;
}

}  // namespace

QTextFormat::Property cellBorderWidthProperty(CellSide side)
{
    switch (side) {
    case CellSide::Top: return QTextFormat::TableCellTopBorder;
    case CellSide::Left: return QTextFormat::TableCellLeftBorder;
    case CellSide::Bottom: return QTextFormat::TableCellBottomBorder;
    case CellSide::Right: return QTextFormat::TableCellRightBorder;
    }
    return QTextFormat::TableCellTopBorder;
}

QTextFormat::Property cellBorderBrushProperty(CellSide side)
{
    switch (side) {
    case CellSide::Top: return QTextFormat::TableCellTopBorderBrush;
    case CellSide::Left: return QTextFormat::TableCellLeftBorderBrush;
    case CellSide::Bottom: return QTextFormat::TableCellBottomBorderBrush;
    case CellSide::Right: return QTextFormat::TableCellRightBorderBrush;
    }
    return QTextFormat::TableCellTopBorderBrush;
}

double cellBorderRoom(const QTextFormat &format, CellSide side)
{
    if (!format.hasProperty(qtStyleProperty(side)))
        return 0;
    const QTextFormat::Property width = cellBorderWidthProperty(side);
    return format.hasProperty(width) ? format.doubleProperty(width) : 3.0;
}

bool hasCellBorder(const QTextTableCellFormat &format)
{
    for (CellSide side : kCellSides) {
        if (cellBorderRoom(format, side) != 0)
            return true;
    }
    return false;
}

void collapseBordersOf(QTextTable *table)
{
    QTextTableFormat format = table->format();
    if (format.borderCollapse())
        return;
    format.setBorderCollapse(true);
    table->setFormat(format);
}

QTextFrameFormat::BorderStyle keptCellBorderStyle(const QTextFormat &format, CellSide side)
{
    const int kept = keptStyle(format, side);
    return kept != 0 ? QTextFrameFormat::BorderStyle(kept - 1) : QTextFrameFormat::BorderStyle_None;
}

QTextFrameFormat::BorderStyle cellBorderStyle(const QTextFormat &format, CellSide side,
                                              QTextFrameFormat::BorderStyle fallback)
{
    if (keptStyle(format, side) != 0)
        return keptCellBorderStyle(format, side);
    if (format.hasProperty(qtStyleProperty(side)))
        return QTextFrameFormat::BorderStyle(format.intProperty(qtStyleProperty(side)));
    return fallback;
}

CellBorderLine effectiveCellBorder(const QTextFormat &format, const QTextTableFormat &table, CellSide side)
{
    const QTextFormat::Property width = cellBorderWidthProperty(side);
    const QTextFormat::Property brush = cellBorderBrushProperty(side);
    return {format.hasProperty(width) ? format.doubleProperty(width) : table.border(),
            cellBorderStyle(format, side, table.borderStyle()),
            format.hasProperty(brush) ? format.brushProperty(brush) : table.borderBrush()};
}

void setCellBorder(QTextTableCellFormat &format, CellSide side, double width, QTextFrameFormat::BorderStyle style)
{
    format.setProperty(cellBorderWidthProperty(side), width);
    format.setProperty(qtStyleProperty(side), int(QTextFrameFormat::BorderStyle_None));
    const int mask = 0xF << styleShift(side);
    const int kept = (format.intProperty(prop::CellBorderStyles) & ~mask) | ((int(style) + 1) << styleShift(side));
    format.setProperty(prop::CellBorderStyles, kept);
}

}  // namespace textctl
