#include "textctl/rtf/rtfreaderchar.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"

#include <QFont>

namespace textctl::rtf {

namespace {

struct UnderlineKind {
    Word word;
    QTextCharFormat::UnderlineStyle style;
    const char *kind;  // nullptr when Qt's style is exact
};

constexpr UnderlineKind kUnderlines[] = {
    {Word::Underline, QTextCharFormat::SingleUnderline, nullptr},
    {Word::UnderlineDotted, QTextCharFormat::DotLine, nullptr},
    {Word::UnderlineDash, QTextCharFormat::DashUnderline, nullptr},
    {Word::UnderlineDashDot, QTextCharFormat::DashDotLine, nullptr},
    {Word::UnderlineDashDotDot, QTextCharFormat::DashDotDotLine, nullptr},
    {Word::UnderlineWave, QTextCharFormat::WaveUnderline, nullptr},
    {Word::UnderlineDouble, QTextCharFormat::SingleUnderline, "uldb"},
    {Word::UnderlineHeavyWave, QTextCharFormat::WaveUnderline, "ulhwave"},
    {Word::UnderlineLongDash, QTextCharFormat::DashUnderline, "ulldash"},
    {Word::UnderlineThick, QTextCharFormat::SingleUnderline, "ulth"},
    {Word::UnderlineThickDotted, QTextCharFormat::DotLine, "ulthd"},
    {Word::UnderlineThickDash, QTextCharFormat::DashUnderline, "ulthdash"},
    {Word::UnderlineThickDashDot, QTextCharFormat::DashDotLine, "ulthdashd"},
    {Word::UnderlineThickDashDotDot, QTextCharFormat::DashDotDotLine, "ulthdashdd"},
    {Word::UnderlineThickLongDash, QTextCharFormat::DashUnderline, "ulthldash"},
    {Word::UnderlineDoubleWave, QTextCharFormat::WaveUnderline, "ululdbwave"},
    {Word::UnderlineWords, QTextCharFormat::SingleUnderline, "ulw"},
    {Word::UnderlineHair, QTextCharFormat::SingleUnderline, "ulhair"},
};

void setUnderline(QTextCharFormat &format, Word word, bool on)
{
    format.clearProperty(prop::UnderlineKind);
    if (!on || word == Word::UnderlineNone) {
        format.setUnderlineStyle(QTextCharFormat::NoUnderline);
        return;
    }
    for (const UnderlineKind &u : kUnderlines) {
        if (u.word != word)
            continue;
        format.setUnderlineStyle(u.style);
        if (u.kind)
            format.setProperty(prop::UnderlineKind, QString::fromLatin1(u.kind));
        return;
    }
}

void setBackgroundColor(QTextCharFormat &format, const QColor &color)
{
    if (color.isValid())
        format.setBackground(color);
    else
        format.clearBackground();
}

void setSpacing(QTextCharFormat &format, int twips)
{
    if (twips == 0) {
        format.clearProperty(prop::CharSpacingTwips);
        format.clearProperty(QTextFormat::FontLetterSpacing);
        format.clearProperty(QTextFormat::FontLetterSpacingType);
        return;
    }
    format.setProperty(prop::CharSpacingTwips, twips);
    format.setFontLetterSpacingType(QFont::AbsoluteSpacing);
    format.setFontLetterSpacing(twipsToLetterSpacing(twips));
}

// Text is kerned from the size \kerningN gives up, as word processors kern it.
void kernFromItsSize(QTextCharFormat &f)
{
    const int from = f.intProperty(prop::KerningFrom);
    const double halfPoints = 2 * (f.hasProperty(QTextFormat::FontPointSize) ? f.fontPointSize()
                                                                               : RichDocument::kDefaultFontHalfPoints / 2.0);
    if (from > 0 && halfPoints >= from)
        f.setFontKerning(true);
    else
        f.clearProperty(QTextFormat::FontKerning);
}

}  // namespace

void setCurrentFont(ReaderContext &ctx, int index)
{
    CharState &c = ctx.top().chr;
    if (c.font == index && index >= 0)
        return;  // writers repeat \fN before every run
    const auto it = ctx.fonts.constFind(index);
    if (it == ctx.fonts.constEnd())
        return;
    c.font = index;
    c.codePage = it->codePage;
    if (it->families.isValid())
        c.format.setProperty(QTextFormat::FontFamilies, it->families);
}

void resetCharacterFormat(ReaderContext &ctx)
{
    CharState &c = ctx.top().chr;
    c.format = QTextCharFormat();
    c.font = -1;
    c.codePage = 0;
    if (ctx.defaultFont >= 0)
        setCurrentFont(ctx, ctx.defaultFont);
    c.format.merge(c.sticky);
    ctx.top().charFresh = true;
}

void applyCharacterWord(ReaderContext &ctx, Word word, int param, bool hasParam)
{
    ctx.top().charFresh = false;
    QTextCharFormat &f = ctx.top().chr.format;
    const bool on = !hasParam || param != 0;
    switch (word) {
    case Word::Plain: resetCharacterFormat(ctx); return;
    case Word::Bold: f.setFontWeight(on ? QFont::Bold : QFont::Normal); break;
    case Word::Italic: f.setFontItalic(on); break;
    case Word::Strike:
    case Word::StrikeDouble: f.setFontStrikeOut(on); break;
    case Word::ForeColor:
        if (const QColor color = ctx.colors.color(param); color.isValid())
            f.setForeground(color);
        else
            f.clearForeground();
        break;
    case Word::BackColor:
    case Word::Highlight:
    case Word::CharShading: setBackgroundColor(f, ctx.colors.color(param)); break;
    case Word::Super:
        f.setVerticalAlignment(on ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal);
        ctx.top().chr.superRun = on;
        ctx.top().chr.superText &= on;
        break;
    case Word::Sub:
        f.setVerticalAlignment(on ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal);
        break;
    case Word::NoSuperSub:
        f.setVerticalAlignment(QTextCharFormat::AlignNormal);
        ctx.top().chr.superRun = ctx.top().chr.superText = false;
        break;
    case Word::Up:
        f.setVerticalAlignment(param > 0 ? QTextCharFormat::AlignSuperScript : QTextCharFormat::AlignNormal);
        break;
    case Word::Down:
        f.setVerticalAlignment(param > 0 ? QTextCharFormat::AlignSubScript : QTextCharFormat::AlignNormal);
        break;
    case Word::Caps: f.setFontCapitalization(on ? QFont::AllUppercase : QFont::MixedCase); break;
    case Word::SmallCaps: f.setFontCapitalization(on ? QFont::SmallCaps : QFont::MixedCase); break;
    case Word::Hidden:
        if (on)
            f.setProperty(prop::Hidden, true);
        else
            f.clearProperty(prop::Hidden);
        break;
    case Word::Font: setCurrentFont(ctx, param); break;
    case Word::FontSize:
        if (!hasParam)
            f.setFontPointSize(RichDocument::kDefaultFontHalfPoints / 2.0);
        else if (param > 0 && param <= 3276)
            f.setFontPointSize(param / 2.0);
        kernFromItsSize(f);
        break;
    case Word::Expand: setSpacing(f, std::clamp(param, -10000, 10000) * 5); break;
    case Word::ExpandTwips: setSpacing(f, std::clamp(param, -50000, 50000)); break;
    case Word::Kerning:  // pair kerning, for text from the given size up; off by default
        if (hasParam && param > 0)
            f.setProperty(prop::KerningFrom, param);
        else
            f.clearProperty(prop::KerningFrom);
        kernFromItsSize(f);
        break;
    default:
        setUnderline(f, word, on);
        break;
    }
}

}  // namespace textctl::rtf
