// A table saved by the control is read by LibreOffice with the borders,
// shading, alignment, row height and column widths it was given: LibreOffice
// saves it again as RTF and our reader finds them there. Labelled
// "interop"; needs soffice (libreoffice-writer-nogui).
#include "textctl/editing/tableattributes.h"
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreader.h"
#include "textctl/tablecells.h"
#include "textctl/txtextcontrol.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextTable>

#include <gtest/gtest.h>

using namespace textctl;

namespace {

constexpr int kTextWidth = 9026;
// LibreOffice keeps lengths in its own units (1/100 mm); a twip or two moves.
constexpr int kToleranceTwips = 3;

TableAttributes attributesAt(QTextTable *table, int row, int column)
{
    QTextCursor cursor(table->document());
    cursor.setPosition(table->cellAt(row, column).firstPosition());
    return tableAttributesOf(cursor, kTextWidth);
}

void expectNear(const TableAttributes &got, const TableAttributes &set, const std::string &cell)
{
    for (int side = 0; side < 4; ++side) {
        ASSERT_TRUE(got.borders[side] && set.borders[side]) << cell << " side " << side;
        EXPECT_NEAR(got.borders[side]->width, set.borders[side]->width, kToleranceTwips) << cell << " side " << side;
        if (set.borders[side]->width > 0) {
            EXPECT_EQ(got.borders[side]->color, set.borders[side]->color) << cell << " side " << side;
        }
    }
    EXPECT_EQ(got.shading, set.shading) << cell;
    EXPECT_EQ(got.verticalAlign, set.verticalAlign) << cell;
    ASSERT_EQ(got.columnWidths.size(), set.columnWidths.size()) << cell;
    for (qsizetype c = 0; c < set.columnWidths.size(); ++c)
        EXPECT_NEAR(got.columnWidths[c], set.columnWidths[c], kToleranceTwips) << cell << " column " << c;
}

}  // namespace

TEST(TablesInLibreOffice, BordersShadingWidthsAndRowHeightComeBackAsSet)
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_qs);
    if (soffice.isEmpty())
        GTEST_SKIP() << "soffice is not installed (apt-get install libreoffice-writer-nogui)";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());

    TXTextControl control;
    control.setText(u"Valoración de daños"_qs);
    control.setSelStart(control.Text().size());
    const int id = control.TableInsert(2, 3, -1, 11);
    ASSERT_NE(id, 0);
    control.setTableCellAttribute(id, 0, 0, kGridLinesAttribute, kGridLinesOn);
    for (int r = 1; r <= 2; ++r) {
        for (int c = 1; c <= 3; ++c) {
            control.setSelStart(control.TableCellStart(id, r, c) - 1);
            control.setSelText(QStringLiteral("Celda %1.%2").arg(r).arg(c));
        }
    }
    TableAttributes first;
    first.borders = {CellBorder{30, Qt::red}, CellBorder{10, Qt::black}, CellBorder{40, Qt::blue}, CellBorder{10, Qt::black}};
    first.shading = QColor(Qt::yellow);
    first.verticalAlign = 1;
    first.rowHeight = 851;
    first.columnWidths = {2835, 2268, 3402};
    control.setSelStart(control.TableCellStart(id, 1, 1) - 1);
    ASSERT_TRUE(applyTableAttributes(control.cursor(), first));

    const QString ours = dir.filePath(u"tabla.rtf"_qs);
    ASSERT_TRUE(control.Save(ours, 0, 5)) << control.errorString().toStdString();
    const QString out = dir.filePath(u"lo"_qs);
    QProcess office;
    office.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    office.start(soffice, {u"-env:UserInstallation=file://"_qs + dir.filePath(u"perfil"_qs), u"--headless"_qs,
                           u"--norestore"_qs, u"--convert-to"_qs, u"rtf"_qs, u"--outdir"_qs, out, ours});
    ASSERT_TRUE(office.waitForFinished(300'000));
    QFile file(QDir(out).filePath(u"tabla.rtf"_qs));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "LibreOffice wrote no RTF";
    RichDocument theirs;
    ASSERT_TRUE(readRtf(file.readAll(), theirs));

    const QList<QTextTable *> tables = tablesOf(theirs.main());
    ASSERT_EQ(tables.size(), 1);
    QTextTable *table = tables.constFirst();
    ASSERT_EQ(table->rows(), 2);
    ASSERT_EQ(table->columns(), 3);
    TableAttributes plain;
    plain.borders = {CellBorder{10, Qt::black}, CellBorder{10, Qt::black}, CellBorder{10, Qt::black}, CellBorder{10, Qt::black}};
    plain.shading = QColor();
    plain.verticalAlign = 0;
    plain.columnWidths = first.columnWidths;
    expectNear(attributesAt(table, 0, 0), first, "1.1");
    expectNear(attributesAt(table, 1, 2), plain, "2.3");
    EXPECT_NEAR(attributesAt(table, 0, 1).rowHeight.value_or(0), 851, kToleranceTwips) << "the row's height";
    EXPECT_EQ(attributesAt(table, 1, 1).rowHeight.value_or(0), 0);
}
