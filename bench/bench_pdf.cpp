// A long report with pictures exported to PDF: the demo template's body
// imported again and again until it runs to about 100 pages (its logo in
// the first-page header, its stamp in a table, a page header and footer with
// page numbers on every page), with a camera photo placed on every tenth
// page. Prints the export time (aim: 300 ms), the processor time it took
// (steadier than the clock on a busy machine) and the file's size.
//
//   build-release/bin/bench_pdf [pages] [copy.pdf]
//
// With a second argument the last export is kept there, to compare what
// two builds draw.
#include "commands/exportarpdf.h"
#include "textctl/txtextcontrol.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextCursor>

#include <cstdio>
#include <ctime>

namespace {

QByteArray photo()
{
    QImage image(3000, 2000, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(image.rect(), QLinearGradient(0, 0, 3000, 2000));
    for (int i = 0; i < 200; ++i)
        painter.fillRect(i * 15, (i * 37) % 2000, 300, 120, QColor::fromHsv(i % 360, 200, 220));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int wanted = argc > 1 ? qMax(1, atoi(argv[1])) : 100;
    QTemporaryDir dir;
    const QString plantilla = QStringLiteral(VALDRIN_SAMPLES_DIR "/plant/inf01.rtf");
    TXTextControl control;
    if (!dir.isValid() || !control.Load(plantilla, 0, 5))
        return 1;
    control.usePageOfLoad();
    while (control.CurrentPages() < wanted) {
        QTextCursor end = control.cursor();
        end.movePosition(QTextCursor::End);
        control.setCursor(end);
        control.setSelText(QString(QChar(12)));
        if (!control.RTFImport(plantilla))
            return 1;
    }
    const QString jpeg = dir.filePath(QStringLiteral("foto.jpg"));
    QFile file(jpeg);
    if (!file.open(QIODevice::WriteOnly) || file.write(photo()) <= 0)
        return 1;
    file.close();
    const int pages = control.CurrentPages();
    for (int page = 1; page <= pages; page += 10) {
        control.setScrollPosY((page - 1) * control.PageHeight());
        control.ObjectInsertFixed(0, jpeg, 1500, control.ScrollPosY() + 3000, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0);
    }
    std::printf("%d pages, a photo of 3000x2000 every 10 pages\n", control.CurrentPages());

    const QString pdf = dir.filePath(QStringLiteral("informe.pdf"));
    QString error;
    for (int run = 1; run <= 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        const std::clock_t cpu = std::clock();
        if (!commands::writePdf(control, pdf, QStringLiteral("informe"), &error)) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        std::printf("export %d: %lld ms (aim: 300), processor %.0f ms, %.1f MB\n", run,
                    static_cast<long long>(timer.elapsed()), 1000.0 * double(std::clock() - cpu) / CLOCKS_PER_SEC,
                    QFileInfo(pdf).size() / 1e6);
    }
    const QString keep = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (!keep.isEmpty() && ((QFile::exists(keep) && !QFile::remove(keep)) || !QFile::copy(pdf, keep)))
        return 1;
    return 0;
}
