#include "textctl/render/paragraphborders.h"

#include "textctl/model/layoutformats.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/model/richdocument.h"
#include "textctl/render/blockwalk.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

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

}  // namespace

void drawParagraphBorders(QPainter &painter, const QTextDocument &doc, const QRectF &clip, int from)
{
    painter.save();
    // Border widths and spaces are reference pixels.
    painter.scale(toLayout(1), toLayout(1));
    // Borders reach this far out of their paragraph's text.
    constexpr double kReach = 30;
    const auto bordered = [](const QTextBlock &block) { return hasBorders(paragraphBorders(block.blockFormat())); };
    forEachBlockInClip(doc, clip, from, kReach, bordered, [&](const QTextBlock &block, const QRectF &rect) {
        const QRectF text = textArea(block, rect);
        if (text.adjusted(-kReach, -kReach, kReach, kReach).intersects(clip))
            drawBorders(painter, paragraphBorders(block.blockFormat()),
                        QRectF(fromLayout(1) * text.topLeft(), fromLayout(1) * text.size()));
    });
    painter.restore();
}

}  // namespace textctl
