#pragma once

// The cursor of the area the user is editing (the main text, or the header
// or footer opened with activateHeaderFooter), as the view edits it: a
// dialog's change goes where the caret is, even when a merge step left the
// control's target elsewhere.

#include <QTextCursor>

class TXTextControl;

namespace textctl {

// Makes the area being edited the control's target and returns its cursor
// (null when that area is absent).
QTextCursor editedCursor(TXTextControl &control);

}  // namespace textctl
