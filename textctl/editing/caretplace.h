#pragma once

// Where the caret is, as the status bar shows it: page, line and column,
// all counted from 1.
//
// In a main text with its page layout (the pagination given has one) a
// line is a line on the screen: the page is the one the caret's line starts
// on, the line counts the laid-out lines of that page up to the caret's,
// and the column is the caret's place in its line. Otherwise (a document
// being merged has no layout, on purpose; a header or footer has no pages
// of its own) a line is a paragraph counted from the text's start, the
// column the place in the paragraph, and the page counts the forced page
// breaks before the caret.
//
//   const CaretPlace at = caretPlace(control.cursor(), &control.pagination());   // {1, 3, 12}

class QTextCursor;

namespace textctl {

class Pagination;

struct CaretPlace {
    int page = 1;
    int line = 1;
    int column = 1;

    friend bool operator==(const CaretPlace &, const CaretPlace &) = default;
};

CaretPlace caretPlace(const QTextCursor &cursor, Pagination *pagination = nullptr);

}  // namespace textctl
