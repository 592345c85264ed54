// The page renderer: what each page shows, where, at what size, and the
// same pages on a PDF.
#include "tests/commands/pdftools.h"
#include "tests/textctl/render/textcapture.h"
#include "textctl/model/formatprops.h"
#include "textctl/render/pagerenderer.h"
#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"

#include <QFile>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>

#include <gtest/gtest.h>

namespace {

// Appends a live PAGE or NUMPAGES field at the end of `doc`.
void appendField(QTextDocument *doc, const QString &kind)
{
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    QTextCharFormat format = cursor.charFormat();
    format.setObjectType(textctl::prop::FieldObjectType);
    format.setProperty(textctl::prop::LiveFieldKind, kind);
    format.setProperty(textctl::prop::FieldInstruction, kind);
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
}

void appendText(QTextDocument *doc, const QString &text)
{
    QTextCursor cursor(doc);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
}

QString pageText(TXTextControl &control, int page)
{
    TextCaptureDevice device;
    QPainter painter(&device);
    textctl::PageRenderer(control.pagination()).drawPage(painter, page, 1.0);
    painter.end();
    return device.text();
}

// The bounding box of the non-white pixels.
QRect inkBox(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (qGray(line[x]) < 200)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

QImage printedImage(TXTextControl &control, int page, int zoom)
{
    QImage image(800, 1130, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    control.setPrintZoom(zoom);
    control.setPrintDevice(&image);
    EXPECT_TRUE(control.PrintPage(page));
    EXPECT_TRUE(control.endPrint());
    control.setPrintDevice(nullptr);
    return image;
}

int pdfPageCount(const QByteArray &pdf)
{
    // Page objects are not compressed: count "/Type /Page" but not "/Pages".
    int count = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0;
         at = pdf.indexOf("/Type /Page", at + 1)) {
        if (pdf.mid(at + 11, 1) != "s")
            ++count;
    }
    return count;
}

QByteArray printPdf(TXTextControl &control, const QString &path)
{
    {
        QPdfWriter writer(path);
        writer.setResolution(300);
        control.setPrintDevice(&writer);
        for (int page = 1; page <= control.CurrentPages(); ++page)
            EXPECT_TRUE(control.PrintPage(page));
        EXPECT_TRUE(control.endPrint());
        control.setPrintDevice(nullptr);
    }
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Three pages, footer "PAGE de NUMPAGES".
void makeNumberedDocument(TXTextControl &control)
{
    control.setText(u"Uno\fDos\fTres"_qs);
    control.setHeaderFooter(4);
    QTextDocument *footer = control.document().area(4);
    appendField(footer, u"PAGE"_qs);
    appendText(footer, u" de "_qs);
    appendField(footer, u"NUMPAGES"_qs);
}

}  // namespace

TEST(PageRenderer, LiveFieldsShowPageAndPageCount)
{
    TXTextControl control;
    makeNumberedDocument(control);
    ASSERT_EQ(control.CurrentPages(), 3);
    // Text items are joined by blanks: "2" " de " "3".
    for (int page = 1; page <= 3; ++page) {
        const QRegularExpression expected(QStringLiteral("\\b%1\\s+de\\s+3\\b").arg(page));
        EXPECT_TRUE(pageText(control, page).contains(expected)) << pageText(control, page).toStdString();
    }
    EXPECT_TRUE(pageText(control, 2).contains(u"Dos"_qs));
    EXPECT_FALSE(pageText(control, 2).contains(u"Tres"_qs));
}

TEST(PageRenderer, APageCountGainingADigitIsCountedWithTheWiderFields)
{
    TXTextControl control;
    control.setText(u"Hoja \f"_qs.repeated(11) + u"Hoja"_qs);
    appendField(control.document().main(), u"NUMPAGES"_qs);
    control.setHeaderFooter(4);
    appendField(control.document().area(4), u"NUMPAGES"_qs);
    EXPECT_EQ(control.CurrentPages(), 12);
    EXPECT_TRUE(control.pagination().isComplete());
    EXPECT_TRUE(pageText(control, 12).contains(u"12"_qs)) << pageText(control, 12).toStdString();
}

TEST(PageRenderer, LiveFieldInMainTextKnowsItsPage)
{
    TXTextControl control;
    control.setText(u"Uno\fDos\fHoja "_qs);
    appendField(control.document().main(), u"PAGE"_qs);
    EXPECT_TRUE(pageText(control, 3).contains(u"3"_qs));
    EXPECT_FALSE(pageText(control, 3).contains(u"1"_qs));
}

TEST(PageRenderer, FirstPageHeaderOnPageOneOnly)
{
    TXTextControl control;
    control.setText(u"Uno\fDos"_qs);
    control.setHeaderFooter(1 + 2);
    appendText(control.document().area(1), u"Cabecera"_qs);
    appendText(control.document().area(2), u"Portada"_qs);
    const QString one = pageText(control, 1);
    const QString two = pageText(control, 2);
    EXPECT_TRUE(one.contains(u"Portada"_qs));
    EXPECT_FALSE(one.contains(u"Cabecera"_qs));
    EXPECT_TRUE(two.contains(u"Cabecera"_qs));
    EXPECT_FALSE(two.contains(u"Portada"_qs));
    // Without the first-page set, the page header is on every page.
    control.setHeaderFooter(1);
    EXPECT_TRUE(pageText(control, 1).contains(u"Cabecera"_qs));
}

TEST(PageRenderer, AreasAndBodyDrawnInTheirPlaces)
{
    TXTextControl control;
    control.setHeaderFooter(1);
    appendText(control.document().area(1), u"CABECERA"_qs);
    // Header only: its ink starts just below headerY (720 twips = 48 px).
    QRect header = inkBox(printedImage(control, 1, 100));
    ASSERT_TRUE(header.isValid());
    EXPECT_NEAR(header.top(), 48 + 3, 4);
    EXPECT_NEAR(header.left(), 96, 3);
    EXPECT_LT(header.bottom(), 96);
    // The body text starts below the top margin (96 px); the header's ink
    // stays where it was.
    control.setText(u"CUERPO"_qs);
    const QRect both = inkBox(printedImage(control, 1, 100));
    EXPECT_EQ(both.top(), header.top());
    EXPECT_GT(both.bottom(), 96);
    EXPECT_LT(both.bottom(), 96 + 24);
}

TEST(PageRenderer, FooterEndsFooterYAboveTheBottom)
{
    TXTextControl control;
    control.setHeaderFooter(4);
    appendText(control.document().area(4), u"PIE"_qs);
    const QRect ink = inkBox(printedImage(control, 1, 100));
    // 16837 - 720 twips = 1074.5 px; a line of 12-point text ends above it.
    EXPECT_LT(ink.bottom(), 1075);
    EXPECT_GT(ink.bottom(), 1075 - 12);
}

TEST(PageRenderer, PrintZoomFiftyHalvesTheDrawing)
{
    TXTextControl control;
    control.setText(u"Informe pericial de daños\r\nSegunda línea más larga que la primera"_qs);
    const QRect full = inkBox(printedImage(control, 1, 100));
    const QRect half = inkBox(printedImage(control, 1, 50));
    ASSERT_TRUE(full.isValid() && half.isValid());
    EXPECT_NEAR(half.left(), full.left() / 2.0, 2);
    EXPECT_NEAR(half.top(), full.top() / 2.0, 2);
    EXPECT_NEAR(half.width(), full.width() / 2.0, 3);
    EXPECT_NEAR(half.height(), full.height() / 2.0, 3);
}

TEST(PageRenderer, FixedPictureDrawnAtItsPlaceTakingNoRoomInTheLine)
{
    TXTextControl control;
    QTextDocument *main = control.document().main();
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(Qt::red);
    main->addResource(QTextDocument::ImageResource, QUrl(u"pict:1"_qs), red);
    QTextImageFormat picture;
    picture.setName(u"pict:1"_qs);
    picture.setWidth(96);
    picture.setHeight(96);
    picture.setProperty(textctl::prop::PictureFixed, true);
    picture.setProperty(textctl::prop::PictureShapeLeft, 2880);    // 192 px
    picture.setProperty(textctl::prop::PictureShapeTop, 4320);     // 288 px
    picture.setProperty(textctl::prop::PictureShapeRight, 4320);   // 288 px
    picture.setProperty(textctl::prop::PictureShapeBottom, 5760);  // 384 px
    picture.setProperty(textctl::prop::PictureShapeRelX, u"page"_qs);
    picture.setProperty(textctl::prop::PictureShapeRelY, u"page"_qs);
    QTextCursor cursor(main);
    cursor.insertImage(picture);
    cursor.insertText(u"X"_qs);
    const QImage page = printedImage(control, 1, 100);
    EXPECT_EQ(page.pixel(240, 336), QColor(Qt::red).rgb());
    EXPECT_EQ(page.pixel(180, 336), QColor(Qt::white).rgb());
    // The text after the anchor starts at the left margin.
    QImage text = page.copy(0, 90, 800, 40);
    const QRect ink = inkBox(text);
    ASSERT_TRUE(ink.isValid());
    EXPECT_NEAR(ink.left(), 96, 3);
}

TEST(PageRenderer, InlinePictureTakesItsRoom)
{
    TXTextControl control;
    QTextDocument *main = control.document().main();
    QImage blue(20, 20, QImage::Format_RGB32);
    blue.fill(Qt::blue);
    main->addResource(QTextDocument::ImageResource, QUrl(u"pict:1"_qs), blue);
    QTextImageFormat picture;
    picture.setName(u"pict:1"_qs);
    picture.setWidth(48);
    picture.setHeight(48);
    QTextCursor cursor(main);
    cursor.insertImage(picture);
    const QImage page = printedImage(control, 1, 100);
    EXPECT_EQ(page.pixel(96 + 24, 96 + 24), QColor(Qt::blue).rgb());
    EXPECT_EQ(inkBox(page).width(), 48);
}

TEST(PageRenderer, PageBeyondTheEndIsABlankSheet)
{
    TXTextControl control;
    control.setText(u"Solo una hoja"_qs);
    EXPECT_FALSE(inkBox(printedImage(control, 2, 100)).isValid());
    EXPECT_TRUE(inkBox(printedImage(control, 1, 100)).isValid());
}

TEST(PageRenderer, PrintPageNeedsADevice)
{
    TXTextControl control;
    EXPECT_FALSE(control.PrintPage(1));
    EXPECT_TRUE(control.endPrint());
}

TEST(PageRenderer, PdfHasOneSheetPerPage)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Row {
        const char *name;
        QString text;
    };
    QStringList lines;
    for (int i = 0; i < 300; ++i)
        lines.append(QStringLiteral("Línea %1 del informe").arg(i));
    const Row rows[] = {
        {"one page", u"Uno"_qs},
        {"page breaks", u"Uno\fDos\fTres\fCuatro"_qs},
        {"long text", lines.join(u"\r\n")},
    };
    for (const Row &row : rows) {
        TXTextControl control;
        control.setText(row.text);
        const int pages = control.CurrentPages();
        const QByteArray pdf = printPdf(control, dir.filePath(QString::fromUtf8(row.name)));
        EXPECT_EQ(pdfPageCount(pdf), pages) << row.name;
    }
}

TEST(PageRenderer, PdfTextShowsPageNumbers)
{
    if (!pdftools::available())
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    QTemporaryDir dir;
    TXTextControl control;
    makeNumberedDocument(control);
    printPdf(control, dir.filePath(u"numeros.pdf"_qs));
    const QString text = pdftools::pageText(dir.filePath(u"numeros.pdf"_qs), 2);
    EXPECT_TRUE(text.contains(u"2 de 3"_qs)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"Dos"_qs)) << text.toStdString();
}

