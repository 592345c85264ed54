#pragma once

// The one pagination of a document: the texts are laid out at a fixed
// resolution (144 px an inch, richdocument.h) with the fonts' design
// metrics, on a fixed paint device, so page breaks do not depend on the
// screen. Screen, preview, printer and PDF only scale it. Sheet geometry
// is in reference pixels (1/96 inch), layout y in layout pixels.
//
// The main text is laid out as one column as wide as the body (page width
// less the side margins) and cut into pages by pagebreaks.h: page i shows
// the slice of that column from its own top to the next page's top. The
// header and footer areas are laid out at the body width. As word
// processors do, a header that reaches below the top margin pushes the
// body down (and a footer above the bottom margin pushes its end up); the
// tallest header and footer set the body of every page.
//
// Pages are found as they are asked for, and the rest in idle time, a few
// milliseconds at a time, so that an edit costs the same on page 1 of a
// long report as on a short one: an edit forgets the pages from the one
// before it on, and finding them again stops as soon as a page starts
// where it started before (everything after it then breaks as before).
// pageCount(), and so printing, the preview, PDF and the page count
// fields, always finds every page first.
//
// Nothing is laid out until ensureLayout() runs: a merge edits documents
// with no layout attached. Once attached, the layout follows edits by
// itself; ensureLayout() also applies changed page values and lays out
// areas created since. It never touches the undo stack or the text.
//
//   Pagination pagination(control.document());
//   const int pages = pagination.pageCount();   // lays out and paginates

#include "textctl/model/richdocument.h"
#include "textctl/render/pagebreaks.h"

#include <QList>
#include <QObject>
#include <QRectF>
#include <QSizeF>
#include <QTimer>

#include <functional>
#include <memory>

class QTextDocument;

namespace textctl {

class LiveFieldHandler;
class PictureHandler;

class Pagination final : public QObject {
    Q_OBJECT
public:
    explicit Pagination(RichDocument &document, QObject *parent = nullptr);
    ~Pagination() override;
    Q_DISABLE_COPY_MOVE(Pagination)

    RichDocument &document() const { return m_doc; }

    // Attaches or refreshes the layouts; cheap when nothing changed.
    void ensureLayout();
    // True while the main text has its layout (a merge runs without).
    bool hasLayout() const;
    // Drops the layouts (a merge about to edit a shown document runs
    // faster without); the next ensureLayout() lays out afresh. The text,
    // its undo and Change are untouched.
    void releaseLayout();

    // Pages of the main text (at least 1), every page found first.
    int pageCount();
    // The pages found so far (at least 1), without looking for more.
    int knownPageCount() const { return int(m_starts.size()); }
    // The pages views show: the count last reported by pagesChanged. It
    // does not drop while an edit's pages are being found again.
    int reportedPageCount() const { return qMax(1, int(m_reported.size())); }
    // Whether page `page` exists, finding pages as far as needed.
    bool hasPage(int page);
    bool isComplete() const { return m_complete; }
    // Goes on finding pages for about `milliseconds`, one at least; true
    // once the last page is known.
    bool paginateFor(int milliseconds);

    // Geometry in reference pixels, from the current page values.
    QSizeF pageSize() const;
    // The body on a sheet, in sheet coordinates: inside the margins and
    // clear of the header and footer (as of the last ensureLayout()).
    QRectF bodyRect() const;
    // The body's height in layout pixels.
    double bodyHeight() const;
    // Where an area's text starts on a sheet: the header at headerY from
    // the top edge, the footer ending footerY above the bottom edge (the
    // area must be laid out: call ensureLayout() first).
    QPointF areaOrigin(int areaCode) const;
    // The area drawn on `page` (1-based) for a header (1) or footer (4):
    // the first-page area on page 1 when the document has the first-page
    // set (2 or 8 present); 0 when that area is absent (nothing drawn).
    int areaForPage(int kind, int page) const;

    // The slice of the main text's layout that page `page` (1-based)
    // shows, in layout y, and the document positions it holds; each finds
    // pages as far as it needs.
    double pageTop(int page);
    double pageBottom(int page);
    int pageFirstPosition(int page);
    // The page of a layout y or of a document position of the main text.
    int pageAt(double layoutY);
    int pageOfPosition(int position);

    // Sheet (reference pixels) <-> main layout coordinates; page is 1-based.
    QPointF sheetToLayout(int page, const QPointF &sheetPoint);
    QPointF layoutToSheet(const QPointF &layoutPoint, int *page);

    // The page number live fields in header and footer areas show while a
    // page is drawn (main text fields know their page from their place).
    void setDrawnPage(int page);

    // Lines and table rows the page breaking has looked at, for tests that
    // an edit does not paginate what follows the pages it changed.
    qint64 unitsPaginated() const { return m_units; }

signals:
    // Pages from `page` on were found or found again: views of them follow.
    void pagesChanged(int page);

private:
    void prepare(QTextDocument *doc, double width);
    QRectF marginRect() const;
    QRectF clearOfAreas(QRectF body) const;
    void restart();
    void contentsChanged(int from, int removed, int added);
    bool findNextPage();
    void finish();
    void paginateUntil(const std::function<bool()> &enough);
    void reportChanges();
    void idleStep();
    double topOf(int index);

    RichDocument &m_doc;
    std::unique_ptr<LiveFieldHandler> m_fields;
    std::unique_ptr<PictureHandler> m_pictures;
    QRectF m_body;
    PageSetup m_bodyPage;  // the page values m_body was computed from
    // Where each page known so far starts; page 1 at the text's start.
    QList<PageStart> m_starts{PageStart{}};
    // After an edit, where the pages after it started before it: finding
    // one of them again means the rest are still right.
    QList<PageStart> m_formerStarts;
    bool m_formerComplete = false;
    bool m_complete = false;
    QList<double> m_tops;  // layout y of each start, NaN while unknown
    // The starts as last reported, moved with the text since.
    QList<PageStart> m_reported;
    qint64 m_units = 0;
    QTimer m_idle;
    QMetaObject::Connection m_watch;
};

}  // namespace textctl
