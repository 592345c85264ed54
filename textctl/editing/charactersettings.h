#pragma once

// A font dialog's values for the text a selection covers (the caret's
// format without a selection). A value the text does not share reads as
// absent; only present values go into the format to apply, so a mixed value
// the user leaves alone stays as each piece of text has it.
//
//   CharacterSettings s = characterSettingsOf(control.cursor());
//   s.underline = UnderlineKind::Double;
//   applyCharFormat(control, charFormatOf(s));   // formatstate.h: one undo step

#include <QColor>
#include <QString>
#include <QTextCharFormat>

#include <optional>

class QTextCursor;

namespace textctl {

// The underlines the model keeps and the files write back.
enum class UnderlineKind { None, Single, Double, Words, Dotted, Dashed, Wave, Thick };

struct CharacterSettings {
    std::optional<QString> family;
    std::optional<double> pointSize;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<UnderlineKind> underline;
    std::optional<QColor> color;  // an invalid colour: the automatic one
    std::optional<bool> strikeOut;
    std::optional<QTextCharFormat::VerticalAlignment> script;  // normal, super- or subscript

    friend bool operator==(const CharacterSettings &, const CharacterSettings &) = default;
};

CharacterSettings characterSettingsOf(const QTextCursor &cursor);
QTextCharFormat charFormatOf(const CharacterSettings &settings);

}  // namespace textctl
