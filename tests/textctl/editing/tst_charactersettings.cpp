// The font dialog's values: what a selection shares, and every underline
// it offers kept through an RTF save and load.
#include "textctl/editing/charactersettings.h"
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreader.h"
#include "textctl/rtf/rtfwriter.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace textctl;

namespace {

QTextCursor range(QTextDocument *doc, int from, int to)
{
    QTextCursor cursor(doc);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    return cursor;
}

template <typename Set>
CharacterSettings settings(Set set)
{
    CharacterSettings s;
    set(s);
    return s;
}

}  // namespace

TEST(CharacterSettings, EveryOfferedValueSurvivesTheFile)
{
    struct Row {
        const char *name;
        CharacterSettings settings;
    };
    const Row rows[] = {
        {"single", settings([](CharacterSettings &s) { s.underline = UnderlineKind::Single; })},
        {"double", settings([](CharacterSettings &s) { s.underline = UnderlineKind::Double; })},
        {"words", settings([](CharacterSettings &s) { s.underline = UnderlineKind::Words; })},
        {"dotted", settings([](CharacterSettings &s) { s.underline = UnderlineKind::Dotted; })},
        {"dashed", settings([](CharacterSettings &s) { s.underline = UnderlineKind::Dashed; })},
        {"wave", settings([](CharacterSettings &s) { s.underline = UnderlineKind::Wave; })},
        {"thick", settings([](CharacterSettings &s) { s.underline = UnderlineKind::Thick; })},
        {"strikeOut", settings([](CharacterSettings &s) { s.strikeOut = true; })},
        {"superscript", settings([](CharacterSettings &s) { s.script = QTextCharFormat::AlignSuperScript; })},
        {"subscript", settings([](CharacterSettings &s) { s.script = QTextCharFormat::AlignSubScript; })},
        {"colour", settings([](CharacterSettings &s) { s.color = QColor(0x80, 0, 0); })},
        {"family", settings([](CharacterSettings &s) { s.family = u"Courier New"_qs; })},
        {"size", settings([](CharacterSettings &s) { s.pointSize = 10.5; })},
        {"boldItalic", settings([](CharacterSettings &s) { s.bold = true; s.italic = true; })},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        RichDocument doc;
        QTextCursor(doc.main()).insertText(u"uno dos"_qs);
        range(doc.main(), 4, 7).mergeCharFormat(charFormatOf(row.settings));
        RichDocument copy;
        ASSERT_TRUE(readRtf(writeRtf(doc), copy));
        const CharacterSettings back = characterSettingsOf(range(copy.main(), 4, 7));
        const CharacterSettings plain = characterSettingsOf(range(copy.main(), 0, 3));
        // Each row's value comes back, and the text before it keeps its own.
        if (row.settings.underline) {
            EXPECT_EQ(back.underline, row.settings.underline);
            EXPECT_EQ(plain.underline, UnderlineKind::None);
        }
        if (row.settings.strikeOut) {
            EXPECT_EQ(back.strikeOut, true);
        }
        if (row.settings.script) {
            EXPECT_EQ(back.script, row.settings.script);
        }
        if (row.settings.color) {
            EXPECT_EQ(back.color, row.settings.color);
        }
        if (row.settings.family) {
            EXPECT_EQ(back.family, row.settings.family);
        }
        if (row.settings.pointSize) {
            EXPECT_EQ(back.pointSize, row.settings.pointSize);
        }
        if (row.settings.bold) {
            EXPECT_EQ(back.bold, true);
            EXPECT_EQ(back.italic, true);
            EXPECT_EQ(plain.bold, false);
        }
    }
}

TEST(CharacterSettings, ValuesTheSelectionDoesNotShareAreAbsent)
{
    RichDocument doc;
    QTextCursor(doc.main()).insertText(u"uno dos"_qs);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    range(doc.main(), 4, 7).mergeCharFormat(bold);
    const CharacterSettings mixed = characterSettingsOf(range(doc.main(), 0, 7));
    EXPECT_FALSE(mixed.bold.has_value());
    EXPECT_EQ(mixed.italic, false);
    EXPECT_EQ(mixed.underline, UnderlineKind::None);
    EXPECT_EQ(mixed.color, QColor());  // automatic
    // Absent values stay out of the format to apply.
    const QTextCharFormat format = charFormatOf(mixed);
    EXPECT_FALSE(format.hasProperty(QTextFormat::FontWeight));
    EXPECT_TRUE(format.hasProperty(QTextFormat::FontItalic));
}
