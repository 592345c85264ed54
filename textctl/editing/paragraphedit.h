#pragma once

// Paragraph values as the ruler shows and edits them, in twips, and the
// edits that write them to every paragraph of a selection as one undo step.
// Indents are measured from the text area's edges (the page margins); the
// first-line indent is relative to the left indent. Tab stops are measured
// from the text area's left edge, as the file formats measure them.
//
//   ParagraphIndents in = indentsOf(cursor.blockFormat());
//   in.left += 567;
//   setIndents(cursor, in);   // every selected paragraph, one undo step

#include <QChar>
#include <QList>
#include <QTextOption>

class QTextBlockFormat;
class QTextCursor;

namespace textctl {

struct ParagraphIndents {
    int left = 0;
    int firstLine = 0;
    int right = 0;

    friend bool operator==(const ParagraphIndents &, const ParagraphIndents &) = default;
};

struct TabStop {
    int position = 0;  // twips from the text area's left edge
    QTextOption::TabType type = QTextOption::LeftTab;
    QChar leader = u' ';  // as the model keeps it: ' ', '.', '-', '_', '=', 'm'

    friend bool operator==(const TabStop &, const TabStop &) = default;
};

ParagraphIndents indentsOf(const QTextBlockFormat &format);
// Sorted by position.
QList<TabStop> tabStopsOf(const QTextBlockFormat &format);

// Both act on every paragraph the cursor's selection touches (the caret's
// paragraph without a selection), inside one edit block.
void setIndents(const QTextCursor &cursor, const ParagraphIndents &indents);
void setTabStops(const QTextCursor &cursor, QList<TabStop> stops);

// A length rounded to the model's unit step (one pixel of 15 twips), so that
// dragged values stay exact through the model and the files.
int snapTwips(double twips);

}  // namespace textctl
