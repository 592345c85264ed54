#pragma once

// The character and paragraph format a button bar shows for a selection, and
// the format commands it applies. A value that differs inside the selection
// reads as mixed: an empty family, a size of 0, a toggle off, no alignment,
// no list. Without a selection the caret's format is shown.
//
// Character commands act on the selection or, without one, on the word the
// caret is inside (and on what the caret types next); paragraph commands act
// on every paragraph the selection touches. Each command is one undo step.
//
//   const FormatState shown = formatStateOf(control.cursor());
//   QTextCharFormat bold;
//   bold.setFontWeight(shown.bold ? QFont::Normal : QFont::Bold);
//   applyCharFormat(control, bold);

#include <QString>
#include <QTextCharFormat>

class QTextBlock;
class QTextCursor;
class TXTextControl;

namespace textctl {

// The control's list kind numbers.
enum class ListKind { None = 0, Bullets = 2, Numbers = 4 };

struct FormatState {
    QString family;
    double pointSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    Qt::Alignment alignment;  // AlignLeft, AlignHCenter, AlignRight or AlignJustify
    ListKind list = ListKind::None;
};

FormatState formatStateOf(const QTextCursor &cursor);
ListKind listKindOf(const QTextBlock &block);

void applyCharFormat(TXTextControl &control, const QTextCharFormat &format);
void applyAlignment(const QTextCursor &cursor, Qt::Alignment alignment);
// Puts the selected paragraphs into one new list of `kind`, or takes them out
// of their lists when all of them already are lists of that kind.
void toggleList(const QTextCursor &cursor, ListKind kind);

}  // namespace textctl
