// Reading what the writer wrote gives back the same model: hand-built
// models, the demo templates, and the writer's fixed point (a second round
// gives the same bytes).

#include "tests/filebytes.h"
#include "textctl/rtf/rtfreader.h"
#include "textctl/rtf/rtfwriter.h"

#include "tests/textctl/rtf/rtfwritertesting.h"
#include "testsupport/modeldump.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"

#include <QDirIterator>
#include <QFile>
#include <QTextCursor>
#include <QTextDocument>
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

// The first lines where two dumps differ, for a failure message that fits
// a screen.
std::string firstDifference(const QString &expected, const QString &actual)
{
    const QStringList a = expected.split(u'\n');
    const QStringList b = actual.split(u'\n');
    QString out;
    int shown = 0;
    for (qsizetype i = 0; i < qMax(a.size(), b.size()) && shown < 6; ++i) {
        const QString left = i < a.size() ? a.at(i) : u"<end>"_s;
        const QString right = i < b.size() ? b.at(i) : u"<end>"_s;
        if (left != right) {
            out += u"line %1\n  expected: %2\n  actual:   %3\n"_s.arg(i + 1).arg(left, right);
            ++shown;
        }
    }
    return out.toStdString();
}

// Writes `doc`, reads the bytes back and compares the models' dumps.
void expectRoundTrip(const RichDocument &doc, const char *what)
{
    const QByteArray rtf = writeRtf(doc);
    EXPECT_EQ(rtfProblem(rtf), QString()) << what;
    RichDocument reread;
    QString error;
    ASSERT_TRUE(readRtf(rtf, reread, &error)) << what << ": " << error.toStdString();
    const QString expected = dumpModel(doc);
    const QString actual = dumpModel(reread);
    // The whole dumps would bury the difference: show where they part.
    EXPECT_TRUE(actual == expected) << what << "\n" << firstDifference(expected, actual);
}

}  // namespace

TEST(RtfWriterRoundTrip, DemoTemplates)
{
    for (const char *name : {"inf01.rtf", "inf02.rtf"}) {
        const QByteArray original =
            testfiles::readBytes(QStringLiteral(VALDRIN_SAMPLES_DIR "/plant/") + QLatin1String(name));
        ASSERT_FALSE(original.isEmpty()) << name;
        RichDocument doc;
        ASSERT_TRUE(readRtf(original, doc)) << name;
        expectRoundTrip(doc, name);
    }
}

TEST(RtfWriterRoundTrip, WriterIsAFixedPoint)
{
    for (const char *name : {"inf01.rtf", "inf02.rtf"}) {
        const QByteArray original =
            testfiles::readBytes(QStringLiteral(VALDRIN_SAMPLES_DIR "/plant/") + QLatin1String(name));
        RichDocument first;
        ASSERT_TRUE(readRtf(original, first)) << name;
        const QByteArray once = writeRtf(first);
        RichDocument second;
        ASSERT_TRUE(readRtf(once, second)) << name;
        const QByteArray twice = writeRtf(second);
        EXPECT_EQ(twice, once) << name << "\n"
                               << firstDifference(QString::fromLatin1(once), QString::fromLatin1(twice));
    }
}

namespace {

void characterFormats(RichDocument &doc)
{
    QTextCursor cursor(doc.main());
    const auto run = [&](const QString &text, const std::function<void(QTextCharFormat &)> &set) {
        QTextCharFormat format;
        set(format);
        cursor.insertText(text, format);
    };
    run(u"normal "_s, [](QTextCharFormat &) {});
    run(u"negrita "_s, [](QTextCharFormat &f) { f.setFontWeight(QFont::Bold); });
    run(u"cursiva "_s, [](QTextCharFormat &f) { f.setFontItalic(true); });
    run(u"subrayado "_s, [](QTextCharFormat &f) { f.setFontUnderline(true); });
    run(u"doble "_s, [](QTextCharFormat &f) {
        f.setFontUnderline(true);
        f.setProperty(prop::UnderlineKind, u"uldb"_s);
    });
    run(u"puntos "_s, [](QTextCharFormat &f) { f.setUnderlineStyle(QTextCharFormat::DotLine); });
    run(u"tachado "_s, [](QTextCharFormat &f) { f.setFontStrikeOut(true); });
    run(u"Courier 9 "_s, [](QTextCharFormat &f) {
        f.setFontFamilies({u"Courier New"_s});
        f.setFontPointSize(9);
    });
    run(u"color "_s, [](QTextCharFormat &f) { f.setForeground(QColor(0x1f, 0x4e, 0x79)); });
    run(u"resaltado "_s, [](QTextCharFormat &f) { f.setBackground(Qt::yellow); });
    run(u"sombreado "_s, [](QTextCharFormat &f) { f.setBackground(QColor(0xe7, 0xee, 0xf6)); });
    run(u"2"_s, [](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSuperScript); });
    run(u"i"_s, [](QTextCharFormat &f) { f.setVerticalAlignment(QTextCharFormat::AlignSubScript); });
    run(u" versalitas "_s, [](QTextCharFormat &f) { f.setFontCapitalization(QFont::SmallCaps); });
    run(u"mayúsculas "_s, [](QTextCharFormat &f) { f.setFontCapitalization(QFont::AllUppercase); });
    run(u"espaciado "_s, [](QTextCharFormat &f) { f.setProperty(prop::CharSpacingTwips, 23); });
    run(u"oculto"_s, [](QTextCharFormat &f) { f.setProperty(prop::Hidden, true); });
    cursor.insertBlock();
    run(u"Año € Ωμέγα 😀 \\{}\tfin"_s + QChar(0x2028) + u"línea"_s, [](QTextCharFormat &) {});
}

