// The demo templates, written by LibreOffice: every field marker of the
// dictionary comes out whole and in its area, with the tables, lists,
// pictures, page break and page number fields of the templates.

#include "platform/codepage.h"
#include "tests/textctl/rtf/rtfreadertesting.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/plaintext.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTextList>

using namespace textctl;
using namespace textctl::testing;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    return file.readAll();
}

std::unique_ptr<RichDocument> readTemplate(const char *name)
{
    return readString(readFile(QStringLiteral(VALDRIN_SAMPLES_DIR "/plant/") + QLatin1String(name)));
}

// Field names of the dictionary: columns 1-30 of each line.
QSet<QString> dictionaryNames()
{
    QSet<QString> names;
    const QByteArray bytes = readFile(QStringLiteral(VALDRIN_SAMPLES_DIR "/finstru.txt"));
    for (const QByteArray &line : bytes.split('\n')) {
        const QString name = platform::decodeWindows1252(line.left(30)).trimmed();
        if (!name.isEmpty())
            names.insert(name);
    }
    return names;
}

QStringList markersIn(const QTextDocument *text)
{
    static const QRegularExpression marker(QStringLiteral("&([^&\\n]+)&"));
    QStringList found;
    auto it = marker.globalMatch(textPlainText(*text));
    while (it.hasNext())
        found.append(it.next().captured(1));
    return found;
}

TEST(RtfReaderDemo, Inf01MarkersAreWholeAndInTheirAreas)
{
    const auto doc = readTemplate("inf01.rtf");
    const QSet<QString> names = dictionaryNames();
    ASSERT_GT(names.size(), 50);
    QSet<QString> seen;
    for (int code : {0, 1, 2, 4, 8}) {
        ASSERT_TRUE(doc->area(code)) << code;
        for (const QString &m : markersIn(doc->area(code))) {
            EXPECT_TRUE(names.contains(m)) << "not a field: " << qPrintable(m) << " in area " << code;
            seen.insert(m);
        }
    }
    // Every field of the dictionary but "Tomador" is in the template.
    QSet<QString> missing = names - seen;
    EXPECT_EQ(missing, QSet<QString>{u"Tomador"_qs});

    EXPECT_EQ(markersIn(doc->area(PageHeader)),
              (QStringList{u"Número de expediente"_qs, u"Nombre del titular"_qs}));
    EXPECT_EQ(markersIn(doc->area(FirstPageHeader)),
              (QStringList{u"Compañía"_qs, u"Nº siniestro compañía"_qs, u"Tramitador"_qs}));
    EXPECT_EQ(markersIn(doc->area(PageFooter)), (QStringList{u"Gabinete"_qs, u"Perito"_qs}));
    EXPECT_EQ(markersIn(doc->area(FirstPageFooter)),
              (QStringList{u"Gabinete"_qs, u"Dirección gabinete"_qs}));
    // The split marker and the section markers are whole paragraphs' text.
    const QString main = textPlainText(*doc->main());
    EXPECT_TRUE(main.contains(u"\n&Fecha del siniestro&\n"_qs));
    EXPECT_TRUE(main.contains(u"\n&Peritaje,Texto previo&\n"_qs));
    EXPECT_FALSE(main.contains(u"Default Page Style"_qs));
}

