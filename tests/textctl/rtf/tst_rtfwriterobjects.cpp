// The RTF writer's structured elements: tables (spans, merges, borders,
// nesting), lists and pictures.

#include "textctl/rtf/rtfwriter.h"

#include "tests/textctl/rtf/rtfwritertesting.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

using namespace textctl;
using namespace Qt::StringLiterals;
using textctl::testing::fixedTableFormat;
using textctl::testing::pngBytes;
using textctl::testing::rtfProblem;

namespace {

void fillCells(QTextTable *table)
{
    for (int row = 0; row < table->rows(); ++row) {
        for (int column = 0; column < table->columns(); ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            if (cell.row() == row && cell.column() == column)
                cell.firstCursorPosition().insertText(u"%1%2"_s.arg(row).arg(column));
        }
    }
}

QByteArray jpegBytes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

QByteArray tableRtf(const QTextTable *table)
{
    RichDocument doc;
    RtfWriter writer(doc);
    writer.writeTable(table);
    return writer.body();
}

}  // namespace

TEST(RtfWriterTable, SimpleRows)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextTable *table = cursor.insertTable(2, 2, fixedTableFormat({2000, 3000}));
    fillCells(table);
    EXPECT_EQ(tableRtf(table),
              "\\trowd\\trgaph0\\trleft0\\cellx2000\\cellx5000\n"
              "\\pard\\intbl\\plain\\f0\\fs24 00\\cell\n"
              "\\pard\\intbl\\plain\\f0\\fs24 01\\cell\n"
              "\\row\n"
              "\\trowd\\trgaph0\\trleft0\\cellx2000\\cellx5000\n"
              "\\pard\\intbl\\plain\\f0\\fs24 10\\cell\n"
              "\\pard\\intbl\\plain\\f0\\fs24 11\\cell\n"
              "\\row\n");
}

TEST(RtfWriterTable, EmptyFillerCellsAtARowEndAreLeftOut)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextTable *table = cursor.insertTable(2, 3, fixedTableFormat({2000, 3000, 1000}));
    QTextTableCellFormat filler;
    filler.setProperty(prop::CellFiller, true);
    // Row 0: a filler in the middle stays; row 1: the last one goes, the
    // one before it holds text typed since and stays.
    table->cellAt(0, 1).setFormat(filler);
    table->cellAt(1, 1).setFormat(filler);
    table->cellAt(1, 2).setFormat(filler);
    table->cellAt(1, 1).firstCursorPosition().insertText(u"typed"_s);
    table->cellAt(0, 0).firstCursorPosition().insertText(u"a"_s);
    EXPECT_EQ(tableRtf(table),
              "\\trowd\\trgaph0\\trleft0\\cellx2000\\cellx5000\\cellx6000\n"
              "\\pard\\intbl\\plain\\f0\\fs24 a\\cell\n"
              "\\pard\\intbl\\plain\\f0\\fs24\\cell\n"
              "\\pard\\intbl\\plain\\f0\\fs24\\cell\n"
              "\\row\n"
              "\\trowd\\trgaph0\\trleft0\\cellx2000\\cellx5000\n"
              "\\pard\\intbl\\plain\\f0\\fs24\\cell\n"
              "\\pard\\intbl\\plain\\f0\\fs24 typed\\cell\n"
              "\\row\n");
}

TEST(RtfWriterTable, ColumnWidths)
{
    struct Row {
        const char *name;
        QList<QTextLength> widths;
        QByteArray cells;
    } rows[] = {
        {"fixed", {QTextLength(QTextLength::FixedLength, 100), QTextLength(QTextLength::FixedLength, 50)},
         "\\cellx1500\\cellx2250\n"},
        {"percentage of the text width", {QTextLength(QTextLength::PercentageLength, 25), QTextLength(QTextLength::PercentageLength, 75)},
         "\\cellx2257\\cellx9027\n"},
        {"variable share the rest", {QTextLength(QTextLength::FixedLength, 100)}, "\\cellx1500\\cellx9026\n"},
        {"none", {}, "\\cellx4513\\cellx9026\n"},
    };
    for (const Row &row : rows) {
        RichDocument doc;
        QTextCursor cursor(doc.main());
        QTextTableFormat format = fixedTableFormat({});
        format.setColumnWidthConstraints(row.widths);
        QTextTable *table = cursor.insertTable(1, 2, format);
        const QByteArray rtf = tableRtf(table);
        EXPECT_TRUE(rtf.contains(row.cells)) << row.name << "\n" << rtf.constData();
    }
}

