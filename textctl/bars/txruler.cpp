#include "textctl/bars/txruler.h"

#include "textctl/txtextcontrol.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTextBlock>

#include <algorithm>
#include <cmath>

using namespace textctl;

namespace {

constexpr int kHeight = 30;
constexpr int kTopZone = 10;       // first-line triangle above this
constexpr int kBottomZone = 11;    // left and right indent markers in the last 11
constexpr int kBoxHeight = 5;      // the left indent's box, under its triangle
constexpr int kMarkerHalf = 5;     // half the width of a marker
constexpr int kEdgeReach = 3;      // how near a margin edge a press catches it
constexpr int kMinTextTwips = 567; // the margins leave at least 1 cm of text
constexpr double kTwipsPerCm = 567.0;
// Ruler pixels per twip at 100 %: 96 pixels an inch, 1440 twips an inch.
constexpr double kPixelsPerTwip = 96.0 / 1440.0;

const QColor kOffPage(160, 160, 160);
const QColor kMargin(205, 205, 205);
const QColor kMarkerFill(235, 235, 235);

QPolygonF triangle(double x, double baseY, double apexY)
{
    return QPolygonF({QPointF(x - kMarkerHalf, baseY), QPointF(x + kMarkerHalf, baseY), QPointF(x, apexY)});
}

}  // namespace

TXRuler::TXRuler(QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(kHeight);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMouseTracking(true);
    connect(&m_link, &ControlLink::refreshNeeded, this, qOverload<>(&QWidget::update));
}

TXRuler::~TXRuler() = default;

void TXRuler::setControl(TXTextControl *control)
{
    m_drag = {};
    m_link.setControl(control);
}

void TXRuler::setPageOffset(int x)
{
    m_pageOffset = x;
    update();
}

QSize TXRuler::sizeHint() const
{
    return {int(std::lround(11906 * kPixelsPerTwip)), kHeight};
}

TXRuler::State TXRuler::currentState() const
{
    State state;
    TXTextControl *control = m_link.control();
    if (!control)
        return state;
    state.valid = true;
    state.zoom = std::max(1, control->ZoomFactor());
    state.page = control->pageValues();
    const QTextCursor cursor = control->cursor();
    if (!cursor.isNull()) {
        const QTextBlockFormat format = cursor.block().blockFormat();
        state.indents = indentsOf(format);
        state.tabs = tabStopsOf(format);
    }
    return state;
}

double TXRuler::xOf(const State &state, double pageTwips) const
{
    return m_pageOffset + pageTwips * kPixelsPerTwip * state.zoom / 100.0;
}

double TXRuler::twipsAt(const State &state, int x) const
{
    return (x - m_pageOffset) / (kPixelsPerTwip * state.zoom / 100.0);
}

double TXRuler::markerX(Marker marker) const
{
    const State s = draggedState(currentState());
    if (!s.valid)
        return 0;
    const int textLeft = s.page.marginLeft + s.indents.left;
    switch (marker) {
    case Marker::LeftMargin: return xOf(s, s.page.marginLeft);
    case Marker::RightMargin: return xOf(s, s.page.width - s.page.marginRight);
    case Marker::FirstLine: return xOf(s, textLeft + s.indents.firstLine);
    case Marker::LeftIndent: return xOf(s, textLeft);
    case Marker::RightIndent: return xOf(s, s.page.width - s.page.marginRight - s.indents.right);
    }
    return 0;
}

QList<double> TXRuler::tabX() const
{
    const State s = draggedState(currentState());
    QList<double> xs;
    for (const TabStop &tab : s.tabs)
        xs.append(xOf(s, s.page.marginLeft + tab.position));
    return xs;
}

bool TXRuler::offRuler(int y) const
{
    return y < 0 || y >= height();
}

