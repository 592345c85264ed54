#include "textctl/view/txtextview.h"

#include "textctl/model/layoutformats.h"

#include "textctl/render/pagerenderer.h"
#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"
#include "textctl/view/spellmarks.h"

#include <QAbstractTextDocumentLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>
#include <climits>
#include <cmath>

using namespace textctl;

namespace {

constexpr int kGap = 16;  // screen pixels around and between sheets
constexpr int kBlinkMs = 500;
const QColor kBackground(128, 128, 128);
const QColor kSheetEdge(64, 64, 64);

}  // namespace

TXTextView::TXTextView(TXTextControl *control, QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_control(control)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setAutoFillBackground(false);
    m_blink.setInterval(kBlinkMs);
    connect(&m_blink, &QTimer::timeout, this, [this] {
        m_caretOn = !m_caretOn;
        updateCaret();
    });
    // An edit repaints what its layout reports changed (layoutUpdated).
    connect(m_control, &TXTextControl::Change, this, &TXTextView::scheduleRelayout);
    connect(m_control, &TXTextControl::headerFooterChanged, this, &TXTextView::repaintAll);
    connect(m_control, &TXTextControl::zoomChanged, this, &TXTextView::repaintAll);
    connect(m_control, &TXTextControl::pageValuesChanged, this, [this] {
        scheduleRelayout();
        repaintAll();
    });
    // Find, SelStart and the menus move the selection: show it (a repaint
    // is coalesced, so a merge's hundreds of searches cost nothing here).
    connect(m_control, &TXTextControl::selectionChanged, this, &TXTextView::selectionMoved);
    connect(m_control, &QObject::destroyed, this, [this] { m_control = nullptr; });
    // Pages found in idle time grow the scroll range and show as they come.
    connect(&m_control->pagination(), &Pagination::pagesChanged, this, &TXTextView::pagesFound);
    m_spell = new SpellMarks(*m_control, this);
    m_spellIdle.setSingleShot(true);
    connect(&m_spellIdle, &QTimer::timeout, this, &TXTextView::checkSpelling);
    connect(m_spell, &SpellMarks::marksChanged, this, &TXTextView::repaintAll);
    repaintAll();
}

TXTextView::~TXTextView() = default;

double TXTextView::scale() const
{
    return qMax(1, m_control ? m_control->ZoomFactor() : 100) / 100.0;
}

// Edits arrive by the hundred during a merge: the layout is brought up to
// date once, when the event loop runs again.
void TXTextView::scheduleRelayout()
{
    if (m_relayoutPending)
        return;
    m_relayoutPending = true;
    QMetaObject::invokeMethod(this, &TXTextView::relayout, Qt::QueuedConnection);
}

void TXTextView::repaintAll()
{
    m_repaintAll = true;
    scheduleRelayout();
}

void TXTextView::relayout()
{
    m_relayoutPending = false;
    // A window that was never shown lays nothing out (a merge edits it).
    if (!m_control || !isVisible())
        return;
    Pagination &pagination = m_control->pagination();
    pagination.ensureLayout();
    watchLayouts();
    m_pages = pagination.reportedPageCount();
    const QSize size = documentSize();
    const QSize view = viewport()->size();
    horizontalScrollBar()->setRange(0, qMax(0, size.width() - view.width()));
    horizontalScrollBar()->setPageStep(view.width());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setRange(0, qMax(0, size.height() - view.height()));
    verticalScrollBar()->setPageStep(view.height());
    verticalScrollBar()->setSingleStep(20);
    if (size != m_shownSize)
        m_repaintAll = true;
    m_shownSize = size;
    reportScrollPosition();
    repaintDirty();
    restartSpellCheck();
}

// The control's ScrollPosY: the top of the viewport in twips from the top
// of page 1, a page counting its page height and the gaps between sheets
// none (the gap above a sheet counts as the sheet's top).
void TXTextView::reportScrollPosition()
{
    if (!m_control)
        return;
    const double sheet = m_control->pagination().pageSize().height() * scale();
    const int stride = int(std::ceil(sheet)) + kGap;
    const int y = qMax(0, verticalScrollBar()->value() - kGap);
    const int index = y / stride;
    const double within = qBound(0.0, double(y - index * stride), sheet);
    m_control->setScrollPosY(index * m_control->PageHeight() + pixelsToTwips(within / scale()));
}

