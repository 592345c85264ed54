#include "textctl/editing/charactersettings.h"

#include "textctl/editing/selectionwalk.h"
#include "textctl/model/formatprops.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>


namespace textctl {

namespace {

struct UnderlineWay {
    UnderlineKind kind;
    QTextCharFormat::UnderlineStyle style;
    const char *word;  // the file's own word when Qt's style is not exact
};

constexpr UnderlineWay kUnderlines[] = {
    {UnderlineKind::None, QTextCharFormat::NoUnderline, nullptr},
    {UnderlineKind::Single, QTextCharFormat::SingleUnderline, nullptr},
    {UnderlineKind::Double, QTextCharFormat::SingleUnderline, "uldb"},
    {UnderlineKind::Words, QTextCharFormat::SingleUnderline, "ulw"},
    {UnderlineKind::Dotted, QTextCharFormat::DotLine, nullptr},
    {UnderlineKind::Dashed, QTextCharFormat::DashUnderline, nullptr},
    {UnderlineKind::Wave, QTextCharFormat::WaveUnderline, nullptr},
    {UnderlineKind::Thick, QTextCharFormat::SingleUnderline, "ulth"},
};

UnderlineKind underlineOf(const QTextCharFormat &format)
{
    QTextCharFormat::UnderlineStyle style = format.underlineStyle();
    if (!format.hasProperty(QTextFormat::TextUnderlineStyle) && format.fontUnderline())
        style = QTextCharFormat::SingleUnderline;
    const QString word = format.stringProperty(prop::UnderlineKind);
    for (const UnderlineWay &way : kUnderlines) {
        if (way.word && word == QLatin1String(way.word))
            return way.kind;
    }
    // Other kinds of the files show as the nearest Qt style.
    for (const UnderlineWay &way : kUnderlines) {
        if (!way.word && way.style == style)
            return way.kind;
    }
    return UnderlineKind::Single;
}

CharacterSettings settingsOf(const QTextCharFormat &format, const QFont &base)
{
    const QFont font = format.font().resolve(base);
    CharacterSettings s;
    s.family = font.family();
    s.pointSize = font.pointSizeF();
    s.bold = font.weight() > QFont::Medium;
    s.italic = font.italic();
    s.underline = underlineOf(format);
    s.color = format.foreground().style() == Qt::NoBrush ? QColor() : format.foreground().color();
    s.strikeOut = font.strikeOut();
    s.script = format.verticalAlignment();
    return s;
}

template <typename T>
void keepShared(std::optional<T> &shared, const std::optional<T> &other)
{
    if (shared != other)
        shared.reset();
}

}  // namespace

CharacterSettings characterSettingsOf(const QTextCursor &cursor)
{
    if (cursor.isNull())
        return {};
    const QFont base = cursor.document()->defaultFont();
    std::optional<CharacterSettings> shared;
    forEachCharFormat(cursor, [&](const QTextCharFormat &format) {
        const CharacterSettings other = settingsOf(format, base);
        if (!shared) {
            shared = other;
            return;
        }
        keepShared(shared->family, other.family);
        keepShared(shared->pointSize, other.pointSize);
        keepShared(shared->bold, other.bold);
        keepShared(shared->italic, other.italic);
        keepShared(shared->underline, other.underline);
        keepShared(shared->color, other.color);
        keepShared(shared->strikeOut, other.strikeOut);
        keepShared(shared->script, other.script);
    });
    return shared.value_or(CharacterSettings{});
}

QTextCharFormat charFormatOf(const CharacterSettings &s)
{
    QTextCharFormat format;
    if (s.family)
        format.setFontFamilies({*s.family});
    if (s.pointSize)
        format.setFontPointSize(*s.pointSize);
    if (s.bold)
        format.setFontWeight(*s.bold ? QFont::Bold : QFont::Normal);
    if (s.italic)
        format.setFontItalic(*s.italic);
    if (s.underline) {
        for (const UnderlineWay &way : kUnderlines) {
            if (way.kind != *s.underline)
                continue;
            format.setUnderlineStyle(way.style);
            // An empty word: Qt's style says it all.
            format.setProperty(prop::UnderlineKind, way.word ? QString::fromLatin1(way.word) : QString());
        }
    }
    if (s.color)
        format.setForeground(s.color->isValid() ? QBrush(*s.color) : QBrush());
    if (s.strikeOut)
        format.setFontStrikeOut(*s.strikeOut);
    if (s.script)
        format.setVerticalAlignment(*s.script);
    return format;
}

}  // namespace textctl