TEST(RtfWriterTable, SpansAreWiderCellsAndVerticalMerges)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextTable *table = cursor.insertTable(3, 3, fixedTableFormat({1000, 1000, 1000}));
    table->mergeCells(0, 0, 1, 2);  // row 0: [00 01] 02
    table->mergeCells(1, 2, 2, 1);  // column 2 of rows 1-2
    fillCells(table);
    const QByteArray rtf = tableRtf(table);
    EXPECT_TRUE(rtf.contains("\\trowd\\trgaph0\\trleft0\\cellx2000\\cellx3000\n"
                             "\\pard\\intbl\\plain\\f0\\fs24 00\\cell\n"
                             "\\pard\\intbl\\plain\\f0\\fs24 02\\cell\n\\row\n"))
        << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\trowd\\trgaph0\\trleft0\\cellx1000\\cellx2000\\clvmgf\\cellx3000\n"
                             "\\pard\\intbl\\plain\\f0\\fs24 10\\cell\n"
                             "\\pard\\intbl\\plain\\f0\\fs24 11\\cell\n"
                             "\\pard\\intbl\\plain\\f0\\fs24 12\\cell\n\\row\n"))
        << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\trowd\\trgaph0\\trleft0\\cellx1000\\cellx2000\\clvmrg\\cellx3000\n"
                             "\\pard\\intbl\\plain\\f0\\fs24 20\\cell\n"
                             "\\pard\\intbl\\plain\\f0\\fs24 21\\cell\n"
                             "\\pard\\intbl\\cell\n\\row\n"))
        << rtf.constData();
}

TEST(RtfWriterTable, CellFormats)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextTableFormat format = fixedTableFormat({1000, 1000});
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(QColor(0, 0, 128));
    format.setAlignment(Qt::AlignHCenter);
    format.setHeaderRowCount(1);
    QTextTable *table = cursor.insertTable(1, 2, format);
    QTextTableCell first = table->cellAt(0, 0);
    QTextTableCellFormat cellFormat = first.format().toTableCellFormat();
    cellFormat.setBackground(QColor(231, 238, 246));
    cellFormat.setProperty(prop::CellVerticalAlign, 1);
    cellFormat.setTopPadding(twipsToPixels(40));
    cellFormat.setLeftPadding(twipsToPixels(60));
    first.setFormat(cellFormat);
    QTextTableCell second = table->cellAt(0, 1);
    QTextTableCellFormat kept = second.format().toTableCellFormat();
    kept.setProperty(prop::CellBordersRtf, QByteArray("\\clbrdrb\\brdrdb\\brdrw30"));
    kept.setVerticalAlignment(QTextCharFormat::AlignBottom);
    second.setFormat(kept);
    const QByteArray rtf = tableRtf(table);
    EXPECT_TRUE(rtf.startsWith("\\trowd\\trgaph0\\trleft0\\trqc\\trhdr"
                               "\\clvertalc\\clbrdrt\\brdrw15\\brdrs\\brdrcf1\\clbrdrl\\brdrw15\\brdrs\\brdrcf1"
                               "\\clbrdrb\\brdrw15\\brdrs\\brdrcf1\\clbrdrr\\brdrw15\\brdrs\\brdrcf1"
                               "\\clcbpat2\\clpadfl3\\clpadl40\\clpadft3\\clpadt60\\clpadfb3\\clpadb0\\clpadfr3\\clpadr0\\cellx1000\n"
                               "\\clvertalb\\clbrdrb\\brdrdb\\brdrw30\\cellx2000\n"
                               "\\pard\\intbl\\plain\\f0\\fs24\\cell\n"))
        << rtf.constData();
}