// Every text's layout says what an edit changed in it.
void TXTextView::watchLayouts()
{
    for (QTextDocument *text : m_control->document().texts())
        connect(text->documentLayout(), &QAbstractTextDocumentLayout::update, this,
                &TXTextView::layoutUpdated, Qt::UniqueConnection);
}

void TXTextView::layoutUpdated(const QRectF &rect)
{
    auto *layout = qobject_cast<QAbstractTextDocumentLayout *>(sender());
    if (m_control && layout && layout->document() == m_control->document().main())
        m_dirty = m_dirty.isNull() ? rect : m_dirty.united(rect);
    else
        m_repaintAll = true;  // a header or footer shows on every page
    scheduleRelayout();
}

void TXTextView::pagesFound(int page)
{
    m_dirtyFromPage = m_dirtyFromPage > 0 ? qMin(m_dirtyFromPage, page) : page;
    scheduleRelayout();
}

// Repaints the parts of the visible pages that show what changed.
void TXTextView::repaintDirty()
{
    if (m_repaintAll) {
        viewport()->update();
        m_repaintAll = false;
        m_dirty = QRectF();
        m_dirtyFromPage = 0;
        return;
    }
    const QSizeF sheet = m_control->pagination().pageSize() * scale();
    const int stride = int(std::ceil(sheet.height())) + kGap;
    const int scrolled = verticalScrollBar()->value();
    const int first = qBound(1, (scrolled - kGap) / stride + 1, m_pages);
    const int last = qBound(1, (scrolled + viewport()->height()) / stride + 1, m_pages);
    // A picture placed on the page is drawn away from its anchor, whose
    // paragraph is all an edit (an undo of a move) reports as changed.
    if (!m_dirty.isNull() && picturesPlacedOn(first, last)) {
        m_repaintAll = true;
        repaintDirty();
        return;
    }
    QRegion region;
    if (m_dirtyFromPage > 0 && m_dirtyFromPage <= last) {
        const QRect from = pageRect(qMax(first, m_dirtyFromPage));
        region += QRect(0, from.top() - kGap, viewport()->width(), viewport()->height());
    }
    if (!m_dirty.isNull()) {
        Pagination &pagination = m_control->pagination();
        const double bodyTop = pagination.bodyRect().top();
        for (int page = first; page <= last; ++page) {
            const double top = pagination.pageTop(page);
            const double from = qMax(m_dirty.top(), top);
            const double to = qMin(m_dirty.bottom(), pagination.pageBottom(page));
            if (to < from)
                continue;
            const QRect sheetRect = pageRect(page);
            const double y0 = sheetRect.top() + (bodyTop + fromLayout(from - top)) * scale();
            const double y1 = sheetRect.top() + (bodyTop + fromLayout(to - top)) * scale();
            region += QRect(sheetRect.left(), int(std::floor(y0)) - 2, sheetRect.width(),
                            int(std::ceil(y1 - y0)) + 4);
        }
    }
    m_dirty = QRectF();
    m_dirtyFromPage = 0;
    if (!region.isEmpty())
        viewport()->update(region);
}

void TXTextView::selectionMoved()
{
    const QTextCursor cursor = editCursor();
    const bool selection = !cursor.isNull() && cursor.hasSelection();
    if (selection || m_hadSelection)
        viewport()->update();
    else
        updateCaret();
    m_hadSelection = selection;
}

// The caret's old place and its new one.
void TXTextView::updateCaret()
{
    if (!isVisible())
        return;
    viewport()->update(m_caretShown);
    const QRect caret = caretRect();
    m_caretShown = caret.adjusted(-2, -2, 2, 2);
    viewport()->update(m_caretShown);
}

