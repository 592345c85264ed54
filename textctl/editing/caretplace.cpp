#include "textctl/editing/caretplace.h"

#include "textctl/model/layoutformats.h"

#include "textctl/render/pagination.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

namespace textctl {

namespace {

bool startsPage(const QTextBlock &block)
{
    if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)
        return true;
    const QTextBlock previous = block.previous();
    return previous.isValid()
        && (previous.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter);
}

CaretPlace paragraphPlace(const QTextCursor &cursor)
{
    const QTextBlock current = cursor.block();
    CaretPlace place;
    place.line = current.blockNumber() + 1;
    place.column = cursor.positionInBlock() + 1;
    for (QTextBlock block = current; block.isValid() && block.blockNumber() > 0; block = block.previous()) {
        if (startsPage(block))
            ++place.page;
    }
    return place;
}

// Counts, backwards from the caret's line, the lines that start on the same
// page. Lines of the earlier blocks are walked from the last one up until a
// line on an earlier page shows up.
CaretPlace layoutPlace(const QTextCursor &cursor, Pagination &pagination)
{
    QTextDocument *doc = cursor.document();
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    const QTextBlock current = cursor.block();
    const QTextLayout *text = current.layout();
    const double blockTop = layout->blockBoundingRect(current).top();  // lays out as far as needed
    const QTextLine line = text->lineForTextPosition(cursor.positionInBlock());
    if (!line.isValid())
        return paragraphPlace(cursor);
    CaretPlace place;
    place.page = pagination.pageAt(blockTop + lineBox(current, line).top);
    place.column = cursor.positionInBlock() - line.textStart() + 1;
    // A line whose top is above the page's top is on an earlier page.
    const double pageTop = pagination.pageTop(place.page) - 1.0 / 64;
    for (int i = line.lineNumber() - 1; i >= 0; --i) {
        if (blockTop + lineBox(current, text->lineAt(i)).top < pageTop)
            return place;
        ++place.line;
    }
    for (QTextBlock block = current.previous(); block.isValid(); block = block.previous()) {
        const QTextLayout *earlier = block.layout();
        const double top = layout->blockBoundingRect(block).top();
        if (top >= pageTop) {
            place.line += earlier->lineCount();
            continue;
        }
        for (int i = earlier->lineCount() - 1; i >= 0; --i) {
            if (top + lineBox(block, earlier->lineAt(i)).top < pageTop)
                return place;
            ++place.line;
        }
    }
    return place;
}

}  // namespace

CaretPlace caretPlace(const QTextCursor &cursor, Pagination *pagination)
{
    if (cursor.isNull())
        return {};
    if (pagination && pagination->hasLayout() && cursor.document() == pagination->document().main())
        return layoutPlace(cursor, *pagination);
    return paragraphPlace(cursor);
}

}  // namespace textctl
