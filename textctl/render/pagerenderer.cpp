#include "textctl/render/pagerenderer.h"

#include "textctl/model/formatprops.h"
#include "textctl/render/cellborders.h"
#include "textctl/render/objecthandlers.h"
#include "textctl/render/pagebreaks.h"
#include "textctl/render/pagination.h"
#include "textctl/render/paragraphborders.h"
#include "textctl/render/tableaders.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextLayout>


namespace textctl {

namespace {

const QColor kGreyVeil(255, 255, 255, 150);
// How far above its first row a page starting inside a table draws.
constexpr double kRowBorderReach = 1.0;
// How far (layout pixels) a line's glyphs may reach out of its box.
constexpr double kLineOverhang = toLayout(3.0);

// Sheet rectangle -> the layout's, for a layout drawn from `origin` on.
QRectF toLayoutRect(const QRectF &sheet, const QPointF &origin)
{
    return {toLayout(1) * (sheet.topLeft() - origin), toLayout(1) * sheet.size()};
}

// The place on the sheet of a fixed picture whose anchor sits at
// `anchorTop` (sheet y of its paragraph).
QRectF fixedPictureRect(const QTextDocument *doc, const QTextImageFormat &format,
                        const PageSetup &page, double anchorTop)
{
    const double left = twipsToPixels(format.intProperty(prop::PictureShapeLeft));
    const double top = twipsToPixels(format.intProperty(prop::PictureShapeTop));
    const double right = twipsToPixels(format.intProperty(prop::PictureShapeRight));
    const double bottom = twipsToPixels(format.intProperty(prop::PictureShapeBottom));
    const QString relX = format.stringProperty(prop::PictureShapeRelX);
    const QString relY = format.stringProperty(prop::PictureShapeRelY);
    const double x = relX == u"page" ? left : twipsToPixels(page.marginLeft) + left;
    double y = twipsToPixels(page.marginTop) + top;
    if (relY == u"page")
        y = top;
    else if (relY == u"paragraph")
        y = anchorTop + top;
    QSizeF size(right - left, bottom - top);
    if (size.width() <= 0 || size.height() <= 0)
        size = pictureSize(doc, format);
    return {QPointF(x, y), size};
}

}  // namespace

PageRenderer::PageRenderer(Pagination &pagination)
    : m_pagination(pagination)
{
}

double PageRenderer::deviceScale(const QPaintDevice *device)
{
    return device ? device->logicalDpiX() / 96.0 : 1.0;
}

void PageRenderer::drawPage(QPainter &painter, int page, double scale,
                            const Decorations &decorations) const
{
    m_pagination.ensureLayout();
    painter.save();
    painter.scale(scale, scale);
    if (decorations.sheetClip.isValid())
        painter.setClipRect(decorations.sheetClip, Qt::IntersectClip);
    painter.fillRect(QRectF(QPointF(0, 0), m_pagination.pageSize()), Qt::white);
    if (m_pagination.hasPage(page)) {
        m_pagination.setDrawnPage(page);
        drawBody(painter, page, decorations);
        drawArea(painter, m_pagination.areaForPage(PageHeader, page), page, decorations);
        drawArea(painter, m_pagination.areaForPage(PageFooter, page), page, decorations);
    }
    painter.restore();
}

void PageRenderer::drawArea(QPainter &painter, int area, int page,
                            const Decorations &decorations) const
{
    QTextDocument *doc = area ? m_pagination.document().area(area) : nullptr;
    if (!doc)
        return;
    const QPointF origin = m_pagination.areaOrigin(area);
    const QRectF rect(origin, fromLayout(1) * doc->size());
    QRectF clip = rect;
    if (decorations.sheetClip.isValid())
        clip &= decorations.sheetClip;
    if (clip.isEmpty())
        return;
    painter.save();
    painter.translate(origin);
    painter.scale(fromLayout(1), fromLayout(1));
    QAbstractTextDocumentLayout::PaintContext context;
    if (decorations.activeArea == area)
        context = decorations.context;
    if (decorations.marks)
        context.selections = decorations.marks(doc) + context.selections;
    context.clip = toLayoutRect(clip, origin);
    doc->documentLayout()->draw(&painter, context);
    drawCellBorders(painter, *doc, context.clip);
    drawParagraphBorders(painter, *doc, context.clip);
    drawTabLeaders(painter, *doc, context.clip);
    painter.restore();
    drawFixedPictures(painter, doc, page, origin, 0);
    if (decorations.activeArea >= 0 && decorations.activeArea != area)
        painter.fillRect(rect, kGreyVeil);
}

void PageRenderer::drawBody(QPainter &painter, int page, const Decorations &decorations) const
{
    QTextDocument *doc = m_pagination.document().main();
    const QRectF body = m_pagination.bodyRect();
    const QSizeF sheet = m_pagination.pageSize();
    const double sliceTop = m_pagination.pageTop(page);
    // The last page's slice is its whole body: the text ends at its last
    // line, and the rule under a last paragraph lies below it.
    const bool lastPage = m_pagination.isComplete() && page >= m_pagination.knownPageCount();
    // Table rows may be drawn a little under the body (pagebreaks.h).
    const double bodyHeight = toLayout(body.height()) + kRoundingAllowance;
    const double sliceHeight =
        lastPage ? bodyHeight : qBound(0.0, m_pagination.pageBottom(page) - sliceTop, bodyHeight);
    // A page that starts inside a table shows the border above its first
    // row too, which the page before drew under its last.
    const int first = m_pagination.pageFirstPosition(page);
    const bool startsInText = doc->frameAt(first) == doc->rootFrame();
    const double above = page > 1 && !startsInText ? kRowBorderReach : 0.0;
    painter.save();
    // Tables and pictures may reach into the margins, never onto the next
    // page's slice, whose first line starts where this one ends.
    painter.setClipRect(QRectF(0, body.top() - above, sheet.width(), fromLayout(sliceHeight) + above),
                        Qt::IntersectClip);
    painter.translate(body.topLeft());
    painter.scale(fromLayout(1), fromLayout(1));
    painter.translate(0, -sliceTop);
    QAbstractTextDocumentLayout::PaintContext context;
    if (decorations.activeArea == MainText)
        context = decorations.context;
    if (decorations.marks)
        context.selections = decorations.marks(doc) + context.selections;
    // Lines just touching the slice belong to the pages around it: a line's
    // glyphs may reach a little out of its box (a line of fixed height).
    context.clip = QRectF(-toLayout(body.left()), sliceTop + kLineOverhang, toLayout(sheet.width()),
                          qMax(0.0, sliceHeight - 2 * kLineOverhang));
    if (decorations.sheetClip.isValid())
        context.clip &= toLayoutRect(decorations.sheetClip, body.topLeft()).translated(0, sliceTop);
    // Tab leaders go with the lines of the slice as first clipped.
    const QRectF lineClip = context.clip;
    // Qt draws, with a paragraph, the last of its lines above the clip: a
    // printed page that starts inside a paragraph would carry the line
    // before, clipped away but still in a PDF's text. There the clip starts
    // under the page's first line (Qt draws it as that line above), and a
    // paragraph that ends on it is drawn here.
    QTextLine ownLine;
    QPointF ownLineAt;
    if (decorations.activeArea < 0 && page > 1 && startsInText) {
        const QTextBlock block = doc->findBlock(first);
        const QTextLine line = block.layout()
            ? block.layout()->lineForTextPosition(first - block.position())
            : QTextLine();
        if (line.isValid() && line.lineNumber() > 0) {
            const double top = block.layout()->position().y() + line.y() + line.height() + 0.5;
            if (top > context.clip.top())
                context.clip.setTop(top);
            if (line.lineNumber() == block.layout()->lineCount() - 1) {
                ownLine = line;
                ownLineAt = block.layout()->position();
            }
        }
    }
    // An invalid clip would draw the whole text.
    if (context.clip.isValid() && !context.clip.isEmpty()) {
        doc->documentLayout()->draw(&painter, context);
        drawCellBorders(painter, *doc, context.clip);
        // Paragraph borders keep to the page's own slice: the strip above it
        // is there for the cell borders drawn on a row's top edge, and
        // would show the foot of the rule under the previous page's last row.
        painter.save();
        if (above > 0)
            painter.setClipRect(QRectF(context.clip.left(), sliceTop, context.clip.width(), sliceHeight),
                                Qt::IntersectClip);
        drawParagraphBorders(painter, *doc, context.clip, first);
        painter.restore();
        drawTabLeaders(painter, *doc, lineClip, first);
    }
    if (ownLine.isValid()) {
        painter.setPen(context.palette.color(QPalette::Text));
        ownLine.draw(&painter, ownLineAt);
    }
    painter.restore();
    drawFixedPictures(painter, doc, page, body.topLeft(), sliceTop);
    if (decorations.activeArea > 0)
        painter.fillRect(body, kGreyVeil);
}

QList<PlacedPicture> PageRenderer::placedPictures(int page) const
{
    QList<PlacedPicture> placed;
    m_pagination.ensureLayout();
    if (!m_pagination.hasPage(page))
        return placed;
    forEachFixedPicture(m_pagination.document().main(), page, m_pagination.bodyRect().topLeft(),
                        m_pagination.pageTop(page), [&placed](int position, const QTextImageFormat &, const QRectF &rect) {
                            placed.append({position, rect});
                        });
    return placed;
}

void PageRenderer::drawFixedPictures(QPainter &painter, QTextDocument *doc, int page, const QPointF &origin,
                                     double layoutTop) const
{
    forEachFixedPicture(doc, page, origin, layoutTop, [&](int, const QTextImageFormat &format, const QRectF &rect) {
        const QImage image = pictureImage(doc, format);
        if (!image.isNull())
            painter.drawImage(rect, image);
    });
}

// Fixed pictures are anchored in a paragraph and drawn where their shape
// says, on the page of their anchor. The text's layout y `layoutTop` is
// drawn at the sheet's `origin`.
void PageRenderer::forEachFixedPicture(
    QTextDocument *doc, int page, const QPointF &origin, double layoutTop,
    const std::function<void(int, const QTextImageFormat &, const QRectF &)> &visit) const
{
    int from = 0;
    int to = doc->characterCount();
    if (doc == m_pagination.document().main()) {
        from = m_pagination.pageFirstPosition(page);
        to = m_pagination.pageFirstPosition(page + 1);
    }
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    for (QTextBlock block = doc->findBlock(from); block.isValid() && block.position() < to; block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!isFixedPicture(fragment.charFormat()) || fragment.position() < from || fragment.position() >= to)
                continue;
            const QTextLine line =
                block.layout()->lineForTextPosition(fragment.position() - block.position());
            const double anchorTop =
                layout->blockBoundingRect(block).top() + (line.isValid() ? line.y() : 0);
            const QTextImageFormat format = fragment.charFormat().toImageFormat();
            // A fragment may hold several anchors with one format.
            for (int i = 0; i < fragment.length(); ++i)
                visit(fragment.position() + i, format,
                      fixedPictureRect(doc, format, m_pagination.document().page,
                                       origin.y() + fromLayout(anchorTop - layoutTop)));
        }
    }
}

}  // namespace textctl