TEST(PageRenderer, RtfconvWritesEveryPage)
{
    QTemporaryDir dir;
    const QString in = QString::fromUtf8(VALDRIN_SAMPLES_DIR "/plant/inf01.rtf");
    const QString out = dir.filePath(u"inf01.pdf"_qs);
    QProcess process;
    process.start(QString::fromUtf8(VALDRIN_BIN_DIR "/rtfconv"), {u"--pdf"_qs, in, out});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    TXTextControl control;
    ASSERT_TRUE(control.Load(in, 0, 5));
    QFile file(out);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(pdfPageCount(file.readAll()), control.CurrentPages());
}

// The sheets are the file's page: the size it states, or RTF's default
// paper (US Letter) when it states none; never the control's A4.
TEST(PageRenderer, RtfconvPrintsOnTheFilesOwnPage)
{
    const struct {
        const char *words;
        const char *mediaBox;
    } cases[] = {
        {"\\paperw12240\\paperh15840\\margl720\\margr720", "/MediaBox [0 0 612.000000 792.000000]"},
        {"\\paperw11906\\paperh16838", "/MediaBox [0 0 595.000000 842.000000]"},
        {"", "/MediaBox [0 0 612.000000 792.000000]"},
    };
    for (const auto &c : cases) {
        QTemporaryDir dir;
        const QString in = dir.filePath(u"carta.rtf"_qs);
        QFile rtf(in);
        ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
        rtf.write("{\\rtf1\\ansi" + QByteArray(c.words) + " x\\par}");
        rtf.close();
        const QString out = dir.filePath(u"carta.pdf"_qs);
        QProcess process;
        process.start(QString::fromUtf8(VALDRIN_BIN_DIR "/rtfconv"), {u"--pdf"_qs, in, out});
        ASSERT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        QFile pdf(out);
        ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
        EXPECT_TRUE(pdf.readAll().contains(c.mediaBox)) << c.words;
    }
}

