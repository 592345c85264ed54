#include "textctl/render/paragraphborders.h"

#include "textctl/model/layoutformats.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/model/richdocument.h"
#include "textctl/render/tablerows.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <algorithm>

namespace textctl {

namespace {

bool hasBorders(const ParagraphBorders &borders)
{
    return std::any_of(borders.begin(), borders.end(), [](const BorderLine &line) { return line.present(); });
}

// The paragraph's text area: from its left indent to the end of its lines,
// from its first line's box to its last one's.
QRectF textArea(const QTextBlock &block, const QRectF &blockRect)
{
    const QTextLayout *layout = block.layout();
    const QTextBlockFormat format = block.blockFormat();
    const QTextLine first = layout->lineAt(0);
    const QTextLine last = layout->lineAt(layout->lineCount() - 1);
    const double left = blockRect.left() + format.leftMargin();
    const double right = blockRect.left() + last.x() + last.width();
    return {QPointF(left, blockRect.top() + lineBox(block, first).top),
            QPointF(right, blockRect.top() + lineBox(block, last).bottom())};
}

void drawLine(QPainter &painter, const BorderLine &border, QPointF from, QPointF to, QPointF outward)
{
    QPen pen = border.pen;
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const double width = pen.widthF();
    if (!border.twoLines) {
        const QPointF shift = outward * (width / 2);
        painter.drawLine(from + shift, to + shift);
        return;
    }
    for (double at : {width / 2, width * 2.5})
        painter.drawLine(from + outward * at, to + outward * at);
}

void drawBorders(QPainter &painter, const ParagraphBorders &b, const QRectF &text)
{
    const double left = text.left() - b[BorderLeft].reach();
    const double right = text.right() + b[BorderRight].reach();
    const double top = text.top() - b[BorderTop].reach();
    const double bottom = text.bottom() + b[BorderBottom].reach();
    if (b[BorderTop].present()) {
        const double y = text.top() - b[BorderTop].reach();
        drawLine(painter, b[BorderTop], {left, y}, {right, y}, {0, 1});
    }
    if (b[BorderBottom].present()) {
        const double y = text.bottom() + b[BorderBottom].space;
        drawLine(painter, b[BorderBottom], {left, y}, {right, y}, {0, 1});
    }
    if (b[BorderLeft].present()) {
        const double x = text.left() - b[BorderLeft].reach();
        drawLine(painter, b[BorderLeft], {x, top}, {x, bottom}, {1, 0});
    }
    if (b[BorderRight].present()) {
        const double x = text.right() + b[BorderRight].space;
        drawLine(painter, b[BorderRight], {x, top}, {x, bottom}, {1, 0});
    }
}

// Where the main flow goes on at `position`: there, or at the start of
// the outermost table holding it (a row above may reach down beside it).
int startOfFlow(const QTextDocument &doc, int position)
{
    const QTextFrame *frame = doc.frameAt(position);
    if (!frame || frame == doc.rootFrame())
        return position;
    while (frame->parentFrame() && frame->parentFrame() != doc.rootFrame())
        frame = frame->parentFrame();
    return frame->firstPosition();
}

// The stretch of a table's text whose rows may reach into [top, bottom]:
// rows are found by halves, each placed by its first cell's top (the top
// of a cell coming down from a row above is that row's, never lower), so
// a page of a long table looks at its own rows only. A row with a cell
// coming down from above starts the stretch at that cell's row.
struct RowStretch {
    int from = 0;
    int to = 0;  // the start of the first row below, or the table's end
};

RowStretch rowsWithin(const QTextTable &table, const QAbstractTextDocumentLayout &layout, double top,
                      double bottom)
{
    int first = qMax(0, firstRowBelow(table, layout, top) - 1);
    const auto comesFromAbove = [&](int row) {
        for (int c = 0; c < table.columns(); ++c) {
            if (table.cellAt(row, c).row() < row)
                return true;
        }
        return false;
    };
    while (first > 0 && comesFromAbove(first))
        --first;
    const int below = firstRowBelow(table, layout, bottom);
    return {table.cellAt(first, 0).firstPosition(),
            below < table.rows() ? table.cellAt(below, 0).firstPosition() : table.lastPosition() + 1};
}

}  // namespace

void drawParagraphBorders(QPainter &painter, const QTextDocument &doc, const QRectF &clip, int from)
{
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    QTextBlock block = doc.findBlock(startOfFlow(doc, from));
    if (!block.isValid())
        block = doc.begin();
    if (block.previous().isValid())
        block = block.previous();
    painter.save();
    // Border widths and spaces are reference pixels.
    painter.scale(toLayout(1), toLayout(1));
    // Borders reach this far out of their paragraph's text.
    constexpr double kReach = 30;
    const QTextFrame *table = nullptr;  // the outermost table last met
    RowStretch rows;
    for (; block.isValid(); block = block.next()) {
        // A block's rectangle costs little in the text and a lot in a long
        // table: only the rows that reach into the clip are walked, and
        // only paragraphs with borders are measured.
        QTextFrame *frame = doc.frameAt(block.position());
        if (frame == doc.rootFrame()) {
            if (layout->blockBoundingRect(block).top() > clip.bottom() + kReach)
                break;
        } else {
            while (frame->parentFrame() != doc.rootFrame())
                frame = frame->parentFrame();
            if (frame != table) {
                table = frame;
                const QRectF rect = layout->frameBoundingRect(frame);
                if (rect.top() > clip.bottom() + kReach)
                    break;
                rows = {frame->firstPosition(), frame->lastPosition() + 1};
                if (rect.bottom() < clip.top() - kReach)
                    rows.from = rows.to;  // wholly above: passed over
                else if (const auto *t = qobject_cast<const QTextTable *>(frame))
                    rows = rowsWithin(*t, *layout, clip.top() - kReach, clip.bottom() + kReach);
                if (block.position() < rows.from) {
                    // On from the first block of the stretch, or after the table.
                    block = doc.findBlock(rows.from).previous();
                    continue;
                }
            }
            if (block.position() >= rows.to)
                break;  // the rows below the clip, and all after them
        }
        const ParagraphBorders borders = paragraphBorders(block.blockFormat());
        if (!hasBorders(borders) || !block.layout() || block.layout()->lineCount() == 0)
            continue;
        const QRectF rect = layout->blockBoundingRect(block);
        const QRectF text = textArea(block, rect);
        if (text.adjusted(-kReach, -kReach, kReach, kReach).intersects(clip))
            drawBorders(painter, borders, QRectF(fromLayout(1) * text.topLeft(), fromLayout(1) * text.size()));
    }
    painter.restore();
}

}  // namespace textctl
