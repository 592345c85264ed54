// RTF load and save speed: a 100-page report with tables and pictures, made
// with our writer, is loaded and saved through the control's files; the same
// file then goes through `soffice --headless --convert-to rtf`. Prints both
// times and the ratio.
//
//   build/bin/bench_rtf [runs]
#include "textctl/documentfiles.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kPages = 100;
constexpr int kParagraphsPerPage = 12;

QByteArray pngPicture(int n)
{
    QImage image(160, 90, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((n * 37) % 360, 120, 230));
    QPainter painter(&image);
    painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("Foto %1").arg(n));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void makeReport(textctl::RichDocument &doc)
{
    QTextDocument *main = doc.main();
    QTextCursor cursor(main);
    QTextCharFormat plain;
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    italic.setForeground(QColor(31, 78, 121));
    const QString text = QStringLiteral(
        "El perito que suscribe ha comprobado los daños declarados por la asegurada en la vivienda, "
        "con humedades en el cuarto de baño y el pasillo, y valora su reparación a precios de mercado. ");
    for (int page = 0; page < kPages; ++page) {
        QTextBlockFormat heading;
        heading.setPageBreakPolicy(page ? QTextFormat::PageBreak_AlwaysBefore : QTextFormat::PageBreak_Auto);
        cursor.insertBlock(heading, bold);
        cursor.insertText(QStringLiteral("%1. VALORACIÓN DE LOS DAÑOS").arg(page + 1), bold);
        for (int p = 0; p < kParagraphsPerPage; ++p) {
            QTextBlockFormat body;
            body.setAlignment(Qt::AlignJustify);
            body.setBottomMargin(6);
            cursor.insertBlock(body, plain);
            cursor.insertText(text, plain);
            cursor.insertText(QStringLiteral("Importe: 1.584,52 € "), bold);
            cursor.insertText(text, italic);
        }
        if (page % 2 == 0) {
            QTextTable *table = cursor.insertTable(5, 4);
            for (int c = 0; c < 20; ++c)
                table->cellAt(c / 4, c % 4).firstCursorPosition().insertText(QStringLiteral("Celda %1").arg(c));
            cursor.movePosition(QTextCursor::End);
        }
        if (page % 5 == 0) {
            const QString name = QStringLiteral("pict:%1").arg(page);
            main->addResource(QTextDocument::ImageResource, QUrl(name), pngPicture(page));
            QTextImageFormat image;
            image.setName(name);
            image.setWidth(160);
            image.setHeight(90);
            image.setProperty(textctl::prop::PictureKind, QStringLiteral("png"));
            cursor.insertBlock();
            cursor.insertImage(image);
        }
    }
    doc.ensureArea(textctl::PageHeader)->setPlainText(QStringLiteral("INFORME PERICIAL"));
    doc.ensureArea(textctl::PageFooter)->setPlainText(QStringLiteral("Peritaciones Duero, S.L."));
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;

    QTemporaryDir dir;
    const QString report = dir.filePath(QStringLiteral("informe.rtf"));
    const QString copy = dir.filePath(QStringLiteral("copia.rtf"));
    {
        textctl::RichDocument doc;
        makeReport(doc);
        QString error;
        if (!textctl::saveDocumentFile(report, textctl::kFormatRtf, doc, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
    }
    std::printf("report: %lld bytes, %d pages\n", QFile(report).size(), kPages);

    QList<double> loads, saves, totals;
    for (int r = 0; r < runs; ++r) {
        textctl::RichDocument doc;
        QString error;
        QElapsedTimer timer;
        timer.start();
        if (!textctl::loadDocumentFile(report, textctl::kFormatRtf, doc, &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        const double load = timer.nsecsElapsed() / 1e6;
        textctl::saveDocumentFile(copy, textctl::kFormatRtf, doc, &error);
        const double total = timer.nsecsElapsed() / 1e6;
        loads << load;
        saves << total - load;
        totals << total;
    }
    std::printf("ours: load %.1f ms + save %.1f ms = %.1f ms (median of %d)\n", median(loads), median(saves),
                median(totals), runs);

    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) {
        std::printf("soffice: not installed\n");
        return 0;
    }
    QDir(dir.path()).mkpath(QStringLiteral("lo"));
    const auto convert = [&] {
        QElapsedTimer timer;
        timer.start();
        QProcess office;
        office.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + dir.filePath(QStringLiteral("perfil")),
                               QStringLiteral("--headless"), QStringLiteral("--convert-to"), QStringLiteral("rtf"),
                               QStringLiteral("--outdir"), dir.filePath(QStringLiteral("lo")), report});
        office.waitForFinished(600'000);
        return timer.nsecsElapsed() / 1e6;
    };
    std::printf("soffice --convert-to rtf: %.0f ms (first run, profile created)\n", convert());
    const double lo2 = convert();
    std::printf("soffice --convert-to rtf: %.0f ms (second run)\n", lo2);
    std::printf("ratio: %.0fx faster than LibreOffice (second run)\n", lo2 / median(totals));
    return 0;
}
