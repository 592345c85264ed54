#include "textctl/render/cellborders.h"

#include "textctl/model/richdocument.h"
#include "textctl/model/tableborders.h"
#include "textctl/render/tablerows.h"

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace textctl {

namespace {

constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();

// One side of a cell as drawn; widths in layout pixels.
struct Line {
    double width = 0;
    double room = 0;  // what Qt's layout leaves it, drawn or not
    QTextFrameFormat::BorderStyle style = QTextFrameFormat::BorderStyle_None;
    QColor color;

    bool present() const { return width > 0; }
};

// The wider line of the two a shared edge has; `first` (the upper or left
// cell's) on a tie, as Qt collapses them.
const Line &wider(const Line &first, const Line &second)
{
    return second.width > first.width ? second : first;
}

struct Box {
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
    std::array<Line, 4> sides;  // by CellSide
    double topPadding = 0;
    double leftPadding = 0;
    int firstPosition = 0;
    // Where Qt put the cell's first paragraph, asked for when needed: Qt
    // works out the cell's padding again to tell.
    mutable std::optional<QPointF> content;
    // Of a cell in the last row: where its last paragraph ends.
    double bottom = 0;
    double bottomPadding = 0;
    bool topAligned = true;
};

Line lineOf(const QTextTableCellFormat &format, CellSide side)
{
    Line line;
    line.room = toLayout(cellBorderRoom(format, side));
    line.style = keptCellBorderStyle(format, side);
    const double width = format.doubleProperty(cellBorderWidthProperty(side));
    if (line.style == QTextFrameFormat::BorderStyle_None || width <= 0)
        return line;
    line.width = toLayout(width);
    const QBrush brush = format.brushProperty(cellBorderBrushProperty(side));
    line.color = brush.style() == Qt::NoBrush ? QColor(Qt::black) : brush.color();
    return line;
}

// Solid lines are gathered by colour and filled together: a printer or
// PDF device writes its state out for every fill.
class Strokes final {
public:
    explicit Strokes(QPainter &painter)
        : m_painter(painter)
    {
    }

    QPainter &painter() { return m_painter; }
    void fill(const QRectF &band, const QColor &color) { m_solid[color.rgba()].append(band); }

    void flush()
    {
        for (auto it = m_solid.cbegin(); it != m_solid.cend(); ++it) {
            m_painter.setBrush(QColor::fromRgba(it.key()));
            m_painter.drawRects(it.value().constData(), int(it.value().size()));
        }
        m_solid.clear();
    }

private:
    QPainter &m_painter;
    QHash<QRgb, QList<QRectF>> m_solid;
};

void drawLine(Strokes &strokes, const Line &line, const QRectF &band, bool horizontal)
{
    switch (line.style) {
    case QTextFrameFormat::BorderStyle_Double: {
        // Two lines of a third each, the middle third left empty.
        const double third = line.width / 3;
        if (horizontal) {
            strokes.fill(QRectF(band.left(), band.top(), band.width(), third), line.color);
            strokes.fill(QRectF(band.left(), band.bottom() - third, band.width(), third), line.color);
        } else {
            strokes.fill(QRectF(band.left(), band.top(), third, band.height()), line.color);
            strokes.fill(QRectF(band.right() - third, band.top(), third, band.height()), line.color);
        }
        return;
    }
    case QTextFrameFormat::BorderStyle_Dotted:
    case QTextFrameFormat::BorderStyle_Dashed:
    case QTextFrameFormat::BorderStyle_DotDash:
    case QTextFrameFormat::BorderStyle_DotDotDash: {
        static constexpr Qt::PenStyle kPen[] = {Qt::DotLine, Qt::DashLine, Qt::DashDotLine, Qt::DashDotDotLine};
        QPainter &painter = strokes.painter();
        painter.setPen(QPen(line.color, line.width, kPen[line.style - QTextFrameFormat::BorderStyle_Dotted], Qt::FlatCap));
        const QPointF centre = band.center();
        if (horizontal)
            painter.drawLine(QPointF(band.left(), centre.y()), QPointF(band.right(), centre.y()));
        else
            painter.drawLine(QPointF(centre.x(), band.top()), QPointF(centre.x(), band.bottom()));
        painter.setPen(Qt::NoPen);
        return;
    }
    default:
        strokes.fill(band, line.color);
    }
}

// The part of one table that reaches into a clip: its cells' boxes on a
// grid of the rows around the clip, and where its row and column edges lie.
class TableBorders final {
public:
    TableBorders(const QTextTable &table, const QAbstractTextDocumentLayout &layout)
        : m_table(table),
          m_doc(*table.document()),
          m_layout(layout),
          m_format(table.format()),
          // Qt places a table's rectangle at its first cell's text, not at
          // its edge: good enough to tell whether a clip holds it whole.
          m_frame(layout.frameBoundingRect(const_cast<QTextTable *>(&table)))
    {
    }

    void draw(Strokes &strokes, double top, double bottom)
    {
        const int rows = m_table.rows();
        // A table the clip holds whole needs no search for its rows.
        m_first = m_frame.top() >= top ? 0 : qMax(0, firstRowBelow(m_table, m_layout, top) - 1);
        const int end = m_frame.bottom() <= bottom ? rows : qMin(rows, firstRowBelow(m_table, m_layout, bottom));
        // The rows on either side are looked at for the lines they share.
        m_gridTop = qMax(0, m_first - 1);
        const int gridEnd = qMin(rows, end + 1);
        m_columns = m_table.columns();
        m_grid.assign(size_t(gridEnd - m_gridTop) * m_columns, -1);
        for (int r = m_gridTop; r < gridEnd; ++r) {
            for (int c = 0; c < m_columns; ++c)
                m_grid[size_t(r - m_gridTop) * m_columns + c] = boxAt(r, c);
        }
        placeColumns();
        placeRows(end);
        for (int r = m_first; r < end; ++r) {
            for (int c = 0; c < m_columns; ++c) {
                const int index = gridAt(r, c);
                const Box &box = m_boxes[index];
                // Each cell once: at its own row, or at the first row drawn.
                if (box.column != c || (box.row != r && r != m_first))
                    continue;
                drawBox(strokes, box, end);
            }
        }
    }

private:
    int gridAt(int row, int column) const
    {
        if (row < m_gridTop || column < 0 || column >= m_columns)
            return -1;
        const size_t at = size_t(row - m_gridTop) * m_columns + column;
        return at < m_grid.size() ? m_grid[at] : -1;
    }

    int boxAt(int row, int column)
    {
        const QTextTableCell cell = m_table.cellAt(row, column);
        const int key = cell.firstPosition();
        const auto known = m_boxIndex.constFind(key);
        if (known != m_boxIndex.constEnd())
            return *known;
        const QTextTableCellFormat format = cell.format().toTableCellFormat();
        Box box;
        box.row = cell.row();
        box.column = cell.column();
        box.rowSpan = format.tableCellRowSpan();
        box.columnSpan = format.tableCellColumnSpan();
        for (CellSide side : kCellSides)
            box.sides[int(side)] = lineOf(format, side);
        box.topPadding = cellPadding(format, m_format, QTextFormat::TableCellTopPadding);
        box.leftPadding = cellPadding(format, m_format, QTextFormat::TableCellLeftPadding);
        box.firstPosition = cell.firstPosition();
        if (box.row + box.rowSpan >= m_table.rows()) {
            box.bottomPadding = cellPadding(format, m_format, QTextFormat::TableCellBottomPadding);
            box.bottom = m_layout.blockBoundingRect(m_doc.findBlock(cell.lastPosition())).bottom();
        }
        const auto align = format.verticalAlignment();
        box.topAligned = align != QTextCharFormat::AlignMiddle && align != QTextCharFormat::AlignBottom;
        m_boxes.push_back(box);
        m_boxIndex.insert(key, int(m_boxes.size()) - 1);
        return int(m_boxes.size()) - 1;
    }

    QPointF contentOf(const Box &box) const
    {
        if (!box.content)
            box.content = m_layout.blockBoundingRect(m_doc.findBlock(box.firstPosition)).topLeft();
        return *box.content;
    }

    const Box *neighbour(const Box &box, CellSide side) const
    {
        int index = -1;
        switch (side) {
        case CellSide::Top: index = gridAt(box.row - 1, box.column); break;
        case CellSide::Left: index = gridAt(box.row, box.column - 1); break;
        case CellSide::Bottom: index = gridAt(box.row + box.rowSpan, box.column); break;
        case CellSide::Right: index = gridAt(box.row, box.column + box.columnSpan); break;
        }
        return index >= 0 ? &m_boxes[index] : nullptr;
    }

    // The line Qt gives a side of a cell room for: the wider of its own
    // and the one across the edge.
    double collapsedWidth(const Box &box, CellSide side) const
    {
        static constexpr CellSide kAcross[] = {CellSide::Bottom, CellSide::Right, CellSide::Top, CellSide::Left};
        const Box *other = neighbour(box, side);
        const double own = box.sides[int(side)].room;
        return other ? qMax(own, other->sides[int(kAcross[int(side)])].room) : own;
    }

    // Column edges from the cells' text, which Qt starts a padding and half
    // a line in from the edge; columns no cell starts at share out the room
    // around them as the table's column widths do.
    void placeColumns()
    {
        m_columnX.assign(m_columns + 1, kUnknown);
        for (const Box &box : m_boxes) {
            if (std::isnan(m_columnX[box.column]))
                m_columnX[box.column] = contentOf(box).x() - box.leftPadding - collapsedWidth(box, CellSide::Left) / 2;
        }
        const QList<QTextLength> widths = m_format.columnWidthConstraints();
        // The last column is as wide as the table asks, in whole pixels.
        const int last = m_columns - 1;
        if (last < widths.size() && widths[last].type() == QTextLength::FixedLength && !std::isnan(m_columnX[last])) {
            m_columnX[m_columns] = m_columnX[last] + std::round(toLayout(widths[last].rawValue()));
        } else {  // a width Qt shares out: the table's, from its first edge
            double outer = 0;
            for (const Box &box : m_boxes) {
                if (box.column + box.columnSpan == m_columns)
                    outer = qMax(outer, box.sides[int(CellSide::Right)].width);
            }
            m_columnX[m_columns] = m_columnX[0] + m_frame.width()
                                   - toLayout(m_format.leftMargin() + m_format.rightMargin() + 2 * m_format.padding()) - outer;
        }
        fillGaps(m_columnX, [&](int c) { return c < widths.size() ? widths[c].rawValue() : 1.0; });
    }

    // Row edges from the cells that start at the top of their row (Qt moves
    // the text of centred and bottom cells down); the table's foot under
    // its last row.
    void placeRows(int end)
    {
        const int rows = m_table.rows();
        m_rowY.assign(size_t(end - m_gridTop + 1), kUnknown);
        std::vector<double> any(m_rowY.size(), kUnknown);
        // One cell a row tells where the row starts: the first at its top.
        for (const Box &box : m_boxes) {
            if (box.row < m_gridTop || box.row > end)
                continue;
            double &slot = box.topAligned ? m_rowY[box.row - m_gridTop] : any[box.row - m_gridTop];
            if (box.topAligned && !std::isnan(slot))
                continue;
            const double y = contentOf(box).y() - box.topPadding - collapsedWidth(box, CellSide::Top) / 2;
            slot = std::isnan(slot) ? y : qMin(slot, y);
        }
        for (size_t i = 0; i < m_rowY.size(); ++i) {
            if (std::isnan(m_rowY[i]))
                m_rowY[i] = any[i];
        }
        if (end >= rows) {
            // Under the last row: where the paragraph after the table starts.
            m_rowY.back() = paragraphUnder(m_table, m_layout);
            if (std::isnan(m_rowY.back()))
                m_rowY.back() = lowestEdge();
        }
        fillGaps(m_rowY, [](int) { return 1.0; });
    }

    // How low the last row's lowest cell reaches, the row's height rounded
    // to whole pixels as Qt rounds it.
    double lowestEdge() const
    {
        const int rows = m_table.rows();
        double lowest = kUnknown;
        int top = rows - 1;
        for (const Box &box : m_boxes) {
            if (box.row + box.rowSpan >= rows) {
                const double y = box.bottom + box.bottomPadding + collapsedWidth(box, CellSide::Bottom) / 2;
                lowest = std::isnan(lowest) ? y : qMax(lowest, y);
                top = qMin(top, box.row);
            }
        }
        const double from = rowY(top);
        return std::isnan(from) ? lowest : from + std::round(lowest - from);
    }

    template <typename Weight>
    static void fillGaps(std::vector<double> &edges, Weight weight)
    {
        int known = -1;
        for (int i = 0; i < int(edges.size()); ++i) {
            if (std::isnan(edges[i]))
                continue;
            if (known >= 0 && i - known > 1) {
                double total = 0;
                for (int k = known; k < i; ++k)
                    total += weight(k);
                double at = edges[known];
                for (int k = known + 1; k < i; ++k) {
                    at += (edges[i] - edges[known]) * weight(k - 1) / qMax(total, 1e-9);
                    edges[k] = at;
                }
            }
            known = i;
        }
    }

    double rowY(int row) const
    {
        const int at = row - m_gridTop;
        return at >= 0 && at < int(m_rowY.size()) ? m_rowY[at] : kUnknown;
    }

    // The top and left edges of a cell, and its bottom and right ones
    // where no cell drawn here has them as its top or left.
    void drawBox(Strokes &strokes, const Box &box, int end) const
    {
        const int lastRow = qMin(box.row + box.rowSpan, end);
        for (int c = box.column; c < box.column + box.columnSpan; ++c) {
            const double left = m_columnX[c];
            const double right = m_columnX[c + 1];
            if (box.row >= m_first) {
                const int above = gridAt(box.row - 1, c);
                const Line &line = above >= 0 ? wider(m_boxes[above].sides[int(CellSide::Bottom)], box.sides[int(CellSide::Top)])
                                              : box.sides[int(CellSide::Top)];
                drawHorizontal(strokes, line, left, right, rowY(box.row));
            }
            if (box.row + box.rowSpan >= end) {
                const int below = gridAt(box.row + box.rowSpan, c);
                const Line &line = below >= 0 ? wider(box.sides[int(CellSide::Bottom)], m_boxes[below].sides[int(CellSide::Top)])
                                              : box.sides[int(CellSide::Bottom)];
                drawHorizontal(strokes, line, left, right, rowY(box.row + box.rowSpan));
            }
        }
        for (int r = qMax(box.row, m_first); r < lastRow; ++r) {
            const double top = rowY(r);
            const double bottom = rowY(r + 1);
            const int before = gridAt(r, box.column - 1);
            const Line &left = before >= 0 ? wider(m_boxes[before].sides[int(CellSide::Right)], box.sides[int(CellSide::Left)])
                                           : box.sides[int(CellSide::Left)];
            drawVertical(strokes, left, m_columnX[box.column], top, bottom);
            if (box.column + box.columnSpan >= m_columns)
                drawVertical(strokes, box.sides[int(CellSide::Right)], m_columnX[m_columns], top, bottom);
        }
    }

    // Lines across run half their width past the edges at either end, so
    // that they meet the lines down at the corners.
    static void drawHorizontal(Strokes &strokes, const Line &line, double left, double right, double y)
    {
        if (!line.present() || std::isnan(y) || std::isnan(left) || std::isnan(right))
            return;
        const double half = std::ceil(line.width / 2);
        drawLine(strokes, line, QRectF(left - half, y - half, right - left + line.width, line.width), true);
    }

    static void drawVertical(Strokes &strokes, const Line &line, double x, double top, double bottom)
    {
        if (!line.present() || std::isnan(x) || std::isnan(top) || std::isnan(bottom))
            return;
        drawLine(strokes, line, QRectF(x - std::ceil(line.width / 2), top, line.width, bottom - top), false);
    }

    const QTextTable &m_table;
    const QTextDocument &m_doc;
    const QAbstractTextDocumentLayout &m_layout;
    const QTextTableFormat m_format;
    const QRectF m_frame;
    int m_columns = 0;
    int m_first = 0;
    int m_gridTop = 0;
    std::vector<int> m_grid;
    std::vector<Box> m_boxes;
    QHash<int, int> m_boxIndex;
    std::vector<double> m_columnX;
    std::vector<double> m_rowY;
};

// The frames inside `frame` that reach into the clip. Those of the main
// flow follow each other down the text and are found by halves, as a long
// report has hundreds of tables and a page a few; tables in cells side by
// side do not, and are all looked at.
void drawFrames(Strokes &strokes, const QTextFrame &frame, const QAbstractTextDocumentLayout &layout,
                const QRectF &clip, bool inOrder)
{
    const QList<QTextFrame *> children = frame.childFrames();
    auto it = children.begin();
    if (inOrder) {
        it = std::partition_point(children.begin(), children.end(), [&](QTextFrame *child) {
            return layout.frameBoundingRect(child).bottom() < clip.top();
        });
    }
    for (; it != children.end(); ++it) {
        QTextFrame *child = *it;
        const QRectF rect = layout.frameBoundingRect(child);
        if (rect.top() > clip.bottom() && inOrder)
            break;
        if (rect.top() > clip.bottom() || rect.bottom() < clip.top())
            continue;
        const auto *table = qobject_cast<const QTextTable *>(child);
        if (table && table->format().borderCollapse())
            TableBorders(*table, layout).draw(strokes, clip.top(), clip.bottom());
        drawFrames(strokes, *child, layout, clip, false);
    }
}

}  // namespace

void drawCellBorders(QPainter &painter, const QTextDocument &doc, const QRectF &clip)
{
    const QAbstractTextDocumentLayout *layout = doc.documentLayout();
    painter.save();
    painter.setPen(Qt::NoPen);
    // As Qt draws lines: thinner than a device pixel, they show grey.
    painter.setRenderHint(QPainter::Antialiasing);
    Strokes strokes(painter);
    drawFrames(strokes, *doc.rootFrame(), *layout, clip, true);
    strokes.flush();
    painter.restore();
}

}  // namespace textctl
