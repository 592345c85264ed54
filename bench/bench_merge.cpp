// Merge speed: the five marker passes of a 300-field dictionary and the
// section blocks over a 30-page template holding 400 markers (some in
// tables, some in the header and footer areas). Prints the time per record.
//
//   build/bin/bench_merge [records]
#include "data/claimdata.h"
#include "merge/fusion.h"
#include "merge/mergedata.h"
#include "textctl/txtextcontrol.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kFields = 300;
constexpr int kMarkers = 400;
constexpr int kParagraphs = 1350;  // about 45 lines a page, 30 pages

QString fieldName(int i) { return QStringLiteral("Campo de prueba %1").arg(i, 3, 10, QChar(u'0')); }

QList<data::campo> makeDictionary()
{
    QList<data::campo> lines;
    lines.append({QStringLiteral("Número de expediente"), QStringLiteral("NUMERO"), 5, 1});
    for (int i = 1; i < kFields; ++i)
        lines.append({fieldName(i), QStringLiteral("C%1").arg(i), 4, qint16(2 + 4 * i)});
    return lines;
}

QByteArray makeRecord()
{
    QByteArray record = "00123";
    for (int i = 1; i < kFields; ++i)
        record += QByteArray::number(1000 + i);
    return record;
}

void makeTemplate(TXTextControl &control)
{
    QTextCursor cursor(control.document().main());
    const QString filler = QStringLiteral("Texto del informe pericial con algo de contenido para llenar la línea. ");
    int marker = 0;
    for (int p = 0; p < kParagraphs; ++p) {
        QString text = filler;
        if (p % 4 == 0 && marker < kMarkers - 40)
            text += u'&' + fieldName(1 + (marker++ * 7) % (kFields - 1)) + QStringLiteral("& y más texto");
        cursor.insertText(text);
        cursor.insertBlock();
        if (p % 150 == 0) {
            QTextTable *table = cursor.insertTable(4, 4);
            for (int c = 0; c < 16; ++c)
                table->cellAt(c / 4, c % 4).firstCursorPosition().insertText(
                    u'&' + fieldName(1 + (marker++ * 11) % (kFields - 1)) + u'&');
            cursor.movePosition(QTextCursor::End);
        }
    }
    const QString sections[] = {u"&Peritaje,Texto previo&"_qs, u"&Peritaje,Texto conclusion&"_qs,
                                u"&peritaje,texto incidencias&"_qs, u"&valoracion,Total&"_qs};
    for (const QString &s : sections)
        cursor.insertText(s + QChar(QChar::ParagraphSeparator));
    control.setHeaderFooter(1 + 2 + 4 + 8);
    for (int area : {1, 2, 4, 8}) {
        control.setHeaderFooterSelect(area);
        control.setText(u"&Número de expediente& &"_qs + fieldName(5) + u"&"_qs);
    }
    control.setHeaderFooterSelect(0);
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int records = argc > 1 ? std::max(1, atoi(argv[1])) : 20;

    QTemporaryDir dir;
    QFile sections(dir.filePath(u"00123.txt"_qs));
    sections.open(QIODevice::WriteOnly);
    sections.write("[CABECERA]\r\nuno\r\ndos\r\n[PIE]\r\nfin\r\n[HISTORIA]\r\nh\r\n[PARTES]\r\np\r\n[VALORACION]\r\nv\r\n"
                   "[VAL_CON]\r\nc\r\n[VAL_UNI]\r\nu\r\n[VAL_PRE]\r\np\r\n[VAL_DES]\r\nd\r\n[VAL_TOT]\r\nt\r\n");
    sections.close();

    merge::MergeData mergeData;
    mergeData.programDir = dir.path();
    mergeData.fields = data::FieldTable(makeDictionary());
    data::ClaimData::parse(makeRecord() + "\r\n", &mergeData.claims);

    QList<double> times;
    int markersLeft = 0;
    for (int r = 0; r < records; ++r) {
        TXTextControl control;
        makeTemplate(control);
        QElapsedTimer timer;
        timer.start();
        QString numero;
        merge::fusionar_registro(control, mergeData, 1, &numero);
        times.append(timer.nsecsElapsed() / 1e6);
        markersLeft = int(control.Text().count(u'&'));
    }
    std::sort(times.begin(), times.end());
    std::printf("fields %d, markers %d, paragraphs %d, records %d\n", kFields, kMarkers, kParagraphs, records);
    std::printf("per record: min %.1f ms, median %.1f ms, max %.1f ms; markers left %d\n",
                times.front(), times[times.size() / 2], times.back(), markersLeft);
    return 0;
}
