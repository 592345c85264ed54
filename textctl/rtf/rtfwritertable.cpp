// Tables: row definitions (\trowd ... \cellx), cells, spans and merges,
// borders, shading and nested tables.
//
// A column span is one wider cell; a row span is a \clvmgf cell followed by
// \clvmrg cells in the rows below. Top-level rows give their definition
// before their cells; nested rows (\itap 2 and deeper) end with \nestcell
// and carry their definition in {\*\nesttableprops ... \nestrow}.

#include "textctl/rtf/rtfwriter.h"

#include "textctl/model/fillercell.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"
#include "textctl/model/tableborders.h"
#include "textctl/rtf/rtftokenizer.h"

#include <QTextTable>

#include <cmath>

namespace textctl {

namespace {

// Readers take boundaries closer than about 10 twips for one (writers round
// differently row by row), so a column keeps at least this width.
constexpr int kMinColumnTwips = 11;
// Word draws no border wider than this (\brdrw counts twips up to 75).
constexpr int kMaxBorderTwips = 75;

const char *borderStyleWord(QTextFrameFormat::BorderStyle style)
{
    switch (style) {
    case QTextFrameFormat::BorderStyle_Dotted: return "brdrdot";
    case QTextFrameFormat::BorderStyle_Dashed: return "brdrdash";
    case QTextFrameFormat::BorderStyle_Double: return "brdrdb";
    case QTextFrameFormat::BorderStyle_DotDash: return "brdrdashd";
    case QTextFrameFormat::BorderStyle_DotDotDash: return "brdrdashdd";
    case QTextFrameFormat::BorderStyle_Groove: return "brdrengrave";
    case QTextFrameFormat::BorderStyle_Ridge: return "brdremboss";
    case QTextFrameFormat::BorderStyle_Inset: return "brdrinset";
    case QTextFrameFormat::BorderStyle_Outset: return "brdroutset";
    default: return "brdrs";
    }
}

// The kept row words a row's first cell carries (empty when there are none).
QByteArray rowRtfOf(const QTextTableCell &first)
{
    return first.isValid() ? first.format().property(prop::RowPropsRtf).toByteArray() : QByteArray();
}

// The first cell that starts in `row` (a row may begin under a row span).
QTextTableCell firstCellOfRow(const QTextTable *table, int row)
{
    for (int column = 0; column < table->columns(); ++column) {
        const QTextTableCell cell = table->cellAt(row, column);
        if (cell.isValid() && cell.row() == row)
            return cell;
    }
    return {};
}

// The columns a row is written with: a shorter row's empty filler cells at
// its end are left out.
int writtenColumns(const QTextTable *table, int row)
{
    int columns = table->columns();
    while (columns > 1) {
        if (!isEmptyFillerCell(table->cellAt(row, columns - 1)))
            break;
        --columns;
    }
    return columns;
}

}  // namespace

std::vector<int> RtfWriter::columnWidths(const QTextTable *table) const
{
    const int columns = table->columns();
    const QTextTableFormat format = table->format();
    int available = m_availableTwips;
    const QTextLength width = format.width();
    if (width.type() == QTextLength::FixedLength && width.rawValue() > 0)
        available = pixelsToTwips(width.rawValue());
    else if (width.type() == QTextLength::PercentageLength && width.rawValue() > 0)
        available = int(std::lround(available * width.rawValue() / 100.0));

    const QList<QTextLength> constraints = format.columnWidthConstraints();
    std::vector<int> widths(size_t(columns), -1);
    int used = 0;
    int variable = 0;
    for (int c = 0; c < columns; ++c) {
        const QTextLength length = c < constraints.size() ? constraints.at(c) : QTextLength();
        if (length.type() == QTextLength::FixedLength)
            widths[size_t(c)] = pixelsToTwips(length.rawValue());
        else if (length.type() == QTextLength::PercentageLength)
            widths[size_t(c)] = int(std::lround(available * length.rawValue() / 100.0));
        if (widths[size_t(c)] >= 0)
            used += widths[size_t(c)];
        else
            ++variable;
    }
    const int share = variable > 0 ? (available - used) / variable : 0;
    for (int &w : widths)
        w = qMax(kMinColumnTwips, w >= 0 ? w : share);
    return widths;
}

std::vector<int> RtfWriter::rowBounds(const QTextTable *table, int row, const std::vector<int> &widths) const
{
    const QTextTableCell first = firstCellOfRow(table, row);
    const int left = rtf::wordParam(rowRtfOf(first), "trleft", 0);
    std::vector<int> bounds(widths.size() + 1, left);
    for (size_t c = 0; c < widths.size(); ++c)
        bounds[c + 1] = bounds[c] + widths[c];
    return bounds;
}

QByteArray RtfWriter::derivedBorders(const QTextTable *table, const QTextTableCell &cell)
{
    static constexpr std::pair<const char *, CellSide> kSides[] = {
        {"clbrdrt", CellSide::Top}, {"clbrdrl", CellSide::Left}, {"clbrdrb", CellSide::Bottom}, {"clbrdrr", CellSide::Right}};
    const QTextTableFormat tableFormat = table->format();
    const QTextCharFormat format = cell.format();
    QByteArray out;
    for (const auto &[word, side] : kSides) {
        const auto [width, style, brush] = effectiveCellBorder(format, tableFormat, side);
        if (width <= 0 || style == QTextFrameFormat::BorderStyle_None)
            continue;
        appendWord(out, word);
        // The width before the style: either order is valid RTF, and some
        // readers let \brdrw reset the style to a single line.
        appendWord(out, "brdrw", qBound(1, pixelsToTwips(width), kMaxBorderTwips));
        appendWord(out, borderStyleWord(style));
        if (brush.style() != Qt::NoBrush)
            appendWord(out, "brdrcf", m_colors.indexOf(brush.color()));
    }
    return out;
}

QByteArray RtfWriter::keptCellBorders(const QByteArray &words, const QTextTableCellFormat &format)
{
    // The cell's Qt border brushes hold the colours the kept words name by
    // number; they give the numbers in this file's table.
    return RtfWriterColorTable::mapColorWords(words, [&](QByteArrayView word, int number, QByteArrayView side) {
        QTextFormat::Property brush = QTextFormat::TableCellTopBorderBrush;
        if (side == "clbrdrl")
            brush = QTextFormat::TableCellLeftBorderBrush;
        else if (side == "clbrdrb")
            brush = QTextFormat::TableCellBottomBorderBrush;
        else if (side == "clbrdrr")
            brush = QTextFormat::TableCellRightBorderBrush;
        if (word == "brdrcf" && side.startsWith("clbrdr") && format.hasProperty(brush))
            return m_colors.indexOf(format.brushProperty(brush).color());
        return m_keptColorTable ? number : -1;
    });
}

const QByteArray &RtfWriter::rowWords(const QTextTableCell &first)
{
    const int key = first.isValid() ? first.tableCellFormatIndex() : -1;
    auto found = m_rowCache.find(key);
    if (found == m_rowCache.end()) {
        found = m_rowCache.insert(key, keptColorWords(rowRtfOf(first)));
    }
    return *found;
}

const QByteArray &RtfWriter::cellWords(const QTextTable *table, const QTextTableCell &cell,
                                       const QTextTableCell &first)
{
    const int row = first.isValid() ? first.tableCellFormatIndex() : -1;
    const CellKey key{table->formatIndex(), cell.tableCellFormatIndex(), row};
    auto found = m_cellCache.find(key);
    if (found != m_cellCache.end())
        return *found;
    const QTextTableCellFormat format = cell.format().toTableCellFormat();
    QByteArray out;
    int valign = 0;
    if (format.hasProperty(prop::CellVerticalAlign))
        valign = format.intProperty(prop::CellVerticalAlign);
    else if (format.verticalAlignment() == QTextCharFormat::AlignMiddle)
        valign = 1;
    else if (format.verticalAlignment() == QTextCharFormat::AlignBottom)
        valign = 2;
    if (valign == 1)
        appendWord(out, "clvertalc");
    else if (valign == 2)
        appendWord(out, "clvertalb");
    const QByteArray kept = format.property(prop::CellBordersRtf).toByteArray();
    out.append(kept.isEmpty() ? derivedBorders(table, cell) : keptCellBorders(kept, format));
    if (format.background().style() != Qt::NoBrush)
        appendWord(out, "clcbpat", m_colors.indexOf(format.background().color()));
    // A cell repeats its paddings only where they differ from what its row
    // gives every cell: \trpaddX, else \trgaph at the sides and none above
    // and below. Word reads \clpadl as the top padding and \clpadt as the
    // left one; files follow Word, so the words are crossed on purpose.
    struct Pad {
        QTextFormat::Property side;
        const char *rowWord;
        const char *unit;
        const char *word;
        bool sideways;
    };
    static constexpr Pad kPads[] = {
        {QTextFormat::TableCellTopPadding, "trpaddt", "clpadfl", "clpadl", false},
        {QTextFormat::TableCellLeftPadding, "trpaddl", "clpadft", "clpadt", true},
        {QTextFormat::TableCellBottomPadding, "trpaddb", "clpadfb", "clpadb", false},
        {QTextFormat::TableCellRightPadding, "trpaddr", "clpadfr", "clpadr", true},
    };
    // The row's own words, not the cell's: a cell under a row span or past
    // the row's last \cellx has none of this row.
    const QByteArray rowRtf = rowRtfOf(first);
    const int tablePadding = pixelsToTwips(table->format().cellPadding());
    const int gap = rtf::wordParam(rowRtf, "trgaph", tablePadding);
    int paddings[4];
    bool ownPaddings = false;
    for (int i = 0; i < 4; ++i) {
        const Pad &pad = kPads[i];
        // A bottom padding the layout stretched for the row's height is not the cell's.
        const int side = pad.side == QTextFormat::TableCellBottomPadding && format.hasProperty(prop::CellOwnBottomPadding)
                             ? int(prop::CellOwnBottomPadding)
                             : int(pad.side);
        paddings[i] = format.hasProperty(side) ? pixelsToTwips(format.doubleProperty(side)) : tablePadding;
        ownPaddings = ownPaddings || paddings[i] != rtf::wordParam(rowRtf, pad.rowWord, pad.sideways ? gap : 0);
    }
    for (int i = 0; ownPaddings && i < 4; ++i) {
        appendWord(out, kPads[i].unit, 3);
        appendWord(out, kPads[i].word, paddings[i]);
    }
    return *m_cellCache.insert(key, out);
}

QByteArray RtfWriter::cellDefinition(const QTextTable *table, int row, int column, const std::vector<int> &bounds,
                                     const QTextTableCell &first)
{
    const QTextTableCell cell = table->cellAt(row, column);
    QByteArray out;
    if (cell.rowSpan() > 1)
        appendWord(out, cell.row() == row ? "clvmgf" : "clvmrg");
    out.append(cellWords(table, cell, first));
    appendWord(out, "cellx", bounds[size_t(cell.column() + cell.columnSpan())]);
    return out;
}

std::vector<QByteArray> RtfWriter::rowDefinition(const QTextTable *table, int row, const std::vector<int> &bounds)
{
    std::vector<QByteArray> pieces;
    QByteArray words;
    appendWord(words, "trowd");
    const QTextTableCell first = firstCellOfRow(table, row);
    const QByteArray &kept = rowWords(first);
    if (!kept.isEmpty()) {
        words.append(kept);
    } else {
        const QTextTableFormat format = table->format();
        appendWord(words, "trgaph", pixelsToTwips(format.cellPadding()));
        appendWord(words, "trleft", bounds.front());
        const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
        if (align & Qt::AlignHCenter)
            appendWord(words, "trqc");
        else if ((align & Qt::AlignRight) && !(align & Qt::AlignLeft))
            appendWord(words, "trqr");
        if (row < format.headerRowCount())
            appendWord(words, "trhdr");
        if (const int height = first.isValid() ? first.format().intProperty(prop::RowHeight) : 0; height != 0)
            appendWord(words, "trrh", height);
    }
    pieces.push_back(words);
    const int columns = writtenColumns(table, row);
    for (int column = 0; column < columns; ++column) {
        const QTextTableCell cell = table->cellAt(row, column);
        if (cell.isValid() && cell.column() == column)
            pieces.push_back(cellDefinition(table, row, column, bounds, first));
    }
    return pieces;
}

void RtfWriter::writeRowDefinition(const std::vector<QByteArray> &pieces)
{
    // One cell to a line keeps the definition readable.
    for (const QByteArray &piece : pieces) {
        m_out.controls(piece);
        m_out.softBreak();
    }
}

void RtfWriter::writeCell(const QTextTableCell &cell, int row, int column, const std::vector<int> &bounds)
{
    const End end = m_tableDepth > 1 ? End::NestCell : End::Cell;
    if (cell.row() != row) {
        // The rows under a row span hold an empty merged cell.
        m_out.control("pard");
        m_out.control("intbl");
        if (m_tableDepth > 1)
            m_out.control("itap", m_tableDepth);
        writeEnd(end);
        return;
    }
    const int saved = m_availableTwips;
    m_availableTwips = bounds[size_t(column + cell.columnSpan())] - bounds[size_t(column)];
    m_cellStart = true;
    writeFlow(cell.begin(), end);
    m_availableTwips = saved;
}

void RtfWriter::writeRow(const QTextTable *table, int row, const std::vector<int> &bounds)
{
    const std::vector<QByteArray> definition = rowDefinition(table, row, bounds);
    if (m_tableDepth == 1) {
        writeRowDefinition(definition);
        m_out.newline();
    }
    const int tablesBefore = m_tablesWritten;
    const int columns = writtenColumns(table, row);
    for (int column = 0; column < columns; ++column) {
        const QTextTableCell cell = table->cellAt(row, column);
        if (cell.isValid() && cell.column() == column)
            writeCell(cell, row, column, bounds);
    }
    if (m_tableDepth == 1) {
        // After a nested table's own definitions Word wants the outer row's
        // again before \row.
        if (m_tablesWritten != tablesBefore) {
            writeRowDefinition(definition);
            m_out.newline();
        }
        m_out.control("row");
    } else {
        m_out.destination("nesttableprops");
        writeRowDefinition(definition);
        m_out.control("nestrow");
        m_out.closeGroup();
        m_out.openGroup();
        m_out.control("nonesttables");
        m_out.control("par");
        m_out.closeGroup();
    }
    m_out.newline();
}

void RtfWriter::writeTable(const QTextTable *table)
{
    if (!table || table->rows() == 0 || table->columns() == 0)
        return;
    enterDocument(table->document());
    if (m_tableDepth == 0 && (table->format().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore)) {
        m_out.control("page");
        m_out.newline();
    }
    const std::vector<int> widths = columnWidths(table);
    ++m_tablesWritten;
    ++m_tableDepth;
    for (int row = 0; row < table->rows(); ++row)
        writeRow(table, row, rowBounds(table, row, widths));
    --m_tableDepth;
    m_lastCharIndex = -1;
}

}  // namespace textctl
