#include "textctl/render/pagination.h"

#include "textctl/model/formatprops.h"
#include "textctl/render/objecthandlers.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QImage>
#include <QTextDocument>
#include <QTextFormat>

#include <cmath>

namespace textctl {

namespace {

constexpr int kDotsPerMeterAt96Dpi = 3780;  // rounds back to 96 dpi
// Qt lets a line's last glyph overhang its advance only inside the width
// (a negative right side bearing counts), where a word processor measures
// advances: text right-tabbed to the right margin then wrapped. The layout
// gets this much more room than the text width; drawing is unchanged.
constexpr double kOverhangPixels = 2.0;

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

Pagination::Pagination(RichDocument &document)
    : m_doc(document)
    , m_fields(std::make_unique<LiveFieldHandler>())
    , m_pictures(std::make_unique<PictureHandler>())
{
    insertFontSubstitutions();
}

Pagination::~Pagination() = default;

QPaintDevice *Pagination::referenceDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
        image.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
        return image;
    }();
    return &device;
}

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
    // The layout measures in 1/64 px: a body height it can represent keeps
    // its page boundaries where ours are.
    const double height = std::floor(pixels(p.height - p.marginTop - p.marginBottom) * 64) / 64;
    // A page whose margins leave no room still gets a sliver of body, so
    // the layout always progresses.
    return {pixels(p.marginLeft), pixels(p.marginTop), qMax(width, 1.0), qMax(height, 1.0)};
}

void Pagination::prepare(QTextDocument *doc, double width, double height)
{
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    if (layout->paintDevice() != referenceDevice()) {
        layout->setPaintDevice(referenceDevice());
        layout->registerHandler(prop::FieldObjectType, m_fields.get());
        layout->registerHandler(QTextFormat::ImageObject, m_pictures.get());
        doc->setUseDesignMetrics(true);
        // Force a full layout with the device and handlers in place.
        doc->setPageSize(QSizeF());
    }
    const QSizeF size(width + kOverhangPixels, height);
    if (doc->pageSize() != size)
        doc->setPageSize(size);
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
            body.setTop(qMax(body.top(), pixels(p.headerY) + doc->size().height()));
        else
            body.setBottom(qMin(body.bottom(), pixels(p.height - p.footerY) - doc->size().height()));
    }
    const double height = std::floor(qMax(body.height(), 1.0) * 64) / 64;
    return {body.topLeft(), QSizeF(body.width(), height)};
}

void Pagination::ensureLayout()
{
    const QRectF margins = marginRect();
    for (int area : kHeaderFooterAreas) {
        if (QTextDocument *doc = m_doc.area(area)) {
            prepare(doc, margins.width(), -1);
            doc->pageCount();  // finishes the area's layout
        }
    }
    m_body = clearOfAreas(margins);
    m_bodyPage = m_doc.page;
    m_fields->setMain(m_doc.main(), m_body.height());
    prepare(m_doc.main(), m_body.width(), m_body.height());
    m_pages = qMax(1, m_doc.main()->pageCount());
    const int shown = m_fields->pageCount();
    m_fields->setPageCount(m_pages);
    if (QString::number(m_pages).size() != QString::number(shown).size()) {
        // Fields are as wide as the page count written out (digits share
        // one width): lay their texts out again only when it gains or
        // loses a digit.
        for (QTextDocument *doc : m_doc.texts())
            doc->markContentsDirty(0, doc->characterCount());
        m_pages = qMax(1, m_doc.main()->pageCount());
        m_fields->setPageCount(m_pages);
    }
}

void Pagination::releaseLayout()
{
    for (QTextDocument *doc : m_doc.texts()) {
        if (doc->findChild<QAbstractTextDocumentLayout *>(QString(), Qt::FindDirectChildrenOnly))
            doc->setDocumentLayout(nullptr);
    }
}

int Pagination::pageCount()
{
    ensureLayout();
    return m_pages;
}

QPointF Pagination::areaOrigin(int areaCode) const
{
    const PageSetup &p = m_doc.page;
    const double left = pixels(p.marginLeft);
    if (isHeaderArea(areaCode))
        return {left, pixels(p.headerY)};
    const QTextDocument *doc = m_doc.area(areaCode);
    const double height = doc ? doc->size().height() : 0;
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

QPointF Pagination::sheetToLayout(int page, const QPointF &sheetPoint) const
{
    const QRectF body = bodyRect();
    return {sheetPoint.x() - body.left(),
            sheetPoint.y() - body.top() + (page - 1) * body.height()};
}

QPointF Pagination::layoutToSheet(const QPointF &layoutPoint, int *page) const
{
    const QRectF body = bodyRect();
    const int index = qMax(0, int(std::floor(layoutPoint.y() / body.height())));
    if (page)
        *page = index + 1;
    return {layoutPoint.x() + body.left(), layoutPoint.y() - index * body.height() + body.top()};
}

void Pagination::setDrawnPage(int page)
{
    m_fields->setDrawnPage(page);
}

}  // namespace textctl
