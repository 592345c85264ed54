// Pictures placed on the page: selection, moving and resizing with the
// mouse, moving with the arrow keys, deletion. The picture's place is its
// anchor's char format, so every change is an undo step of the document.
#include "textctl/view/txtextview.h"

#include "textctl/model/richdocument.h"
#include "textctl/render/pagerenderer.h"
#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"

#include <QKeyEvent>
#include <QPainter>

#include <array>

using namespace textctl;

namespace {

constexpr int kHandle = 7;          // screen pixels, a handle's side
constexpr double kKeyStep = 4.0;    // reference pixels (60 twips) a key press
constexpr double kSmallest = 4.0;   // reference pixels, the smallest side

std::array<QPointF, 4> corners(const QRectF &rect)
{
    return {rect.topLeft(), rect.topRight(), rect.bottomLeft(), rect.bottomRight()};
}

}  // namespace

int TXTextView::selectedPicture() const
{
    int page = 0;
    return pictureSheetRect(m_picture, &page).isNull() ? -1 : m_picture;
}

// The sheet rectangle of the picture anchored at `position`, and its page;
// null when no picture is anchored there any more (the text moved on).
QRectF TXTextView::pictureSheetRect(int position, int *page) const
{
    if (!m_control || position < 0)
        return {};
    Pagination &pagination = m_control->pagination();
    pagination.ensureLayout();
    *page = pagination.pageOfPosition(position);
    for (const PlacedPicture &placed : PageRenderer(pagination).placedPictures(*page))
        if (placed.position == position)
            return placed.sheetRect;
    return {};
}

QRect TXTextView::selectedPictureRect() const
{
    int page = 0;
    QRectF sheet = pictureSheetRect(m_picture, &page);
    if (sheet.isNull())
        return {};
    if (m_pictureDrag != PictureDrag::None)
        sheet = m_dragNow;
    return QRectF(pageOrigin(page) + sheet.topLeft() * scale(), sheet.size() * scale()).toRect();
}

bool TXTextView::picturesPlacedOn(int firstPage, int lastPage) const
{
    const PageRenderer renderer(m_control->pagination());
    for (int page = firstPage; page <= lastPage; ++page)
        if (!renderer.placedPictures(page).isEmpty())
            return true;
    return false;
}

void TXTextView::dropPictureSelection()
{
    if (m_picture < 0)
        return;
    m_picture = -1;
    m_pictureDrag = PictureDrag::None;
    viewport()->update();
}

// A press on a corner of the selected picture resizes it, on a picture
// selects it to be moved; anywhere else lets the selection go.
bool TXTextView::pressPicture(const QPoint &viewportPos)
{
    if (!m_control || activeArea() != MainText)
        return false;
    m_control->pagination().ensureLayout();
    const QRect selected = selectedPictureRect();
    if (!selected.isNull()) {
        const auto handles = corners(QRectF(selected));
        for (int corner = 0; corner < 4; ++corner) {
            if (QRectF(handles[corner] - QPointF(kHandle, kHandle), QSizeF(2 * kHandle, 2 * kHandle)).contains(viewportPos)) {
                int page = 0;
                m_dragFrom = pictureSheetRect(m_picture, &page);
                m_dragNow = m_dragFrom;
                m_dragStart = hitAt(viewportPos).sheet;
                m_dragCorner = corner;
                m_pictureDrag = PictureDrag::Resize;
                return true;
            }
        }
    }
    const Hit hit = hitAt(viewportPos);
    const QList<PlacedPicture> placed = PageRenderer(m_control->pagination()).placedPictures(hit.page);
    for (auto it = placed.crbegin(); it != placed.crend(); ++it) {  // the topmost is drawn last
        if (!it->sheetRect.contains(hit.sheet))
            continue;
        m_picture = it->position;
        m_dragFrom = it->sheetRect;
        m_dragNow = m_dragFrom;
        m_dragStart = hit.sheet;
        m_pictureDrag = PictureDrag::Move;
        viewport()->update();
        return true;
    }
    dropPictureSelection();
    return false;
}

