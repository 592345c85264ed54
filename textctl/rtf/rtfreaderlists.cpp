#include "textctl/rtf/rtfreaderlists.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"

#include <algorithm>

namespace textctl::rtf {

namespace {

constexpr int kNoNumber = 255;  // \levelnfc255: a level without a number
constexpr int kBullet = 23;     // \levelnfc23

// The bullet style that draws a fixed level text; `exact` tells whether
// it draws that very text.
QTextListFormat::Style bulletStyle(const QString &text, bool *exact)
{
    struct Glyph {
        char16_t ch;
        QTextListFormat::Style style;
    };
    static constexpr Glyph kGlyphs[] = {
        {u'\u2022', QTextListFormat::ListDisc},   {u'\uF0B7', QTextListFormat::ListDisc},
        {u'\u25CF', QTextListFormat::ListDisc},   {u'o', QTextListFormat::ListCircle},
        {u'\u25CB', QTextListFormat::ListCircle}, {u'\uF06F', QTextListFormat::ListCircle},
        {u'\u25AA', QTextListFormat::ListSquare}, {u'\u25A0', QTextListFormat::ListSquare},
        {u'\uF0A7', QTextListFormat::ListSquare}, {u'\u00A7', QTextListFormat::ListSquare},
    };
    *exact = false;
    if (text.size() == 1) {
        for (const Glyph &g : kGlyphs) {
            if (text.at(0) == QChar(g.ch)) {
                *exact = true;
                return g.style;
            }
        }
    }
    return QTextListFormat::ListDisc;
}

QTextListFormat::Style styleForNumberFormat(int nfc)
{
    switch (nfc) {
    case 1: return QTextListFormat::ListUpperRoman;
    case 2: return QTextListFormat::ListLowerRoman;
    case 3: return QTextListFormat::ListUpperAlpha;
    case 4: return QTextListFormat::ListLowerAlpha;
    case kNoNumber: return QTextListFormat::ListStyleUndefined;
    case kBullet: return QTextListFormat::ListDisc;
    default: return QTextListFormat::ListDecimal;
    }
}

// \leveltext is a length character, then text in which characters 0-8
// stand for the numbers of levels 1-9. The text before the first number and
// after the last are kept; a text without numbers is the whole label.
struct LevelLabel {
    bool stated = false;   // the level has a text at all
    bool numbered = false; // it holds a number
    QString prefix;
    QString suffix;
    QString fixed;         // the text of a label without a number
};

LevelLabel splitLevelText(const QString &levelText)
{
    LevelLabel label;
    if (levelText.isEmpty())
        return label;
    label.stated = true;
    const int length = std::min<int>(levelText.at(0).unicode(), levelText.size() - 1);
    const QString body = levelText.mid(1, length);
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < body.size(); ++i) {
        if (body.at(i).unicode() < 9) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    label.numbered = first >= 0;
    if (!label.numbered) {
        label.fixed = body;
        return label;
    }
    label.prefix = body.left(first);
    label.suffix = body.mid(last + 1);
    return label;
}

// The label of a level: its text decides between a number, a fixed text
// and nothing; the number format only says how a number is written.
void setLevelLabel(QTextListFormat &list, const ListLevelDef &level)
{
    const LevelLabel label = splitLevelText(level.text);
    if (label.stated && !label.numbered) {
        if (label.fixed.isEmpty()) {
            list.setStyle(QTextListFormat::ListStyleUndefined);
            return;
        }
        bool exact = false;
        list.setStyle(bulletStyle(label.fixed, &exact));
        if (!exact)
            list.setProperty(prop::ListLabelText, label.fixed);
        return;
    }
    list.setStyle(styleForNumberFormat(level.numberFormat));
    if (level.numberFormat == kBullet || level.numberFormat == kNoNumber)
        return;
    list.setNumberPrefix(label.prefix);
    list.setNumberSuffix(label.suffix);
    if (level.startAt != 1)
        list.setProperty(prop::ListStart, level.startAt);
}

}  // namespace

void applyListTableWord(ReaderContext &ctx, Word word, int param)
{
    const Destination d = ctx.top().destination;
    ListLevelDef *level = d == Destination::ListLevel ? ctx.lists.currentLevel() : nullptr;
    switch (word) {
    case Word::ListId:
        if (d == Destination::List)
            ctx.lists.setListId(param);
        else if (d == Destination::ListOverride)
            ctx.lists.setOverrideListId(param);
        break;
    case Word::ListOverrideIndex:
        if (d == Destination::ListOverride)
            ctx.lists.setOverrideIndex(param);
        break;
    case Word::LevelNfc:
    case Word::LevelNfcN:
        if (level)
            level->numberFormat = param;
        break;
    case Word::LevelStartAt:
        if (level)
            level->startAt = param;
        break;
    case Word::FirstIndent:
        if (level) {
            level->first = param;
            level->firstSet = true;
        }
        break;
    case Word::LeftIndent:
    case Word::LeftIndentLtr:
        if (level) {
            level->left = param;
            level->leftSet = true;
        }
        break;
    default: break;
    }
}

void applyLegacyListWord(ReaderContext &ctx, Word word, int param)
{
    LegacyListState &l = ctx.top().para.legacy;
    switch (word) {
    case Word::PnLevel: l.level = std::clamp(param, 1, 9); break;
    case Word::PnLevelBullet:
        l.level = 10;
        l.bullet = true;
        break;
    case Word::PnLevelBody:
        l.level = 10;
        l.bullet = false;
        break;
    case Word::PnLevelCont: l.level = 0; break;
    case Word::PnDecimal:
    case Word::PnCardinal:
    case Word::PnOrdinal: l.style = QTextListFormat::ListDecimal; break;
    case Word::PnUpperLetter: l.style = QTextListFormat::ListUpperAlpha; break;
    case Word::PnLowerLetter: l.style = QTextListFormat::ListLowerAlpha; break;
    case Word::PnUpperRoman: l.style = QTextListFormat::ListUpperRoman; break;
    case Word::PnLowerRoman: l.style = QTextListFormat::ListLowerRoman; break;
    default: break;
    }
}

ListRef listFor(const ReaderContext &ctx, const ParaState &para, QTextBlockFormat &format)
{
    ListRef ref;
    const ListLevelDef *level = nullptr;
    if (para.listOverride > 0 || (para.listOverride == 0 && ctx.lists.hasOverride(0))) {
        format.setProperty(prop::ListOverride, para.listOverride);
        format.setProperty(prop::ListLevel, para.listLevel);
        level = ctx.lists.level(para.listOverride, para.listLevel);
    }
    // An \lsN the tables do not define falls back to the paragraph's \pn.
    if (level) {
        ref.key = std::min(para.listOverride, 1 << 20) * 16 + para.listLevel + 1;
        QTextListFormat &list = ref.format.emplace();
        setLevelLabel(list, *level);
        list.setIndent(0);
        if (!para.leftSet && level->leftSet)
            format.setLeftMargin(twipsToIndent(level->left));
        if (!para.firstSet && level->firstSet)
            format.setTextIndent(twipsToIndent(level->first));
        return ref;
    }
    const LegacyListState &legacy = para.legacy;
    if (legacy.level <= 0)
        return ref;
    ref.key = -(legacy.level + (legacy.bullet ? 100 : 0));
    QTextListFormat &list = ref.format.emplace();
    list.setStyle(legacy.bullet ? QTextListFormat::ListDisc : legacy.style);
    list.setIndent(0);
    if (!legacy.bullet) {
        list.setNumberPrefix(legacy.before);
        list.setNumberSuffix(legacy.after);
    }
    return ref;
}

}  // namespace textctl::rtf
