#include "textctl/editing/paragraphedit.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/model/richdocument.h"

#include <QTextBlockFormat>
#include <QTextCursor>

#include <algorithm>
#include <cmath>

namespace textctl {

ParagraphIndents indentsOf(const QTextBlockFormat &format)
{
    return {indentToTwips(format.leftMargin()), indentToTwips(firstLineIndent(format)),
            indentToTwips(format.rightMargin())};
}

QList<TabStop> tabStopsOf(const QTextBlockFormat &format)
{
    const QList<QTextOption::Tab> tabs = tabStops(format);
    const QString leaders = format.stringProperty(prop::TabLeaders);
    QList<TabStop> stops;
    for (int i = 0; i < tabs.size(); ++i) {
        const QChar leader = i < leaders.size() ? leaders.at(i) : QChar(u' ');
        stops.append({pixelsToTwips(tabs.at(i).position), tabs.at(i).type, leader});
    }
    std::stable_sort(stops.begin(), stops.end(),
                     [](const TabStop &a, const TabStop &b) { return a.position < b.position; });
    return stops;
}

void setIndents(const QTextCursor &cursor, const ParagraphIndents &indents)
{
    if (cursor.isNull())
        return;
    QTextBlockFormat change;
    change.setLeftMargin(twipsToIndent(indents.left));
    // The own indent too: a list paragraph's text indent is a layout value.
    change.setTextIndent(twipsToIndent(indents.firstLine));
    change.setProperty(prop::OwnTextIndent, twipsToIndent(indents.firstLine));
    change.setRightMargin(twipsToIndent(indents.right));
    QTextCursor edit(cursor);
    edit.beginEditBlock();
    edit.mergeBlockFormat(change);
    edit.endEditBlock();
}

void setTabStops(const QTextCursor &cursor, QList<TabStop> stops)
{
    if (cursor.isNull())
        return;
    std::stable_sort(stops.begin(), stops.end(),
                     [](const TabStop &a, const TabStop &b) { return a.position < b.position; });
    QList<QTextOption::Tab> tabs;
    QString leaders;
    for (const TabStop &stop : stops) {
        // The delimiter the RTF reader gives a decimal stop.
        const QChar delimiter = stop.type == QTextOption::DelimiterTab ? QChar(u'.') : QChar();
        tabs.append(QTextOption::Tab(twipsToPixels(stop.position), stop.type, delimiter));
        leaders.append(stop.leader);
    }
    QTextBlockFormat change;
    // The own stops too: Qt's tab positions are layout values.
    change.setTabPositions(tabs);
    keepTabStops(&change, tabs);
    change.setProperty(prop::TabLeaders, leaders);
    QTextCursor edit(cursor);
    edit.beginEditBlock();
    edit.mergeBlockFormat(change);
    edit.endEditBlock();
}

int snapTwips(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel)) * int(kTwipsPerPixel);
}

}  // namespace textctl
