#pragma once

// A paragraph dialog's values for the paragraphs a selection touches. A
// value the selected paragraphs do not share reads as absent, and an absent
// value is left as each paragraph has it when the settings are applied.
// Lengths are twips; the line value is twips for a line of at least or
// exactly that height and percent of a single line for Multiple.
//
//   ParagraphSettings s = paragraphSettingsOf(cursor);
//   s.spaceAfter = 120;
//   s.lineRule = LineRule::Multiple;
//   s.lineValue = 150;                     // 1.5 lines
//   applyParagraphSettings(cursor, s);     // every selected paragraph, one undo step

#include "textctl/model/paragraphformat.h"

#include <Qt>

#include <optional>

class QTextCursor;

namespace textctl {

struct ParagraphSettings {
    std::optional<Qt::Alignment> alignment;  // AlignLeft, AlignHCenter, AlignRight or AlignJustify
    std::optional<int> leftIndent;
    std::optional<int> rightIndent;
    std::optional<int> firstLineIndent;  // relative to the left indent
    std::optional<int> spaceBefore;
    std::optional<int> spaceAfter;
    std::optional<LineRule> lineRule;
    std::optional<int> lineValue;
    std::optional<bool> keepWithNext;
    std::optional<bool> keepTogether;
    std::optional<bool> widowControl;
    std::optional<bool> pageBreakBefore;

    friend bool operator==(const ParagraphSettings &, const ParagraphSettings &) = default;
};

ParagraphSettings paragraphSettingsOf(const QTextCursor &cursor);
void applyParagraphSettings(const QTextCursor &cursor, const ParagraphSettings &settings);

}  // namespace textctl
