#include "textctl/render/pagebreaks.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/layoutformats.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/model/richdocument.h"
#include "textctl/model/tableborders.h"
#include "textctl/render/tablerows.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <QHash>

#include <cmath>
#include <limits>
#include <vector>

namespace textctl {

namespace {

// Heights within this of each other are equal: the layout measures in 1/64 px.
constexpr double kEpsilon = 1.0 / 32;

// What a page is made of: a line of a paragraph of the main text, or a
// group of table rows that no cell spans beyond. What is left of a table
// comes first as one unit (`divisible` when it has more than one group),
// which divide() splits into its row groups when it does not fit.
struct Unit {
    int position = 0;
    double top = 0;
    double bottom = 0;
    bool breakBefore = false;
    bool breakAfter = false;
    bool divisible = false;
    // A line: its paragraph (the block's position), its index and the
    // paragraph's line count and rules. A table unit has block -1.
    int block = -1;
    int line = 0;
    int lines = 1;
    bool keepTogether = false;
    bool widowControl = false;
    bool keepWithNext = false;
    // A table unit: its rows, [firstRow, endRow) of `table`.
    const QTextTable *table = nullptr;
    int firstRow = 0;
    int endRow = 0;

    // The unit ends its paragraph, or its rows end theirs.
    bool endsParagraph() const { return table || (block >= 0 && line == lines - 1); }
};

// The child of the root frame that holds `position`, nullptr for the root.
QTextFrame *outerFrameAt(const QTextDocument &doc, int position)
{
    QTextFrame *frame = doc.frameAt(position);
    QTextFrame *root = doc.rootFrame();
    if (!frame || frame == root)
        return nullptr;
    while (frame->parentFrame() && frame->parentFrame() != root)
        frame = frame->parentFrame();
    return frame;
}

// What a paragraph has above its first line when a page starts with it:
// its space before and its top border, not the space after of the
// paragraph before it (in layout pixels, as everything here).
double spaceAbove(const QTextBlock &block)
{
    const QTextBlockFormat format = block.blockFormat();
    const double own = paragraphSpacing(format).before + paragraphBorders(format)[BorderTop].reach();
    return toLayout(qBound(0.0, own, format.topMargin()));
}

// What Qt puts between a cell's edge and its text above or below it: the
// padding and half the line of that side (collapsed borders share it).
double cellInset(const QTextTableFormat &table, const QTextTableCellFormat &format, CellSide side)
{
    const QTextFormat::Property padding =
        side == CellSide::Top ? QTextFormat::TableCellTopPadding : QTextFormat::TableCellBottomPadding;
    return cellPadding(format, table, padding) + toLayout(cellBorderRoom(format, side) / 2);
}

double cellInset(const QTextTable &table, const QTextTableCell &cell, CellSide side)
{
    return cellInset(table.format(), cell.format().toTableCellFormat(), side);
}

// The top of a row: its highest cell's first line less what Qt puts above
// it; for the row after the last, the top of the paragraph after the table,
// else the lowest last-row cell's last line and what Qt puts under it.
// (Qt's rectangle of a table is no guide: it starts at the first cell's
// text and takes in the space above the table.)
double rowEdge(const QTextDocument &doc, const QAbstractTextDocumentLayout &layout, const QTextTable &table, int row)
{
    const int rows = table.rows();
    const bool under = row >= rows;
    if (under) {
        if (const double foot = paragraphUnder(table, layout); !std::isnan(foot))
            return foot;
    }
    // Rows asked for are where no cell reaches over from above, so some
    // cell starts at each; the table's own place is the last resort.
    double edge = under ? std::numeric_limits<double>::lowest() : std::numeric_limits<double>::max();
    for (int column = 0; column < table.columns(); ++column) {
        const QTextTableCell cell = table.cellAt(under ? rows - 1 : row, column);
        if (cell.column() != column || (!under && cell.row() != row))
            continue;
        if (under) {
            // An empty paragraph or none follows: the last line's box, the
            // cell's height rounded to whole pixels as Qt rounds its rows.
            const double bottom = textBottom(layout, doc.findBlock(cell.lastPosition()));
            const double top = layout.blockBoundingRect(doc.findBlock(cell.firstPosition())).top()
                               - cellInset(table, cell, CellSide::Top);
            edge = qMax(edge, top + std::round(bottom + cellInset(table, cell, CellSide::Bottom) - top));
        } else {
            const QTextBlock first = doc.findBlock(cell.firstPosition());
            edge = qMin(edge, layout.blockBoundingRect(first).top() - cellInset(table, cell, CellSide::Top));
        }
    }
    if (qAbs(edge) == std::numeric_limits<double>::max()) {
        const QRectF rect = layout.frameBoundingRect(const_cast<QTextTable *>(&table));
        return under ? rect.bottom() : rect.top();
    }
    return edge;
}

// How tall a row is by what its cells hold, before Qt rounds it to whole
// layout pixels; negative when no cell of its own height starts in it.
double exactRowHeight(const QTextDocument &doc, const QTextTable &table, int row)
{
    const QTextTableFormat tableFormat = table.format();
    double height = -1;
    for (int column = 0; column < table.columns(); ++column) {
        const QTextTableCell cell = table.cellAt(row, column);
        if (cell.column() != column || cell.row() != row || cell.rowSpan() != 1)
            continue;
        const QTextTableCellFormat format = cell.format().toTableCellFormat();
        // The space after the last paragraph is in the cell's bottom padding.
        const double spaceAfter = toLayout(doc.findBlock(cell.lastPosition()).blockFormat().bottomMargin());
        height = qMax(height, cellInset(tableFormat, format, CellSide::Top) + cellContentHeight(cell, &doc)
                                  - spaceAfter + cellInset(tableFormat, format, CellSide::Bottom));
    }
    return height;
}

// An empty paragraph right after a table: Qt hides it in the table's last
// row, the layout gives its line to the paragraph after it (layoutformats.h),
// and a page sees it under the table.
const QTextTable *tableAbove(const QTextBlock &block)
{
    if (block.length() != 1 || block.blockFormat().boolProperty(prop::SeparatorBlock))
        return nullptr;
    const QTextDocument *doc = block.document();
    const auto *table = qobject_cast<const QTextTable *>(doc->frameAt(block.position() - 1));
    while (table && table->parentFrame() != doc->rootFrame())
        table = qobject_cast<const QTextTable *>(table->parentFrame());
    return table && table->lastPosition() == block.position() - 1 ? table : nullptr;
}

// Walks the units of a main text in order, from the one that holds a
// position. Asking for a unit's place lays the text out as far as needed.
class UnitWalker final {
public:
    UnitWalker(const QTextDocument &doc, int position)
        : m_doc(doc),
          m_layout(doc.documentLayout())
    {
        if (QTextFrame *frame = outerFrameAt(doc, position)) {
            enterFrame(frame);
            if (m_table)
                m_row = groupStart(m_table->cellAt(position).row());
            return;
        }
        m_block = doc.findBlock(position);
        m_layout->blockBoundingRect(m_block);
        const QTextLine line = m_block.layout()->lineForTextPosition(position - m_block.position());
        m_line = line.isValid() ? line.lineNumber() : 0;
    }

