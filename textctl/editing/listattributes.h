#pragma once

// The list kind and list attributes of the paragraphs a selection touches,
// as the control's menu commands and its list dialog read and write them.
//
// Attributes are read from the first selected paragraph and written to
// every selected paragraph. Positions are twips from the text area's left
// edge: the label (bullet or number) starts at the label position (the left
// indent plus the first-line indent), the text at the text position (the
// left indent: a hanging indent). Levels count from 1. A level below 1 or a
// position below 0 is written as 1 or 0.
//
// Each document keeps the attributes last written for each kind: a
// paragraph that is no list of that kind reads them, and the next list of
// that kind made there takes them.
//
//   setNumberAttribute(cursor, NumberStyle, 5);        // a, b, c
//   setListKind(cursor, ListKind::Numbers);             // one undo step
//   setNumberAttribute(cursor, NumberLevel, numberAttribute(cursor, NumberLevel) + 1);

#include "textctl/editing/formatstate.h"

#include <QString>

class QTextCursor;

namespace textctl {

// Indexes of the bullet attributes and of the number attributes.
enum BulletAttribute : int { BulletLevel = 2, BulletPosition = 3, BulletTextPosition = 5 };
enum NumberAttribute : int { NumberStyle = 1, NumberLevel = 3, NumberPosition = 4, NumberTextPosition = 9 };
// Number styles: 3 "1, 2, 3", 4 "A, B, C", 5 "a, b, c", 6 "I, II, III".
enum NumberStyleCode : int { NumbersDigits = 3, NumbersCapitals = 4, NumbersSmallLetters = 5, NumbersRoman = 6 };

struct ListAttributes {
    int level = 1;
    int labelPosition = 360;  // twips
    int textPosition = 720;   // twips
    int numberStyle = NumbersDigits;
    QString bullet = QString(QChar(0x2022));  // the bullet's text
    int start = 1;  // the number of a numbered list's first item

    friend bool operator==(const ListAttributes &, const ListAttributes &) = default;
};

// The attributes of `kind` for the first selected paragraph.
ListAttributes listAttributes(const QTextCursor &cursor, ListKind kind);
// Puts every selected paragraph into a list of `kind` with `attributes`
// (ListKind::None: out of any list, back to the text area's edge) as one
// undo step, and keeps the attributes for the document's next list of
// that kind. Paragraphs of one level of one list stay one list.
void applyList(const QTextCursor &cursor, ListKind kind, ListAttributes attributes);
// applyList with the attributes `kind` has for the first selected
// paragraph: writing the kind the paragraphs already have applies the
// first one's attributes to all of them.
void setListKind(const QTextCursor &cursor, ListKind kind);

// One attribute by index; an unknown index reads 0 and writes nothing.
// Writing changes the selected paragraphs that are lists of that kind and
// the kept attributes of that kind.
int bulletAttribute(const QTextCursor &cursor, int index);
void setBulletAttribute(const QTextCursor &cursor, int index, int value);
int numberAttribute(const QTextCursor &cursor, int index);
void setNumberAttribute(const QTextCursor &cursor, int index, int value);

}  // namespace textctl
