#include "textctl/rtf/rtfreaderlists.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"

#include <algorithm>

namespace textctl::rtf {

namespace {

constexpr int kNoNumber = 255;  // \levelnfc255: a level without a number

QTextListFormat::Style styleForNumberFormat(int nfc, const QString &bullet)
{
    switch (nfc) {
    case 1: return QTextListFormat::ListUpperRoman;
    case 2: return QTextListFormat::ListLowerRoman;
    case 3: return QTextListFormat::ListUpperAlpha;
    case 4: return QTextListFormat::ListLowerAlpha;
    case kNoNumber: return QTextListFormat::ListStyleUndefined;
    case 23:
        if (bullet == u"o" || bullet == u"\u25CB" || bullet == u"\uF06F")
            return QTextListFormat::ListCircle;
        if (bullet == u"\u25AA" || bullet == u"\u25A0" || bullet == u"\uF0A7" || bullet == u"\u00A7")
            return QTextListFormat::ListSquare;
        return QTextListFormat::ListDisc;
    default: return QTextListFormat::ListDecimal;
    }
}

// \leveltext is a length character, then text in which characters 0-8
// stand for the numbers of levels 1-9.
void splitLevelText(const QString &levelText, QString &prefix, QString &suffix, QString &bullet)
{
    if (levelText.isEmpty())
        return;
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
    if (first < 0) {
        bullet = body;
        return;
    }
    prefix = body.left(first);
    suffix = body.mid(last + 1);
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
        QString prefix, suffix, bullet;
        splitLevelText(level->text, prefix, suffix, bullet);
        ref.key = std::min(para.listOverride, 1 << 20) * 16 + para.listLevel + 1;
        QTextListFormat &list = ref.format.emplace();
        list.setStyle(styleForNumberFormat(level->numberFormat, bullet));
        list.setIndent(0);
        if (level->numberFormat != 23 && level->numberFormat != kNoNumber) {
            list.setNumberPrefix(prefix);
            list.setNumberSuffix(suffix);
            if (level->startAt != 1)
                list.setProperty(prop::ListStart, level->startAt);
        }
        if (!para.leftSet && level->leftSet)
            format.setLeftMargin(twipsToPixels(level->left));
        if (!para.firstSet && level->firstSet)
            format.setTextIndent(twipsToPixels(level->first));
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