    // The table unit just returned is returned again as its row groups.
    void divide()
    {
        m_row = m_unitRow;
        m_divided = true;
    }

    bool next(Unit *unit)
    {
        if (m_frame)
            return nextInFrame(unit);
        while (m_block.isValid()) {
            const QRectF rect = m_layout->blockBoundingRect(m_block);
            const QTextLayout *layout = m_block.layout();
            if (m_line < layout->lineCount()) {
                const QTextLine line = layout->lineAt(m_line);
                const QTextBlockFormat format = m_block.blockFormat();
                const auto policy = format.pageBreakPolicy();
                *unit = Unit{};
                unit->position = m_block.position() + line.textStart();
                const LineBox box = lineBox(m_block, line);
                unit->top = rect.top() + box.top;
                unit->bottom = rect.top() + box.bottom();
                if (const QTextTable *table = m_line == 0 ? tableAbove(m_block) : nullptr) {
                    // Its page starts under the table, never in its last row.
                    unit->top = rowEdge(m_doc, *m_layout, *table, table->rows());
                    unit->bottom = unit->top + box.height;
                } else if (m_line == 0) {  // a page that starts here shows the space before
                    unit->top -= spaceAbove(m_block);
                }
                unit->breakBefore = m_line == 0 && (policy & QTextFormat::PageBreak_AlwaysBefore);
                unit->breakAfter = m_line == layout->lineCount() - 1 && (policy & QTextFormat::PageBreak_AlwaysAfter);
                unit->block = m_block.position();
                unit->line = m_line;
                unit->lines = layout->lineCount();
                unit->keepTogether = format.nonBreakableLines();
                unit->widowControl = widowControl(format);
                unit->keepWithNext = format.boolProperty(prop::KeepWithNext);
                ++m_line;
                return true;
            }
            moveTo(m_block.next());
            if (m_frame)
                return nextInFrame(unit);
        }
        return false;
    }