TEST(RtfWriterTable, KeptRowWordsReplaceDerivedOnes)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextTable *table = cursor.insertTable(1, 2, fixedTableFormat({1000, 2000}));
    for (int column = 0; column < 2; ++column) {
        QTextTableCell cell = table->cellAt(0, column);
        QTextTableCellFormat format = cell.format().toTableCellFormat();
        format.setProperty(prop::RowPropsRtf, QByteArray("\\trgaph108\\trleft-108\\trrh300"));
        // What the gap gives: no padding words of the cell's own.
        format.setLeftPadding(twipsToPixels(108));
        format.setRightPadding(twipsToPixels(108));
        cell.setFormat(format);
    }
    EXPECT_TRUE(tableRtf(table).startsWith("\\trowd\\trgaph108\\trleft-108\\trrh300\\cellx892\\cellx2892\n"))
        << tableRtf(table).constData();
}

TEST(RtfWriterTable, NestedTables)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextTable *outer = cursor.insertTable(1, 2, fixedTableFormat({4000, 4000}));
    QTextCursor inCell = outer->cellAt(0, 0).firstCursorPosition();
    inCell.insertText(u"antes"_s);
    QTextTable *inner = inCell.insertTable(1, 2, fixedTableFormat({1000, 1500}));
    fillCells(inner);
    outer->cellAt(0, 1).firstCursorPosition().insertText(u"b"_s);
    const QByteArray rtf = tableRtf(outer);
    EXPECT_EQ(rtf,
              "\\trowd\\trgaph0\\trleft0\\cellx4000\\cellx8000\n"
              "\\pard\\intbl\\plain\\f0\\fs24 antes\\par\n"
              "\\pard\\intbl\\itap2\\plain\\f0\\fs24 00\\nestcell\n"
              "\\pard\\intbl\\itap2\\plain\\f0\\fs24 01\\nestcell\n"
              "{\\*\\nesttableprops\\trowd\\trgaph0\\trleft0\\cellx1000\\cellx2500\\nestrow}{\\nonesttables\\par}\n"
              "\\pard\\intbl\\plain\\f0\\fs24\\cell\n"
              "\\pard\\intbl\\plain\\f0\\fs24 b\\cell\n"
              "\\trowd\\trgaph0\\trleft0\\cellx4000\\cellx8000\n"
              "\\row\n");
}

TEST(RtfWriterTable, DocumentWithTableIsWellFormed)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    cursor.insertText(u"antes"_s);
    QTextTable *table = cursor.insertTable(2, 2, fixedTableFormat({2000, 2000}));
    fillCells(table);
    const QByteArray rtf = writeRtf(doc);
    EXPECT_EQ(rtfProblem(rtf), QString()) << rtf.constData();
    // The paragraph after a table is outside it again.
    EXPECT_TRUE(rtf.endsWith("\\row\n\\pard\\plain\\f0\\fs24\\par\n}\n")) << rtf.constData();
}

TEST(RtfWriterTable, BlocksOnlyThereForTablesAreNotWritten)
{
    // Qt keeps a block before a table at the start of a text or a cell and
    // between two tables; marked, it is no paragraph and gets no \par.
    QTextBlockFormat separator;
    separator.setProperty(prop::SeparatorBlock, true);
    RichDocument doc;
    QTextCursor cursor(doc.main());
    cursor.setBlockFormat(separator);
    QTextTable *first = cursor.insertTable(1, 1, fixedTableFormat({2000}));
    fillCells(first);
    QTextCursor inCell = first->cellAt(0, 0).firstCursorPosition();
    inCell.setBlockFormat(separator);
    inCell.insertTable(1, 1, fixedTableFormat({1000}));
    cursor.movePosition(QTextCursor::End);
    cursor.setBlockFormat(separator);
    QTextTable *second = cursor.insertTable(1, 1, fixedTableFormat({2000}));
    fillCells(second);
    const QByteArray rtf = writeRtf(doc);
    EXPECT_EQ(rtfProblem(rtf), QString()) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\footery720\n\\trowd")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\row\n\\trowd")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\cellx2000\n\\pard\\intbl\\itap2")) << rtf.constData();

    // Unmarked, the same empty block is a paragraph of the text.
    RichDocument plain;
    QTextCursor at(plain.main());
    at.insertTable(1, 1, fixedTableFormat({2000}));
    const QByteArray kept = writeRtf(plain);
    EXPECT_TRUE(kept.contains("\\footery720\n\\pard\\plain\\f0\\fs24\\par\n\\trowd")) << kept.constData();
}