// The state as it will be when the current drag ends where the mouse is.
TXRuler::State TXRuler::draggedState(State s) const
{
    if (!s.valid || m_drag.part == Part::None)
        return s;
    const int delta = snapTwips((m_drag.x - m_drag.pressX) / (kPixelsPerTwip * s.zoom / 100.0));
    const int textWidth = s.page.width - s.page.marginLeft - s.page.marginRight;
    ParagraphIndents &in = s.indents;
    // Indents keep their markers on the page.
    const auto clampLeft = [&](int value) { return std::clamp(value, -s.page.marginLeft, s.page.width - s.page.marginLeft); };
    switch (m_drag.part) {
    case Part::FirstLine:
        in.firstLine = clampLeft(in.left + in.firstLine + delta) - in.left;
        break;
    case Part::LeftIndent: {
        const int firstAbs = in.left + in.firstLine;
        in.left = clampLeft(in.left + delta);
        in.firstLine = firstAbs - in.left;
        break;
    }
    case Part::LeftBoth:
        in.left = clampLeft(in.left + delta);
        in.firstLine = clampLeft(in.left + in.firstLine) - in.left;
        break;
    case Part::RightIndent:
        in.right = std::clamp(in.right - delta, -s.page.marginRight, s.page.width - s.page.marginRight);
        break;
    case Part::LeftMargin:
        s.page.marginLeft = std::clamp(s.page.marginLeft + delta, 0, s.page.width - s.page.marginRight - kMinTextTwips);
        break;
    case Part::RightMargin:
        s.page.marginRight = std::clamp(s.page.marginRight - delta, 0, s.page.width - s.page.marginLeft - kMinTextTwips);
        break;
    case Part::Tab:
        if (offRuler(m_drag.y))
            s.tabs.removeAt(m_drag.tab);
        else
            s.tabs[m_drag.tab].position = std::clamp(s.tabs[m_drag.tab].position + delta, 0, textWidth);
        break;
    case Part::NewTab: {
        const int at = snapTwips(twipsAt(s, m_drag.x) - s.page.marginLeft);
        const bool taken = std::any_of(s.tabs.begin(), s.tabs.end(), [&](const TabStop &t) { return t.position == at; });
        if (!offRuler(m_drag.y) && at > 0 && at <= textWidth && !taken)
            s.tabs.append({at, QTextOption::LeftTab, u' '});
        break;
    }
    case Part::None: break;
    }
    return s;
}

TXRuler::Part TXRuler::hitTest(const State &s, QPoint pos, int *tab) const
{
    const auto near = [&](double twips, int reach) { return std::abs(pos.x() - xOf(s, twips)) <= reach; };
    const int textLeft = s.page.marginLeft + s.indents.left;
    const int rightEdge = s.page.width - s.page.marginRight;
    if (pos.y() < kTopZone)
        return near(textLeft + s.indents.firstLine, kMarkerHalf) ? Part::FirstLine : Part::NewTab;
    if (pos.y() >= height() - kBottomZone) {
        if (near(rightEdge - s.indents.right, kMarkerHalf))
            return Part::RightIndent;
        if (near(textLeft, kMarkerHalf))
            return pos.y() >= height() - kBoxHeight ? Part::LeftBoth : Part::LeftIndent;
        return Part::NewTab;
    }
    for (int i = 0; i < s.tabs.size(); ++i) {
        if (near(s.page.marginLeft + s.tabs.at(i).position, kMarkerHalf - 1)) {
            *tab = i;
            return Part::Tab;
        }
    }
    if (near(s.page.marginLeft, kEdgeReach))
        return Part::LeftMargin;
    if (near(rightEdge, kEdgeReach))
        return Part::RightMargin;
    return Part::NewTab;
}

void TXRuler::mousePressEvent(QMouseEvent *event)
{
    const State s = currentState();
    if (!s.valid || event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPoint pos = event->position().toPoint();
    m_drag = {};
    m_drag.part = hitTest(s, pos, &m_drag.tab);
    m_drag.pressX = m_drag.x = pos.x();
    m_drag.y = pos.y();
    update();
}

void TXRuler::mouseMoveEvent(QMouseEvent *event)
{
    if (m_drag.part == Part::None) {
        // Hovering: a margin edge shows that it can be dragged.
        const State s = currentState();
        int tab = -1;
        const Part part = s.valid ? hitTest(s, event->position().toPoint(), &tab) : Part::None;
        const bool edge = part == Part::LeftMargin || part == Part::RightMargin;
        setCursor(edge ? Qt::SizeHorCursor : Qt::ArrowCursor);
        return QWidget::mouseMoveEvent(event);
    }
    m_drag.x = event->position().toPoint().x();
    m_drag.y = event->position().toPoint().y();
    update();
}

void TXRuler::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_drag.part == Part::None || event->button() != Qt::LeftButton)
        return QWidget::mouseReleaseEvent(event);
    m_drag.x = event->position().toPoint().x();
    m_drag.y = event->position().toPoint().y();
    const State before = currentState();
    const State after = draggedState(before);
    m_drag = {};
    commit(before, after);
    update();
}