void paragraphFormats(RichDocument &doc)
{
    QTextCursor cursor(doc.main());
    QTextBlockFormat format;
    format.setAlignment(Qt::AlignJustify);
    format.setLeftMargin(twipsToIndent(567));
    format.setRightMargin(twipsToIndent(283));
    format.setTextIndent(twipsToIndent(-283));
    format.setTopMargin(twipsToPixels(120));
    format.setBottomMargin(twipsToPixels(85));
    format.setLineHeight(115, QTextBlockFormat::ProportionalHeight);
    format.setTabPositions({QTextOption::Tab(twipsToPixels(1134), QTextOption::LeftTab),
                            QTextOption::Tab(twipsToPixels(4819), QTextOption::CenterTab),
                            QTextOption::Tab(twipsToPixels(9638), QTextOption::RightTab)});
    format.setProperty(prop::TabLeaders, u" ._"_s);
    format.setNonBreakableLines(true);
    format.setProperty(prop::KeepWithNext, true);
    format.setProperty(prop::ParagraphBordersRtf, QByteArray("\\brdrb\\brdrs\\brdrw10\\brsp20"));
    cursor.setBlockFormat(format);
    cursor.insertText(u"uno\tdos\ttres"_s);
    QTextBlockFormat second;
    second.setAlignment(Qt::AlignHCenter);
    second.setLineHeight(twipsToPixels(300), QTextBlockFormat::FixedHeight);
    second.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    cursor.insertBlock(second);
    cursor.insertText(u"nueva página"_s);
    QTextBlockFormat third;
    third.setAlignment(Qt::AlignRight);
    third.setLineHeight(twipsToPixels(360), QTextBlockFormat::MinimumHeight);
    cursor.insertBlock(third);
    QTextCharFormat small;
    small.setFontPointSize(6);
    cursor.setBlockCharFormat(small);
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(u"último"_s, QTextCharFormat());
}

void fieldsAndMarks(RichDocument &doc)
{
    QTextCursor cursor(doc.main());
    cursor.insertText(u"Página "_s);
    QTextCharFormat page;
    page.setObjectType(prop::FieldObjectType);
    page.setProperty(prop::LiveFieldKind, u"PAGE"_s);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), page);
    cursor.insertText(u" de "_s, QTextCharFormat());
    QTextCharFormat pages = page;
    pages.setProperty(prop::LiveFieldKind, u"NUMPAGES"_s);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), pages);
    cursor.insertBlock();
    QTextCharFormat date;
    date.setProperty(prop::FieldInstruction, u"DATE \\@ \"dd/MM/yyyy\""_s);
    date.setProperty(prop::FieldId, 1);
    cursor.insertText(u"14/03/2024"_s, date);
    date.setProperty(prop::FieldId, 2);
    cursor.insertText(u"15/03/2024"_s, date);
    cursor.insertText(u" y "_s, QTextCharFormat());
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(u"http://example.com/informe?id=1"_s);
    link.setForeground(Qt::blue);
    link.setFontUnderline(true);
    cursor.insertText(u"enlace"_s, link);
    QTextCharFormat start;
    start.setProperty(prop::BookmarkStarts, QStringList{u"marca"_s});
    cursor.insertText(u"a"_s, start);
    cursor.insertText(u"b"_s, QTextCharFormat());
    QTextCharFormat end;
    end.setProperty(prop::BookmarkEnds, QStringList{u"marca"_s});
    cursor.insertText(u"c"_s, end);
    QTextCharFormat note;
    note.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    note.setProperty(prop::FootnoteRtf, QByteArray("{\\footnote \\pard\\plain {\\super\\chftn} Nota al pie.}"));
    cursor.insertText(u"1"_s, note);
    cursor.insertText(u" fin"_s, QTextCharFormat());
}

