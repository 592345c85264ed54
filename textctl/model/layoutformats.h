#pragma once

// The values Qt's layout is given for a paragraph, derived from its own
// spacing and borders (paragraphformat.h), its neighbours and its fonts.
//
// Qt's layout gives the larger of a paragraph's space after and the next
// one's space before, and sizes a line by its font's ascent and descent
// rounded to pixels; a word processor gives both spaces, sizes a single line
// by the font's ascent, descent and line gap, and puts a border's space and
// width beside the text. So the top margin Qt sees is the paragraph's space
// before plus the previous paragraph's space after (when both share a flow:
// the same text or the same table cell), plus its top border's reach; the
// bottom margin is its space after plus its bottom border's reach; the line
// height is a minimum (or exact) height from the fonts of the paragraph.
// Around a table Qt drops the neighbours' spacing: the table's top and
// bottom margins carry the space after of the paragraph before it and the
// space before of the one after it.
//
// Every text document of the model has a keeper (RichDocument makes it):
// after an edit it brings the edited paragraphs and their neighbours in
// line, as part of the same undo step, when control returns to the event
// loop; whatever measures the layout first calls settleLayoutFormats().

#include <QObject>

class QAbstractTextDocumentLayout;
class QFont;
class QPaintDevice;
class QTextBlock;
class QTextBlockFormat;
class QTextDocument;
class QTextLine;
class QTextTableCell;

namespace textctl {

// The fixed device every layout of the pages measures on (richdocument.h
// says its resolution).
QPaintDevice *layoutDevice();

// A single line of `font` as word processors measure it, in pixels of 1/96
// inch: the larger of the font's Windows ascent plus descent and its
// typographic ascent, descent and line gap; 1.2 em for a font that has
// neither (Type 1).
double singleLineHeight(const QFont &font);

// The box a laid-out line of `block` takes, from the block's top, in layout
// pixels (richdocument.h): Qt places the text of a line of fixed or minimum
// height inside a box that is not the line's own rectangle.
struct LineBox {
    double top = 0;
    double height = 0;
    double bottom() const { return top + height; }
};
LineBox lineBox(const QTextBlock &block, const QTextLine &line);

// Where the last line box of `block` ends, in layout pixels: Qt's rectangle
// of a block holds its lines at their fonts' height, not the height they
// are given.
double textBottom(const QAbstractTextDocumentLayout &layout, const QTextBlock &block);

// How tall a cell's content is, in layout pixels, from its first line's
// box to its last one's and the last paragraph's space after.
double cellContentHeight(const QTextTableCell &cell, const QTextDocument *doc);

// `block`'s format with the layout values it should have; `largerSpace`
// when its document gives the larger of two spaces between paragraphs
// (\htmautsp), not both.
QTextBlockFormat layoutFormat(const QTextBlock &block);
QTextBlockFormat layoutFormat(const QTextBlock &block, bool largerSpace);

// Gives the blocks holding positions `from` to `to`, and the blocks just
// before and after them, their layout values. Returns whether any changed.
bool updateLayoutFormats(QTextDocument *doc, int from, int to);

class LayoutFormatKeeper final : public QObject {
    Q_OBJECT
public:
    explicit LayoutFormatKeeper(QTextDocument *doc);

    static LayoutFormatKeeper *of(const QTextDocument *doc);

    // Brings the paragraphs edited since the last settle in line now.
    void settle();
    // True while settle() rewrites formats: a change of layout, not an edit.
    bool applying() const { return m_applying; }
    // Forgets the pending edits (their paragraphs were brought in line).
    void discardPending() { m_from = -1; }

private:
    void changed(int from, int added);

    QTextDocument *m_doc;
    int m_from = -1;
    int m_to = -1;
    bool m_queued = false;
    bool m_applying = false;
};

// Settles `doc`'s keeper, if it has one.
void settleLayoutFormats(const QTextDocument *doc);
// True while `doc`'s keeper is settling it.
bool settlingLayoutFormats(const QTextDocument *doc);

}  // namespace textctl