TEST(RtfReaderDemo, Inf01Structure)
{
    const auto doc = readTemplate("inf01.rtf");
    const QTextDocument *d = doc->main();
    EXPECT_EQ(doc->page.width, 11906);
    EXPECT_EQ(doc->page.marginTop, 1970);
    EXPECT_EQ(doc->page.marginLeft, 1134);

    // Data table, valuation table, summary table (right-aligned, its own
    // table although no paragraph comes between), signature table.
    const auto tables = tablesOf(d);
    ASSERT_EQ(tables.size(), 4);
    EXPECT_EQ(tables[0]->rows(), 10);
    EXPECT_EQ(tables[0]->columns(), 4);
    EXPECT_EQ(tables[0]->cellAt(4, 1).columnSpan(), 3);
    EXPECT_EQ(cellText(tables[0], 9, 1), u"Continente: &Capital continente& €\nContenido: &Capital contenido& €"_qs);
    EXPECT_EQ(tables[1]->rows(), 2);
    EXPECT_EQ(tables[1]->columns(), 5);
    EXPECT_EQ(cellText(tables[1], 1, 4), u"&valoracion,Total&"_qs);
    EXPECT_EQ(tables[2]->rows(), 6);
    EXPECT_EQ(tables[2]->columns(), 2);
    EXPECT_EQ(tables[2]->format().alignment(), Qt::AlignRight);
    EXPECT_EQ(tables[3]->columns(), 2);

    // The bulleted and the numbered list.
    QTextList *bullets = blockOf(d, u"Presupuesto o factura"_qs).textList();
    ASSERT_TRUE(bullets);
    EXPECT_EQ(bullets->count(), 4);
    EXPECT_EQ(bullets->format().style(), QTextListFormat::ListDisc);
    QTextList *numbers = blockOf(d, u"Comunicar al asegurado"_qs).textList();
    ASSERT_TRUE(numbers);
    EXPECT_EQ(numbers->count(), 3);
    EXPECT_EQ(numbers->format().style(), QTextListFormat::ListDecimal);

    // The page break, and the formatting of a few runs.
    EXPECT_EQ(blockOf(d, u"4. VALORACI"_qs).blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(formatOf(d, u"Documentaci"_qs).underlineStyle(), QTextCharFormat::SingleUnderline);
    EXPECT_EQ(formatOf(d, u"&Causa&"_qs).foreground().color(), QColor(192, 0, 0));
    EXPECT_TRUE(formatOf(d, u"&Estado del expediente&"_qs).fontItalic());

    // Pictures: the logo in the first-page header, the stamp in the
    // signature table, both PNG in the line.
    const QTextDocument *first = doc->area(FirstPageHeader);
    const QTextCharFormat logo = formatOf(first, QString(QChar::ObjectReplacementCharacter));
    ASSERT_TRUE(logo.isImageFormat());
    EXPECT_EQ(logo.property(prop::PictureKind).toString(), u"png"_qs);
    EXPECT_DOUBLE_EQ(logo.toImageFormat().width(), twipsToPixels(2833));
    EXPECT_FALSE(first->resource(QTextDocument::ImageResource, QUrl(logo.toImageFormat().name())).toByteArray().isEmpty());
    const QTextCharFormat stamp = formatOf(d, QString(QChar::ObjectReplacementCharacter));
    ASSERT_TRUE(stamp.isImageFormat());
    const int stampAt = static_cast<int>(d->toRawText().indexOf(QChar::ObjectReplacementCharacter));
    EXPECT_EQ(tables[3]->cellAt(stampAt).column(), 0);

    // PAGE and NUMPAGES in both footers.
    for (int code : {PageFooter, FirstPageFooter}) {
        const QString raw = doc->area(code)->toRawText();
        int live = 0;
        for (qsizetype i = raw.indexOf(QChar::ObjectReplacementCharacter); i >= 0;
             i = raw.indexOf(QChar::ObjectReplacementCharacter, i + 1)) {
            QTextCursor c(doc->area(code));
            c.setPosition(static_cast<int>(i) + 1);
            EXPECT_EQ(c.charFormat().objectType(), prop::FieldObjectType);
            ++live;
        }
        EXPECT_EQ(live, 2) << code;
    }
    EXPECT_EQ(d->availableUndoSteps(), 0);
}

TEST(RtfReaderDemo, Inf02Letter)
{
    const auto doc = readTemplate("inf02.rtf");
    EXPECT_EQ(doc->headerFooterSet(), PageHeader + PageFooter);
    EXPECT_EQ(markersIn(doc->area(PageFooter)), QStringList{u"Número de expediente"_qs});
    const QString main = textPlainText(*doc->main());
    EXPECT_FALSE(main.contains(u"&Número de expediente&"_qs));
    EXPECT_TRUE(main.contains(u"&Peritaje,Texto previo&"_qs));
    EXPECT_TRUE(main.contains(u"&Peritaje,Texto conclusion&"_qs));
    const QTextCharFormat header = formatOf(doc->area(PageHeader), u"Gabinete de"_qs);
    EXPECT_EQ(header.fontCapitalization(), QFont::SmallCaps);
    EXPECT_TRUE(blocksText(doc->area(PageHeader)).contains(u"Gabinete de peritación de seguros"_qs));
}

}  // namespace
