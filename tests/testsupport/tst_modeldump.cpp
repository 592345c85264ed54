// The model dump: the same look gives the same dump whatever the model's
// inner splitting or naming, and every visible difference shows.

#include "testsupport/modeldump.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>

using namespace textctl;
using namespace Qt::StringLiterals;

namespace {

QByteArray png(QColor color)
{
    QImage image(2, 3, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A document with one line of text written by `build`.
QString dumpOf(const std::function<void(QTextCursor &)> &build)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    build(cursor);
    return dumpText(*doc.main());
}

}  // namespace

TEST(ModelDump, WholeDocumentLayout)
{
    RichDocument doc;
    doc.page.marginLeft = 1134;
    doc.setHeaderFooterSet(PageHeader | FirstPageFooter);
    doc.area(PageHeader)->setPlainText(u"Cabecera"_s);
    doc.area(FirstPageFooter)->setPlainText(u"Pie"_s);
    doc.main()->setPlainText(u"Texto\tcon tabulador"_s);
    doc.keptGroups.append("{\\info{\\title Informe}}");
    EXPECT_EQ(dumpModel(doc),
              u"page 11906x16837 margins 1134,1440,1440,1440 header 720 footer 720\n"
              "kept 23 bytes #719d400a40d4 \"{\\\\info{\\\\title Informe}}\"\n"
              "area 1\n"
              "  p\n"
              "    \"Cabecera\" Arial 12\n"
              "area 8\n"
              "  p\n"
              "    \"Pie\" Arial 12\n"
              "area 0\n"
              "  p\n"
              "    \"Texto\\tcon tabulador\" Arial 12\n"_s);
}

TEST(ModelDump, SameLookSameDump)
{
    struct Row {
        const char *name;
        std::function<void(QTextCursor &)> first;
        std::function<void(QTextCursor &)> second;
    } rows[] = {
        {"explicit default font",
         [](QTextCursor &c) { c.insertText(u"abc"_s); },
         [](QTextCursor &c) {
             QTextCharFormat f;
             f.setFontFamilies({u"Arial"_s});
             f.setFontPointSize(12);
             c.insertText(u"a"_s);
             c.insertText(u"bc"_s, f);
         }},
        {"link instruction",
         [](QTextCursor &c) {
             QTextCharFormat f;
             f.setAnchorHref(u"http://x"_s);
             c.insertText(u"web"_s, f);
         },
         [](QTextCursor &c) {
             QTextCharFormat f;
             f.setAnchorHref(u"http://x"_s);
             f.setProperty(prop::FieldInstruction, u"HYPERLINK \"http://x\""_s);
             f.setProperty(prop::FieldId, 9);
             c.insertText(u"web"_s, f);
         }},
        {"field ids numbered",
         [](QTextCursor &c) {
             QTextCharFormat f;
             f.setProperty(prop::FieldInstruction, u"DATE"_s);
             f.setProperty(prop::FieldId, 1);
             c.insertText(u"hoy"_s, f);
         },
         [](QTextCursor &c) {
             QTextCharFormat f;
             f.setProperty(prop::FieldInstruction, u" DATE "_s);
             f.setProperty(prop::FieldId, 40);
             c.insertText(u"hoy"_s, f);
         }},
        {"live field instruction equal to its kind",
         [](QTextCursor &c) {
             QTextCharFormat f;
             f.setObjectType(prop::FieldObjectType);
             f.setProperty(prop::LiveFieldKind, u"PAGE"_s);
             c.insertText(QString(QChar::ObjectReplacementCharacter), f);
         },
         [](QTextCursor &c) {
             QTextCharFormat f;
             f.setObjectType(prop::FieldObjectType);
             f.setProperty(prop::LiveFieldKind, u"PAGE"_s);
             f.setProperty(prop::FieldInstruction, u"PAGE"_s);
             c.insertText(QString(QChar::ObjectReplacementCharacter), f);
         }},
        {"lengths rounded to twips",
         [](QTextCursor &c) {
             QTextBlockFormat f;
             f.setLeftMargin(48);
             c.setBlockFormat(f);
         },
         [](QTextCursor &c) {
             QTextBlockFormat f;
             f.setLeftMargin(48.01);
             c.setBlockFormat(f);
         }},
    };
    for (const Row &row : rows)
        EXPECT_EQ(dumpOf(row.first), dumpOf(row.second)) << row.name;
}

TEST(ModelDump, EveryDifferenceShows)
{
    const auto plain = [](QTextCursor &c) { c.insertText(u"abc"_s); };
    const QString base = dumpOf(plain);
    struct Row {
        const char *name;
        std::function<void(QTextCursor &)> build;
        const char16_t *shows;
    } rows[] = {
        {"text", [](QTextCursor &c) { c.insertText(u"abd"_s); }, u"\"abd\""},
        {"bold", [](QTextCursor &c) { QTextCharFormat f; f.setFontWeight(QFont::Bold); c.insertText(u"abc"_s, f); }, u" b"},
        {"double underline",
         [](QTextCursor &c) {
             QTextCharFormat f;
             f.setFontUnderline(true);
             f.setProperty(prop::UnderlineKind, u"uldb"_s);
             c.insertText(u"abc"_s, f);
         },
         u"ul=single/uldb"},
        {"colour", [](QTextCursor &c) { QTextCharFormat f; f.setForeground(QColor(0x1f, 0x4e, 0x79)); c.insertText(u"abc"_s, f); }, u"fg=#1f4e79"},
        {"bookmark", [](QTextCursor &c) { QTextCharFormat f; f.setProperty(prop::BookmarkStarts, QStringList{u"b1"_s}); c.insertText(u"abc"_s, f); }, u"bookmark+=b1"},
        {"hidden", [](QTextCursor &c) { QTextCharFormat f; f.setProperty(prop::Hidden, true); c.insertText(u"abc"_s, f); }, u"hidden"},
        {"alignment",
         [](QTextCursor &c) {
             QTextBlockFormat f;
             f.setAlignment(Qt::AlignJustify);
             c.setBlockFormat(f);
             c.insertText(u"abc"_s);
         },
         u"p align=justify"},
        {"tabs",
         [](QTextCursor &c) {
             QTextBlockFormat f;
             f.setTabPositions({QTextOption::Tab(twipsToPixels(9638), QTextOption::RightTab)});
             f.setProperty(prop::TabLeaders, u"."_s);
             c.setBlockFormat(f);
             c.insertText(u"abc"_s);
         },
         u"tabs=[9638R.]"},
        {"empty paragraph's mark",
         [](QTextCursor &c) {
             QTextCharFormat f;
             f.setFontPointSize(6);
             c.insertText(u"abc"_s);
             c.insertBlock(QTextBlockFormat(), f);
         },
         u"p mark=Arial/6"},
        {"page break",
         [](QTextCursor &c) {
             QTextBlockFormat f;
             f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
             c.setBlockFormat(f);
             c.insertText(u"abc"_s);
         },
         u"pagebreak"},
    };
    for (const Row &row : rows) {
        const QString dump = dumpOf(row.build);
        EXPECT_NE(dump, base) << row.name;
        EXPECT_TRUE(dump.contains(QString::fromUtf16(row.shows))) << row.name << "\n" << dump.toStdString();
    }
}

TEST(ModelDump, PicturesByBytesNotByName)
{
    auto pictureDump = [](const QString &name, const QByteArray &bytes) {
        RichDocument doc;
        doc.main()->addResource(QTextDocument::ImageResource, QUrl(name), bytes);
        QTextImageFormat image;
        image.setName(name);
        image.setWidth(twipsToPixels(600));
        QTextCursor(doc.main()).insertImage(image);
        return dumpText(*doc.main());
    };
    const QString red = pictureDump(u"pict:1"_s, png(Qt::red));
    EXPECT_EQ(pictureDump(u"pict:7"_s, png(Qt::red)), red);
    EXPECT_NE(pictureDump(u"pict:1"_s, png(Qt::blue)), red);
    EXPECT_TRUE(red.contains(u"[picture png shown=600x900 pixels=2x3 #"_s)) << red.toStdString();
}

TEST(ModelDump, TablesListsAndFields)
{
    RichDocument doc;
    QTextCursor cursor(doc.main());
    QTextListFormat list;
    list.setStyle(QTextListFormat::ListDecimal);
    list.setNumberSuffix(u")"_s);
    cursor.createList(list);
    cursor.insertText(u"uno"_s);
    QTextTableFormat tableFormat;
    tableFormat.setBorder(0);
    tableFormat.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100), QTextLength(QTextLength::FixedLength, 50)});
    QTextTable *table = cursor.insertTable(2, 2, tableFormat);
    table->mergeCells(0, 0, 1, 2);
    table->cellAt(1, 1).firstCursorPosition().insertText(u"celda"_s);
    QTextTableCell cell = table->cellAt(0, 0);
    QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
    cellFormat.setBackground(QColor(231, 238, 246));
    cellFormat.setTopBorder(twipsToPixels(10));
    cellFormat.setTopBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    cellFormat.setTopBorderBrush(QColor(0, 0, 128));
    cell.setFormat(cellFormat);
    const QString dump = dumpText(*doc.main());
    EXPECT_EQ(dump,
              u"p list=1 decimal level=0 number=\"#)\"\n"
              "  \"uno\" Arial 12\n"
              "table 2x2 widths=[1500,750]\n"
              "  row 0\n"
              "    cell 0,0 span=1x2 pad=0,0,0,0 bg=#e7eef6 borders=[t:10solid#000080]\n"
              "      p mark=Arial/12\n"
              "  row 1\n"
              "    cell 1,0 pad=0,0,0,0\n"
              "      p mark=Arial/12\n"
              "    cell 1,1 pad=0,0,0,0\n"
              "      p\n"
              "        \"celda\" Arial 12\n"
              "p mark=Arial/12\n"_s)
        << dump.toStdString();
}
