#pragma once

// The editing steps of the page view, on a QTextCursor of one document, so
// that they reach the document's undo stack and its change signal and can
// be tested without a widget.
//
// Tables keep their shape: a paragraph never merges across a table-cell
// boundary or into or out of a table, so Backspace at the start of a cell
// and Delete at its end do nothing.
//
//   QTextCursor cursor(doc);
//   textctl::typeText(cursor, u"a"_s, /*overwrite=*/false);
//   textctl::deleteBackward(cursor);

#include <QTextCursor>

namespace textctl {

// Types `text` at the cursor, replacing the selection; in overwrite mode
// with no selection, each character replaces the next one in the paragraph.
void typeText(QTextCursor &cursor, const QString &text, bool overwrite);
// Enter: a new paragraph with the current one's formatting, except the
// separator-block mark (an empty block that is no paragraph of the file),
// which stays where it was.
void insertParagraph(QTextCursor &cursor);
// Shift+Enter: a line break inside the paragraph.
void insertLineBreak(QTextCursor &cursor);
// Backspace and Delete: remove the selection or the character before or
// after the cursor. False when nothing could be removed (document edges,
// cell and table boundaries).
bool deleteBackward(QTextCursor &cursor);
bool deleteForward(QTextCursor &cursor);

}  // namespace textctl