TEST(PageRenderer, RtfconvPrintsTheModelOnTheFilesOwnPage)
{
    QTemporaryDir dir;
    const QString in = dir.filePath(u"modelo.rtf"_qs);
    QFile rtf(in);
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write("{\\rtf1\\ansi\\paperw12240\\paperh15840{\\header A\\'f1o\\par}Informe\\par}");
    rtf.close();
    QProcess process;
    process.start(QString::fromUtf8(VALDRIN_BIN_DIR "/rtfconv"), {u"--model"_qs, in});
    ASSERT_TRUE(process.waitForFinished(60000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QStringList lines = QString::fromUtf8(process.readAllStandardOutput()).split(u'\n');
    // The page line first, with the file's US Letter, not the control's A4;
    // then the header area before the main text, its text read as UTF-8.
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(u"page 12240x15840 "_qs)) << lines[0].toStdString();
    const qsizetype header = lines.indexOf(u"area 1"_qs);
    ASSERT_GE(header, 0) << lines.join(u'\n').toStdString();
    EXPECT_LT(header, lines.indexOf(u"area 0"_qs));
    EXPECT_TRUE(lines.value(header + 2).trimmed().startsWith(u"\"Año\""_qs)) << lines.join(u'\n').toStdString();
}

// A rule under a paragraph of the body and over one of the footer, in the
// border's colour, the body's space below the text and above the next line.
TEST(PageRenderer, ParagraphBordersAreDrawnWhereTheyTakeTheirRoom)
{
    TXTextControl control;
    const QByteArray rtf = "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\margt1440\\margl1440"
                           "{\\footer\\pard\\brdrt\\brdrs\\brdrw30\\brdrcf1\\brsp40 Pie\\par}"
                           "\\pard\\brdrb\\brdrs\\brdrw30\\brdrcf1\\brsp100 Titulo\\par\\pard Texto\\par}";
    ASSERT_TRUE(control.LoadContent({u"b.rtf"_qs, 5, rtf}));
    control.usePageOfLoad();
    const QImage page = printedImage(control, 1, 100);
    // Red rows across the text width, where the ink of each row is red.
    QList<int> redRows;
    for (int y = 0; y < page.height(); ++y) {
        int red = 0;
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
        }
        if (red > 300)
            redRows.append(y);
    }
    ASSERT_FALSE(redRows.isEmpty());
    // One rule in the body (between "Titulo" and "Texto") and one in the footer area.
    const QRect body = inkBox(page.copy(0, 0, page.width(), page.height() / 2));
    EXPECT_LT(redRows.first(), page.height() / 2);
    EXPECT_GT(redRows.first(), body.top() + 10);  // under the first line's text
    EXPECT_GT(redRows.last(), page.height() * 3 / 4);
}

