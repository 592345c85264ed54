#include "textctl/model/paragraphformat.h"

#include "textctl/model/formatprops.h"

namespace textctl {

ParagraphSpacing paragraphSpacing(const QTextBlockFormat &format)
{
    ParagraphSpacing spacing;
    if (format.hasProperty(prop::SpaceBefore) || format.hasProperty(prop::LineRule)) {
        spacing.before = format.doubleProperty(prop::SpaceBefore);
        spacing.after = format.doubleProperty(prop::SpaceAfter);
        spacing.rule = static_cast<LineRule>(format.intProperty(prop::LineRule));
        spacing.line = format.doubleProperty(prop::LineValue);
        spacing.contextual = format.boolProperty(prop::ContextualSpace);
        return spacing;
    }
    spacing.before = format.topMargin();
    spacing.after = format.bottomMargin();
    spacing.line = format.lineHeight();
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight: spacing.rule = LineRule::Multiple; break;
    case QTextBlockFormat::FixedHeight: spacing.rule = LineRule::Exactly; break;
    case QTextBlockFormat::MinimumHeight: spacing.rule = LineRule::AtLeast; break;
    default: spacing.line = 0; break;
    }
    return spacing;
}

void setParagraphSpacing(QTextBlockFormat *format, const ParagraphSpacing &spacing)
{
    format->setProperty(prop::SpaceBefore, spacing.before);
    format->setProperty(prop::SpaceAfter, spacing.after);
    format->setProperty(prop::LineRule, static_cast<int>(spacing.rule));
    format->setProperty(prop::LineValue, spacing.line);
    if (spacing.contextual)
        format->setProperty(prop::ContextualSpace, true);
    else
        format->clearProperty(prop::ContextualSpace);
    format->setTopMargin(spacing.before);
    format->setBottomMargin(spacing.after);
    switch (spacing.rule) {
    case LineRule::Single: format->setLineHeight(0, QTextBlockFormat::SingleHeight); break;
    case LineRule::AtLeast: format->setLineHeight(spacing.line, QTextBlockFormat::MinimumHeight); break;
    case LineRule::Exactly: format->setLineHeight(spacing.line, QTextBlockFormat::FixedHeight); break;
    case LineRule::Multiple: format->setLineHeight(spacing.line, QTextBlockFormat::ProportionalHeight); break;
    }
}

double firstLineIndent(const QTextBlockFormat &format)
{
    return format.hasProperty(prop::OwnTextIndent) ? format.doubleProperty(prop::OwnTextIndent) : format.textIndent();
}

void setFirstLineIndent(QTextBlockFormat *format, double indent)
{
    format->clearProperty(prop::OwnTextIndent);
    format->setTextIndent(indent);
}

// Kept as Qt keeps its tab positions: a list of variants, each one stop.
QList<QTextOption::Tab> tabStops(const QTextBlockFormat &format)
{
    if (!format.hasProperty(prop::OwnTabPositions))
        return format.tabPositions();
    QList<QTextOption::Tab> tabs;
    for (const QVariant &tab : format.property(prop::OwnTabPositions).toList())
        tabs.append(tab.value<QTextOption::Tab>());
    return tabs;
}

void keepTabStops(QTextBlockFormat *format, const QList<QTextOption::Tab> &tabs)
{
    QVariantList list;
    for (const QTextOption::Tab &tab : tabs)
        list.append(QVariant::fromValue(tab));
    format->setProperty(prop::OwnTabPositions, list);
}

void setTabStops(QTextBlockFormat *format, const QList<QTextOption::Tab> &tabs)
{
    format->clearProperty(prop::OwnTabPositions);
    format->setTabPositions(tabs);
}

bool widowControl(const QTextBlockFormat &format)
{
    return !format.hasProperty(prop::WidowControl) || format.boolProperty(prop::WidowControl);
}

void setWidowControl(QTextBlockFormat *format, bool on)
{
    if (on)
        format->clearProperty(prop::WidowControl);
    else
        format->setProperty(prop::WidowControl, false);
}

namespace {

constexpr int kPenProperty[] = {prop::ParagraphBorderTop, prop::ParagraphBorderLeft, prop::ParagraphBorderBottom,
                                prop::ParagraphBorderRight};
constexpr int kSpaceProperty[] = {prop::ParagraphBorderSpaceTop, prop::ParagraphBorderSpaceLeft,
                                  prop::ParagraphBorderSpaceBottom, prop::ParagraphBorderSpaceRight};

}  // namespace

ParagraphBorders paragraphBorders(const QTextBlockFormat &format)
{
    ParagraphBorders borders;
    const int doubles = format.intProperty(prop::ParagraphBorderDouble);
    for (int side = 0; side < 4; ++side) {
        if (!format.hasProperty(kPenProperty[side]))
            continue;
        borders[side].pen = format.penProperty(kPenProperty[side]);
        borders[side].space = format.doubleProperty(kSpaceProperty[side]);
        borders[side].twoLines = doubles & (1 << side);
    }
    return borders;
}

void setParagraphBorders(QTextBlockFormat *format, const ParagraphBorders &borders)
{
    int doubles = 0;
    for (int side = 0; side < 4; ++side) {
        const BorderLine &line = borders[side];
        if (!line.present()) {
            format->clearProperty(kPenProperty[side]);
            format->clearProperty(kSpaceProperty[side]);
            continue;
        }
        format->setProperty(kPenProperty[side], line.pen);
        format->setProperty(kSpaceProperty[side], line.space);
        if (line.twoLines)
            doubles |= 1 << side;
    }
    if (doubles)
        format->setProperty(prop::ParagraphBorderDouble, doubles);
    else
        format->clearProperty(prop::ParagraphBorderDouble);
}

}  // namespace textctl
