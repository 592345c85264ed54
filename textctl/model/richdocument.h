#pragma once

// The document model behind the rich-text control: the main text, the four
// header and footer areas and the page values, with what the RTF reader keeps
// for the writer (left-page headers and footers, document-level groups it does
// not interpret but must write back).
//
// Every text is a QTextDocument. Areas are numbered as the control numbers
// them (areas.h). An area is present or absent; the set of present areas is
// the header/footer set (a sum of area codes).
//
//   RichDocument doc;
//   doc.ensureArea(PageHeader)->setPlainText("Informe");
//   doc.headerFooterSet();   // 1

#include "textctl/model/areas.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <memory>

class QTextDocument;

namespace textctl {

// Lengths inside QTextFormat properties (spacing, tab stops, cell padding,
// picture sizes; not indents, see below) are pixels of 1/96 inch, Qt's unit for a document
// with no paint device: 15 twips each. Twips convert exactly both ways.
inline constexpr double kTwipsPerPixel = 15.0;
inline constexpr double twipsToPixels(int twips) { return twips / kTwipsPerPixel; }
inline constexpr int pixelsToTwips(double pixels)
{
    const double t = pixels * kTwipsPerPixel;
    return static_cast<int>(t < 0 ? t - 0.5 : t + 0.5);
}

// Qt's layout measures at 144 dots an inch, where every font size a file
// can give (half points) is a whole number of pixels: at 96 a 10-point font
// would be set 13 pixels tall instead of 13 1/3, and its lines would hold
// more text than a word processor's. (At 1440, where every length of a file
// is whole and Qt's rounding of table rows to whole pixels would cost
// nothing, Enter and Backspace early in a long report took twice as long.)
// Layout coordinates (line and block places, document sizes, hit tests)
// are kLayoutScale times reference pixels. Qt scales vertical spacing, line
// heights, tab stops, tables and pictures of a format to its device itself;
// paragraph indents (left, right, first line) it takes as they stand, so
// the model keeps those in layout pixels; letter spacing it scales by the
// whole part of the device's scale.
inline constexpr double kLayoutScale = 1.5;
inline constexpr double toLayout(double pixels) { return pixels * kLayoutScale; }
inline constexpr double fromLayout(double layoutPixels) { return layoutPixels / kLayoutScale; }
inline constexpr double twipsToIndent(int twips) { return twipsToPixels(twips) * kLayoutScale; }
inline constexpr int indentToTwips(double indent) { return pixelsToTwips(indent / kLayoutScale); }
inline constexpr double twipsToLetterSpacing(int twips)
{
    return twipsToIndent(twips) / static_cast<int>(kLayoutScale);
}

// The six page values the control, the page dialog and the files exchange,
// in twips.
struct PageValues {
    int width = 11906;   // A4
    int height = 16837;
    int marginLeft = 1440;
    int marginTop = 1440;
    int marginRight = 1440;
    int marginBottom = 1440;

    friend bool operator==(const PageValues &, const PageValues &) = default;
};

// Page geometry as a file states it: the six page values and where the
// header and footer stand.
struct PageSetup : PageValues {
    int headerY = 720;   // distance of a header from the top edge
    int footerY = 720;   // distance of a footer from the bottom edge

    friend bool operator==(const PageSetup &, const PageSetup &) = default;
};

class RichDocument final {
public:
    inline static const QString kDefaultFont = QStringLiteral("Arial");
    static constexpr int kDefaultFontHalfPoints = 24;  // 12 pt
    static constexpr int kDefaultTabTwips = 1134;      // 2 cm

    RichDocument();
    ~RichDocument();
    Q_DISABLE_COPY_MOVE(RichDocument)

    QTextDocument *main() const { return m_texts[areaIndex(MainText)].get(); }

    // The document of an area code (0 gives the main text); nullptr when the
    // area is absent or the code is not one of 0, 1, 2, 4, 8.
    QTextDocument *area(int code) const;
    // The area, created empty (with the main text's default font) if absent.
    QTextDocument *ensureArea(int code);
    void removeArea(int code);
    // The area taken out with its text and undo history (nullptr when
    // absent), and put back in its place.
    std::unique_ptr<QTextDocument> takeArea(int code);
    void putArea(int code, std::unique_ptr<QTextDocument> text);

    // The main text, then every present area in code order.
    QList<QTextDocument *> texts() const;

    // Sum of the codes of the present areas.
    int headerFooterSet() const;
    // Creates and removes areas so that exactly the areas of `set` exist.
    void setHeaderFooterSet(int set);

    // Empties the main text, removes the areas and the kept groups. The page
    // values stay: a load changes only the page values its file states.
    void clear();

    // A fresh QTextDocument set up like every document of this model
    // (default font, tab width, no margins of its own).
    static std::unique_ptr<QTextDocument> makeTextDocument();

    PageSetup page;

    // Groups the model has no place for, kept verbatim (braces included) so
    // that a save writes them back unchanged: \headerl and \footerl areas,
    // and document-level destinations such as \info.
    QByteArray leftHeaderRtf;
    QByteArray leftFooterRtf;
    QList<QByteArray> keptGroups;

private:
    // By areaIndex(): the main text, always there, then the areas present.
    std::array<std::unique_ptr<QTextDocument>, kTextCount> m_texts;
};

}  // namespace textctl
