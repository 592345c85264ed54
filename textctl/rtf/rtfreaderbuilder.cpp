#include "textctl/rtf/rtfreaderbuilder.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"
#include "textctl/model/tableborders.h"
#include "textctl/rtf/rtfreadergrid.h"
#include "textctl/rtf/rtftokenizer.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

namespace textctl::rtf {

namespace {

bool hasCellBorders(const Table &table)
{
    for (const Row &row : table.rows) {
        for (const CellDef &cell : row.def.cells) {
            if (hasCellBorder(cell.format))
                return true;
        }
    }
    return false;
}

QTextTableFormat tableFormat(const Table &table, const TableGrid &grid)
{
    QTextTableFormat format;
    format.setBorder(0);
    format.setCellSpacing(0);
    format.setCellPadding(0);
    format.setBorderCollapse(hasCellBorders(table));
    format.setMargin(0);
    QList<QTextLength> widths;
    for (int c = 0; c < grid.columns(); ++c)
        widths.append(QTextLength(QTextLength::FixedLength,
                                  twipsToPixels(grid.boundaries[c + 1] - grid.boundaries[c])));
    format.setColumnWidthConstraints(widths);
    const RowDef &first = table.rows.front().def;
    if (first.alignmentSet && first.alignment != Qt::AlignLeft)
        format.setAlignment(first.alignment);
    else if (grid.boundaries.front() + first.gap > 0)
        format.setLeftMargin(twipsToPixels(grid.boundaries.front() + first.gap));
    int headerRows = 0;
    while (headerRows < static_cast<int>(table.rows.size()) && table.rows[headerRows].def.header)
        ++headerRows;
    if (headerRows > 0)
        format.setHeaderRowCount(headerRows);
    format.setProperty(prop::TableNestingLevel, table.nesting);
    if (table.pageBreakBefore)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    return format;
}

// The cell's own format, its row's kept words, and the character format
// of its first paragraph mark (a cell's first block shares it).
QTextTableCellFormat cellFormat(const GridCell &cell, const RowDef &row)
{
    QTextTableCellFormat format;
    if (cell.def)
        format = cell.def->format;
    if (!cell.def || !cell.def->paddingSet) {
        // The row's padding (\trpaddX), or half the gap between cells.
        const auto pad = [&row](int side, int fallback) {
            return twipsToPixels(row.padding[side] >= 0 ? row.padding[side] : fallback);
        };
        format.setLeftPadding(pad(0, row.gap));
        format.setTopPadding(pad(1, 0));
        format.setBottomPadding(pad(2, 0));
        format.setRightPadding(pad(3, row.gap));
    }
    if (!row.rowRtf.isEmpty()) {
        format.setProperty(prop::RowPropsRtf, row.rowRtf);
        if (const int height = wordParam(row.rowRtf, "trrh", 0); height != 0)
            format.setProperty(prop::RowHeight, height);
    }
    const CellContent *own = cell.contents.empty() ? nullptr : cell.contents.front();
    if (own && !own->blocks.empty() && !own->blocks.front().table) {
        const auto props = own->blocks.front().paragraph.markFormat.properties();
        for (auto it = props.cbegin(); it != props.cend(); ++it) {
            if (!format.hasProperty(it.key()))
                format.setProperty(it.key(), it.value());
        }
    }
    return format;
}

// The cursor's block is only there because Qt's text needs one.
void markSeparator(QTextCursor &cursor)
{
    QTextBlockFormat format;
    format.setProperty(prop::SeparatorBlock, true);
    cursor.setBlockFormat(format);
}

// Grid slots no cell of their row reaches still get the row's formats, as
// the writer writes them as cells of the row.
void formatFillerCells(QTextTable *qtable, const Table &table, const TableGrid &grid)
{
    std::vector<std::vector<bool>> covered(grid.rows, std::vector<bool>(grid.columns(), false));
    for (const GridCell &cell : grid.cells) {
        for (int r = cell.row; r < cell.row + cell.rowSpan; ++r)
            std::fill_n(covered[r].begin() + cell.column, cell.columnSpan, true);
    }
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < grid.columns(); ++c) {
            if (covered[r][c])
                continue;
            QTextTableCellFormat format = cellFormat(GridCell{}, table.rows[r].def);
            format.setProperty(prop::CellFiller, true);
            qtable->cellAt(r, c).setFormat(format);
        }
    }
}

}  // namespace