// Rows that fit by their exact heights stay on the page though Qt, rounding
// each to whole pixels, draws them a little under the body: they are drawn
// whole there. Fifteen rows of 20.7 + 3 layout pixels, drawn 24 each, on a
// body of 3580 twips (exactly 3555, drawn 3600).
TEST(PageRenderer, RowsDrawnUnderTheBodyAreDrawnWhole)
{
    QByteArray rows;
    for (int i = 0; i < 15; ++i)
        rows += "\\trowd\\trgaph0\\clbrdrb\\brdrs\\brdrw30\\brdrcf1\\cellx3000\\pard\\intbl\\sl-207 R\\cell\\row";
    const QByteArray rtf = "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\paperh5020\\margt720\\margb720"
                           + rows + "\\pard\\sl-300 f\\par}";
    TXTextControl control;
    ASSERT_TRUE(control.LoadContent({u"r.rtf"_qs, 5, rtf}));
    control.usePageOfLoad();
    ASSERT_EQ(control.CurrentPages(), 2);
    const QImage page = printedImage(control, 1, 100);
    int lines = 0;
    int lowest = -1;  // the lowest red pixel
    for (int y = 0; y < page.height(); ++y) {
        const QColor c = page.pixelColor(100, y);
        if (c.red() > 200 && c.green() < 200) {
            lines += lowest < y - 1;
            lowest = y;
        }
    }
    EXPECT_EQ(lines, 15);
    EXPECT_GT(lowest, (720 + 3580) / 15.0);  // under the body
}

