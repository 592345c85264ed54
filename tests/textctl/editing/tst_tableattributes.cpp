#include "tests/filebytes.h"
#include "textctl/editing/tableattributes.h"
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreader.h"
#include "textctl/rtf/rtfwriter.h"
#include "textctl/tablecells.h"
#include "textctl/txtextcontrol.h"

#include <QTemporaryDir>
#include <QTextTable>

#include <gtest/gtest.h>

#include <functional>

using namespace textctl;

namespace {

// The width that columns without a fixed one share.
constexpr int kTextWidth = 9026;

// A cursor in cell (row, column) of the first table of `doc`, selecting
// through cell (toRow, toColumn) when given.
QTextCursor inCells(QTextDocument *doc, int row, int column, int toRow = -1, int toColumn = -1)
{
    QTextTable *table = tablesOf(doc).constFirst();
    QTextCursor cursor(doc);
    cursor.setPosition(table->cellAt(row, column).firstPosition());
    if (toRow >= 0)
        cursor.setPosition(table->cellAt(toRow, toColumn).lastPosition(), QTextCursor::KeepAnchor);
    return cursor;
}

TableAttributes everything()
{
    TableAttributes a;
    a.borders = {CellBorder{20, Qt::red}, CellBorder{10, Qt::black}, CellBorder{40, Qt::blue}, CellBorder{}};
    a.shading = QColor(Qt::yellow);
    a.verticalAlign = 1;
    a.rowHeight = 567;
    a.columnWidths = {2835, 4536};
    return a;
}

}  // namespace

TEST(TableAttributes, WhatIsSetReadsBackSavesAndComesBackFromTheFileAsOneUndoStep)
{
    TXTextControl control;
    const int id = control.TableInsert(2, 2, -1, 11);
    ASSERT_NE(id, 0);
    QTextDocument *doc = control.document().main();
    const TableAttributes before = tableAttributesOf(inCells(doc, 0, 0), kTextWidth);
    EXPECT_EQ(before.borders[BorderTop], CellBorder{}) << "a new table has no lines";
    EXPECT_EQ(before.shading, QColor());
    EXPECT_EQ(before.columnWidths.size(), 2);

    ASSERT_TRUE(applyTableAttributes(inCells(doc, 0, 0, 0, 1), everything()));
    EXPECT_EQ(tableAttributesOf(inCells(doc, 0, 1), kTextWidth), everything());
    EXPECT_EQ(tableAttributesOf(inCells(doc, 1, 0), kTextWidth).shading, QColor()) << "row 2 was not selected";

    const QByteArray rtf = writeRtf(control.document());
    for (const char *words : {"\\clvertalc", "\\clbrdrt\\brdrw20\\brdrs\\brdrcf", "\\clbrdrb\\brdrw40\\brdrs",
                              "\\clcbpat", "\\trrh567", "\\cellx2835", "\\cellx7371"})
        EXPECT_TRUE(rtf.contains(words)) << words << "\n" << rtf.constData();
    EXPECT_FALSE(rtf.contains("\\clbrdrr")) << "a side set to no line is not written";

    RichDocument read;
    ASSERT_TRUE(readRtf(rtf, read));
    EXPECT_EQ(tableAttributesOf(inCells(read.main(), 0, 1), kTextWidth), everything());

    control.Undo();
    EXPECT_EQ(tableAttributesOf(inCells(doc, 0, 0), kTextWidth), before);
}

TEST(TableAttributes, AValueTheCellsDoNotShareIsAbsentAndStaysAsEachHasIt)
{
    TXTextControl control;
    control.TableInsert(1, 2, -1, 11);
    QTextDocument *doc = control.document().main();
    TableAttributes yellow;
    yellow.shading = QColor(Qt::yellow);
    applyTableAttributes(inCells(doc, 0, 0), yellow);
    const TableAttributes both = tableAttributesOf(inCells(doc, 0, 0, 0, 1), kTextWidth);
    EXPECT_FALSE(both.shading.has_value());
    EXPECT_EQ(both.verticalAlign, 0);

    TableAttributes bottom;
    bottom.verticalAlign = 2;
    applyTableAttributes(inCells(doc, 0, 0, 0, 1), bottom);
    EXPECT_EQ(tableAttributesOf(inCells(doc, 0, 0), kTextWidth).shading, QColor(Qt::yellow));
    EXPECT_EQ(tableAttributesOf(inCells(doc, 0, 1), kTextWidth).shading, QColor());
    EXPECT_EQ(tableAttributesOf(inCells(doc, 0, 1), kTextWidth).verticalAlign, 2);
    QTextCursor after(doc);
    after.movePosition(QTextCursor::End);
    EXPECT_FALSE(applyTableAttributes(after, bottom)) << "after the table there is no table";
}

TEST(TableAttributes, AFilesRowAndBordersAreRewrittenNotRepeated)
{
    RichDocument doc;
    ASSERT_TRUE(readRtf("{\\rtf1\\ansi{\\colortbl;\\red0\\green128\\blue0;}"
                        "\\trowd\\trgaph108\\trrh400\\clbrdrt\\brdrs\\brdrw15\\brdrcf1\\cellx3000"
                        "\\pard\\intbl uno\\cell\\row\\pard fin\\par}",
                        doc));
    EXPECT_EQ(tableAttributesOf(inCells(doc.main(), 0, 0), kTextWidth).borders[BorderTop],
              (CellBorder{15, QColor(0, 128, 0)}));
    TableAttributes change;
    change.rowHeight = 600;
    change.borders[BorderTop] = CellBorder{30, Qt::red};
    applyTableAttributes(inCells(doc.main(), 0, 0), change);
    const QByteArray rtf = writeRtf(doc);
    EXPECT_EQ(rtf.count("\\trrh"), 1) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\trrh600"));
    EXPECT_TRUE(rtf.contains("\\clbrdrt\\brdrw30\\brdrs\\brdrcf"));
    EXPECT_FALSE(rtf.contains("brdrw15"));
}

TEST(TableAttributes, LinesGivenToATableReadWithoutAnyAreCollapsed)
{
    const struct {
        const char *name;
        std::function<void(TXTextControl &)> edit;
    } rows[] = {
        {"grid lines", [](TXTextControl &c) { c.setTableCellAttribute(c.TableAtInputPos(), 1, 2, 2, 3); }},
        {"a bottom line",
         [](TXTextControl &c) {
             TableAttributes bottom;
             bottom.borders[BorderBottom] = CellBorder{10, Qt::black};
             applyTableAttributes(inCells(c.document().main(), 0, 1), bottom);
         }},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(u"tabla.rtf"_qs);
    ASSERT_TRUE(testfiles::writeBytes(
        path, "{\\rtf1\\ansi\\trowd\\trgaph108\\cellx2000\\cellx4000\\pard\\intbl a\\cell b\\cell\\row\\pard\\par}"));
    for (const auto &r : rows) {
        TXTextControl control;
        ASSERT_TRUE(control.Load(path, 0, 5)) << r.name;
        QTextTable *table = tablesOf(control.document().main()).value(0);
        ASSERT_TRUE(table) << r.name;
        EXPECT_FALSE(table->format().borderCollapse()) << r.name;
        control.setSelStart(2);
        r.edit(control);
        EXPECT_TRUE(table->format().borderCollapse()) << r.name;
    }
}