void TXRuler::commit(const State &before, const State &after)
{
    TXTextControl *control = m_link.control();
    if (!control || !after.valid)
        return;
    if (after.page != before.page)
        control->setPageValues(after.page);
    if (after.indents != before.indents)
        setIndents(control->cursor(), after.indents);
    if (after.tabs != before.tabs)
        setTabStops(control->cursor(), after.tabs);
}

void TXRuler::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), kOffPage);
    const State s = draggedState(currentState());
    if (!s.valid)
        return;
    const double pageLeft = xOf(s, 0);
    const double pageRight = xOf(s, s.page.width);
    const QRectF band(pageLeft, 3, pageRight - pageLeft, height() - 6);
    painter.fillRect(band, kMargin);
    const double textLeft = xOf(s, s.page.marginLeft);
    const double textRight = xOf(s, s.page.width - s.page.marginRight);
    painter.fillRect(QRectF(textLeft, band.top(), textRight - textLeft, band.height()), Qt::white);
    paintScale(painter, s);
    paintTabs(painter, s);
    paintIndents(painter, s);
}

// Quarter-centimetre ticks counted from the left margin, numbered each
// centimetre, as far as the page goes.
void TXRuler::paintScale(QPainter &painter, const State &s) const
{
    QFont font = painter.font();
    font.setPixelSize(9);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const double quarter = kTwipsPerCm / 4;
    const int first = int(std::ceil(-s.page.marginLeft / quarter));
    const int last = int(std::floor((s.page.width - s.page.marginLeft) / quarter));
    const double mid = height() / 2.0;
    for (int k = first; k <= last; ++k) {
        const double x = xOf(s, s.page.marginLeft + k * quarter);
        if (k % 4 == 0 && k != 0) {
            const QRectF box(x - 10, mid - 6, 20, 12);
            painter.drawText(box, Qt::AlignCenter, QString::number(std::abs(k / 4)));
        } else if (k % 2 != 0) {
            painter.drawLine(QPointF(x, mid - 1), QPointF(x, mid + 1));
        } else if (k != 0) {
            painter.drawLine(QPointF(x, mid - 3), QPointF(x, mid + 3));
        }
    }
}

void TXRuler::paintIndents(QPainter &painter, const State &s) const
{
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::darkGray);
    painter.setBrush(kMarkerFill);
    const double h = height();
    const double left = xOf(s, s.page.marginLeft + s.indents.left);
    const double first = xOf(s, s.page.marginLeft + s.indents.left + s.indents.firstLine);
    const double right = xOf(s, s.page.width - s.page.marginRight - s.indents.right);
    painter.drawPolygon(triangle(first, 1, kTopZone - 2));
    painter.drawPolygon(triangle(left, h - kBoxHeight, h - kBottomZone + 1));
    painter.drawRect(QRectF(left - kMarkerHalf, h - kBoxHeight, 2 * kMarkerHalf, kBoxHeight - 1));
    painter.drawPolygon(triangle(right, h - kBoxHeight, h - kBottomZone + 1));
    painter.setRenderHint(QPainter::Antialiasing, false);
}

// The usual stop glyphs: an upright with a foot to the side text runs from
// (both sides for a centre stop, with a dot for a decimal stop).
void TXRuler::paintTabs(QPainter &painter, const State &s) const
{
    painter.setPen(QPen(Qt::black, 2));
    const double bottom = height() - kBottomZone - 1;
    const double top = bottom - 6;
    for (const TabStop &tab : s.tabs) {
        const double x = xOf(s, s.page.marginLeft + tab.position);
        painter.drawLine(QPointF(x, top), QPointF(x, bottom));
        const bool footRight = tab.type != QTextOption::RightTab;
        const bool footLeft = tab.type != QTextOption::LeftTab;
        if (footRight)
            painter.drawLine(QPointF(x, bottom), QPointF(x + 4, bottom));
        if (footLeft)
            painter.drawLine(QPointF(x - 4, bottom), QPointF(x, bottom));
        if (tab.type == QTextOption::DelimiterTab)
            painter.drawPoint(QPointF(x + 3, top + 2));
    }
}