// A page of a long text looks only at its own paragraphs for borders: none
// is lost or drawn twice, in the main text or in table rows going over
// pages.
TEST(PageRenderer, EveryParagraphBorderIsPrintedOnItsOwnPageOnce)
{
    const QByteArray rule = "\\brdrb\\brdrs\\brdrw30\\brdrcf1\\brsp40 ";
    struct Row {
        const char *name;
        QByteArray paragraph;  // %1: its number
        QByteArray first;      // the first one, when it differs
        QByteArray end = "\\pard Fin\\par";
    };
    QByteArray mergedCell;  // 150 ruled lines in a cell merged down beside the rows
    for (int i = 1; i <= 150; ++i)
        mergedCell += "\\pard\\intbl" + rule + "Linea " + QByteArray::number(i) + (i < 150 ? "\\par" : "");
    const Row rows[] = {
        {"main text", "\\pard" + rule + "Linea %1\\par", {}},
        {"main text ending in a ruled paragraph", "\\pard" + rule + "Linea %1\\par", {}, {}},
        {"table rows", "\\trowd\\cellx4000\\pard\\intbl" + rule + "Fila %1\\cell\\row", {}},
        {"a cell merged down beside the rows",
         "\\trowd\\cellx2000\\clvmrg\\cellx6000\\pard\\intbl Fila %1\\cell\\pard\\intbl\\cell\\row",
         "\\trowd\\cellx2000\\clvmgf\\cellx6000\\pard\\intbl Fila 1\\cell" + mergedCell + "\\cell\\row"},
    };
    constexpr int kParagraphs = 150;
    for (const Row &row : rows) {
        QByteArray rtf = "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}";
        for (int i = 1; i <= kParagraphs; ++i)
            rtf += QByteArray(i == 1 && !row.first.isEmpty() ? row.first : row.paragraph)
                       .replace("%1", QByteArray::number(i));
        rtf += row.end + "}";
        TXTextControl control;
        ASSERT_TRUE(control.LoadContent({u"b.rtf"_qs, 5, rtf})) << row.name;
        control.usePageOfLoad();
        const int pages = control.CurrentPages();
        ASSERT_GE(pages, 3) << row.name;
        int rules = 0;
        for (int page = 1; page <= pages; ++page) {
            // Rules are runs of rows where the ink across the text is red.
            const QImage image = printedImage(control, page, 100);
            int onPage = 0;
            bool inRule = false;
            for (int y = 0; y < image.height(); ++y) {
                int red = 0;
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
                }
                onPage += red > 100 && !inRule;
                inRule = red > 100;
            }
            rules += onPage;
        }
        EXPECT_EQ(rules, kParagraphs) << row.name;
    }
}

