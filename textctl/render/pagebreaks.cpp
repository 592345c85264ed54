#include "textctl/render/pagebreaks.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>

#include <QHash>

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

double topPadding(const QTextTable &table, const QTextTableCell &cell)
{
    const QTextTableCellFormat format = cell.format().toTableCellFormat();
    return format.hasProperty(QTextFormat::TableCellTopPadding) ? format.topPadding()
                                                                : table.format().cellPadding();
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
                const auto policy = m_block.blockFormat().pageBreakPolicy();
                *unit = Unit{};
                unit->position = m_block.position() + line.textStart();
                unit->top = rect.top() + line.y();
                unit->bottom = unit->top + line.height();
                unit->breakBefore = m_line == 0 && (policy & QTextFormat::PageBreak_AlwaysBefore);
                unit->breakAfter = m_line == layout->lineCount() - 1 && (policy & QTextFormat::PageBreak_AlwaysAfter);
                ++m_line;
                return true;
            }
            moveTo(m_block.next());
            if (m_frame)
                return nextInFrame(unit);
        }
        return false;
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

    // The top of a row: its highest cell's first line less the cell's
    // padding (the frame's top for the first row).
    double rowTop(int row)
    {
        const auto known = m_rowTops.constFind(row);
        if (known != m_rowTops.constEnd())
            return *known;
        if (row == 0)
            return m_layout->frameBoundingRect(m_table).top();
        double top = m_layout->frameBoundingRect(m_table).bottom();
        for (int column = 0; column < m_table->columns(); ++column) {
            const QTextTableCell cell = m_table->cellAt(row, column);
            if (cell.row() != row || cell.column() != column)
                continue;
            const QTextBlock first = m_doc.findBlock(cell.firstPosition());
            top = qMin(top, m_layout->blockBoundingRect(first).top() - topPadding(*m_table, cell));
        }
        m_rowTops.insert(row, top);
        return top;
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
        unit->bottom = end >= rows ? rect.bottom() : rowTop(end);
        unit->breakBefore = m_row == 0 && (policy & QTextFormat::PageBreak_AlwaysBefore);
        unit->breakAfter = end >= rows && (policy & QTextFormat::PageBreak_AlwaysAfter);
        unit->divisible = !m_divided && m_table && rows - m_row > 1;
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
    bool breakPending = unit.breakAfter;
    while (walker.next(&unit)) {
        if (units)
            ++*units;
        if (breakPending || unit.breakBefore) {
            *next = {unit.position, 0};
            return true;
        }
        if (unit.bottom > limit + kEpsilon) {
            if (!unit.divisible) {
                *next = {unit.position, 0};
                return true;
            }
            walker.divide();  // the rows that fit stay on this page
            continue;
        }
        breakPending = unit.breakAfter;
    }
    return false;
}

}  // namespace textctl