    // How much taller than their cells ask Qt draws a table unit's rows
    // (it rounds every row to whole layout pixels); 0 for a line.
    double rounding(const Unit &unit)
    {
        if (!unit.table || unit.table != m_table)
            return 0;
        double drawn = 0;
        for (int row = unit.firstRow; row < unit.endRow; ++row) {
            const double exact = exactRowHeight(m_doc, *m_table, row);
            if (exact >= 0)
                drawn += rowTop(row + 1) - rowTop(row) - exact;
        }
        return drawn;
    }

private:
    void moveTo(const QTextBlock &block)
    {
        m_line = 0;
        m_block = block;
        if (block.isValid())
            if (QTextFrame *frame = outerFrameAt(m_doc, block.position()))
                enterFrame(frame);
    }

    void enterFrame(QTextFrame *frame)
    {
        m_frame = frame;
        m_table = qobject_cast<QTextTable *>(frame);
        m_row = 0;
        m_divided = false;
        m_rowTops.clear();
    }

    // A row boundary a page may break at: no cell reaches over it.
    bool breakableBefore(int row) const
    {
        for (int column = 0; column < m_table->columns(); ++column)
            if (m_table->cellAt(row, column).row() != row)
                return false;
        return true;
    }

    int groupStart(int row) const
    {
        while (row > 0 && !breakableBefore(row))
            --row;
        return qMax(0, row);
    }

    double rowTop(int row)
    {
        const auto known = m_rowTops.constFind(row);
        if (known != m_rowTops.constEnd())
            return *known;
        const double edge = rowEdge(m_doc, *m_layout, *m_table, row);
        m_rowTops.insert(row, edge);
        return edge;
    }

    // A row with a paragraph kept with the next goes over with what
    // follows it, as word processors keep it.
    bool keptWithNext(int row) const
    {
        for (int column = 0; column < m_table->columns(); ++column) {
            const QTextTableCell cell = m_table->cellAt(row, column);
            if (cell.column() != column)
                continue;
            for (QTextBlock block = m_doc.findBlock(cell.firstPosition());
                 block.isValid() && block.position() <= cell.lastPosition(); block = block.next()) {
                if (block.blockFormat().boolProperty(prop::KeepWithNext))
                    return true;
            }
        }
        return false;
    }

    bool nextInFrame(Unit *unit)
    {
        const QRectF rect = m_layout->frameBoundingRect(m_frame);
        const auto policy = m_frame->frameFormat().pageBreakPolicy();
        const int rows = m_table ? m_table->rows() : 1;
        if (m_row >= rows) {
            QTextFrame *frame = m_frame;
            m_frame = nullptr;
            m_table = nullptr;
            moveTo(m_doc.findBlock(frame->lastPosition()).next());
            return next(unit);
        }
        int end = rows;
        if (m_divided) {
            end = m_row + 1;
            while (end < rows && !breakableBefore(end))
                ++end;
        }
        m_unitRow = m_row;
        unit->position = m_table ? m_table->cellAt(m_row, 0).firstPosition() : m_frame->firstPosition();
        unit->top = m_table ? rowTop(m_row) : rect.top();
        unit->bottom = !m_table ? rect.bottom() : rowTop(end);
        unit->breakBefore = m_row == 0 && (policy & QTextFormat::PageBreak_AlwaysBefore);
        unit->breakAfter = end >= rows && (policy & QTextFormat::PageBreak_AlwaysAfter);
        unit->divisible = !m_divided && m_table && rows - m_row > 1;
        unit->block = -1;
        unit->line = m_row == 0 ? 0 : 1;
        unit->keepWithNext = m_table && keptWithNext(end - 1);
        unit->table = m_table;
        unit->firstRow = m_row;
        unit->endRow = end;
        m_row = end;
        return true;
    }

