#include "textctl/render/blockwalk.h"

#include "textctl/render/tablerows.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace textctl {

namespace {

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

void forEachBlockInClip(const QTextDocument &doc, const QRectF &clip, int from, double reach,
                        const std::function<bool(const QTextBlock &)> &wanted,
                        const std::function<void(const QTextBlock &, const QRectF &)> &visit)
{
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    QTextBlock block = doc.findBlock(startOfFlow(doc, from));
    if (!block.isValid())
        block = doc.begin();
    if (block.previous().isValid())
        block = block.previous();
    const QTextFrame *table = nullptr;  // the outermost table last met
    RowStretch rows;
    for (; block.isValid(); block = block.next()) {
        QTextFrame *frame = doc.frameAt(block.position());
        if (frame == doc.rootFrame()) {
            if (layout->blockBoundingRect(block).top() > clip.bottom() + reach)
                break;
        } else {
            while (frame->parentFrame() != doc.rootFrame())
                frame = frame->parentFrame();
            if (frame != table) {
                table = frame;
                const QRectF rect = layout->frameBoundingRect(frame);
                if (rect.top() > clip.bottom() + reach)
                    break;
                rows = {frame->firstPosition(), frame->lastPosition() + 1};
                if (rect.bottom() < clip.top() - reach)
                    rows.from = rows.to;  // wholly above: passed over
                else if (const auto *t = qobject_cast<const QTextTable *>(frame))
                    rows = rowsWithin(*t, *layout, clip.top() - reach, clip.bottom() + reach);
                if (block.position() < rows.from) {
                    // On from the first block of the stretch, or after the table.
                    block = doc.findBlock(rows.from).previous();
                    continue;
                }
            }
            if (block.position() >= rows.to)
                break;  // the rows below the clip, and all after them
        }
        if (!block.layout() || block.layout()->lineCount() == 0 || !wanted(block))
            continue;
        const QRectF rect = layout->blockBoundingRect(block);
        if (rect.adjusted(-reach, -reach, reach, reach).intersects(clip))
            visit(block, rect);
    }
}

}  // namespace textctl
