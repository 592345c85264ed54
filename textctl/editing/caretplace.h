#pragma once

// Where the caret is, as the status bar shows it: page, line and column,
// all counted from 1.
//
// With a page layout (the document's pageSize is valid) a line is a line on
// the screen: the page is the one the caret's line starts on, the line counts
// the laid-out lines of that page up to the caret's, and the column is the
// caret's place in its line. Without one (a document being merged has no
// layout, on purpose) a line is a paragraph counted from the document start,
// the column the place in the paragraph, and the page counts the forced page
// breaks before the caret.
//
//   const CaretPlace at = caretPlace(control.cursor());   // {1, 3, 12}

class QTextCursor;

namespace textctl {

struct CaretPlace {
    int page = 1;
    int line = 1;
    int column = 1;

    friend bool operator==(const CaretPlace &, const CaretPlace &) = default;
};

CaretPlace caretPlace(const QTextCursor &cursor);

}  // namespace textctl
