#include "textctl/rtf/rtfreaderpara.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreaderchar.h"
#include "textctl/rtf/rtfreaderdoctables.h"

#include <algorithm>
#include <charconv>
#include <numeric>

namespace textctl::rtf {

namespace {

constexpr int kMaxTableNesting = 16;

void addTab(ParaState &p, int twips)
{
    QChar delimiter;
    if (p.tabType == QTextOption::DelimiterTab)
        delimiter = u'.';
    const QTextOption::Tab tab(twipsToPixels(twips), p.tabType, delimiter);
    // A stop set again at the same place (a style's, then the paragraph's
    // own) replaces the first.
    const auto same = std::find_if(p.tabs.begin(), p.tabs.end(), [&](const QTextOption::Tab &t) {
        return qFuzzyCompare(t.position, tab.position);
    });
    if (same != p.tabs.end()) {
        p.leaders[same - p.tabs.begin()] = p.leader;
        *same = tab;
    } else {
        p.tabs.append(tab);
        p.leaders.append(p.leader);
    }
    p.tabType = QTextOption::LeftTab;
    p.leader = u' ';
}

bool applyTabWord(ParaState &p, Word word, int param)
{
    switch (word) {
    case Word::TabRight: p.tabType = QTextOption::RightTab; break;
    case Word::TabCenter: p.tabType = QTextOption::CenterTab; break;
    case Word::TabDecimal: p.tabType = QTextOption::DelimiterTab; break;
    case Word::LeaderDot: p.leader = u'.'; break;
    case Word::LeaderHyphen: p.leader = u'-'; break;
    case Word::LeaderUnderline: p.leader = u'_'; break;
    case Word::LeaderThick: p.leader = u'='; break;
    case Word::LeaderEqual: p.leader = u'='; break;
    case Word::LeaderMiddleDot: p.leader = u'm'; break;
    case Word::TabPosition: addTab(p, param); break;
    case Word::TabBar:  // a vertical bar, not a stop: nothing to keep
        p.tabType = QTextOption::LeftTab;
        p.leader = u' ';
        break;
    default: return false;
    }
    return true;
}

void applyBorderWord(ReaderContext &ctx, ParaState &p, Word word, QByteArrayView name, int param,
                     bool hasParam)
{
    if (word >= Word::BorderTop && word <= Word::BorderBox) {
        ctx.borderTarget = BorderTarget::Paragraph;
        ctx.borderSide = static_cast<int>(word) - static_cast<int>(Word::BorderTop);
        p.borders[ctx.borderSide].clear();
        appendVerbatimWord(p.borders[ctx.borderSide], name, param, hasParam);
    } else if (word == Word::BorderAttribute && ctx.borderTarget == BorderTarget::Paragraph) {
        appendVerbatimWord(p.borders[ctx.borderSide], name, param, hasParam);
    }
}

}  // namespace

void appendVerbatimWord(QByteArray &out, QByteArrayView name, int param, bool hasParam)
{
    char buffer[48];
    char *end = buffer;
    *end++ = '\\';
    const qsizetype length = std::min<qsizetype>(name.size(), 32);
    end = std::copy_n(name.data(), length, end);
    if (hasParam)
        end = std::to_chars(end, buffer + sizeof buffer, param).ptr;
    out.append(buffer, end - buffer);
}

void applyParagraphWord(ReaderContext &ctx, Word word, QByteArrayView name, int param,
                        bool hasParam)
{
    if (word == Word::Style) {
        applyParagraphStyle(ctx, param);
        ctx.top().para.format.setProperty(prop::StyleIndex, param);
        return;
    }
    ctx.top().paraFresh = word == Word::Pard;
    ParaState &p = ctx.top().para;
    QTextBlockFormat &f = p.format;
    const bool on = !hasParam || param != 0;
    switch (word) {
    case Word::Pard: p = ParaState(); break;
    case Word::AlignLeft: f.setAlignment(Qt::AlignLeft); break;
    case Word::AlignRight: f.setAlignment(Qt::AlignRight); break;
    case Word::AlignCenter: f.setAlignment(Qt::AlignHCenter); break;
    case Word::AlignJustify:
    case Word::AlignDistribute: f.setAlignment(Qt::AlignJustify); break;
    case Word::LeftIndent:
    case Word::LeftIndentLtr:
        f.setLeftMargin(twipsToPixels(param));
        p.leftSet = true;
        break;
    case Word::RightIndent:
    case Word::RightIndentLtr: f.setRightMargin(twipsToPixels(param)); break;
    case Word::FirstIndent:
        f.setTextIndent(twipsToPixels(param));
        p.firstSet = true;
        break;
    case Word::SpaceBefore: f.setTopMargin(twipsToPixels(std::max(0, param))); break;
    case Word::SpaceAfter: f.setBottomMargin(twipsToPixels(std::max(0, param))); break;
    case Word::LineSpacing: p.lineSpacing = std::clamp(param, -32767, 32767); break;
    case Word::LineMultiple: p.lineMultiple = on; break;
    case Word::Keep: f.setNonBreakableLines(on); break;
    case Word::KeepNext:
        if (on)
            f.setProperty(prop::KeepWithNext, true);
        else
            f.clearProperty(prop::KeepWithNext);
        break;
    case Word::PageBreakBefore:
        f.setPageBreakPolicy(on ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto);
        break;
    case Word::InTable: p.inTable = true; break;
    case Word::Itap: p.nesting = std::clamp(param, 0, kMaxTableNesting); break;
    case Word::ListOverrideIndex: p.listOverride = param; break;
    case Word::ListLevelIndex: p.listLevel = std::clamp(param, 0, 8); break;
    case Word::ParaShading:
        if (const QColor color = ctx.colors.color(param); color.isValid())
            f.setBackground(color);
        else
            f.clearBackground();
        break;
    default:
        if (!applyTabWord(p, word, param))
            applyBorderWord(ctx, p, word, name, param, hasParam);
        break;
    }
}

QTextBlockFormat finishedBlockFormat(const ParaState &para)
{
    QTextBlockFormat format = para.format;
    if (!para.tabs.isEmpty()) {
        QList<QTextOption::Tab> tabs = para.tabs;
        QString leaders = para.leaders;
        // Stops in position order, their leaders with them.
        QList<int> order(tabs.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return para.tabs[a].position < para.tabs[b].position; });
        for (int i = 0; i < order.size(); ++i) {
            tabs[i] = para.tabs[order[i]];
            leaders[i] = para.leaders[order[i]];
        }
        format.setTabPositions(tabs);
        if (leaders.trimmed().size() > 0)
            format.setProperty(prop::TabLeaders, leaders);
    }
    if (para.lineSpacing != 0) {
        if (para.lineMultiple && para.lineSpacing > 0) {
            format.setLineHeight(para.lineSpacing * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
        } else if (para.lineSpacing > 0) {
            format.setLineHeight(twipsToPixels(para.lineSpacing), QTextBlockFormat::MinimumHeight);
        } else {
            format.setLineHeight(twipsToPixels(-para.lineSpacing), QTextBlockFormat::FixedHeight);
        }
    }
    QByteArray borders;
    for (const QByteArray &side : para.borders)
        borders += side;
    if (!borders.isEmpty())
        format.setProperty(prop::ParagraphBordersRtf, borders);
    return format;
}

}  // namespace textctl::rtf
