#include "textctl/editing/caretplace.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

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
CaretPlace layoutPlace(const QTextCursor &cursor, double pageHeight)
{
    QTextDocument *doc = cursor.document();
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    const auto pageOf = [&](const QTextBlock &block, const QTextLine &line) {
        return int(std::floor((layout->blockBoundingRect(block).top() + line.y()) / pageHeight));
    };
    const QTextBlock current = cursor.block();
    layout->blockBoundingRect(current);  // lays the document out as far as needed
    const QTextLayout *text = current.layout();
    const QTextLine line = text->lineForTextPosition(cursor.positionInBlock());
    if (!line.isValid())
        return paragraphPlace(cursor);
    CaretPlace place;
    const int page = pageOf(current, line);
    place.page = page + 1;
    place.column = cursor.positionInBlock() - line.textStart() + 1;
    for (int i = line.lineNumber() - 1; i >= 0; --i) {
        if (pageOf(current, text->lineAt(i)) < page)
            return place;
        ++place.line;
    }
    for (QTextBlock block = current.previous(); block.isValid(); block = block.previous()) {
        const QTextLayout *earlier = block.layout();
        for (int i = earlier->lineCount() - 1; i >= 0; --i) {
            if (pageOf(block, earlier->lineAt(i)) < page)
                return place;
            ++place.line;
        }
    }
    return place;
}

}  // namespace

CaretPlace caretPlace(const QTextCursor &cursor)
{
    if (cursor.isNull())
        return {};
    const QSizeF pageSize = cursor.document()->pageSize();
    if (pageSize.isValid() && pageSize.height() > 0)
        return layoutPlace(cursor, pageSize.height());
    return paragraphPlace(cursor);
}

}  // namespace textctl
