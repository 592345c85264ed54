#pragma once

// The one pagination of a document: the main text is laid out once at the
// model's reference resolution (96 px an inch, 15 twips a pixel) with the
// fonts' design metrics, on a fixed paint device, so page breaks do not
// depend on the screen. Screen, preview, printer and PDF only scale it.
//
// The main text's layout is as wide as the body (page width less the side
// margins) and paginates at the body height: page i (0-based) holds the
// layout slice y in [i * bodyHeight, (i + 1) * bodyHeight), drawn at the
// body's top on its sheet. The header and footer areas are laid out at the
// body width. As word processors do, a header that reaches below the top
// margin pushes the body down (and a footer above the bottom margin pushes
// its end up); the tallest header and footer set the body of every page.
//
// Nothing is laid out until ensureLayout() runs: a merge edits documents
// with no layout attached. Once attached, the layout follows edits by
// itself; ensureLayout() also applies changed page values and lays out
// areas created since. It never touches the undo stack or the text.
//
//   Pagination pagination(control.document());
//   const int pages = pagination.pageCount();   // lays out if needed

#include "textctl/model/richdocument.h"

#include <QRectF>
#include <QSizeF>

#include <array>
#include <memory>

class QPaintDevice;
class QTextDocument;

namespace textctl {

class LiveFieldHandler;
class PictureHandler;

class Pagination final {
public:
    explicit Pagination(RichDocument &document);
    ~Pagination();
    Q_DISABLE_COPY_MOVE(Pagination)

    RichDocument &document() const { return m_doc; }

    // Attaches or refreshes the layouts; cheap when nothing changed.
    void ensureLayout();
    // Pages of the main text (at least 1); lays out first.
    int pageCount();
    // Drops the layouts (a merge about to edit a shown document runs
    // faster without); the next ensureLayout() lays out afresh. The text,
    // its undo and Change are untouched.
    void releaseLayout();

    // Geometry in reference pixels, from the current page values.
    QSizeF pageSize() const;
    // The body on a sheet, in sheet coordinates: inside the margins and
    // clear of the header and footer (as of the last ensureLayout()).
    QRectF bodyRect() const;
    double bodyHeight() const { return bodyRect().height(); }
    // Where an area's text starts on a sheet: the header at headerY from
    // the top edge, the footer ending footerY above the bottom edge (the
    // area must be laid out: call ensureLayout() first).
    QPointF areaOrigin(int areaCode) const;
    // The area drawn on `page` (1-based) for a header (1) or footer (4):
    // the first-page area on page 1 when the document has the first-page
    // set (2 or 8 present); 0 when that area is absent (nothing drawn).
    int areaForPage(int kind, int page) const;

    // Sheet <-> main layout coordinates; page is 1-based.
    QPointF sheetToLayout(int page, const QPointF &sheetPoint) const;
    QPointF layoutToSheet(const QPointF &layoutPoint, int *page) const;

    // The page number live fields in header and footer areas show while a
    // page is drawn (main text fields know their page from their place).
    void setDrawnPage(int page);

    // The fixed 96-dpi device every layout measures on.
    static QPaintDevice *referenceDevice();

private:
    void prepare(QTextDocument *doc, double width, double height);
    QRectF marginRect() const;
    QRectF clearOfAreas(QRectF body) const;

    RichDocument &m_doc;
    std::unique_ptr<LiveFieldHandler> m_fields;
    std::unique_ptr<PictureHandler> m_pictures;
    int m_pages = 1;
    QRectF m_body;
    PageSetup m_bodyPage;  // the page values m_body was computed from
};

}  // namespace textctl
