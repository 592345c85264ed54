// The RTF reader's tables: one QTextTable per table on the grid of all its
// rows, merged cells, nested tables, row and cell properties.

#include "tests/textctl/rtf/rtfreadertesting.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/plaintext.h"
#include "textctl/model/tableborders.h"

#include <QAbstractTextDocumentLayout>

using namespace textctl;
using namespace textctl::testing;

namespace {

const QByteArray kColors = "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}";

std::unique_ptr<RichDocument> readBody(const QByteArray &body)
{
    return readString("{\\rtf1\\ansi" + kColors + body + "}");
}

QByteArray row(const QByteArray &defs, const QList<QByteArray> &cells)
{
    QByteArray out = "\\trowd" + defs;
    for (const QByteArray &cell : cells)
        out += "\\pard\\intbl " + cell + "\\cell";
    return out + "\\row";
}

TEST(RtfReaderTables, OneTableForAllItsRows)
{
    const auto doc = readBody("before\\par" + row("\\cellx2000\\cellx4000", {"A", "B"})
                              + row("\\cellx2000\\cellx4000", {"C", "D"})
                              + row("\\cellx2000\\cellx4000", {"E", "F"}) + "\\pard after\\par");
    const auto tables = tablesOf(doc->main());
    ASSERT_EQ(tables.size(), 1);
    QTextTable *t = tables.front();
    EXPECT_EQ(t->rows(), 3);
    EXPECT_EQ(t->columns(), 2);
    EXPECT_EQ(cellText(t, 2, 1), u"F"_qs);
    // The paragraph before holds the table's start; the one after is the
    // block Qt keeps after a table: no empty paragraphs come between.
    EXPECT_EQ(blocksText(doc->main()), u"before\nA\nB\nC\nD\nE\nF\nafter"_qs);
    const QList<QTextLength> widths = t->format().columnWidthConstraints();
    ASSERT_EQ(widths.size(), 2);
    EXPECT_DOUBLE_EQ(widths[0].rawValue(), twipsToPixels(2000));
    EXPECT_EQ(t->cellAt(0, 1).format().property(prop::CellRightTwips).toInt(), 4000);
}

TEST(RtfReaderTables, GridIsTheUnionOfTheRowsBoundaries)
{
    const auto doc = readBody(row("\\cellx2000\\cellx4000", {"wide", "right"})
                              + row("\\cellx1000\\cellx2000\\cellx4000", {"a", "b", "c"}) + "\\pard\\par");
    QTextTable *t = tablesOf(doc->main()).value(0);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->columns(), 3);
    EXPECT_EQ(t->cellAt(0, 0).columnSpan(), 2);
    EXPECT_EQ(cellText(t, 0, 0), u"wide"_qs);
    EXPECT_EQ(cellText(t, 0, 2), u"right"_qs);
    EXPECT_EQ(cellText(t, 1, 1), u"b"_qs);
}

TEST(RtfReaderTables, VerticallyMergedCells)
{
    const auto doc = readBody(row("\\clvmgf\\cellx2000\\cellx4000", {"tall", "x"})
                              + row("\\clvmrg\\cellx2000\\cellx4000", {"", "y"})
                              + row("\\clvmrg\\cellx2000\\cellx4000", {"", "z"}) + "\\pard\\par");
    QTextTable *t = tablesOf(doc->main()).value(0);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->cellAt(0, 0).rowSpan(), 3);
    EXPECT_EQ(cellText(t, 0, 0), u"tall"_qs);
    EXPECT_EQ(cellText(t, 2, 1), u"z"_qs);
}

TEST(RtfReaderTables, HorizontallyMergedCells)
{
    const auto doc = readBody(row("\\clmgf\\cellx2000\\clmrg\\cellx4000\\cellx6000", {"joined", "", "c"})
                              + row("\\cellx2000\\cellx4000\\cellx6000", {"a", "b", "c"}) + "\\pard\\par");
    QTextTable *t = tablesOf(doc->main()).value(0);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->cellAt(0, 0).columnSpan(), 2);
    EXPECT_EQ(cellText(t, 0, 0), u"joined"_qs);
    EXPECT_EQ(cellText(t, 0, 2), u"c"_qs);
}