    const QTextDocument &m_doc;
    QAbstractTextDocumentLayout *m_layout;
    QTextBlock m_block;
    int m_line = 0;
    QTextFrame *m_frame = nullptr;
    QTextTable *m_table = nullptr;
    int m_row = 0;
    int m_unitRow = 0;
    bool m_divided = false;
    QHash<int, double> m_rowTops;
};

}  // namespace

double pageStartY(const QTextDocument &doc, const PageStart &start)
{
    UnitWalker walker(doc, start.position);
    Unit unit;
    return walker.next(&unit) ? unit.top + start.offset : 0.0;
}

namespace {

// Where the next page starts when `unit` does not fit under the units
// `placed` on this page: an index into `placed`, or placed.size() for the
// unit itself. Lines of a paragraph kept together go over together; with
// widow and orphan control a paragraph leaves no single first line at the
// bottom and no single last line at the top; a paragraph kept with the next
// goes over with it. The first unit of the page always stays.
qsizetype breakIndex(const std::vector<Unit> &placed, const Unit &unit)
{
    const qsizetype count = qsizetype(placed.size());
    const auto at = [&](qsizetype i) -> const Unit & { return i == count ? unit : placed[i]; };
    // The index of the first line of the paragraph of the unit at `i` on
    // this page, -1 when the paragraph started on an earlier page.
    const auto paragraphStart = [&](qsizetype i) -> qsizetype {
        const Unit &u = at(i);
        const qsizetype first = i - u.line;
        return first >= 0 && at(first).block == u.block ? first : -1;
    };
    qsizetype k = count;
    for (int guard = 0; guard < 64 && k > 0; ++guard) {
        const Unit &u = at(k);
        qsizetype moved = k;
        if (u.block >= 0 && u.line > 0) {
            if (u.keepTogether) {
                moved = paragraphStart(k);
            } else if (u.widowControl) {
                if (u.line == 1)
                    moved = k - 1;  // no orphan: the first line goes over too
                else if (u.line == u.lines - 1)
                    moved = u.lines >= 3 ? k - 1 : paragraphStart(k);  // no widow
            }
        } else if (u.line == 0 && k > 0) {
            const Unit &before = at(k - 1);
            if (before.keepWithNext && before.endsParagraph())
                moved = paragraphStart(k - 1);
        }
        if (moved == k)
            return k;
        if (moved <= 0)
            return count;  // the rules cannot be kept: break where it does not fit
        k = moved;
    }
    return count;
}

}  // namespace

bool nextPageStart(const QTextDocument &doc, const PageStart &start, double bodyHeight, PageStart *next,
                   qint64 *units)
{
    UnitWalker walker(doc, start.position);
    Unit unit;
    if (!walker.next(&unit))
        return false;
    const double limit = unit.top + start.offset + bodyHeight;
    if (units)
        ++*units;
    // The page's first unit is on it whatever its size; one taller than
    // what is left of the body goes on over the next page.
    while (unit.divisible && unit.bottom > limit + kEpsilon) {
        walker.divide();
        walker.next(&unit);
    }
    if (unit.bottom > limit + kEpsilon) {
        *next = {unit.position, limit - unit.top};
        return true;
    }
    // Rows are drawn rounded to whole pixels, where a word processor adds
    // them up exactly: what fits by their exact heights stays, drawn up to
    // kRoundingAllowance under the body.
    double rounding = walker.rounding(unit);
    std::vector<Unit> placed{unit};
    if (start.offset > 0)
        placed.front().block = -2;  // the rest of a cut unit: no rule moves it
    bool breakPending = unit.breakAfter;
    while (walker.next(&unit)) {
        if (units)
            ++*units;
        if (breakPending || unit.breakBefore) {
            *next = {unit.position, 0};
            return true;
        }
        // (A unit too low to fit at all is not measured: a long table's rest.)
        const double own = unit.bottom > limit + kRoundingAllowance ? 0.0 : walker.rounding(unit);
        if (unit.bottom - qMin(rounding + own, kRoundingAllowance) > limit + kEpsilon) {
            if (!unit.divisible) {
                const qsizetype k = breakIndex(placed, unit);
                *next = {k < qsizetype(placed.size()) ? placed[k].position : unit.position, 0};
                return true;
            }
            walker.divide();  // the rows that fit stay on this page
            continue;
        }
        rounding += own;
        placed.push_back(unit);
        breakPending = unit.breakAfter;
    }
    return false;
}

}  // namespace textctl
