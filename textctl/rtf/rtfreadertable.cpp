#include "textctl/rtf/rtfreadertable.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"
#include "textctl/model/tableborders.h"
#include "textctl/rtf/rtfreaderchar.h"
#include "textctl/rtf/rtfreaderpara.h"

#include <QBrush>

namespace textctl::rtf {

namespace {

// Cells a row definition may have; more is no table anyone wrote.
constexpr size_t kMaxCellDefs = 256;

// The table level that row definition words address: a nested row is
// defined inside \nesttableprops, an outer row anywhere else.
int definitionLevel(const ReaderContext &ctx)
{
    if (ctx.top().destination == Destination::TableProps)
        return std::max(2, ctx.top().para.nesting);
    return 1;
}

QTextFrameFormat::BorderStyle borderStyleFor(QByteArrayView name)
{
    if (name == "brdrnone" || name == "brdrnil" || name == "brdrtbl")
        return QTextFrameFormat::BorderStyle_None;
    if (name == "brdrdb")
        return QTextFrameFormat::BorderStyle_Double;
    if (name == "brdrdot")
        return QTextFrameFormat::BorderStyle_Dotted;
    if (name == "brdrdash" || name == "brdrdashsm" || name == "brdrdashd" || name == "brdrdashdd")
        return QTextFrameFormat::BorderStyle_Dashed;
    if (name == "brdrinset")
        return QTextFrameFormat::BorderStyle_Inset;
    if (name == "brdroutset")
        return QTextFrameFormat::BorderStyle_Outset;
    return QTextFrameFormat::BorderStyle_Solid;
}

// A \brdrXXX word after a \clbrdrX word: the cell's Qt border and its
// verbatim words.
void applyCellBorderAttribute(const ReaderContext &ctx, CellDef &cell, CellSide side, const RecordedWord &w)
{
    QTextTableCellFormat &f = cell.format;
    const QByteArrayView name = w.name;
    const qreal width = f.doubleProperty(cellBorderWidthProperty(side));
    if (name == "brdrw") {
        // The width changes, the style the side already has stays.
        if (width > 0)
            setCellBorder(f, side, twipsToPixels(std::clamp(w.param, 1, 255)), cellBorderStyle(f, side));
    } else if (name == "brdrcf") {
        if (const QColor color = ctx.colors.color(w.param); color.isValid())
            f.setProperty(cellBorderBrushProperty(side), QBrush(color));
    } else if (name != "brsp") {
        const QTextFrameFormat::BorderStyle style = borderStyleFor(name);
        setCellBorder(f, side, style == QTextFrameFormat::BorderStyle_None ? 0 : (width > 0 ? width : 1),
                      style);
    }
    appendVerbatimWord(cell.borders, name, w.param, w.hasParam);
}

void startCellBorder(CellDef &cell, CellSide side, QByteArrayView name)
{
    // A side named without a style word is a thin solid line.
    setCellBorder(cell.format, side, 1, QTextFrameFormat::BorderStyle_Solid);
    appendVerbatimWord(cell.borders, name, 0, false);
}

void setPadding(QTextTableCellFormat &f, CellSide side, int twips)
{
    const qreal px = twipsToPixels(std::clamp(twips, 0, 31680));
    switch (side) {
    case CellSide::Top: f.setTopPadding(px); break;
    case CellSide::Left: f.setLeftPadding(px); break;
    case CellSide::Bottom: f.setBottomPadding(px); break;
    case CellSide::Right: f.setRightPadding(px); break;
    }
}

void setCellAlignment(CellDef &cell, int align)
{
    static constexpr QTextCharFormat::VerticalAlignment kQt[] = {
        QTextCharFormat::AlignTop, QTextCharFormat::AlignMiddle, QTextCharFormat::AlignBottom};
    cell.format.setProperty(prop::CellVerticalAlign, align);
    cell.format.setVerticalAlignment(kQt[align]);
}

void applyCellWord(const ReaderContext &ctx, CellDef &cell, CellSide &side, const RecordedWord &w)
{
    switch (w.word) {
    case Word::CellVerticalFirst: cell.verticalStart = true; break;
    case Word::CellVerticalMerged: cell.verticalMerged = true; break;
    case Word::CellHorizontalFirst: cell.horizontalStart = true; break;
    case Word::CellHorizontalMerged: cell.horizontalMerged = true; break;
    case Word::CellBorderTop: startCellBorder(cell, side = CellSide::Top, w.name); break;
    case Word::CellBorderLeft: startCellBorder(cell, side = CellSide::Left, w.name); break;
    case Word::CellBorderBottom: startCellBorder(cell, side = CellSide::Bottom, w.name); break;
    case Word::CellBorderRight: startCellBorder(cell, side = CellSide::Right, w.name); break;
    case Word::CellShading:
        if (const QColor color = ctx.colors.color(w.param); color.isValid())
            cell.format.setBackground(color);
        break;
    case Word::CellAlignTop: setCellAlignment(cell, 0); break;
    case Word::CellAlignCenter: setCellAlignment(cell, 1); break;
    case Word::CellAlignBottom: setCellAlignment(cell, 2); break;
    // Word writes \clpadl for the top padding and \clpadt for the left one
    // (and LibreOffice follows it), so they are read that way.
    case Word::CellPadLeft: setPadding(cell.format, CellSide::Top, w.param); cell.paddingSet = true; break;
    case Word::CellPadTop: setPadding(cell.format, CellSide::Left, w.param); cell.paddingSet = true; break;
    case Word::CellPadBottom: setPadding(cell.format, CellSide::Bottom, w.param); cell.paddingSet = true; break;
    case Word::CellPadRight: setPadding(cell.format, CellSide::Right, w.param); cell.paddingSet = true; break;
    case Word::BorderAttribute: applyCellBorderAttribute(ctx, cell, side, w); break;
    default: break;
    }
}

CellDef buildCell(const ReaderContext &ctx, const std::vector<RecordedWord> &words, int right)
{
    CellDef cell;
    CellSide side = CellSide::Top;
    for (const RecordedWord &w : words)
        applyCellWord(ctx, cell, side, w);
    cell.right = std::clamp(right, -31680 * 4, 31680 * 4);
    cell.format.setProperty(prop::CellRightTwips, cell.right);
    if (!cell.borders.isEmpty())
        cell.format.setProperty(prop::CellBordersRtf, cell.borders);
    return cell;
}

// \cellxN: the cell defined by the words since the last cell ends at N.
void finishCellDefinition(ReaderContext &ctx, RowDef &def, int right)
{
    if (def.cells.size() >= kMaxCellDefs) {
        ctx.cellWords.clear();
        return;
    }
    def.cells.push_back(ctx.cellWords.define(right, [&ctx, right](const std::vector<RecordedWord> &words) {
        return buildCell(ctx, words, right);
    }));
}

bool applyRowWord(RowDef &def, ReaderContext &ctx, Word word, QByteArrayView name, int param,
                  bool hasParam)
{
    switch (word) {
    case Word::RowLeft: def.left = std::clamp(param, -31680, 31680); break;
    case Word::RowGap: def.gap = std::clamp(param, 0, 31680); break;
    case Word::RowAlignLeft: def.alignment = Qt::AlignLeft; def.alignmentSet = true; break;
    case Word::RowAlignCenter: def.alignment = Qt::AlignHCenter; def.alignmentSet = true; break;
    case Word::RowAlignRight: def.alignment = Qt::AlignRight; def.alignmentSet = true; break;
    case Word::RowHeader: def.header = true; break;
    case Word::RowBorder: ctx.borderTarget = BorderTarget::Row; break;
    case Word::RowPadLeft:
    case Word::RowPadTop:
    case Word::RowPadBottom:
    case Word::RowPadRight:
        def.padding[static_cast<int>(word) - static_cast<int>(Word::RowPadLeft)] = std::clamp(param, 0, 31680);
        break;
    case Word::RowWord: break;
    default: return false;
    }
    appendVerbatimWord(def.rowRtf, name, param, hasParam);
    return true;
}

bool isCellWord(Word word)
{
    return word >= Word::CellVerticalFirst && word <= Word::CellPadRight;
}

}  // namespace

void applyTableWord(ReaderContext &ctx, Word word, QByteArrayView name, int param, bool hasParam)
{
    switch (word) {
    case Word::Cell: ctx.endCell(1); return;
    case Word::NestCell: ctx.endCell(std::max(2, ctx.top().para.nesting)); return;
    case Word::Row: ctx.endRow(1); return;
    case Word::NestRow: ctx.endRow(std::max(2, ctx.top().para.nesting)); return;
    default: break;
    }
    RowDef &def = ctx.rowDef(definitionLevel(ctx));
    if (applyRowWord(def, ctx, word, name, param, hasParam))
        return;
    if (word == Word::RowDefaults) {
        def = RowDef();
        ctx.cellWords.clear();
    } else if (word == Word::CellX) {
        finishCellDefinition(ctx, def, param);
    } else if (isCellWord(word) || (word == Word::BorderAttribute && ctx.borderTarget == BorderTarget::Cell)) {
        if (word >= Word::CellBorderTop && word <= Word::CellBorderRight)
            ctx.borderTarget = BorderTarget::Cell;
        ctx.cellWords.add({word, name, param, hasParam});
    } else if (word == Word::BorderAttribute && ctx.borderTarget == BorderTarget::Row) {
        appendVerbatimWord(def.rowRtf, name, param, hasParam);
    }
}

}  // namespace textctl::rtf