TEST(RtfReaderTables, NestedTables)
{
    const auto doc = readBody("\\trowd\\cellx5000\\pard\\intbl\\itap1 outer\\par"
                              "\\pard\\intbl\\itap2 in1\\nestcell in2\\nestcell"
                              "{\\*\\nesttableprops\\trowd\\cellx2000\\cellx4000\\nestrow}"
                              "{\\nonesttables fallback\\par}"
                              "\\pard\\intbl\\itap1 tail\\cell\\row\\pard after\\par");
    const auto tables = tablesOf(doc->main());
    ASSERT_EQ(tables.size(), 2);
    QTextTable *outer = tables[0];
    QTextTable *inner = tables[1];
    EXPECT_EQ(outer->rows(), 1);
    EXPECT_EQ(outer->columns(), 1);
    EXPECT_EQ(inner->columns(), 2);
    EXPECT_EQ(inner->parentFrame(), outer);
    EXPECT_EQ(cellText(inner, 0, 1), u"in2"_qs);
    EXPECT_EQ(inner->format().property(prop::TableNestingLevel).toInt(), 2);
    EXPECT_EQ(outer->format().property(prop::TableNestingLevel).toInt(), 1);
    EXPECT_FALSE(doc->main()->toPlainText().contains(u"fallback"_qs));
    EXPECT_TRUE(doc->main()->toPlainText().contains(u"tail"_qs));
}

TEST(RtfReaderTables, RowAndCellProperties)
{
    const auto doc = readBody(row("\\trgaph108\\trleft-108\\trhdr\\trrh300"
                                  "\\clbrdrb\\brdrs\\brdrw30\\brdrcf1\\clcbpat2\\clvertalc\\cellx2000"
                                  "\\clpadt100\\clpadft3\\clpadl50\\clpadfl3\\cellx4000",
                                  {"h1", "h2"})
                              + row("\\trgaph108\\trleft-108\\cellx2000\\cellx4000", {"a", "b"}) + "\\pard\\par");
    QTextTable *t = tablesOf(doc->main()).value(0);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->format().headerRowCount(), 1);
    const QTextTableCellFormat first = t->cellAt(0, 0).format().toTableCellFormat();
    EXPECT_EQ(first.property(prop::RowPropsRtf).toByteArray(), QByteArray("\\trgaph108\\trleft-108\\trhdr\\trrh300"));
    EXPECT_EQ(first.property(prop::CellBordersRtf).toByteArray(), QByteArray("\\clbrdrb\\brdrs\\brdrw30\\brdrcf1"));
    EXPECT_DOUBLE_EQ(first.bottomBorder(), 2.0);
    EXPECT_EQ(first.bottomBorderBrush().color(), QColor(255, 0, 0));
    EXPECT_DOUBLE_EQ(first.topBorder(), 0.0);
    EXPECT_EQ(first.background().color(), QColor(0, 128, 0));
    EXPECT_EQ(first.property(prop::CellVerticalAlign).toInt(), 1);
    EXPECT_DOUBLE_EQ(first.leftPadding(), twipsToPixels(108));
    const QTextTableCellFormat second = t->cellAt(0, 1).format().toTableCellFormat();
    // Word's (and LibreOffice's) \clpadt is the left padding, \clpadl the top one.
    EXPECT_DOUBLE_EQ(second.leftPadding(), twipsToPixels(100));
    EXPECT_DOUBLE_EQ(second.topPadding(), twipsToPixels(50));
    EXPECT_EQ(t->cellAt(1, 0).format().property(prop::RowPropsRtf).toByteArray(),
              QByteArray("\\trgaph108\\trleft-108"));
}

// \brdrw after the style word changes the width only.
TEST(RtfReaderTables, BorderWidthKeepsTheBorderStyle)
{
    const auto doc =
        readBody(row("\\clbrdrt\\brdrdb\\brdrw45\\clbrdrb\\brdrdot\\brdrw15\\cellx2000", {"a"}) + "\\pard\\par");
    QTextTable *t = tablesOf(doc->main()).value(0);
    ASSERT_TRUE(t);
    const QTextTableCellFormat cell = t->cellAt(0, 0).format().toTableCellFormat();
    EXPECT_EQ(cellBorderStyle(cell, CellSide::Top), QTextFrameFormat::BorderStyle_Double);
    EXPECT_DOUBLE_EQ(cell.topBorder(), 3.0);
    EXPECT_EQ(cellBorderStyle(cell, CellSide::Bottom), QTextFrameFormat::BorderStyle_Dotted);
    EXPECT_DOUBLE_EQ(cell.bottomBorder(), 1.0);
}

