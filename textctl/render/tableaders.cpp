#include "textctl/render/tableaders.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"
#include "textctl/render/blockwalk.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <cmath>

namespace textctl {

namespace {

// The leader of the stop a tab starting at `x` (layout pixels from where
// its line starts) goes to: the first of Qt's stops past it, as its layout
// finds it; ' ' for none.
QChar leaderOfStop(const QList<QTextOption::Tab> &tabs, const QString &leaders, double x)
{
    for (qsizetype i = 0; i < tabs.size() && i < leaders.size(); ++i) {
        if (toLayout(tabs[i].position) > x + 0.01)
            return leaders[i];
    }
    return u' ';
}

QTextCharFormat formatAt(const QTextBlock &block, int position)
{
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().contains(position))
            return it.fragment().charFormat();
    }
    return block.charFormat();
}

// One leader from `left` to `right` on the baseline `y`: as many whole
// glyphs as fit, spread from the text before the tab to the text after
// it; a line for the underline and thick leaders.
void drawLeader(QPainter &painter, QChar leader, const QTextCharFormat &format, const QTextDocument &doc,
                double left, double right, double y)
{
    QPaintDevice *device = doc.documentLayout()->paintDevice();
    const QFont font(format.font().resolve(doc.defaultFont()), device);
    const QFontMetricsF metrics(font, device);
    const QColor color = format.foreground().style() == Qt::NoBrush ? QColor(Qt::black) : format.foreground().color();
    if (leader == u'_' || leader == u'=') {
        const double width = metrics.lineWidth() * (leader == u'=' ? 2 : 1);
        const double at = y + metrics.underlinePos();
        painter.fillRect(QRectF(left, at - width / 2, right - left, width), color);
        return;
    }
    const QChar glyph = leader == u'm' ? QChar(0x00B7) : leader == u'-' ? QChar(u'-') : QChar(u'.');
    const double advance = metrics.horizontalAdvance(glyph);
    const int count = advance > 0 ? int(std::floor((right - left) / advance)) : 0;
    if (count <= 0)
        return;
    QTextLayout text(QString(count, glyph), font, device);
    text.beginLayout();
    QTextLine line = text.createLine();
    text.endLayout();
    if (!line.isValid())
        return;
    // The glyphs spread to fill the room from end to end, placed one by one
    // (a letter spacing would be rounded to Qt's fixed point, each time).
    const double step = (right - left) / count;
    painter.save();
    painter.setPen(color);
    for (QGlyphRun run : text.glyphRuns()) {
        QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < positions.size(); ++i)
            positions[i].setX(i * step);
        run.setPositions(positions);
        painter.drawGlyphRun(QPointF(left, y - line.ascent()), run);
    }
    painter.restore();
}

}  // namespace

void drawTabLeaders(QPainter &painter, const QTextDocument &doc, const QRectF &clip, int from)
{
    const auto hasLeaders = [](const QTextBlock &block) {
        return !block.blockFormat().stringProperty(prop::TabLeaders).trimmed().isEmpty()
            && block.text().contains(u'\t');
    };
    forEachBlockInClip(doc, clip, from, 0, hasLeaders, [&](const QTextBlock &block, const QRectF &rect) {
        const QTextBlockFormat format = block.blockFormat();
        const QList<QTextOption::Tab> tabs = format.tabPositions();
        const QString leaders = format.stringProperty(prop::TabLeaders);
        const QString text = block.text();
        const QTextLayout *layout = block.layout();
        const QPointF origin = rect.topLeft();  // where the block's lines are placed from
        for (qsizetype at = text.indexOf(u'\t'); at >= 0; at = text.indexOf(u'\t', at + 1)) {
            const QTextLine line = layout->lineForTextPosition(int(at));
            if (!line.isValid())
                continue;
            const double top = origin.y() + line.y();
            if (top >= clip.bottom() || top + line.height() <= clip.top())
                continue;  // a line of the page before or after
            const double left = line.cursorToX(int(at));
            const double right = line.cursorToX(int(at) + 1);
            // Qt's stops are measured from where the line starts.
            const QChar leader = leaderOfStop(tabs, leaders, left - line.x());
            if (leader != u' ' && right > left)
                drawLeader(painter, leader, formatAt(block, block.position() + int(at)), doc, origin.x() + left,
                           origin.x() + right, top + line.ascent());
        }
    });
}

}  // namespace textctl
