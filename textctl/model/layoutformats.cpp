#include "textctl/model/layoutformats.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/paragraphformat.h"
#include "textctl/model/richdocument.h"

#include <QAbstractTextDocumentLayout>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QRawFont>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <cmath>
#include <limits>

namespace textctl {

namespace {

int bigEndian16(const QByteArray &table, int offset, bool isSigned)
{
    if (table.size() < offset + 2)
        return 0;
    const int value = (uchar(table[offset]) << 8) | uchar(table[offset + 1]);
    return isSigned && value >= 0x8000 ? value - 0x10000 : value;
}

// Word processors measure lines in whole twips.
double wholeTwips(double pixels)
{
    return twipsToPixels(pixelsToTwips(pixels));
}

// The single line height of a font one em tall, from its tables.
double lineHeightPerEm(const QFont &font)
{
    static QHash<QString, double> cache;
    const QString key = font.family() + u'|' + QString::number(font.weight()) + u'|' + QChar(font.italic() ? u'i' : u'r');
    const auto known = cache.constFind(key);
    if (known != cache.constEnd())
        return *known;
    QFont probe = font;
    probe.setPixelSize(2048);
    const QRawFont raw = QRawFont::fromFont(probe);
    double perEm = 1.15;
    if (raw.isValid() && raw.unitsPerEm() > 0) {
        const QByteArray hhea = raw.fontTable("hhea");
        const QByteArray os2 = raw.fontTable("OS/2");
        const int hheaTotal = bigEndian16(hhea, 4, true) - bigEndian16(hhea, 6, true) + bigEndian16(hhea, 8, true);
        const int winTotal = bigEndian16(os2, 74, false) + bigEndian16(os2, 76, false);
        int total = std::max(hheaTotal, winTotal);
        const bool useTypo = bigEndian16(os2, 62, false) & 0x80;
        if (useTypo)
            total = bigEndian16(os2, 68, true) - bigEndian16(os2, 70, true) + bigEndian16(os2, 72, true);
        // A face without these tables (a Type 1 font, such as the URW faces
        // fontconfig gives for Times, Helvetica and Courier) is set 1.2 em
        // a line, as LibreOffice sets it; its box would give 1.33.
        constexpr double kType1LinePerEm = 1.2;
        perEm = total > 0 ? double(total) / raw.unitsPerEm() : kType1LinePerEm;
    }
    cache.insert(key, perEm);
    return perEm;
}

// The text or table cell a block flows in: neighbours in the same flow
// give each other their spacing.
bool sameFlow(const QTextBlock &a, const QTextBlock &b)
{
    if (!a.isValid() || !b.isValid())
        return false;
    const QTextDocument *doc = a.document();
    QTextFrame *frame = doc->frameAt(a.position());
    if (frame != doc->frameAt(b.position()))
        return false;
    if (auto *table = qobject_cast<QTextTable *>(frame))
        return table->cellAt(a.position()) == table->cellAt(b.position());
    return true;
}

// A document marked \htmautsp is given the larger of a paragraph's space
// after and the next one's space before, not both, as LibreOffice reads it.
bool largerSpaceOnly(const QTextDocument *doc)
{
    const QByteArray words = doc->rootFrame()->frameFormat().property(prop::DocumentWordsRtf).toByteArray();
    const qsizetype at = words.indexOf("\\htmautsp");
    if (at < 0)
        return false;
    const qsizetype end = at + 9;
    return end >= words.size() || !std::isalpha(static_cast<unsigned char>(words[end]));
}

bool contextualPair(const QTextBlockFormat &a, const QTextBlockFormat &b)
{
    return a.boolProperty(prop::ContextualSpace) && b.boolProperty(prop::ContextualSpace)
           && a.intProperty(prop::StyleIndex) == b.intProperty(prop::StyleIndex);
}

double blockSingleLine(const QTextBlock &block)
{
    double single = 0;
    for (auto it = block.begin(); !it.atEnd(); ++it)
        single = std::max(single, singleLineHeight(it.fragment().charFormat().font()));
    if (single == 0)
        single = singleLineHeight(block.charFormat().font());
    return single;
}

// The table that directly follows `block` in its flow: Qt's layout drops
// the space after of the paragraph before a table, so the table's top
// margin gives it.
QTextTable *tableAfter(const QTextBlock &block)
{
    const QTextBlock next = block.next();
    if (!next.isValid())
        return nullptr;
    const QTextDocument *doc = block.document();
    auto *table = qobject_cast<QTextTable *>(doc->frameAt(next.position()));
    if (!table || table->firstPosition() != next.position() || table->parentFrame() != doc->frameAt(block.position()))
        return nullptr;
    return table;
}

// The table that `block` directly follows in its flow: Qt's layout drops the
// space before of the paragraph after a table, so the table's bottom margin
// gives it.
QTextTable *tableBefore(const QTextBlock &block)
{
    const QTextBlock previous = block.previous();
    if (!previous.isValid())
        return nullptr;
    const QTextDocument *doc = block.document();
    QTextFrame *frame = doc->frameAt(previous.position());
    while (frame && frame->parentFrame() && frame->parentFrame() != doc->frameAt(block.position()))
        frame = frame->parentFrame();
    auto *table = qobject_cast<QTextTable *>(frame);
    if (!table || table->lastPosition() != block.position() - 1)
        return nullptr;
    return table;
}

// Where the tables of a document start and end, found once for a pass over
// many blocks: asking each block for its frame walks the frame tree.
struct TableEdges {
    QHash<int, QTextTable *> starts;  // by the table's first position
    QHash<int, QTextTable *> ends;    // by the position just after it