void listsAndAreas(RichDocument &doc)
{
    doc.page = PageSetup{11906, 16838, 1134, 1970, 1134, 1202, 680, 600};
    doc.setHeaderFooterSet(PageHeader | FirstPageHeader | PageFooter);
    QTextCursor header(doc.area(PageHeader));
    header.insertText(u"Cabecera\t"_s);
    QTextCharFormat page;
    page.setObjectType(prop::FieldObjectType);
    page.setProperty(prop::LiveFieldKind, u"PAGE"_s);
    header.insertText(QString(QChar::ObjectReplacementCharacter), page);
    doc.area(FirstPageHeader)->setPlainText(u"Primera"_s);
    doc.area(PageFooter)->setPlainText(u"Pie"_s);

    QTextCursor cursor(doc.main());
    const auto item = [&](const QString &text, QTextListFormat::Style style, int level, bool newList) {
        QTextBlockFormat format;
        format.setLeftMargin(twipsToIndent(360 * (level + 1)));
        format.setTextIndent(twipsToIndent(-360));
        if (!cursor.block().text().isEmpty() || cursor.block().textList())
            cursor.insertBlock(format);
        else
            cursor.setBlockFormat(format);
        static QTextList *current[2] = {};
        if (newList || !current[level]) {
            QTextListFormat list;
            list.setStyle(style);
            list.setIndent(level + 1);
            current[level] = cursor.createList(list);
        } else {
            current[level]->add(cursor.block());
        }
        cursor.insertText(text);
    };
    item(u"uno"_s, QTextListFormat::ListDisc, 0, true);
    item(u"uno.a"_s, QTextListFormat::ListLowerAlpha, 1, true);
    item(u"uno.b"_s, QTextListFormat::ListLowerAlpha, 1, false);
    item(u"dos"_s, QTextListFormat::ListDisc, 0, false);
    item(u"1"_s, QTextListFormat::ListDecimal, 0, true);
    item(u"círculo"_s, QTextListFormat::ListCircle, 0, true);
    item(u"cuadrado"_s, QTextListFormat::ListSquare, 0, true);
    item(u"romano"_s, QTextListFormat::ListUpperRoman, 0, true);
    cursor.currentList()->setFormat([&] {
        QTextListFormat format = cursor.currentList()->format();
        format.setProperty(prop::ListStart, 5);
        return format;
    }());
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(u"después"_s);
}

QTextTableFormat tableFormat(const QList<int> &twips)
{
    QTextTableFormat format = fixedTableFormat(twips);
    format.setCellSpacing(0);
    return format;
}

void tables(RichDocument &doc)
{
    QTextCursor cursor(doc.main());
    cursor.insertText(u"antes"_s);
    QTextTableFormat format = tableFormat({1500, 2000, 2500});
    format.setAlignment(Qt::AlignHCenter);
    format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    format.setHeaderRowCount(1);
    QTextTable *table = cursor.insertTable(3, 3, format);
    table->mergeCells(0, 0, 1, 2);
    table->mergeCells(1, 2, 2, 1);
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            QTextTableCell cell = table->cellAt(row, column);
            if (cell.row() != row || cell.column() != column)
                continue;
            QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
            cellFormat.setLeftPadding(twipsToPixels(40));
            cellFormat.setRightPadding(twipsToPixels(40));
            cellFormat.setTopPadding(twipsToPixels(40));
            cellFormat.setBottomPadding(twipsToPixels(40));
            cellFormat.setTopBorder(twipsToPixels(10));
            cellFormat.setTopBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            cellFormat.setTopBorderBrush(QColor(0x8e, 0xa9, 0xc1));
            cellFormat.setBottomBorder(twipsToPixels(20));
            cellFormat.setBottomBorderStyle(QTextFrameFormat::BorderStyle_Double);
            cellFormat.setBottomBorderBrush(QColor(0, 0, 0));
            if (row == 0)
                cellFormat.setBackground(QColor(0xe7, 0xee, 0xf6));
            if (column == 1)
                cellFormat.setProperty(prop::CellVerticalAlign, 1);
            if (row == 2 && column == 0) {
                // Four different paddings: top and left must not swap.
                cellFormat.setTopPadding(twipsToPixels(20));
                cellFormat.setLeftPadding(twipsToPixels(60));
                cellFormat.setBottomPadding(twipsToPixels(10));
                cellFormat.setRightPadding(twipsToPixels(80));
            }
            cell.setFormat(cellFormat);
            cell.firstCursorPosition().insertText(u"celda %1,%2"_s.arg(row).arg(column));
        }
    }
    QTextCursor inCell = table->cellAt(1, 0).lastCursorPosition();
    inCell.insertBlock();
    inCell.insertText(u"segundo párrafo"_s);
    QTextCursor nestedAt = table->cellAt(2, 1).lastCursorPosition();
    nestedAt.insertBlock();
    QTextTable *nested = nestedAt.insertTable(2, 2, tableFormat({800, 900}));
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 2; ++column)
            nested->cellAt(row, column).firstCursorPosition().insertText(u"n%1%2"_s.arg(row).arg(column));
    }
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(u"después"_s);
}