QSize TXTextView::documentSize() const
{
    if (!m_control)
        return {};
    const QSizeF sheet = m_control->pagination().pageSize() * scale();
    return {int(std::ceil(sheet.width())) + 2 * kGap,
            m_pages * (int(std::ceil(sheet.height())) + kGap) + kGap};
}

QPointF TXTextView::pageOrigin(int page) const
{
    const QSizeF sheet = m_control->pagination().pageSize() * scale();
    const int stride = int(std::ceil(sheet.height())) + kGap;
    const int spare = viewport()->width() - documentSize().width();
    const double left = kGap + qMax(0, spare / 2) - horizontalScrollBar()->value();
    return {left, double(kGap + (page - 1) * stride - verticalScrollBar()->value())};
}

QRect TXTextView::pageRect(int page) const
{
    if (!m_control)
        return {};
    return QRectF(pageOrigin(page), m_control->pagination().pageSize() * scale()).toRect();
}

void TXTextView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

// What stays in view moves; only what comes into view is painted.
void TXTextView::scrollContentsBy(int dx, int dy)
{
    viewport()->scroll(dx, dy);
    m_caretShown.translate(dx, dy);
    reportScrollPosition();
}

void TXTextView::paintEvent(QPaintEvent *event)
{
    QPainter painter(viewport());
    painter.fillRect(event->rect(), kBackground);
    if (!m_control)
        return;
    Pagination &pagination = m_control->pagination();
    pagination.ensureLayout();
    if (pagination.reportedPageCount() != m_pages)
        scheduleRelayout();
    textctl::PageDecorations decorations;
    decorations.activeArea = activeArea();
    if (m_spell->isOn())
        decorations.marks = [this](const QTextDocument *doc) { return m_spell->selections(doc); };
    const QTextCursor cursor = editCursor();
    if (!cursor.isNull()) {
        const bool showCaret = m_caretOn && hasFocus();
        decorations.context.cursorPosition = showCaret ? cursor.position() : -1;
        if (cursor.hasSelection()) {
            QAbstractTextDocumentLayout::Selection selection;
            selection.cursor = cursor;
            selection.format.setBackground(palette().brush(QPalette::Highlight));
            selection.format.setForeground(palette().brush(QPalette::HighlightedText));
            decorations.context.selections.append(selection);
        }
    }
    const int areaPage = pageOfActiveArea();
    const textctl::PageRenderer renderer(pagination);
    for (int page = 1; page <= m_pages; ++page) {
        const QRect sheet = pageRect(page);
        if (!sheet.intersects(event->rect()))
            continue;
        painter.save();
        painter.setPen(kSheetEdge);
        painter.drawRect(sheet.adjusted(-1, -1, 0, 0));
        painter.translate(pageOrigin(page));
        // The caret of a header or footer shows on one page only.
        textctl::PageDecorations pageDecorations = decorations;
        if (decorations.activeArea > 0 && page != areaPage) {
            pageDecorations.context.cursorPosition = -1;
            pageDecorations.context.selections.clear();
        }
        // A page draws the marks of its own slice of the main text only: a
        // long report may have thousands.
        if (decorations.marks) {
            const int first = pagination.pageFirstPosition(page);
            const int end = pagination.hasPage(page + 1) ? pagination.pageFirstPosition(page + 1) : INT_MAX;
            QTextDocument *main = m_control->document().main();
            pageDecorations.marks = [this, first, end, main](const QTextDocument *doc) {
                return doc == main ? marksBetween(m_spell->selections(doc), first, end) : m_spell->selections(doc);
            };
        }
        // Only what the repaint asks for is drawn.
        const QRectF exposed = QRectF(event->rect().intersected(sheet)).translated(-pageOrigin(page));
        pageDecorations.sheetClip = QRectF(exposed.topLeft() / scale(), exposed.size() / scale());
        renderer.drawPage(painter, page, scale(), pageDecorations);
        painter.restore();
    }
    if (decorations.context.cursorPosition >= 0)
        m_caretShown = caretRect().adjusted(-2, -2, 2, 2);
    drawPictureSelection(painter);
}