TEST(RtfReaderTables, RowAlignmentStartsANewTable)
{
    const auto doc = readBody(row("\\trql\\cellx2000", {"left"}) + row("\\trqr\\cellx3000\\cellx5000", {"r1", "r2"})
                              + row("\\trqr\\cellx3000\\cellx5000", {"r3", "r4"}) + "\\pard\\par");
    const auto tables = tablesOf(doc->main());
    ASSERT_EQ(tables.size(), 2);
    EXPECT_EQ(tables[1]->format().alignment(), Qt::AlignRight);
    EXPECT_EQ(tables[1]->rows(), 2);
    // Qt needs a block between the tables; it is marked as no paragraph.
    const QTextBlock between = doc->main()->findBlock(tables[0]->lastPosition() + 1);
    EXPECT_TRUE(between.blockFormat().boolProperty(prop::SeparatorBlock));
    EXPECT_EQ(documentPlainText(*doc), u"left\nr1\nr2\nr3\nr4\n\n"_qs);
}

TEST(RtfReaderTables, BlocksQtNeedsBesideTablesAreMarked)
{
    const auto doc = readBody(row("\\cellx2000", {"x"}) + "\\pard after\\par");
    EXPECT_TRUE(doc->main()->begin().blockFormat().boolProperty(prop::SeparatorBlock));
    EXPECT_FALSE(blockOf(doc->main(), u"after"_qs).blockFormat().boolProperty(prop::SeparatorBlock));
    EXPECT_EQ(documentPlainText(*doc), u"x\nafter\n"_qs);
    // A real empty paragraph before the table is kept as one.
    const auto kept = readBody("\\par" + row("\\cellx2000", {"x"}) + "\\pard after\\par");
    EXPECT_FALSE(kept->main()->begin().blockFormat().boolProperty(prop::SeparatorBlock));
    EXPECT_EQ(documentPlainText(*kept), u"\nx\nafter\n"_qs);
}

TEST(RtfReaderTables, CellsWithoutIntblStayInTheRow)
{
    const auto doc = readBody("\\trowd\\cellx1000\\cellx2000 A\\cell B1\\par B2\\cell\\row after\\par");
    QTextTable *t = tablesOf(doc->main()).value(0);
    ASSERT_TRUE(t);
    EXPECT_EQ(cellText(t, 0, 1), u"B1\nB2"_qs);
    EXPECT_TRUE(blocksText(doc->main()).endsWith(u"after"_qs));
}

TEST(RtfReaderTables, RowWithoutRowEndIsKept)
{
    const auto doc = readBody("\\trowd\\cellx1000\\cellx2000\\pard\\intbl A\\cell B\\cell");
    QTextTable *t = tablesOf(doc->main()).value(0);
    ASSERT_TRUE(t);
    EXPECT_EQ(cellText(t, 0, 0), u"A"_qs);
}

TEST(RtfReaderTables, PageBreakBeforeATable)
{
    const auto doc = readBody("a\\page" + row("\\cellx2000", {"x"}) + "\\pard\\par");
    QTextTable *t = tablesOf(doc->main()).value(0);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->format().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
}

}  // namespace

// Collapsing borders costs Qt dearly in long tables, so a table is read with
// it only where a cell has a border; without one it lays out as it would
// collapsed.
TEST(RtfReaderTables, BordersCollapseOnlyInTablesWithABorder)
{
    const struct {
        const char *name;
        QByteArray secondRowWords;
        bool collapsed;
    } rows[] = {
        {"no borders", "", false},
        {"a side without line", "\\clbrdrt\\brdrnone", false},
        {"one bottom line", "\\clbrdrb\\brdrs\\brdrw10", true},
    };
    for (const auto &r : rows) {
        const QByteArray words = "\\trgaph108\\trpaddt60\\trpaddft3";
        const auto doc = readBody(row(words + "\\cellx2000\\cellx4000", {"uno dos tres cuatro cinco", "B"})
                                  + row(words + r.secondRowWords + "\\cellx2000\\cellx4000", {"C", "D\\line E"})
                                  + "\\pard fin\\par");
        QTextTable *t = tablesOf(doc->main()).value(0);
        ASSERT_TRUE(t) << r.name;
        EXPECT_EQ(t->format().borderCollapse(), r.collapsed) << r.name;
        if (r.collapsed)
            continue;
        QTextDocument *text = doc->main();
        text->setPageSize(QSizeF(400, 600));
        const auto places = [text] {
            QList<QRectF> rects;
            for (QTextBlock b = text->begin(); b.isValid(); b = b.next())
                rects.append(text->documentLayout()->blockBoundingRect(b));
            return rects;
        };
        const QList<QRectF> uncollapsed = places();
        QTextTableFormat format = t->format();
        format.setBorderCollapse(true);
        t->setFormat(format);
        EXPECT_EQ(places(), uncollapsed) << r.name;
    }
}