    explicit TableEdges(const QTextDocument *doc) { collect(doc->rootFrame()); }

    void collect(QTextFrame *frame)
    {
        const QList<QTextFrame *> children = frame->childFrames();
        for (QTextFrame *child : children) {
            if (auto *table = qobject_cast<QTextTable *>(child)) {
                starts.insert(table->firstPosition(), table);
                ends.insert(table->lastPosition() + 1, table);
            }
            collect(child);
        }
    }

    QTextTable *after(const QTextBlock &block) const
    {
        const QTextBlock next = block.next();
        return next.isValid() && starts.contains(next.position()) ? tableAfter(block) : nullptr;
    }
    QTextTable *before(const QTextBlock &block) const
    {
        return ends.contains(block.position()) ? tableBefore(block) : nullptr;
    }
};

// The cells that start in `row` (a row may begin under a row span).
QList<QTextTableCell> cellsStartingIn(const QTextTable *table, int row)
{
    QList<QTextTableCell> cells;
    for (int column = 0; column < table->columns(); ++column) {
        const QTextTableCell cell = table->cellAt(row, column);
        if (cell.row() == row && cell.column() == column)
            cells.append(cell);
    }
    return cells;
}

// A cell's own bottom padding, whether or not the layout stretched it.
double ownBottomPadding(const QTextTableCellFormat &format)
{
    return format.hasProperty(prop::CellOwnBottomPadding) ? format.doubleProperty(prop::CellOwnBottomPadding)
                                                          : format.bottomPadding();
}

// The space after a cell's last paragraph, in reference pixels: Qt's layout
// ends a cell at its last line, where word processors add that space.
double lastSpaceAfter(const QTextTableCell &cell, const QTextDocument *doc)
{
    const QTextBlock last = doc->findBlock(cell.lastPosition());
    return last.isValid() ? last.blockFormat().bottomMargin() : 0.0;
}

// A cell's bottom padding for Qt holds, beside the cell's own, the space
// after its last paragraph and, in a row with a height of its own, what
// makes the row that tall (at least): Qt has no row height. The cell's own
// padding is kept beside it. Returns the cells whose format is to change.
QList<std::pair<QTextTableCell, QTextTableCellFormat>> rowHeightChanges(QTextTable *table)
{
    QList<std::pair<QTextTableCell, QTextTableCellFormat>> changes;
    const QTextDocument *doc = table->document();
    for (int row = 0; row < table->rows(); ++row) {
        const QList<QTextTableCell> cells = cellsStartingIn(table, row);
        if (cells.isEmpty())
            continue;
        const int twips = std::abs(cells.first().format().intProperty(prop::RowHeight));
        double extra = 0;
        if (twips > 0) {
            double natural = 0;
            for (const QTextTableCell &cell : cells) {
                const QTextTableCellFormat format = cell.format().toTableCellFormat();
                if (cell.rowSpan() == 1)
                    natural = std::max(natural, fromLayout(cellContentHeight(cell, doc)) + format.topPadding()
                                                   + ownBottomPadding(format));
            }
            extra = std::max(0.0, twipsToPixels(twips) - natural);
        }
        for (const QTextTableCell &cell : cells) {
            QTextTableCellFormat format = cell.format().toTableCellFormat();
            const bool stretched = format.hasProperty(prop::CellOwnBottomPadding);
            const double own = ownBottomPadding(format);
            const double added = extra + lastSpaceAfter(cell, doc);
            if (added < 0.25) {
                if (!stretched)
                    continue;
                format.clearProperty(prop::CellOwnBottomPadding);
                format.setBottomPadding(own);
            } else if (stretched && qFuzzyCompare(1 + format.bottomPadding(), 1 + own + added)) {
                continue;
            } else {
                format.setProperty(prop::CellOwnBottomPadding, own);
                format.setBottomPadding(own + added);
            }
            changes.append({cell, format});
        }
    }
    return changes;
}

// Layout values are part of the edit that made them wrong.
void beginJoinedEdit(QTextCursor &cursor)
{
    const QTextDocument *doc = cursor.document();
    if (doc->isUndoRedoEnabled() && doc->availableUndoSteps() > 0)
        cursor.joinPreviousEditBlock();
    else
        cursor.beginEditBlock();
}

// Where a word processor starts the text of a list paragraph's first line,
// from its left indent (layout pixels): its label starts at the first-line
// indent and a tab follows it, to the hanging indent when the label ends
// before it, else to the next tab stop.
double listTextOffset(const QTextBlock &block, const QTextList *list, double firstLine)
{
    const QTextBlockFormat format = block.blockFormat();
    const QTextListFormat listFormat = list->format();
    QString label = listFormat.stringProperty(prop::ListLabelText);
    const auto style = listFormat.style();
    const bool bullet = style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
                        || style == QTextListFormat::ListSquare;
    if (label.isEmpty())
        label = bullet ? QString(QChar(0x2022)) : list->itemText(block);
    const QFontMetricsF metrics(block.charFormat().font(), layoutDevice());
    const double left = format.leftMargin();
    const double labelEnd = left + firstLine + metrics.horizontalAdvance(label);
    double stop = std::numeric_limits<double>::max();
    if (firstLine < 0 && labelEnd < left)
        stop = left;
    for (const QTextOption::Tab &tab : tabStops(format)) {
        const double at = toLayout(tab.position);
        if (at > labelEnd && at < stop)
            stop = at;
    }
    if (stop == std::numeric_limits<double>::max()) {
        const double step = std::max(1.0, toLayout(block.document()->defaultTextOption().tabStopDistance()));
        stop = (std::floor(labelEnd / step) + 1) * step;
    }
    return stop - left;
}

bool sameLayoutValues(const QTextBlockFormat &a, const QTextBlockFormat &b)
{
    return qFuzzyCompare(1 + a.topMargin(), 1 + b.topMargin()) && qFuzzyCompare(1 + a.bottomMargin(), 1 + b.bottomMargin())
           && a.lineHeightType() == b.lineHeightType() && qFuzzyCompare(1 + a.lineHeight(), 1 + b.lineHeight())
           && a.hasProperty(QTextFormat::BackgroundBrush) == b.hasProperty(QTextFormat::BackgroundBrush)
           && qFuzzyCompare(1 + a.textIndent(), 1 + b.textIndent())
           && a.property(prop::OwnTextIndent) == b.property(prop::OwnTextIndent)
           && a.tabPositions() == b.tabPositions() && a.property(prop::OwnTabPositions) == b.property(prop::OwnTabPositions);
}

void setMargin(QList<std::pair<QTextTable *, QTextTableFormat>> &tables, QTextTable *table, bool top, double margin)
{
    auto it = std::find_if(tables.begin(), tables.end(), [table](const auto &entry) { return entry.first == table; });
    if (it == tables.end()) {
        tables.append({table, table->format()});
        it = tables.end() - 1;
    }
    if (top)
        it->second.setTopMargin(margin);
    else
        it->second.setBottomMargin(margin);
}

}  // namespace

// How tall a cell's content is, in layout pixels, from its first line's
// box to its last one's and the last paragraph's space after.
double cellContentHeight(const QTextTableCell &cell, const QTextDocument *doc)
{
    QAbstractTextDocumentLayout *layout = doc->documentLayout();
    const QTextBlock first = doc->findBlock(cell.firstPosition());
    const QTextBlock last = doc->findBlock(cell.lastPosition());
    if (!first.isValid() || !last.isValid() || !first.layout() || !last.layout() || first.layout()->lineCount() == 0
        || last.layout()->lineCount() == 0)
        return 0;
    const double top = layout->blockBoundingRect(first).top() + lineBox(first, first.layout()->lineAt(0)).top;
    return textBottom(*layout, last) + toLayout(last.blockFormat().bottomMargin()) - top;
}

QPaintDevice *layoutDevice()
{
    static QImage device = [] {
        constexpr int kDotsPerMeterAt144Dpi = 5669;  // rounds back to 144 dpi
        QImage image(1, 1, QImage::Format_ARGB32_Premultiplied);
        image.setDotsPerMeterX(kDotsPerMeterAt144Dpi);
        image.setDotsPerMeterY(kDotsPerMeterAt144Dpi);
        return image;
    }();
    return &device;
}

double singleLineHeight(const QFont &font)
{
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * 96.0 / 72.0;
    return wholeTwips(lineHeightPerEm(font) * pixels);
}

LineBox lineBox(const QTextBlock &block, const QTextLine &line)
{
    // Boxes follow each other from the block's top; Qt places the text of
    // a line of fixed or minimum height somewhere inside its box.
    const QTextBlockFormat format = block.blockFormat();
    // Qt scales the height to its device and keeps it in 1/64 pixel.
    const double height = std::round(toLayout(format.lineHeight()) * 64) / 64;
    switch (format.lineHeightType()) {
    case QTextBlockFormat::FixedHeight: return {line.lineNumber() * height, height};
    case QTextBlockFormat::MinimumHeight: {
        const QTextLayout *layout = block.layout();
        double top = 0;
        for (int i = 0; i < line.lineNumber(); ++i)
            top += std::max(height, layout->lineAt(i).height());
        return {top, std::max(height, line.height())};
    }
    default: return {line.y(), line.height()};
    }
}

double textBottom(const QAbstractTextDocumentLayout &layout, const QTextBlock &block)
{
    const QRectF rect = layout.blockBoundingRect(block);
    const QTextLayout *lines = block.layout();
    if (!lines || lines->lineCount() == 0)
        return rect.bottom();
    return rect.top() + lineBox(block, lines->lineAt(lines->lineCount() - 1)).bottom();
}

namespace {

// How tall a line of `block` is by its rule; `single` is its single line.
double ruledLineHeight(const ParagraphSpacing &own, double single)
{
    switch (own.rule) {
    case LineRule::Single: return single;
    case LineRule::AtLeast: return std::max(own.line, single);
    case LineRule::Exactly: return own.line;
    case LineRule::Multiple:
        // A multiple of a line drops the twip's fraction (1.15 of 230 twips
        // is 264), as the word processors the reports are compared with do.
        return twipsToPixels(int(std::floor(pixelsToTwips(single) * own.line / 100.0 + 1e-6)));
    }
    return single;
}

// An empty paragraph right after a table: Qt's layout hides it in the
// table's bottom border, where a word processor gives it its line. The
// block Qt needs after a table that ends the text or a cell is no
// paragraph, and stays hidden.
bool hiddenAfterTable(const QTextBlock &block)
{
    return block.isValid() && block.length() == 1 && !block.blockFormat().boolProperty(prop::SeparatorBlock)
           && tableBefore(block);
}

}  // namespace

QTextBlockFormat layoutFormat(const QTextBlock &block)
{
    return layoutFormat(block, largerSpaceOnly(block.document()));
}

QTextBlockFormat layoutFormat(const QTextBlock &block, bool largerSpace)
{
    QTextBlockFormat format = block.blockFormat();
    const ParagraphSpacing own = paragraphSpacing(format);
    // A format without spacing of its own (made by Qt, pasted) keeps what it
    // gives now as its own: the margins set below would otherwise be read
    // back as its own the next time, and grow with every pass.
    if (!format.hasProperty(prop::SpaceBefore) && !format.hasProperty(prop::LineRule))
        setParagraphSpacing(&format, own);
    const ParagraphBorders borders = paragraphBorders(format);
    const QTextBlock previous = block.previous();
    const QTextBlock next = block.next();
    double top = own.before + borders[BorderTop].reach();
    double bottom = own.after + borders[BorderBottom].reach();
    if (sameFlow(previous, block)) {
        const QTextBlockFormat before = previous.blockFormat();
        // Qt gives the larger of this margin and the previous bottom one:
        // this one holds both.
        if (contextualPair(before, format))
            top = borders[BorderTop].reach();
        else if (largerSpace)
            top = std::max(own.before, paragraphSpacing(before).after) + borders[BorderTop].reach();
        else
            top += paragraphSpacing(before).after;
        top += paragraphBorders(before)[BorderBottom].reach();
        // The line of a hidden empty paragraph above comes before this one.
        if (hiddenAfterTable(previous))
            top += ruledLineHeight(paragraphSpacing(before), blockSingleLine(previous));
    }
    if (sameFlow(block, next) && contextualPair(format, next.blockFormat()))
        bottom = borders[BorderBottom].reach();
    format.setTopMargin(top);
    format.setBottomMargin(bottom);

    // A list paragraph's text starts where the tab after its label takes it.
    const double firstLine = firstLineIndent(format);
    const QTextList *list = block.textList();
    const double textIndent = list && list->format().style() != QTextListFormat::ListStyleUndefined
                                  ? listTextOffset(block, list, firstLine)
                                  : firstLine;
    setFirstLineIndent(&format, firstLine);
    if (!qFuzzyCompare(1 + textIndent, 1 + firstLine)) {
        format.setProperty(prop::OwnTextIndent, firstLine);
        format.setTextIndent(textIndent);
    }

    // A word processor measures tab stops from the left margin, Qt from
    // where a line starts: its stops are given from where the first line
    // starts, the line a tab is mostly in (a later line of a paragraph with
    // a first-line indent has its stops that indent off).
    const QList<QTextOption::Tab> stops = tabStops(format);
    setTabStops(&format, stops);
    if (const double lineStart = fromLayout(format.leftMargin() + textIndent); !stops.isEmpty() && lineStart != 0) {
        QList<QTextOption::Tab> fromLine = stops;
        for (QTextOption::Tab &tab : fromLine)
            tab.position -= lineStart;
        format.setTabPositions(fromLine);
        keepTabStops(&format, stops);
    }

    // Qt lays out no line for an empty paragraph just before a table unless
    // it has a background: a word processor shows it, so it gets an empty one.
    // The block Qt needs before a table that starts the text or follows
    // another is no paragraph, and stays hidden.
    if (block.length() == 1 && tableAfter(block) && !format.hasProperty(QTextFormat::BackgroundBrush)
        && !format.boolProperty(prop::SeparatorBlock))
        format.setBackground(Qt::NoBrush);

    // A line of text is exactly as tall as the rule makes it (Qt would round
    // its fonts' ascent and descent up to pixels); a line that holds a
    // picture or another object is at least that tall.
    const double single = blockSingleLine(block);
    const auto height = block.text().contains(QChar::ObjectReplacementCharacter) ? QTextBlockFormat::MinimumHeight
                                                                                 : QTextBlockFormat::FixedHeight;
    format.setLineHeight(ruledLineHeight(own, single),
                         own.rule == LineRule::Exactly ? QTextBlockFormat::FixedHeight : height);
    return format;
}

bool updateLayoutFormats(QTextDocument *doc, int from, int to)
{
    const bool largerSpace = largerSpaceOnly(doc);
    const TableEdges edges(doc);
    QTextBlock block = doc->findBlock(std::max(0, from));
    if (block.previous().isValid())
        block = block.previous();
    QTextBlock last = doc->findBlock(std::max(from, to));
    if (!last.isValid())
        last = doc->lastBlock();
    if (last.next().isValid())
        last = last.next();

    QList<std::pair<int, QTextBlockFormat>> changes;
    QList<std::pair<QTextTable *, QTextTableFormat>> tables;
    QList<QTextTable *> inRange;
    for (; block.isValid(); block = block.next()) {
        if (auto *table = qobject_cast<QTextTable *>(doc->frameAt(block.position())); table && !inRange.contains(table))
            inRange.append(table);
        const QTextBlockFormat wanted = layoutFormat(block, largerSpace);
        if (!sameLayoutValues(wanted, block.blockFormat()))
            changes.append({block.position(), wanted});
        if (QTextTable *table = edges.after(block)) {
            if (!qFuzzyCompare(1 + table->format().topMargin(), 1 + wanted.bottomMargin()))
                setMargin(tables, table, true, wanted.bottomMargin());
        }
        if (QTextTable *table = edges.before(block)) {
            if (!qFuzzyCompare(1 + table->format().bottomMargin(), 1 + wanted.topMargin()))
                setMargin(tables, table, false, wanted.topMargin());
        }
        if (block == last)
            break;
    }
    bool changed = false;
    if (!changes.isEmpty() || !tables.isEmpty()) {
        QTextCursor cursor(doc);
        beginJoinedEdit(cursor);
        for (const auto &[position, format] : changes) {
            cursor.setPosition(position);
            cursor.setBlockFormat(format);
        }
        for (const auto &[table, format] : tables)
            table->setFormat(format);
        cursor.endEditBlock();
        changed = true;
    }
    // Row heights are measured on the layout of the formats just set.
    QList<std::pair<QTextTableCell, QTextTableCellFormat>> cells;
    for (QTextTable *table : std::as_const(inRange))
        cells += rowHeightChanges(table);
    if (!cells.isEmpty()) {
        QTextCursor cursor(doc);
        beginJoinedEdit(cursor);
        for (auto &[cell, format] : cells)
            cell.setFormat(format);
        cursor.endEditBlock();
        changed = true;
    }
    return changed;
}

LayoutFormatKeeper::LayoutFormatKeeper(QTextDocument *doc)
    : QObject(doc),
      m_doc(doc)
{
    connect(doc, &QTextDocument::contentsChange, this,
            [this](int from, int, int added) { changed(from, added); });
}

LayoutFormatKeeper *LayoutFormatKeeper::of(const QTextDocument *doc)
{
    return doc ? doc->findChild<LayoutFormatKeeper *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void LayoutFormatKeeper::changed(int from, int added)
{
    if (m_applying)
        return;
    if (m_from < 0) {
        m_from = from;
        m_to = from + added;
    } else {
        // Positions after an earlier change may have moved: keep the span wide.
        m_from = std::min(m_from, from);
        m_to = std::max(m_to, from + added);
    }
    if (!m_queued) {
        m_queued = true;
        QMetaObject::invokeMethod(this, [this] { settle(); }, Qt::QueuedConnection);
    }
}

void LayoutFormatKeeper::settle()
{
    m_queued = false;
    if (m_from < 0)
        return;
    const int from = m_from;
    const int to = std::min(m_to, m_doc->characterCount());
    m_from = -1;
    m_applying = true;
    updateLayoutFormats(m_doc, from, to);
    m_applying = false;
}

bool settlingLayoutFormats(const QTextDocument *doc)
{
    const LayoutFormatKeeper *keeper = LayoutFormatKeeper::of(doc);
    return keeper && keeper->applying();
}

void settleLayoutFormats(const QTextDocument *doc)
{
    if (LayoutFormatKeeper *keeper = LayoutFormatKeeper::of(doc))
        keeper->settle();
}

}  // namespace textctl
