#pragma once

// Table cell borders.
//
// Which tables collapse their cell borders: tables whose cells have no
// border are built without collapsing. Qt works out collapsed borders edge
// by edge for every cell it lays out or draws, which costs a table of
// thousands of rows seconds and changes nothing where no cell has one.
//
// Who draws them: the page renderer (render/cellborders.h), not Qt. Qt
// works out the ends of every collapsed line anew each time it draws a
// cell, looking at up to six cells around it, which made up half the time
// of printing a report. A side's style is kept in prop::CellBorderStyles and
// Qt is told BorderStyle_None: it keeps the side's width in its layout
// (the text stays where the line leaves it room) and draws nothing.

#include <QBrush>
#include <QTextTableCellFormat>
#include <QTextTableFormat>

class QTextTable;

namespace textctl {

enum class CellSide { Top, Left, Bottom, Right };
inline constexpr CellSide kCellSides[] = {CellSide::Top, CellSide::Left, CellSide::Bottom, CellSide::Right};

// Whether Qt gives a cell of this format a border on some side, drawn or
// not: a side with a border style has one, 3 pixels wide when no width is
// given.
bool hasCellBorder(const QTextTableCellFormat &format);
// Turns on collapsed borders (each line drawn once, centred on the edge
// two cells share) in a table whose cells are being given borders.
void collapseBordersOf(QTextTable *table);

// The style kept for the renderer to draw a side with; BorderStyle_None
// when the side has none (Qt draws a side of a format Qt made itself).
QTextFrameFormat::BorderStyle keptCellBorderStyle(const QTextFormat &format, CellSide side);
// The style a side is drawn with: the one kept for the renderer, else
// Qt's own (a format made by Qt), else `fallback`.
QTextFrameFormat::BorderStyle cellBorderStyle(const QTextFormat &format, CellSide side,
                                              QTextFrameFormat::BorderStyle fallback = QTextFrameFormat::BorderStyle_None);
// A side's line as a file writes it: the cell's own width, style and
// brush, each the table's where the cell gives none.
struct CellBorderLine {
    double width = 0;  // reference pixels
    QTextFrameFormat::BorderStyle style = QTextFrameFormat::BorderStyle_None;
    QBrush brush;
};
CellBorderLine effectiveCellBorder(const QTextFormat &format, const QTextTableFormat &table, CellSide side);
// The room Qt's layout gives a side, in reference pixels, drawn or not.
double cellBorderRoom(const QTextFormat &format, CellSide side);
// Gives a side a border `width` reference pixels wide (0: none).
void setCellBorder(QTextTableCellFormat &format, CellSide side, double width, QTextFrameFormat::BorderStyle style);
QTextFormat::Property cellBorderWidthProperty(CellSide side);
QTextFormat::Property cellBorderBrushProperty(CellSide side);

}  // namespace textctl
