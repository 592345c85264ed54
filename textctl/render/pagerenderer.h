#pragma once

// Draws one page of a paginated document on any QPainter: the white sheet,
// the header (or first-page header), the page's slice of the main text, the
// footer (or first-page footer), the pictures placed at fixed positions.
// The painter's origin is the sheet's top-left corner; `scale` maps
// reference pixels (1/96 inch) to painter units.
//
//   PageRenderer renderer(pagination);
//   QPainter painter(&image);
//   renderer.drawPage(painter, 2, image.logicalDpiX() / 96.0);
//
// A view passes PageDecorations to grey the parts not being edited and to draw
// the caret and selection of the part that is.

#include <QAbstractTextDocumentLayout>
#include <QList>

#include <functional>

class QPainter;
class QPaintDevice;
class QTextImageFormat;

namespace textctl {

class Pagination;

struct PageDecorations {
    // The part being edited (0 main text, else an area code); every other
    // part is drawn greyed. -1: a printout, nothing greyed.
    int activeArea = -1;
    // Caret and selections for the active part's document.
    QAbstractTextDocumentLayout::PaintContext context;
    // Marks drawn over the text of any part, asked by its document (the
    // view's spelling underline); a printout has none.
    std::function<QList<QAbstractTextDocumentLayout::Selection>(const QTextDocument *)> marks;
    // The part of the sheet to draw, in sheet coordinates (reference
    // pixels); null: the whole sheet. Text outside it is not drawn at all.
    QRectF sheetClip;
};

// A picture placed on a page by the main text: its anchor's position and
// where it is drawn on the sheet (reference pixels).
struct PlacedPicture {
    int position = -1;
    QRectF sheetRect;
};

class PageRenderer final {
public:
    using Decorations = PageDecorations;

    explicit PageRenderer(Pagination &pagination);

    // Page numbers start at 1; a page past the end draws the blank sheet.
    void drawPage(QPainter &painter, int page, double scale,
                  const Decorations &decorations = {}) const;

    // The pictures the main text places on page `page`, in drawing order.
    QList<PlacedPicture> placedPictures(int page) const;

    // Scale that draws reference pixels at their true size on `device`.
    static double deviceScale(const QPaintDevice *device);

private:
    void drawArea(QPainter &painter, int area, int page, const Decorations &decorations) const;
    void drawBody(QPainter &painter, int page, const Decorations &decorations) const;
    void drawFixedPictures(QPainter &painter, QTextDocument *doc, int page, const QPointF &origin,
                           double layoutTop) const;
    void forEachFixedPicture(QTextDocument *doc, int page, const QPointF &origin, double layoutTop,
                             const std::function<void(int, const QTextImageFormat &, const QRectF &)> &visit) const;

    Pagination &m_pagination;
};

}  // namespace textctl