TEST(RtfWriterList, BulletsAndNumbers)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextBlockFormat item;
    item.setLeftMargin(twipsToIndent(720));
    item.setTextIndent(twipsToIndent(-360));
    cursor.setBlockFormat(item);
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    cursor.createList(bullets);
    cursor.insertText(u"uno"_s);
    cursor.insertBlock();
    cursor.insertText(u"dos"_s);
    cursor.insertBlock(QTextBlockFormat());
    cursor.setBlockFormat(item);
    QTextListFormat numbers;
    numbers.setStyle(QTextListFormat::ListLowerAlpha);
    numbers.setNumberSuffix(u")"_s);
    cursor.createList(numbers);
    cursor.insertText(u"tres"_s);
    cursor.insertBlock();
    cursor.insertText(u"cuatro"_s);

    RtfWriter writer(doc);
    writer.writeFrame(doc.main()->rootFrame());
    EXPECT_EQ(writer.body(),
              "\\pard\\li720\\fi-360\\ls1\\ilvl0{\\listtext\\pard\\plain\\f0\\fs24\\'95\\tab}\\plain\\f0\\fs24 uno\\par\n"
              "\\pard\\li720\\fi-360\\ls1\\ilvl0{\\listtext\\pard\\plain\\f0\\fs24\\'95\\tab}\\plain\\f0\\fs24 dos\\par\n"
              "\\pard\\li720\\fi-360\\ls2\\ilvl0{\\listtext\\pard\\plain\\f0\\fs24 a)\\tab}\\plain\\f0\\fs24 tres\\par\n"
              "\\pard\\li720\\fi-360\\ls2\\ilvl0{\\listtext\\pard\\plain\\f0\\fs24 b)\\tab}\\plain\\f0\\fs24 cuatro\\par\n");
    const QByteArray header = writer.header();
    EXPECT_EQ(rtfProblem(header + "}"), QString());
    EXPECT_TRUE(header.contains("{\\listlevel\\levelnfc23\\levelnfcn23\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat1"
                                "\\levelspace0\\levelindent0{\\leveltext\\'01\\'95;}{\\levelnumbers;}\\fi-360\\li720\\lin720}"))
        << header.constData();
    EXPECT_TRUE(header.contains("{\\leveltext\\'02\\'00);}{\\levelnumbers\\'01;}\\fi-360\\li720\\lin720}")) << header.constData();
    EXPECT_TRUE(header.contains("{\\listoverride\\listid1001\\listoverridecount0\\ls1}{\\listoverride\\listid1002\\listoverridecount0\\ls2}"))
        << header.constData();
    EXPECT_EQ(header.count("{\\listlevel"), 18);
}

