#include "textctl/rtf/rtfreadercontent.h"

#include <algorithm>
#include <iterator>

namespace textctl::rtf {

namespace {

// Deep enough for any real document; a file asking for more is folded
// into the deepest level instead of growing without bound.
constexpr int kMaxTableLevel = 16;
// Cells past this in one row join the row's last cell.
constexpr size_t kMaxCellsPerRow = 256;

Qt::Alignment alignmentOf(const RowDef &def)
{
    return def.alignmentSet ? def.alignment : Qt::AlignLeft;
}

}  // namespace

void Paragraph::appendText(const QString &text, const QTextCharFormat &format)
{
    if (!runs.empty() && !runs.back().object && runs.back().format == format) {
        runs.back().text += text;
        return;
    }
    runs.push_back({text, format});
}

void Paragraph::appendObject(const QTextCharFormat &format, int picture)
{
    runs.push_back({QString(QChar::ObjectReplacementCharacter), format, picture, true});
}

void Story::endParagraph(int level, const QTextBlockFormat &format, const QTextCharFormat &mark,
                         const ListRef &list)
{
    Block block;
    block.paragraph = std::move(m_current);
    m_current = Paragraph();
    block.paragraph.format = format;
    block.paragraph.markFormat = mark;
    block.paragraph.list = list;
    // An unpaired surrogate (a \uN of half a pair) stays: a save writes it
    // back as the file had it, and the plain text shows U+FFFD for it.
    level = std::min(level, kMaxTableLevel);
    std::vector<Block> &container = containerFor(level);
    appendBlock(container, std::move(block), level);
    for (Block &after : m_afterCurrent)
        appendBlock(container, std::move(after), level);
    m_afterCurrent.clear();
}

void Story::appendAfterCurrent(std::vector<Block> blocks)
{
    std::move(blocks.begin(), blocks.end(), std::back_inserter(m_afterCurrent));
}

void Story::endCell(int level, const QTextBlockFormat &format, const QTextCharFormat &mark,
                    const ListRef &list)
{
    level = std::clamp(level, 1, kMaxTableLevel);
    endParagraph(level, format, mark, list);
    Level &l = m_levels[level - 1];
    if (l.row.cells.size() >= kMaxCellsPerRow) {
        std::vector<Block> &last = l.row.cells.back().blocks;
        std::move(l.cell.blocks.begin(), l.cell.blocks.end(), std::back_inserter(last));
    } else {
        l.row.cells.push_back(std::move(l.cell));
    }
    l.cell = CellContent();
}

void Story::endRow(int level, const RowDef &def)
{
    level = std::clamp(level, 1, kMaxTableLevel);
    containerFor(level);
    Level &l = m_levels[level - 1];
    if (!l.cell.blocks.empty()) {
        l.row.cells.push_back(std::move(l.cell));
        l.cell = CellContent();
    }
    if (l.row.cells.empty() && def.cells.empty())
        return;
    l.row.def = def;
    l.row.def.pending = CellDef();
    // Rows aligned differently cannot share a table: a new table starts.
    if (l.table && !l.table->rows.empty() && alignmentOf(l.table->rows.back().def) != alignmentOf(def)) {
        Block block;
        block.table = std::move(l.table);
        std::vector<Block> &parent = level == 1 ? m_blocks : m_levels[level - 2].cell.blocks;
        appendBlock(parent, std::move(block), level - 1);
    }
    if (!l.table) {
        l.table = std::make_unique<Table>();
        l.table->nesting = level;
    }
    l.table->rows.push_back(std::move(l.row));
    l.row = Row();
}

void Story::requestPageBreak()
{
    if (tableAwaitingRow())
        closeLevelsAbove(0);
    m_pageBreak = true;
}

bool Story::tableAwaitingRow() const
{
    return m_levels.size() == 1 && m_levels[0].table && m_levels[0].row.cells.empty()
        && m_levels[0].cell.blocks.empty();
}

bool Story::rowInProgress(int level) const
{
    return static_cast<int>(m_levels.size()) >= level && !m_levels[level - 1].row.cells.empty();
}

std::vector<Block> &Story::containerFor(int level)
{
    if (level <= 0) {
        closeLevelsAbove(0);
        return m_blocks;
    }
    while (static_cast<int>(m_levels.size()) < level)
        m_levels.emplace_back();
    closeLevelsAbove(level);
    return m_levels[level - 1].cell.blocks;
}

void Story::closeLevelsAbove(int level)
{
    while (static_cast<int>(m_levels.size()) > level) {
        Level &top = m_levels.back();
        const int topLevel = static_cast<int>(m_levels.size());
        // A row never ended by \row still holds its cells.
        if (!top.cell.blocks.empty())
            top.row.cells.push_back(std::move(top.cell));
        if (!top.row.cells.empty()) {
            if (!top.table) {
                top.table = std::make_unique<Table>();
                top.table->nesting = topLevel;
            }
            if (!top.table->rows.empty())
                top.row.def = top.table->rows.back().def;
            top.table->rows.push_back(std::move(top.row));
        }
        std::unique_ptr<Table> table = std::move(top.table);
        m_levels.pop_back();
        if (!table || table->rows.empty())
            continue;
        Block block;
        block.table = std::move(table);
        std::vector<Block> &parent = m_levels.empty() ? m_blocks : m_levels.back().cell.blocks;
        appendBlock(parent, std::move(block), topLevel - 1);
    }
}

void Story::appendBlock(std::vector<Block> &container, Block block, int level)
{
    if (level == 0 && m_pageBreak) {
        m_pageBreak = false;
        if (block.table) {
            block.table->pageBreakBefore = true;
        } else {
            block.paragraph.format.setPageBreakPolicy(block.paragraph.format.pageBreakPolicy()
                                                      | QTextFormat::PageBreak_AlwaysBefore);
        }
    }
    container.push_back(std::move(block));
}

std::vector<Block> Story::finish()
{
    closeLevelsAbove(0);
    for (Block &after : m_afterCurrent)
        appendBlock(m_blocks, std::move(after), 0);
    m_afterCurrent.clear();
    return std::move(m_blocks);
}

}  // namespace textctl::rtf
