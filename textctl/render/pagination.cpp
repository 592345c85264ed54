#include "textctl/render/pagination.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/layoutformats.h"
#include "textctl/render/objecthandlers.h"
#include "textctl/render/pagebreaks.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QTextDocument>
#include <QTextFormat>

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <limits>

namespace textctl {

namespace {

// How long one idle step looks for pages: short enough not to delay a key.
constexpr int kIdleSliceMs = 4;
constexpr double kUnknown = std::numeric_limits<double>::quiet_NaN();
// Qt counts a line's last glyph overhanging its advance (a negative right
// side bearing) against the width, where a word processor measures advances
// only, and it takes the overhang in whole device pixels: the "a" that ends
// "Su referencia" overhangs by one. Text right-tabbed to the right margin
// then wrapped. The layout gets one pixel more than the text width, which
// covers the overhang of upright text and lets no line hold more than half
// a point past the margin; a right-aligned line ends that half point past it.
constexpr double kOverhangLayoutPixels = 1.0;

// The office fonts templates name, mapped to their metric-compatible free
// faces when the system's font configuration does not already do it.
void insertFontSubstitutions()
{
    static const bool done = [] {
        const char *const pairs[][2] = {
            {"Arial", "Liberation Sans"},
            {"Helvetica", "Liberation Sans"},
            {"Times New Roman", "Liberation Serif"},
            {"Courier New", "Liberation Mono"},
            {"Calibri", "Carlito"},
            {"Cambria", "Caladea"},
        };
        for (const auto &pair : pairs)
            QFont::insertSubstitution(QString::fromLatin1(pair[0]), QString::fromLatin1(pair[1]));
        return true;
    }();
    Q_UNUSED(done);
}

double pixels(int twips) { return twipsToPixels(twips); }

}  // namespace

Pagination::Pagination(RichDocument &document, QObject *parent)
    : QObject(parent)
    , m_doc(document)
    , m_fields(std::make_unique<LiveFieldHandler>())
    , m_pictures(std::make_unique<PictureHandler>())
{
    insertFontSubstitutions();
    m_fields->setMain(m_doc.main(), [this](double y) { return pageAt(y); });
    m_idle.setSingleShot(true);
    m_idle.setInterval(0);
    connect(&m_idle, &QTimer::timeout, this, &Pagination::idleStep);
}

Pagination::~Pagination() = default;

QSizeF Pagination::pageSize() const
{
    return {pixels(m_doc.page.width), pixels(m_doc.page.height)};
}

QRectF Pagination::bodyRect() const
{
    return m_body.isValid() && m_bodyPage == m_doc.page ? m_body : marginRect();
}

QRectF Pagination::marginRect() const
{
    const PageSetup &p = m_doc.page;
    const double width = pixels(p.width - p.marginLeft - p.marginRight);
    const double height = pixels(p.height - p.marginTop - p.marginBottom);
    // A page whose margins leave no room still gets a sliver of body, so
    // the pagination always progresses.
    return {pixels(p.marginLeft), pixels(p.marginTop), qMax(width, 1.0), qMax(height, 1.0)};
}

bool Pagination::hasLayout() const
{
    const QTextDocument *main = m_doc.main();
    return main->findChild<QAbstractTextDocumentLayout *>(QString(), Qt::FindDirectChildrenOnly)
        && main->documentLayout()->paintDevice() == layoutDevice();
}

// One column of the given width, as tall as its text.
void Pagination::prepare(QTextDocument *doc, double width)
{
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    const bool newDevice = layout->paintDevice() != layoutDevice();
    if (newDevice) {
        layout->setPaintDevice(layoutDevice());
        layout->registerHandler(prop::FieldObjectType, m_fields.get());
        layout->registerHandler(QTextFormat::ImageObject, m_pictures.get());
        doc->setUseDesignMetrics(true);
    }
    // One full layout with the device and handlers in place: a long table
    // takes seconds to lay out.
    const QSizeF size(toLayout(width) + kOverhangLayoutPixels, -1);
    if (doc->pageSize() != size)
        doc->setPageSize(size);
    else if (newDevice)
        doc->markContentsDirty(0, doc->characterCount());
}

// The body moved clear of the laid-out header and footer areas.
QRectF Pagination::clearOfAreas(QRectF body) const
{
    const PageSetup &p = m_doc.page;
    for (int area : kHeaderFooterAreas) {
        const QTextDocument *doc = m_doc.area(area);
        if (!doc)
            continue;
        if (isHeaderArea(area))
            body.setTop(qMax(body.top(), pixels(p.headerY) + fromLayout(doc->size().height())));
        else
            body.setBottom(qMin(body.bottom(), pixels(p.height - p.footerY) - fromLayout(doc->size().height())));
    }
    return {body.topLeft(), QSizeF(body.width(), qMax(body.height(), 1.0))};
}

// The layout measures in 1/64 px: a body height it can represent keeps its
// page boundaries where ours are.
double Pagination::bodyHeight() const
{
    return std::floor(toLayout(bodyRect().height()) * 64) / 64;
}

void Pagination::ensureLayout()
{
    for (const QTextDocument *doc : m_doc.texts())
        settleLayoutFormats(doc);
    const QRectF margins = marginRect();
    for (int area : kHeaderFooterAreas) {
        if (QTextDocument *doc = m_doc.area(area)) {
            prepare(doc, margins.width());
            doc->size();  // finishes the area's layout
        }
    }
    QTextDocument *main = m_doc.main();
    const bool attached = hasLayout();
    const QRectF body = clearOfAreas(margins);
    const bool newBody = body != m_body || m_bodyPage != m_doc.page;
    m_body = body;
    m_bodyPage = m_doc.page;
    prepare(main, m_body.width());
    if (!attached) {
        m_watch = connect(main, &QTextDocument::contentsChange, this, &Pagination::contentsChanged);
        restart();
    } else if (newBody) {
        restart();
    }
}

// Every page is to be found again from the first.
void Pagination::restart()
{
    m_starts = {PageStart{}};
    m_tops = {kUnknown};
    m_formerStarts.clear();
    m_complete = false;
    for (PageStart &reported : m_reported)
        reported = {-1, 0};
    m_idle.start();
    reportChanges();
}

void Pagination::releaseLayout()
{
    disconnect(m_watch);
    m_idle.stop();
    for (QTextDocument *doc : m_doc.texts()) {
        if (doc->findChild<QAbstractTextDocumentLayout *>(QString(), Qt::FindDirectChildrenOnly))
            doc->setDocumentLayout(nullptr);
    }
    m_body = QRectF();
}

// An edit keeps the pages before the one it falls on and the one before
// that (whose last lines it may move). The starts after the edited text
// are kept aside, moved with the text: a page found again at one of them
// starts on the same text as before, and so do all the pages after it.
void Pagination::contentsChanged(int from, int removed, int added)
{
    const auto holding = std::upper_bound(m_starts.cbegin(), m_starts.cend(), from,
                                          [](int position, const PageStart &start) { return position < start.position; });
    const qsizetype keep = qMax<qsizetype>(1, (holding - m_starts.cbegin()) - 1);
    QList<PageStart> former = m_starts.mid(keep);
    bool formerComplete = m_complete;
    if (!m_formerStarts.isEmpty()) {
        former += m_formerStarts;
        formerComplete = m_formerComplete;
    }
    m_formerStarts.clear();
    for (PageStart start : std::as_const(former)) {
        if (start.position < from + removed)
            continue;
        start.position += added - removed;
        if (m_formerStarts.isEmpty() || m_formerStarts.last().position < start.position
            || (m_formerStarts.last().position == start.position && m_formerStarts.last().offset < start.offset))
            m_formerStarts.append(start);
    }
    m_formerComplete = formerComplete;
    for (PageStart &reported : m_reported) {
        if (reported.position >= from + removed)
            reported.position += added - removed;
        else if (reported.position >= from)
            reported = {-1, 0};
    }
    m_starts.resize(keep);
    m_tops = QList<double>(keep, kUnknown);
    m_complete = false;
    m_idle.start();
}

// Finds the start of the page after the last one known; false, with the
// pagination complete, when that page runs to the end of the text.
bool Pagination::findNextPage()
{
    if (m_complete)
        return false;
    ensureLayout();
    PageStart next;
    if (!nextPageStart(*m_doc.main(), m_starts.last(), bodyHeight(), &next, &m_units)) {
        finish();
        return false;
    }
    m_starts.append(next);
    m_tops.append(kUnknown);
    while (!m_formerStarts.isEmpty()
           && (m_formerStarts.first().position < next.position
               || (m_formerStarts.first().position == next.position && m_formerStarts.first().offset < next.offset)))
        m_formerStarts.removeFirst();
    if (!m_formerStarts.isEmpty() && m_formerStarts.first() == next) {
        // From here on the text breaks as it did before the edit.
        m_formerStarts.removeFirst();
        m_starts += m_formerStarts;
        m_tops.resize(m_starts.size(), kUnknown);
        m_formerStarts.clear();
        if (m_formerComplete) {
            finish();
            return false;
        }
    }
    return true;
}

// Every page is known: the page count fields show the new count. Fields
// are as wide as the page count written out (digits share one width): the
// texts are laid out again only when it gains or loses a digit.
void Pagination::finish()
{
    m_complete = true;
    // The last page reached the end of the text: the layout ends its own
    // run (and stops its timer) with it.
    m_doc.main()->documentLayout()->documentSize();
    m_formerStarts.clear();
    const int pages = knownPageCount();
    const int shown = m_fields->pageCount();
    m_fields->setPageCount(pages);
    if (QString::number(pages).size() != QString::number(shown).size()) {
        for (int area : kHeaderFooterAreas)
            if (QTextDocument *doc = m_doc.area(area))
                doc->markContentsDirty(0, doc->characterCount());
        // Marking a text dirty tells its layout, not its contentsChange:
        // the pages of the main text are found again here.
        if (containsLiveField(*m_doc.main())) {
            m_doc.main()->markContentsDirty(0, m_doc.main()->characterCount());
            restart();
        }
    }
}

void Pagination::paginateUntil(const std::function<bool()> &enough)
{
    ensureLayout();
    while (!enough() && findNextPage()) {
    }
    reportChanges();
}

// Tells views of the first page whose start differs from what they were
// told, or of pages found past it; the count they show drops only once
// every page is known.
void Pagination::reportChanges()
{
    const qsizetype common = qMin(m_starts.size(), m_reported.size());
    qsizetype first = 0;
    while (first < common && m_starts[first] == m_reported[first])
        ++first;
    const bool grew = m_starts.size() > m_reported.size();
    const bool shrank = m_complete && m_starts.size() < m_reported.size();
    if (first == common && !grew && !shrank)
        return;
    for (qsizetype i = first; i < m_starts.size(); ++i) {
        if (i < m_reported.size())
            m_reported[i] = m_starts[i];
        else
            m_reported.append(m_starts[i]);
    }
    if (shrank)
        m_reported.resize(m_starts.size());
    emit pagesChanged(int(first) + 1);
}

bool Pagination::paginateFor(int milliseconds)
{
    QElapsedTimer timer;
    timer.start();
    const int before = knownPageCount();
    paginateUntil([&] { return knownPageCount() > before && timer.elapsed() >= milliseconds; });
    return m_complete;
}

void Pagination::idleStep()
{
    if (hasLayout() && !paginateFor(kIdleSliceMs))
        m_idle.start();
}

bool Pagination::hasPage(int page)
{
    paginateUntil([&] { return knownPageCount() >= page; });
    return page >= 1 && page <= knownPageCount();
}

int Pagination::pageCount()
{
    // Finishing may make the page count fields wider, which lays their
    // texts out again and asks for the pages anew: a second round, rarely
    // a third, finds them with the fields at their final width.
    ensureLayout();
    for (int round = 0; round < 3 && !m_complete; ++round)
        paginateUntil([] { return false; });
    return knownPageCount();
}

double Pagination::topOf(int index)
{
    if (std::isnan(m_tops[index]))
        m_tops[index] = pageStartY(*m_doc.main(), m_starts[index]);
    return m_tops[index];
}

double Pagination::pageTop(int page)
{
    paginateUntil([&] { return knownPageCount() >= page; });
    return topOf(qBound(1, page, knownPageCount()) - 1);
}

double Pagination::pageBottom(int page)
{
    paginateUntil([&] { return knownPageCount() > page; });
    if (page < knownPageCount())
        return topOf(qMax(1, page));
    QTextDocument *main = m_doc.main();
    return main->documentLayout()->frameBoundingRect(main->rootFrame()).bottom();
}

int Pagination::pageFirstPosition(int page)
{
    paginateUntil([&] { return knownPageCount() >= page; });
    if (page > knownPageCount())
        return m_doc.main()->characterCount() - 1;
    return m_starts[qMax(1, page) - 1].position;
}

int Pagination::pageAt(double layoutY)
{
    paginateUntil([&] { return topOf(knownPageCount() - 1) > layoutY; });
    int low = 1;
    int high = knownPageCount();
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (topOf(middle - 1) <= layoutY)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

int Pagination::pageOfPosition(int position)
{
    paginateUntil([&] { return m_starts.last().position > position; });
    const auto after = std::upper_bound(m_starts.cbegin(), m_starts.cend(), position,
                                        [](int p, const PageStart &start) { return p < start.position; });
    return qMax(1, int(after - m_starts.cbegin()));
}

QPointF Pagination::areaOrigin(int areaCode) const
{
    const PageSetup &p = m_doc.page;
    const double left = pixels(p.marginLeft);
    if (isHeaderArea(areaCode))
        return {left, pixels(p.headerY)};
    const QTextDocument *doc = m_doc.area(areaCode);
    const double height = doc ? fromLayout(doc->size().height()) : 0;
    return {left, pixels(p.height - p.footerY) - height};
}

int Pagination::areaForPage(int kind, int page) const
{
    const int first = kind == PageHeader ? FirstPageHeader : FirstPageFooter;
    const int set = m_doc.headerFooterSet();
    const bool titlePage = set & (FirstPageHeader | FirstPageFooter);
    const int area = page == 1 && titlePage ? first : kind;
    return set & area ? area : int(MainText);
}

QPointF Pagination::sheetToLayout(int page, const QPointF &sheetPoint)
{
    const QPointF inBody = toLayout(1) * (sheetPoint - bodyRect().topLeft());
    return {inBody.x(), inBody.y() + pageTop(page)};
}

QPointF Pagination::layoutToSheet(const QPointF &layoutPoint, int *page)
{
    const int at = pageAt(layoutPoint.y());
    if (page)
        *page = at;
    return bodyRect().topLeft() + fromLayout(1) * QPointF(layoutPoint.x(), layoutPoint.y() - pageTop(at));
}

void Pagination::setDrawnPage(int page)
{
    m_fields->setDrawnPage(page);
}

}  // namespace textctl