RtfReaderBuilder::RtfReaderBuilder(QTextDocument *document, const std::vector<PictureResource> &pictures)
    : m_document(document)
    , m_pictures(pictures)
{
}

void RtfReaderBuilder::insertBlocks(QTextCursor &cursor, const std::vector<Block> &blocks, Start start)
{
    bool fresh = start != Start::Append;  // the cursor's block has not been used yet
    for (const Block &block : blocks) {
        if (block.table) {
            if (fresh && start != Start::Merge)
                markSeparator(cursor);
            insertTable(cursor, *block.table);
            start = Start::Replace;
            fresh = true;
            continue;
        }
        const Paragraph &p = block.paragraph;
        if (!fresh) {
            cursor.insertBlock(p.format, p.markFormat);
        } else if (start == Start::Replace) {
            cursor.setBlockFormat(p.format);
            cursor.setBlockCharFormat(p.markFormat);
        } else if (start == Start::Cell) {
            cursor.setBlockFormat(p.format);
        }
        fresh = false;
        insertRuns(cursor, p);
        joinList(cursor, p.list);
    }
    if (fresh && !blocks.empty() && blocks.back().table)
        markSeparator(cursor);  // the block after a last table
}

void RtfReaderBuilder::insertRuns(QTextCursor &cursor, const Paragraph &paragraph)
{
    for (const Run &run : paragraph.runs) {
        if (run.picture >= 0) {
            QTextImageFormat image = run.format.toImageFormat();
            image.setName(pictureName(run.picture));
            cursor.insertText(run.text, image);
        } else {
            cursor.insertText(run.text, run.format);
        }
    }
}

void RtfReaderBuilder::joinList(QTextCursor &cursor, const ListRef &list)
{
    if (list.key == 0)
        return;
    if (QTextList *existing = m_lists.value(list.key)) {
        existing->add(cursor.block());
        return;
    }
    m_lists.insert(list.key, cursor.createList(list.format.value_or(QTextListFormat())));
}

QString RtfReaderBuilder::pictureName(int picture)
{
    if (const auto it = m_pictureNames.constFind(picture); it != m_pictureNames.constEnd())
        return *it;
    QString name;
    do {
        name = QStringLiteral("pict:%1").arg(m_nextPicture++);
    } while (m_document->resource(QTextDocument::ImageResource, QUrl(name)).isValid());
    if (picture < static_cast<int>(m_pictures.size()))
        m_document->addResource(QTextDocument::ImageResource, QUrl(name), m_pictures[picture].resource);
    m_pictureNames.insert(picture, name);
    return name;
}

void RtfReaderBuilder::insertTable(QTextCursor &cursor, const Table &table)
{
    const TableGrid grid = buildGrid(table);
    if (grid.rows == 0 || grid.columns() == 0)
        return;
    QTextTable *qtable = cursor.insertTable(grid.rows, grid.columns(), tableFormat(table, grid));
    for (const GridCell &cell : grid.cells) {
        if (cell.rowSpan > 1 || cell.columnSpan > 1)
            qtable->mergeCells(cell.row, cell.column, cell.rowSpan, cell.columnSpan);
    }
    for (const GridCell &cell : grid.cells) {
        QTextTableCell qcell = qtable->cellAt(cell.row, cell.column);
        QTextCursor cellCursor = qcell.firstCursorPosition();
        Start start = Start::Cell;
        for (const CellContent *content : cell.contents) {
            if (content->blocks.empty())
                continue;
            insertBlocks(cellCursor, content->blocks, start);
            start = Start::Append;  // a merged-away cell's paragraphs follow
        }
        qcell.setFormat(cellFormat(cell, table.rows[cell.row].def));
    }
    formatFillerCells(qtable, table, grid);
    cursor.setPosition(qtable->lastPosition() + 1);
}

}  // namespace textctl::rtf