void pictures(RichDocument &doc)
{
    doc.main()->addResource(QTextDocument::ImageResource, QUrl(u"pict:1"_s), pngBytes(36, 12, Qt::darkBlue));
    doc.main()->addResource(QTextDocument::ImageResource, QUrl(u"pict:2"_s), pngBytes(11, 11, Qt::red));
    QImage drawn(5, 4, QImage::Format_RGB32);
    drawn.fill(Qt::green);
    doc.main()->addResource(QTextDocument::ImageResource, QUrl(u"pict:3"_s), drawn);
    QTextCursor cursor(doc.main());
    cursor.insertText(u"logo "_s);
    QTextImageFormat logo;
    logo.setName(u"pict:1"_s);
    logo.setWidth(twipsToPixels(2833));
    logo.setHeight(twipsToPixels(754));
    cursor.insertImage(logo);
    QTextImageFormat scaled;
    scaled.setName(u"pict:2"_s);
    scaled.setWidth(twipsToPixels(600));
    scaled.setHeight(twipsToPixels(600));
    scaled.setProperty(prop::PictureGoalWidth, 1200);
    scaled.setProperty(prop::PictureGoalHeight, 1200);
    cursor.insertImage(scaled);
    QTextImageFormat image;
    image.setName(u"pict:3"_s);
    cursor.insertImage(image);
    cursor.insertBlock();
    QTextImageFormat stamp;
    stamp.setName(u"pict:2"_s);
    stamp.setWidth(twipsToPixels(1246));
    stamp.setHeight(twipsToPixels(1246));
    stamp.setProperty(prop::PictureFixed, true);
    stamp.setProperty(prop::PictureShapeLeft, 5000);
    stamp.setProperty(prop::PictureShapeTop, -697);
    stamp.setProperty(prop::PictureShapeRight, 6246);
    stamp.setProperty(prop::PictureShapeBottom, 549);
    stamp.setProperty(prop::PictureShapeRelX, u"page"_s);
    stamp.setProperty(prop::PictureShapeRelY, u"paragraph"_s);
    cursor.insertText(u"sello"_s);
    cursor.insertImage(stamp);
}

}  // namespace

TEST(RtfWriterRoundTrip, HandBuiltModels)
{
    const struct {
        const char *name;
        void (*build)(RichDocument &);
    } rows[] = {
        {"character formats", characterFormats},
        {"paragraph formats", paragraphFormats},
        {"fields and marks", fieldsAndMarks},
        {"lists and areas", listsAndAreas},
        {"tables", tables},
        {"pictures", pictures},
    };
    for (const auto &row : rows) {
        RichDocument doc;
        row.build(doc);
        expectRoundTrip(doc, row.name);
    }
}

TEST(RtfWriterRoundTrip, CorpusFiles)
{
    QStringList files;
    QDirIterator it(QStringLiteral(VALDRIN_CORPUS_DIR), {u"*.rtf"_s}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    ASSERT_GT(files.size(), 100);
    QStringList differing;
    for (const QString &path : files) {
        RichDocument doc;
        if (!readRtf(testfiles::readBytes(path), doc))
            continue;
        const QByteArray rtf = writeRtf(doc);
        EXPECT_EQ(rtfProblem(rtf), QString()) << path.toStdString();
        RichDocument reread;
        ASSERT_TRUE(readRtf(rtf, reread)) << path.toStdString();
        const QString expected = dumpModel(doc);
        const QString actual = dumpModel(reread);
        if (actual != expected) {
            differing << path.mid(path.indexOf(u"/rtf/") + 5);
            std::printf("%s\n%s", qPrintable(differing.last()), firstDifference(expected, actual).c_str());
        }
    }
    const qsizetype same = files.size() - differing.size();
    std::printf("%lld of %lld corpus files read back the same\n", static_cast<long long>(same),
                static_cast<long long>(files.size()));
    // Measured: the other one differs where the writer converts on purpose
    // (a GIF kept as "PNG" becomes a real PNG).
    EXPECT_GE(same, 149);
}