TEST(RtfWriterList, KeptOverrideJoinsListsAndGivesLevels)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextBlockFormat first;
    first.setProperty(prop::ListOverride, 3);
    first.setProperty(prop::ListLevel, 0);
    cursor.setBlockFormat(first);
    QTextListFormat outer;
    outer.setStyle(QTextListFormat::ListDecimal);
    cursor.createList(outer);
    cursor.insertText(u"uno"_s);
    cursor.insertBlock(QTextBlockFormat());
    QTextBlockFormat second = first;
    second.setProperty(prop::ListLevel, 1);
    cursor.setBlockFormat(second);
    QTextListFormat inner;
    inner.setStyle(QTextListFormat::ListLowerRoman);
    inner.setIndent(2);
    cursor.createList(inner);
    cursor.insertText(u"uno.uno"_s);

    RtfWriter writer(doc);
    writer.writeFrame(doc.main()->rootFrame());
    EXPECT_TRUE(writer.body().contains("\\ls1\\ilvl0{\\listtext\\pard\\plain\\f0\\fs24 1.\\tab}")) << writer.body().constData();
    EXPECT_TRUE(writer.body().contains("\\ls1\\ilvl1{\\listtext\\pard\\plain\\f0\\fs24 i.\\tab}")) << writer.body().constData();
    const QByteArray header = writer.header();
    EXPECT_TRUE(header.contains("\\levelnfc2\\levelnfcn2")) << header.constData();
    EXPECT_EQ(header.count("{\\list\\listtemplateid"), 1);
}

TEST(RtfWriterPicture, PngResourceWithSizes)
{
    RichDocument doc;
    const QByteArray png = pngBytes(4, 2);
    doc.main()->addResource(QTextDocument::ImageResource, QUrl(u"pict:1"_s), png);
    QTextImageFormat image;
    image.setName(u"pict:1"_s);
    image.setWidth(twipsToPixels(600));
    image.setHeight(twipsToPixels(300));
    image.setProperty(prop::PictureKind, u"png"_s);
    image.setProperty(prop::PictureGoalWidth, 1200);
    image.setProperty(prop::PictureGoalHeight, 600);
    RtfWriter writer(doc);
    writer.writePicture(*doc.main(), image);
    const QByteArray expected = "{\\pict\\pngblip\\picw4\\pich2\\picwgoal1200\\pichgoal600\\picscalex50\\picscaley50"
        + png.toHex() + "}";
    QByteArray written = writer.body();
    EXPECT_EQ(written.replace('\n', ""), expected);
    for (const QByteArray &line : writer.body().split('\n'))
        EXPECT_LE(line.size(), 128);
}

TEST(RtfWriterPicture, KindsOfResource)
{
    struct Row {
        const char *name;
        QVariant resource;
        QByteArray start;
    } rows[] = {
        {"jpeg bytes", jpegBytes(2, 3), "{\\pict\\jpegblip\\picw2\\pich3\\picwgoal30\\pichgoal45"},
        {"image", QImage(3, 5, QImage::Format_ARGB32), "{\\pict\\pngblip\\picw3\\pich5\\picwgoal45\\pichgoal75"},
        {"other bytes", QByteArray("GIF89a broken"), ""},
        {"missing", QVariant(), ""},
    };
    for (const Row &row : rows) {
        RichDocument doc;
        if (row.resource.isValid())
            doc.main()->addResource(QTextDocument::ImageResource, QUrl(u"pict:7"_s), row.resource);
        QTextImageFormat image;
        image.setName(u"pict:7"_s);
        RtfWriter writer(doc);
        writer.writePicture(*doc.main(), image);
        EXPECT_TRUE(writer.body().startsWith(row.start)) << row.name << ": " << writer.body().left(80).constData();
        if (row.start.isEmpty()) {
            EXPECT_TRUE(writer.body().isEmpty()) << row.name;
        }
    }
}

TEST(RtfWriterPicture, OpaquePictureGoesBackAsItCame)
{
    RichDocument doc;
    QTextImageFormat image;
    image.setName(u"pict:2"_s);
    image.setProperty(prop::PictureKind, u"wmf"_s);
    image.setProperty(prop::PictureRtf, QByteArray("{\\pict\\wmetafile8\\picw100\\pich100 0102}"));
    RtfWriter writer(doc);
    writer.writePicture(*doc.main(), image);
    EXPECT_EQ(writer.body(), "{\\pict\\wmetafile8\\picw100\\pich100 0102}");
}

