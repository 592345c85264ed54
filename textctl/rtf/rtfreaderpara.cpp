#include "textctl/rtf/rtfreaderpara.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreaderchar.h"
#include "textctl/rtf/rtfreaderdoctables.h"

#include <algorithm>
#include <charconv>
#include <cmath>
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

// Word draws a border in one of a few widths (eighths of a point, from a
// quarter point to six): the nearest to the width the file states.
int drawnBorderWidth(int twips)
{
    static constexpr int kWidths[] = {5, 10, 15, 20, 30, 45, 60, 90, 120};
    int best = kWidths[0];
    for (int width : kWidths) {
        if (std::abs(width - twips) < std::abs(best - twips))
            best = width;
    }
    return twips <= 0 ? 0 : best;
}

// Keeps what a border word says of how the border is drawn, for the sides
// the current border word names (\box: all four).
void drawBorderWord(ReaderContext &ctx, ParaState &p, QByteArrayView name, int param, bool hasParam)
{
    const int side = ctx.borderSide;
    if (side > BorderRight && side != 6)
        return;  // between and bar borders are kept, not drawn
    const int first = side == 6 ? 0 : side;
    const int last = side == 6 ? 3 : side;
    for (int s = first; s <= last; ++s) {
        BorderLine &line = p.drawnBorders[s];
        if (name == "brdrw") {
            line.pen.setWidthF(twipsToPixels(drawnBorderWidth(hasParam ? param : 0)));
        } else if (name == "brsp") {
            // Word sets the space in whole points.
            line.space = twipsToPixels(std::lround(std::clamp(hasParam ? param : 0, 0, 31 * 20) / 20.0) * 20);
        } else if (name == "brdrcf") {
            if (const QColor color = ctx.colors.color(param); color.isValid())
                line.pen.setColor(color);
        } else if (name == "brdrnone" || name == "brdrnil" || name == "brdrtbl") {
            line.pen.setStyle(Qt::NoPen);
        } else if (name.size() > 4 && name.first(4) == "brdr") {
            line.twoLines = name == "brdrdb";
            line.pen.setStyle(name == "brdrdot"                            ? Qt::DotLine
                              : name == "brdrdash" || name == "brdrdashsm" ? Qt::DashLine
                                                                           : Qt::SolidLine);
        }
    }
}

void applyBorderWord(ReaderContext &ctx, ParaState &p, Word word, QByteArrayView name, int param,
                     bool hasParam)
{
    if (word >= Word::BorderTop && word <= Word::BorderBox) {
        ctx.borderTarget = BorderTarget::Paragraph;
        ctx.borderSide = static_cast<int>(word) - static_cast<int>(Word::BorderTop);
        p.borders[ctx.borderSide].clear();
        appendVerbatimWord(p.borders[ctx.borderSide], name, param, hasParam);
        const int side = ctx.borderSide;
        for (int s = 0; s < 4; ++s) {
            if (s == side || side == 6) {
                p.drawnBorders[s] = BorderLine{};
                p.drawnBorders[s].pen = QPen(Qt::black, 1.0, Qt::NoPen);
            }
        }
    } else if (word == Word::BorderAttribute && ctx.borderTarget == BorderTarget::Paragraph) {
        appendVerbatimWord(p.borders[ctx.borderSide], name, param, hasParam);
        drawBorderWord(ctx, p, name, param, hasParam);
    }
}

void setFlag(QTextBlockFormat &format, int property, bool on)
{
    if (on)
        format.setProperty(property, true);
    else
        format.clearProperty(property);
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
        f.setLeftMargin(twipsToIndent(param));
        p.leftSet = true;
        break;
    case Word::RightIndent:
    case Word::RightIndentLtr: f.setRightMargin(twipsToIndent(param)); break;
    case Word::FirstIndent:
        f.setTextIndent(twipsToIndent(param));
        p.firstSet = true;
        break;
    case Word::SpaceBefore: p.spaceBefore = twipsToPixels(std::clamp(param, 0, 31680)); break;
    case Word::SpaceAfter: p.spaceAfter = twipsToPixels(std::clamp(param, 0, 31680)); break;
    case Word::ContextualSpace: setFlag(f, prop::ContextualSpace, on); break;
    case Word::WidowControl:
    case Word::NoWidowControl:
        setWidowControl(&f, word == Word::WidowControl);
        p.widowSet = true;
        break;
    case Word::LineSpacing: p.lineSpacing = std::clamp(param, -32767, 32767); break;
    case Word::LineMultiple: p.lineMultiple = on; break;
    case Word::Keep: f.setNonBreakableLines(on); break;
    case Word::KeepNext: setFlag(f, prop::KeepWithNext, on); break;
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
    ParagraphSpacing spacing;
    spacing.before = para.spaceBefore;
    spacing.after = para.spaceAfter;
    spacing.contextual = format.boolProperty(prop::ContextualSpace);
    if (para.lineMultiple && para.lineSpacing > 0) {
        spacing.rule = LineRule::Multiple;
        spacing.line = para.lineSpacing * 100.0 / 240.0;
    } else if (para.lineSpacing > 0) {
        spacing.rule = LineRule::AtLeast;
        spacing.line = twipsToPixels(para.lineSpacing);
    } else if (para.lineSpacing < 0) {
        spacing.rule = LineRule::Exactly;
        spacing.line = twipsToPixels(-para.lineSpacing);
    }
    setParagraphSpacing(&format, spacing);
    setParagraphBorders(&format, para.drawnBorders);
    QByteArray borders;
    for (const QByteArray &side : para.borders)
        borders += side;
    if (!borders.isEmpty())
        format.setProperty(prop::ParagraphBordersRtf, borders);
    return format;
}

}  // namespace textctl::rtf