// A printed page starting inside a paragraph draws none of the lines before
// it, even clipped away: a PDF's text would hold them twice.
TEST(PageRenderer, EveryLineIsPrintedOnOnePageOnly)
{
    for (int words : {700, 709, 718, 727}) {
        TXTextControl control;
        QStringList text;
        for (int i = 0; i < words; ++i)
            text << u"w%1"_qs.arg(i, 4, 10, QChar(u'0'));
        control.setText(text.join(u' ') + u"\nfin"_qs);
        const int pages = control.CurrentPages();
        ASSERT_GE(pages, 2) << words;
        // Text items may break inside a word: the words are read without blanks.
        QString printed;
        for (int page = 1; page <= pages; ++page)
            printed += pageText(control, page).remove(u' ');
        for (const QString &word : std::as_const(text))
            EXPECT_EQ(printed.count(word), 1) << word.toStdString() << " of " << words;
    }
}

// A tab's leader fills the room the tab takes, from the text before it to
// the text after it, as text a PDF keeps; none is drawn where the stop has
// none.
TEST(PageRenderer, TabLeadersFillTheTabsRoom)
{
    if (!pdftools::available())
        GTEST_SKIP() << "pdfinfo and pdftotext (poppler-utils) are not installed";
    struct Row {
        const char *control;
        QChar glyph;
    };
    const Row rows[] = {{"\\tldot", u'.'}, {"\\tlhyph", u'-'}, {"\\tlmdot", QChar(0x00B7)}, {"", u'.'}};
    const QFont font(u"Liberation Serif"_qs, 12);
    const QFontMetricsF metrics(font);
    QTemporaryDir dir;
    for (const Row &row : rows) {
        TXTextControl control;
        const QByteArray rtf = QByteArray("{\\rtf1\\ansi{\\fonttbl{\\f0 Times New Roman;}}\\pard\\f0\\fs24\\tqr")
                               + row.control + "\\tx5000 Capitulo\\tab 7\\par}";
        ASSERT_TRUE(control.LoadContent({u"l.rtf"_qs, 5, rtf}));
        printPdf(control, dir.filePath(u"l.pdf"_qs));
        const QString text = pdftools::pageText(dir.filePath(u"l.pdf"_qs), 1);
        const QRegularExpression line(u"Capitulo(%1*)\\s*7"_qs.arg(QRegularExpression::escape(row.glyph)));
        const QRegularExpressionMatch match = line.match(text);
        ASSERT_TRUE(match.hasMatch()) << row.control << " " << text.toStdString();
        const double room = textctl::twipsToPixels(5000) - metrics.horizontalAdvance(u"Capitulo"_qs)
                            - metrics.horizontalAdvance(u"7"_qs);
        const int expected = *row.control ? int(room / metrics.horizontalAdvance(row.glyph)) : 0;
        EXPECT_NEAR(match.capturedLength(1), expected, 2) << row.control;
    }
}