TEST(RtfWriterPicture, FixedPictureIsAShape)
{
    RichDocument doc;
    doc.main()->addResource(QTextDocument::ImageResource, QUrl(u"pict:3"_s), pngBytes(2, 2));
    QTextImageFormat image;
    image.setName(u"pict:3"_s);
    image.setWidth(twipsToPixels(1000));
    image.setHeight(twipsToPixels(1000));
    image.setProperty(prop::PictureFixed, true);
    image.setProperty(prop::PictureShapeLeft, 100);
    image.setProperty(prop::PictureShapeTop, 200);
    image.setProperty(prop::PictureShapeRight, 1100);
    image.setProperty(prop::PictureShapeBottom, 1200);
    image.setProperty(prop::PictureShapeRelX, u"margin"_s);
    image.setProperty(prop::PictureShapeRelY, u"paragraph"_s);
    RtfWriter writer(doc);
    writer.writePicture(*doc.main(), image);
    EXPECT_TRUE(writer.body().startsWith("{\\shp{\\*\\shpinst\\shpleft100\\shptop200\\shpright1100\\shpbottom1200\\shpfhdr0"
                                         "\\shpbxmargin\\shpbypara\\shpwr3\\shpwrk0\\shpfblwtxt0\\shpz0"
                                         "{\\sp{\\sn shapeType}{\\sv 75}}{\\sp{\\sn pib}{\\sv {\\pict\\pngblip\\picw2\\pich2"
                                         "\\picwgoal1000\\pichgoal1000\\picscalex100\\picscaley100\n"))
        << writer.body().constData();
    EXPECT_TRUE(writer.body().endsWith("\n}}}}}")) << writer.body().constData();
}

TEST(RtfWriterPicture, PictureInTextIsWrittenInItsRun)
{
    RichDocument doc;
    doc.main()->addResource(QTextDocument::ImageResource, QUrl(u"pict:1"_s), pngBytes(1, 1));
    QTextCursor cursor(doc.main());
    cursor.insertText(u"logo "_s);
    QTextImageFormat image;
    image.setName(u"pict:1"_s);
    cursor.insertImage(image);
    cursor.insertImage(image);
    const QByteArray rtf = writeRtf(doc);
    EXPECT_EQ(rtfProblem(rtf), QString());
    EXPECT_EQ(rtf.count("{\\pict\\pngblip"), 2);
    EXPECT_TRUE(rtf.contains("logo \\plain\\f0\\fs24{\\pict")) << rtf.constData();
}

