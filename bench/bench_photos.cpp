// A report with camera photos saved as RTF and opened again: 20 JPEGs of
// 4000x3000 (noisy, quality 90, several MB each) placed one a page with
// ObjectInsertFixed. Prints the save and open times (aim: under 1 s each)
// and the file's size against the photos' (aim: within 2.2 times; hex
// doubles the bytes, nothing else should add to them).
//
//   build/bin/bench_photos [photos]
#include "textctl/documentfiles.h"
#include "textctl/rtf/rtfwriter.h"
#include "textctl/txtextcontrol.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// A smooth scene with sensor noise on top: JPEG keeps it at a few MB.
QByteArray cameraPhoto(int n)
{
    QImage image(4000, 3000, QImage::Format_RGB32);
    QRandomGenerator random(quint32(n + 1));
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const quint32 noise = random.generate();
            const int r = (x * 255 / 4000 + int(noise & 31)) & 255;
            const int g = (y * 255 / 3000 + int((noise >> 8) & 31)) & 255;
            const int b = ((x + y + n * 97) / 28 + int((noise >> 16) & 31)) & 255;
            line[x] = qRgb(r, g, b);
        }
    }
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
    QGuiApplication app(argc, argv);
    const int photos = argc > 1 ? qMax(1, atoi(argv[1])) : 20;
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    std::printf("making %d photos of 4000x3000...\n", photos);
    QStringList paths;
    qint64 photoBytes = 0;
    for (int n = 0; n < photos; ++n) {
        const QByteArray bytes = cameraPhoto(n);
        const QString path = dir.filePath(QStringLiteral("foto%1.jpg").arg(n + 1));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return 1;
        paths << path;
        photoBytes += bytes.size();
    }

    TXTextControl control;
    QStringList pages;
    for (int n = 0; n < photos; ++n)
        pages << QStringLiteral("Fotografía %1 del siniestro: daños en el salón.").arg(n + 1);
    control.setText(pages.join(QChar(12)));
    for (int n = 0; n < photos; ++n) {
        if (!control.ObjectInsertFixed(0, paths[n], 1000, n * control.PageHeight() + 2000, 100, 100, 0, 0, 3, 3, 0,
                                       0, 0, 0)) {
            std::fprintf(stderr, "%s\n", qPrintable(control.errorString()));
            return 1;
        }
    }

    const QString rtf = dir.filePath(QStringLiteral("informe.rtf"));
    QElapsedTimer timer;
    timer.start();
    const qsizetype written0 = textctl::writeRtf(control.document()).size();
    const qint64 writeMs = timer.elapsed();
    timer.restart();
    if (!control.Save(rtf, 0, textctl::kFormatRtf)) {
        std::fprintf(stderr, "%s\n", qPrintable(control.errorString()));
        return 1;
    }
    const qint64 saveMs = timer.elapsed();

    TXTextControl reopened;
    timer.restart();
    if (!reopened.Load(rtf, 0, textctl::kFormatRtf)) {
        std::fprintf(stderr, "%s\n", qPrintable(reopened.errorString()));
        return 1;
    }
    const qint64 openMs = timer.elapsed();

    QFile file(rtf);
    file.open(QIODevice::ReadOnly);
    const QByteArray written = file.readAll();
    const qint64 size = written.size();
    const double ratio = double(size) / double(photoBytes);
    std::printf("photos: %d, %.1f MB in all (%.1f MB each)\n", photos, photoBytes / 1e6, photoBytes / 1e6 / photos);
    std::printf("save:   %lld ms (aim: under 1000); the RTF text alone, in memory: %lld ms for %.1f MB\n",
                static_cast<long long>(saveMs), static_cast<long long>(writeMs), written0 / 1e6);
    std::printf("open:   %lld ms (aim: under 1000)\n", static_cast<long long>(openMs));
    std::printf("file:   %.1f MB, %.3f times the photos (aim: within 2.2); %lld \\jpegblip, %lld \\bin\n",
                size / 1e6, ratio, static_cast<long long>(written.count("\\jpegblip")),
                static_cast<long long>(written.count("\\bin")));
    return saveMs < 1000 && openMs < 1000 && ratio <= 2.2 ? 0 : 2;
}
