#pragma once

// The paragraphs of a drawn stretch of text: what is drawn over Qt's own
// drawing (paragraph borders, tab leaders) walks them alike.

#include <functional>

class QRectF;
class QTextBlock;
class QTextDocument;

namespace textctl {

// Calls `visit` with each paragraph of `doc` that may reach into `clip`
// (layout coordinates; `reach` pixels out of its rectangle) and that
// `wanted` accepts, with the paragraph's rectangle. The paragraphs looked
// at start one before the paragraph at `from` (before the table holding
// it, when in one): a page of a long text passes its first position, so
// that only its own paragraphs are looked at. A block's rectangle costs
// little in the text and a lot in a long table: only the rows that reach
// into the clip are walked, and only wanted paragraphs are measured.
void forEachBlockInClip(const QTextDocument &doc, const QRectF &clip, int from, double reach,
                        const std::function<bool(const QTextBlock &)> &wanted,
                        const std::function<void(const QTextBlock &, const QRectF &)> &visit);

}  // namespace textctl
