#pragma once

// The text colour and the text background colour of a selection, as the
// control's ForeColor and TextBkColor give them: 0xRRGGBB, or -1 when the
// selected text has more than one. Text with no colour of its own reads as
// black, text with no background as white. Without a selection the caret's
// format is read.
//
//   if (textctl::foreColor(control.cursor()) != 0xFF0000)
//       textctl::setForeColor(control, 0xFF0000);   // one undo step

class QTextCursor;
class TXTextControl;

namespace textctl {

inline constexpr int kMixedColor = -1;

int foreColor(const QTextCursor &cursor);
int textBkColor(const QTextCursor &cursor);
// Written as the other character formats are (applyCharFormat): to the
// selection, or to the word at the caret and what the caret types next.
void setForeColor(TXTextControl &control, int rgb);
void setTextBkColor(TXTextControl &control, int rgb);

}  // namespace textctl