// The marks, in document order, that reach into [first, end].
QList<QAbstractTextDocumentLayout::Selection> TXTextView::marksBetween(
    const QList<QAbstractTextDocumentLayout::Selection> &marks, int first, int end)
{
    auto from = std::lower_bound(marks.cbegin(), marks.cend(), first, [](const auto &mark, int position) {
        return mark.cursor.selectionEnd() < position;
    });
    QList<QAbstractTextDocumentLayout::Selection> between;
    for (; from != marks.cend() && from->cursor.selectionStart() <= end; ++from)
        between.append(*from);
    return between;
}

int TXTextView::activeArea() const
{
    return m_control ? m_control->activeHeaderFooter() : 0;
}

// The page whose header or footer is being edited: the one it was
// activated on when that page still shows it, else the first that does.
int TXTextView::pageOfActiveArea() const
{
    const int area = activeArea();
    if (area == MainText)
        return 0;
    Pagination &pagination = m_control->pagination();
    const int kind = isHeaderArea(area) ? PageHeader : PageFooter;
    if (m_areaPage >= 1 && m_areaPage <= m_pages && pagination.areaForPage(kind, m_areaPage) == area)
        return m_areaPage;
    for (int page = 1; page <= m_pages; ++page)
        if (pagination.areaForPage(kind, page) == area)
            return page;
    return 1;
}

TXTextView::Hit TXTextView::hitAt(const QPoint &viewportPos) const
{
    Hit hit;
    const QSizeF sheet = m_control->pagination().pageSize() * scale();
    const int stride = int(std::ceil(sheet.height())) + kGap;
    const int y = viewportPos.y() + verticalScrollBar()->value() - kGap;
    hit.page = qBound(1, int(std::floor(double(y) / stride)) + 1, m_pages);
    hit.sheet = (QPointF(viewportPos) - pageOrigin(hit.page)) / scale();
    const QRectF body = m_control->pagination().bodyRect();
    if (hit.sheet.y() < body.top())
        hit.region = Region::Header;
    else if (hit.sheet.y() >= body.bottom())
        hit.region = Region::Footer;
    return hit;
}

// The header or footer area shown in a hit's margin region; 0 for the body
// or a margin with no area on that page.
int TXTextView::areaOfRegion(const Hit &hit) const
{
    if (hit.region == Region::Body)
        return MainText;
    const int kind = hit.region == Region::Header ? PageHeader : PageFooter;
    return m_control->pagination().areaForPage(kind, hit.page);
}

int TXTextView::positionIn(int area, const Hit &hit) const
{
    Pagination &pagination = m_control->pagination();
    QTextDocument *doc = m_control->document().area(area);
    if (!doc)
        return -1;
    QPointF point;
    if (area == MainText) {
        const QRectF body = pagination.bodyRect();
        const QPointF inside(qBound(body.left(), hit.sheet.x(), body.right()),
                             qBound(body.top(), hit.sheet.y(), body.bottom() - 0.5));
        point = pagination.sheetToLayout(hit.page, inside);
    } else {
        point = toLayout(1) * (hit.sheet - pagination.areaOrigin(area));
    }
    return qMax(0, doc->documentLayout()->hitTest(point, Qt::FuzzyHit));
}

int TXTextView::hitTest(const QPoint &viewportPos, int *area) const
{
    if (!m_control)
        return -1;
    m_control->pagination().ensureLayout();
    const Hit hit = hitAt(viewportPos);
    const int part = hit.region == Region::Body ? 0 : areaOfRegion(hit);
    if (hit.region != Region::Body && part == 0)
        return -1;
    if (area)
        *area = part;
    return positionIn(part, hit);
}

