#include "textctl/editing/paragraphsettings.h"

#include "textctl/editing/selectionwalk.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <cmath>

namespace textctl {

namespace {

int lineValueOf(const ParagraphSpacing &spacing)
{
    switch (spacing.rule) {
    case LineRule::Multiple: return int(std::lround(spacing.line));
    case LineRule::AtLeast:
    case LineRule::Exactly: return pixelsToTwips(spacing.line);
    case LineRule::Single: return 0;
    }
    return 0;
}

ParagraphSettings settingsOf(const QTextBlockFormat &format)
{
    const ParagraphSpacing spacing = paragraphSpacing(format);
    ParagraphSettings s;
    s.alignment = horizontalAlignment(format);
    s.leftIndent = indentToTwips(format.leftMargin());
    s.rightIndent = indentToTwips(format.rightMargin());
    s.firstLineIndent = indentToTwips(firstLineIndent(format));
    s.spaceBefore = pixelsToTwips(spacing.before);
    s.spaceAfter = pixelsToTwips(spacing.after);
    s.lineRule = spacing.rule;
    s.lineValue = lineValueOf(spacing);
    s.keepWithNext = format.boolProperty(prop::KeepWithNext);
    s.keepTogether = format.nonBreakableLines();
    s.widowControl = widowControl(format);
    s.pageBreakBefore = bool(format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore);
    return s;
}

void applyKeeps(QTextBlockFormat &format, const ParagraphSettings &s);

template <typename T>
void keepShared(std::optional<T> &shared, const std::optional<T> &other)
{
    if (shared != other)
        shared.reset();
}

void applyTo(QTextBlockFormat &format, const ParagraphSettings &s)
{
    if (s.alignment)
        format.setAlignment(*s.alignment);
    if (s.leftIndent)
        format.setLeftMargin(twipsToIndent(*s.leftIndent));
    if (s.rightIndent)
        format.setRightMargin(twipsToIndent(*s.rightIndent));
    if (s.firstLineIndent) {
        const double indent = twipsToIndent(*s.firstLineIndent);
        setFirstLineIndent(&format, indent);
        // A list paragraph's text indent is a layout value: the own one too.
        format.setProperty(prop::OwnTextIndent, indent);
    }
    if (!(s.spaceBefore || s.spaceAfter || s.lineRule || s.lineValue)) {
        applyKeeps(format, s);
        return;
    }
    ParagraphSpacing spacing = paragraphSpacing(format);
    if (s.spaceBefore)
        spacing.before = twipsToPixels(*s.spaceBefore);
    if (s.spaceAfter)
        spacing.after = twipsToPixels(*s.spaceAfter);
    if (s.lineRule)
        spacing.rule = *s.lineRule;
    if (s.lineValue || s.lineRule) {
        const int value = s.lineValue.value_or(lineValueOf(spacing));
        switch (spacing.rule) {
        case LineRule::Multiple: spacing.line = value; break;
        case LineRule::AtLeast:
        case LineRule::Exactly: spacing.line = twipsToPixels(value); break;
        case LineRule::Single: spacing.line = 0; break;
        }
    }
    setParagraphSpacing(&format, spacing);
    applyKeeps(format, s);
}

void applyKeeps(QTextBlockFormat &format, const ParagraphSettings &s)
{
    if (s.keepWithNext)
        format.setProperty(prop::KeepWithNext, *s.keepWithNext);
    if (s.keepTogether)
        format.setNonBreakableLines(*s.keepTogether);
    if (s.widowControl)
        setWidowControl(&format, *s.widowControl);
    if (s.pageBreakBefore) {
        QTextFormat::PageBreakFlags flags = format.pageBreakPolicy();
        flags.setFlag(QTextFormat::PageBreak_AlwaysBefore, *s.pageBreakBefore);
        format.setPageBreakPolicy(flags);
    }
}

}  // namespace

ParagraphSettings paragraphSettingsOf(const QTextCursor &cursor)
{
    if (cursor.isNull())
        return {};
    const QList<QTextBlock> blocks = selectedBlocks(cursor);
    ParagraphSettings shared = settingsOf(blocks.first().blockFormat());
    for (const QTextBlock &block : blocks) {
        const ParagraphSettings other = settingsOf(block.blockFormat());
        keepShared(shared.alignment, other.alignment);
        keepShared(shared.leftIndent, other.leftIndent);
        keepShared(shared.rightIndent, other.rightIndent);
        keepShared(shared.firstLineIndent, other.firstLineIndent);
        keepShared(shared.spaceBefore, other.spaceBefore);
        keepShared(shared.spaceAfter, other.spaceAfter);
        keepShared(shared.lineRule, other.lineRule);
        keepShared(shared.lineValue, other.lineValue);
        keepShared(shared.keepWithNext, other.keepWithNext);
        keepShared(shared.keepTogether, other.keepTogether);
        keepShared(shared.widowControl, other.widowControl);
        keepShared(shared.pageBreakBefore, other.pageBreakBefore);
    }
    return shared;
}

void applyParagraphSettings(const QTextCursor &cursor, const ParagraphSettings &settings)
{
    if (cursor.isNull())
        return;
    QTextCursor edit(cursor);
    edit.beginEditBlock();
    for (const QTextBlock &block : selectedBlocks(cursor)) {
        QTextBlockFormat format = block.blockFormat();
        applyTo(format, settings);
        QTextCursor(block).setBlockFormat(format);
    }
    edit.endEditBlock();
}

}  // namespace textctl
