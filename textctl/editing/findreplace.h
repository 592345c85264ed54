#pragma once

// Search and replace as the user runs them, in the area being edited (the
// main text, tables included, or the header or footer the user is in).
// Unlike the control's Find, letter case can be matched and whole words
// asked for; a match never spans a paragraph break.
//
//   FindOptions options{.matchCase = true};
//   if (findNext(control, u"daño"_s, options) == FindOutcome::AtEnd)
//       findFromStart(control, u"daño"_s, options);   // the user said yes
//   const int count = replaceAll(control, u"daño"_s, u"siniestro"_s, options);

#include "textctl/editing/editedcursor.h"

#include <QString>
#include <QTextCursor>

class QTextDocument;
class TXTextControl;

namespace textctl {

struct FindOptions {
    bool matchCase = false;
    bool wholeWord = false;
};

enum class FindOutcome {
    Found,     // the match is selected
    AtEnd,     // nothing between the caret and the end; the text may occur before it
    NotFound,  // nowhere (the search started at the area's start)
};

// The first match at or after `from`; a null cursor when there is none or
// the text is empty.
QTextCursor findIn(const QTextDocument *doc, const QString &text, int from, FindOptions options);

// From the end of the selection (the caret) forwards; selects the match.
FindOutcome findNext(TXTextControl &control, const QString &text, FindOptions options);
// From the area's start; selects the match.
bool findFromStart(TXTextControl &control, const QString &text, FindOptions options);
// Replaces the selection when it is a match of `text`, as one undo step; the
// replacement takes the format of the match's first character.
bool replaceCurrent(TXTextControl &control, const QString &text, const QString &replacement, FindOptions options);
// Replaces every match in the area as one undo step; returns how many.
int replaceAll(TXTextControl &control, const QString &text, const QString &replacement, FindOptions options);

}  // namespace textctl