QRectF TXTextView::caretSheetRect(int *page) const
{
    const QTextCursor cursor = editCursor();
    if (cursor.isNull())
        return {};
    QTextDocument *doc = cursor.document();
    const QTextBlock block = doc->findBlock(cursor.position());
    const QTextLayout *layout = block.layout();
    const int inBlock = cursor.position() - block.position();
    const QTextLine line = layout ? layout->lineForTextPosition(inBlock) : QTextLine();
    const QRectF blockRect = doc->documentLayout()->blockBoundingRect(block);
    const LineBox box = line.isValid() ? lineBox(block, line) : LineBox{0, blockRect.height()};
    const QPointF top = blockRect.topLeft() + QPointF(line.isValid() ? line.cursorToX(inBlock) : 0.0, box.top);
    const double height = fromLayout(box.height);
    Pagination &pagination = m_control->pagination();
    if (activeArea() == MainText) {
        const QPointF sheet = pagination.layoutToSheet(top, page);
        return {sheet, QSizeF(1, height)};
    }
    *page = pageOfActiveArea();
    return {fromLayout(1) * top + pagination.areaOrigin(activeArea()), QSizeF(1, height)};
}

QRect TXTextView::caretRect() const
{
    if (!m_control)
        return {};
    m_control->pagination().ensureLayout();
    int page = 1;
    const QRectF sheet = caretSheetRect(&page);
    if (sheet.isNull())
        return {};
    const QPointF origin = pageOrigin(page);
    return QRectF(origin + sheet.topLeft() * scale(),
                  QSizeF(qMax(1.0, scale()), sheet.height() * scale())).toRect();
}

void TXTextView::ensureCaretVisible()
{
    relayout();
    const QRect caret = caretRect();
    if (caret.isNull())
        return;
    const QRect view = viewport()->rect();
    const int margin = 8;
    if (caret.top() < view.top())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + caret.top() - margin);
    else if (caret.bottom() > view.bottom())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + caret.bottom() - view.bottom() + margin);
    if (caret.left() < view.left())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + caret.left() - margin);
    else if (caret.right() > view.right())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + caret.right() - view.right() + margin);
}

void TXTextView::restartCaret()
{
    m_caretOn = true;
    if (hasFocus())
        m_blink.start();
    updateCaret();
}

void TXTextView::caretMoved()
{
    ensureCaretVisible();
    restartCaret();
}

// Tab is typed into the text, not a move to the next widget.
bool TXTextView::focusNextPrevChild(bool)
{
    return false;
}

void TXTextView::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    restartCaret();
}

void TXTextView::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_blink.stop();
    updateCaret();
}

void TXTextView::mousePressEvent(QMouseEvent *event)
{
    if (!m_control)
        return;
    if (event->button() == Qt::RightButton) {
        emit contextMenuRequested(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (pressPicture(event->position().toPoint()))
        return;
    m_dragging = true;
    placeCaret(event->position().toPoint(), event->modifiers() & Qt::ShiftModifier);
}

void TXTextView::mouseMoveEvent(QMouseEvent *event)
{
    if (dragPicture(event->position().toPoint()))
        return;
    if (m_control && m_dragging && (event->buttons() & Qt::LeftButton))
        placeCaret(event->position().toPoint(), true);
}

void TXTextView::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    releasePicture();
    event->accept();
}

void TXTextView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (!m_control || event->button() != Qt::LeftButton)
        return;
    if (selectedPictureRect().contains(event->position().toPoint()))
        return;  // the press selected the picture
    m_control->pagination().ensureLayout();
    const Hit hit = hitAt(event->position().toPoint());
    const int area = areaOfRegion(hit);
    if (hit.region != Region::Body && area != 0 && area != activeArea()) {
        activate(area, hit.page);
        placeCaret(event->position().toPoint(), false);
        return;
    }
    placeCaret(event->position().toPoint(), false);
    QTextCursor cursor = editCursor();
    if (cursor.isNull())
        return;
    cursor.select(QTextCursor::WordUnderCursor);
    commit(cursor);
    caretMoved();
}

void TXTextView::contextMenuEvent(QContextMenuEvent *event)
{
    // The mouse's menu is asked for on the press; this is the keyboard's.
    if (event->reason() == QContextMenuEvent::Keyboard)
        emit contextMenuRequested(viewport()->mapToGlobal(caretRect().center()));
    event->accept();
}