bool TXTextView::dragPicture(const QPoint &viewportPos)
{
    if (m_pictureDrag == PictureDrag::None)
        return false;
    int page = 0;
    if (pictureSheetRect(m_picture, &page).isNull()) {
        dropPictureSelection();
        return true;
    }
    // The point on the picture's own sheet, which it does not leave.
    const QPointF point = (QPointF(viewportPos) - pageOrigin(page)) / scale();
    const QRectF sheet(QPointF(0, 0), m_control->pagination().pageSize());
    const QPointF delta = point - m_dragStart;
    QRectF rect = m_dragFrom;
    if (m_pictureDrag == PictureDrag::Move) {
        rect.translate(delta);
        rect.moveLeft(qBound(sheet.left(), rect.left(), sheet.right() - rect.width()));
        rect.moveTop(qBound(sheet.top(), rect.top(), sheet.bottom() - rect.height()));
    } else {
        // The opposite corner stays; the picture keeps its proportions.
        const QPointF fixed = corners(m_dragFrom)[3 - m_dragCorner];
        const QPointF moved = corners(m_dragFrom)[m_dragCorner] + delta;
        const double ratio = m_dragFrom.height() / qMax(1.0, m_dragFrom.width());
        double width = qMax(kSmallest, qAbs(moved.x() - fixed.x()));
        width = qMin(width, (m_dragCorner % 2 ? sheet.right() - fixed.x() : fixed.x()));
        const double height = width * ratio;
        const double left = m_dragCorner % 2 ? fixed.x() : fixed.x() - width;
        const double top = m_dragCorner >= 2 ? fixed.y() : fixed.y() - height;
        rect = QRectF(left, top, width, height);
    }
    m_dragNow = rect;
    viewport()->update();
    return true;
}

bool TXTextView::releasePicture()
{
    if (m_pictureDrag == PictureDrag::None)
        return false;
    m_pictureDrag = PictureDrag::None;
    if (m_dragNow != m_dragFrom)
        placePicture(m_dragNow);
    viewport()->update();
    return true;
}

// The selected picture at `sheetRect` on its page: one undo step.
void TXTextView::placePicture(const QRectF &sheetRect)
{
    const QRect twips(pixelsToTwips(sheetRect.left()), pixelsToTwips(sheetRect.top()),
                      pixelsToTwips(sheetRect.width()), pixelsToTwips(sheetRect.height()));
    m_control->placeFixedPicture(m_picture, twips);
    viewport()->update();
}

bool TXTextView::pictureKey(QKeyEvent *event)
{
    int page = 0;
    const QRectF rect = pictureSheetRect(m_picture, &page);
    if (rect.isNull() || (event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)))
        return false;
    QPointF step;
    switch (event->key()) {
    case Qt::Key_Left: step = {-kKeyStep, 0}; break;
    case Qt::Key_Right: step = {kKeyStep, 0}; break;
    case Qt::Key_Up: step = {0, -kKeyStep}; break;
    case Qt::Key_Down: step = {0, kKeyStep}; break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        m_control->removeFixedPicture(m_picture);
        dropPictureSelection();
        return true;
    case Qt::Key_Escape:
        dropPictureSelection();
        return true;
    default:
        dropPictureSelection();  // typing goes to the text
        return false;
    }
    const QSizeF sheet = m_control->pagination().pageSize();
    QRectF moved = rect.translated(step);
    moved.moveLeft(qBound(0.0, moved.left(), sheet.width() - moved.width()));
    moved.moveTop(qBound(0.0, moved.top(), sheet.height() - moved.height()));
    if (moved != rect)
        placePicture(moved);
    return true;
}

void TXTextView::drawPictureSelection(QPainter &painter) const
{
    const QRect rect = selectedPictureRect();
    if (rect.isNull())
        return;
    painter.save();
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    for (const QPointF &corner : corners(QRectF(rect)))
        painter.drawRect(QRectF(corner - QPointF(kHandle / 2.0, kHandle / 2.0), QSizeF(kHandle, kHandle)));
    painter.restore();
}