TEST(RtfWriterList, StartNumberAndNumberTexts)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextListFormat numbers;
    numbers.setStyle(QTextListFormat::ListUpperRoman);
    numbers.setNumberPrefix(u"("_s);
    numbers.setNumberSuffix(u")"_s);
    numbers.setProperty(prop::ListStart, 3);
    cursor.createList(numbers);
    cursor.insertText(u"tres"_s);
    cursor.insertBlock();
    cursor.insertText(u"cuatro"_s);
    RtfWriter writer(doc);
    writer.writeFrame(doc.main()->rootFrame());
    EXPECT_TRUE(writer.body().contains("{\\listtext\\pard\\plain\\f0\\fs24(III)\\tab}\\plain\\f0\\fs24 tres")) << writer.body().constData();
    EXPECT_TRUE(writer.body().contains("{\\listtext\\pard\\plain\\f0\\fs24(IV)\\tab}\\plain\\f0\\fs24 cuatro")) << writer.body().constData();
    EXPECT_TRUE(writer.header().contains("\\levelnfc1\\levelnfcn1\\leveljc0\\leveljcn0\\levelfollow0\\levelstartat3"
                                         "\\levelspace0\\levelindent0{\\leveltext\\'03(\\'00);}{\\levelnumbers\\'02;}"))
        << writer.header().constData();

    struct Row {
        QTextListFormat::Style style;
        int number;
        const char *text;
    } rows[] = {
        {QTextListFormat::ListDecimal, 12, "12"},    {QTextListFormat::ListLowerAlpha, 1, "a"},
        {QTextListFormat::ListLowerAlpha, 27, "aa"}, {QTextListFormat::ListUpperAlpha, 28, "AB"},
        {QTextListFormat::ListLowerRoman, 1994, "mcmxciv"}, {QTextListFormat::ListUpperRoman, 4, "IV"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(RtfWriterListTable::numberText(row.style, row.number), QLatin1String(row.text)) << row.text;
}

TEST(RtfWriterPicture, CopiedPieceTakesPicturesFromItsDocument)
{
    RichDocument doc;
    doc.main()->addResource(QTextDocument::ImageResource, QUrl(u"pict:1"_s), pngBytes(2, 2));
    QTextCursor cursor(doc.main());
    cursor.insertText(u"a"_s);
    QTextImageFormat image;
    image.setName(u"pict:1"_s);
    cursor.insertImage(image);
    cursor.insertText(u"b"_s);
    cursor.select(QTextCursor::Document);
    const QTextDocumentFragment piece = cursor.selection();
    const QByteArray with = writeRtfFragment(piece, doc.main());
    EXPECT_EQ(rtfProblem(with), QString());
    EXPECT_TRUE(with.contains("{\\pict\\pngblip\\picw2\\pich2")) << with.constData();
    EXPECT_FALSE(writeRtfFragment(piece).contains("\\pict"));
}

TEST(RtfWriterPicture, ShapeInAHeaderSaysSo)
{
    RichDocument doc;
    QTextDocument *header = doc.ensureArea(PageHeader);
    header->addResource(QTextDocument::ImageResource, QUrl(u"pict:1"_s), pngBytes(2, 2));
    QTextImageFormat logo;
    logo.setName(u"pict:1"_s);
    logo.setProperty(prop::PictureFixed, true);
    logo.setWidth(twipsToPixels(300));
    logo.setHeight(twipsToPixels(150));
    QTextCursor(header).insertImage(logo);
    const QByteArray rtf = writeRtf(doc);
    EXPECT_EQ(rtfProblem(rtf), QString());
    EXPECT_TRUE(rtf.contains("{\\header\n\\pard\\plain\\f0\\fs24{\\shp{\\*\\shpinst\\shpleft0\\shptop0\\shpright300\\shpbottom150\\shpfhdr1"))
        << rtf.constData();
}

// A photo's hex is encoded as the file is written, a piece at a time: the
// pieces make the same file as the whole, in its place between the texts.
TEST(RtfWriterPicture, LargePictureStreamsInPiecesAsTheWholeFile)
{
    QByteArray photo = jpegBytes(2, 3);
    for (int i = 0; i < 3'000'000; ++i)
        photo.append(char(i * 7 % 251));
    RichDocument doc;
    doc.ensureArea(PageHeader)->setPlainText(u"Cabecera"_s);
    doc.main()->addResource(QTextDocument::ImageResource, QUrl(u"pict:1"_s), photo);
    QTextCursor cursor(doc.main());
    cursor.insertText(u"antes "_s);
    QTextImageFormat image;
    image.setName(u"pict:1"_s);
    cursor.insertImage(image);
    cursor.insertText(u" después"_s);

    const QByteArray whole = writeRtf(doc);
    QByteArray hex;
    for (qsizetype from = 0; from < photo.size(); from += 64)
        hex += photo.mid(from, 64).toHex() + '\n';
    const qsizetype at = whole.indexOf(hex);
    ASSERT_GT(at, whole.indexOf("antes"));
    EXPECT_TRUE(whole.mid(at + hex.size()).startsWith("}\\plain")) << "the group ends after the hex";
    EXPECT_GT(whole.indexOf("despu"), at);

    QByteArray pieces;
    qsizetype largest = 0;
    const RtfOutput output = writeRtfOutput(doc);
    EXPECT_TRUE(output.writeTo([&](QByteArrayView piece) {
        pieces += piece;
        largest = qMax(largest, piece.size());
        return true;
    }));
    EXPECT_EQ(pieces, whole);
    EXPECT_LE(largest, 2'200'000);

    int calls = 0;
    EXPECT_FALSE(output.writeTo([&](QByteArrayView) { return ++calls < 2; }));
    EXPECT_EQ(calls, 2) << "a refused piece ends the writing";
}
