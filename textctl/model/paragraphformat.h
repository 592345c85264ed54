#pragma once

// A paragraph's own spacing and borders, as its file or its user set them.
//
// Qt's layout is given other values in the standard properties (top and
// bottom margin, line height): derived from these by layoutformats.h, so
// that the page comes out as a word processor lays it out. Whatever reads
// or writes a paragraph's spacing goes through these functions, never
// through QTextBlockFormat::topMargin() and its kin.
//
//   ParagraphSpacing s = paragraphSpacing(block.blockFormat());
//   s.after = twipsToPixels(120);
//   setParagraphSpacing(&format, s);

#include <QPen>
#include <QTextBlockFormat>

#include <array>

namespace textctl {

enum class LineRule { Single, AtLeast, Exactly, Multiple };

struct ParagraphSpacing {
    double before = 0;  // pixels
    double after = 0;
    LineRule rule = LineRule::Single;
    double line = 0;  // pixels for AtLeast and Exactly, percent for Multiple
    bool contextual = false;

    friend bool operator==(const ParagraphSpacing &, const ParagraphSpacing &) = default;
};

// The paragraph's own spacing; a format that has none of its own (made by
// Qt, pasted from elsewhere) gives Qt's values.
ParagraphSpacing paragraphSpacing(const QTextBlockFormat &format);
// Stores `spacing` as the paragraph's own, and Qt's values as for a
// paragraph alone (the layout values follow on the next settle).
void setParagraphSpacing(QTextBlockFormat *format, const ParagraphSpacing &spacing);

// Widow and orphan control: on unless the paragraph turns it off. A new
// paragraph has it; the RTF reader turns it off in the paragraphs that say
// nothing of it in a file without \widowctrl, as word processors read them.
bool widowControl(const QTextBlockFormat &format);
void setWidowControl(QTextBlockFormat *format, bool on);

// The paragraph's own first-line indent (layout pixels, as Qt's indents):
// in a list, where the label starts; Qt's text indent there is a layout
// value (layoutformats.h).
double firstLineIndent(const QTextBlockFormat &format);
void setFirstLineIndent(QTextBlockFormat *format, double indent);

// The paragraph's own tab stops (pixels from the left margin): Qt's tab
// positions there are layout values, measured from where its first line
// starts (layoutformats.h).
QList<QTextOption::Tab> tabStops(const QTextBlockFormat &format);
void setTabStops(QTextBlockFormat *format, const QList<QTextOption::Tab> &tabs);
// Keeps `tabs` as the paragraph's own, Qt's tab positions left as they are.
void keepTabStops(QTextBlockFormat *format, const QList<QTextOption::Tab> &tabs);

// Sides in the order of the border properties.
enum BorderSide { BorderTop, BorderLeft, BorderBottom, BorderRight };

struct BorderLine {
    QPen pen{Qt::NoPen};  // Qt::NoPen: no border on that side
    double space = 0;    // pixels between the border and the text
    bool twoLines = false;

    bool present() const { return pen.style() != Qt::NoPen && pen.widthF() > 0; }
    // What the border takes beside the text: its space and its lines.
    double reach() const { return present() ? space + pen.widthF() * (twoLines ? 3 : 1) : 0.0; }
};

using ParagraphBorders = std::array<BorderLine, 4>;

ParagraphBorders paragraphBorders(const QTextBlockFormat &format);
void setParagraphBorders(QTextBlockFormat *format, const ParagraphBorders &borders);

}  // namespace textctl
