// Hostile documents: a binary file named .rtf, a truncated RTF, 200,000
// nested groups, a 20 MB picture, a picture declaring 100000 x 100000
// pixels, a table of 10,000 rows and a 50 MB RTF, each opened as quorvel
// opens it (a document window on the offscreen platform) and converted by
// rtfconv, each in a process of its own. Prints, for each, whether it
// opened or was refused (with the message), the time to the first page
// shown and to every page known, and the process's peak memory.
//
//   build-release/bin/bench_hostile [FOLDER]   (the files are made in FOLDER,
//                                               a temporary one by default)

#include "bench/processstats.h"
#include "frame/editor.h"
#include "frame/mdichild.h"
#include "frame/mdiparent.h"
#include "platformui/screenpointer.h"
#include "platformui/scripteddialogs.h"
#include "testsupport/demodirectory.h"
#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"
#include "textctl/view/txtextview.h"

#include <QApplication>
#include <QBuffer>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <sys/resource.h>

namespace {

constexpr int kLimitMs = 60'000;

bool put(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray png(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG", 0);
    return bytes;
}

QByteArray picture(const QByteArray &bytes, const QByteArray &sizes)
{
    return "{\\pict\\pngblip" + sizes + ' ' + bytes.toHex() + '}';
}

// The PNG header of a picture declaring 100000 x 100000 pixels, with a
// few bytes of data: a reader that believed it would need 40 GB.
QByteArray absurdPng()
{
    QByteArray bytes = png(QImage(4, 4, QImage::Format_RGB32));
    const QByteArray side = QByteArray::fromHex("000186a0");  // 100000
    bytes.replace(16, 4, side);
    bytes.replace(20, 4, side);
    return bytes;
}

QList<std::pair<QString, QByteArray>> hostileFiles(const QString &demoTemplate)
{
    QList<std::pair<QString, QByteArray>> files;
    QByteArray noise(300'000, '\0');
    QRandomGenerator random(7);
    for (char &byte : noise)
        byte = char(random.bounded(256));
    files.append({QStringLiteral("binario.rtf"), noise});

    QFile demo(demoTemplate);
    demo.open(QIODevice::ReadOnly);
    const QByteArray whole = demo.readAll();
    files.append({QStringLiteral("truncado.rtf"), whole.left(whole.size() / 2)});

    files.append({QStringLiteral("anidado.rtf"),
                  "{\\rtf1\\ansi " + QByteArray(200'000, '{') + "texto" + QByteArray(200'000, '}') + '}'});

    QImage photo(2600, 2600, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto *line = reinterpret_cast<quint32 *>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x)
            line[x] = random.generate();
    }
    files.append({QStringLiteral("imagen20mb.rtf"),
                  "{\\rtf1\\ansi Foto:\\par " + picture(png(photo), "\\picw2600\\pich2600\\picwgoal9000\\pichgoal9000")
                      + "\\par fin}"});

    files.append({QStringLiteral("dimensiones.rtf"),
                  "{\\rtf1\\ansi "
                      + picture(absurdPng(), "\\picw100000\\pich100000\\picwgoal1500000\\pichgoal1500000")
                      + "\\par}"});

    QByteArray table = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\n";
    for (int row = 0; row < 10'000; ++row)
        table += "\\trowd\\trgaph108\\cellx3000\\cellx6000\\cellx9000\\pard\\intbl Fila " + QByteArray::number(row)
                 + "\\cell Concepto\\cell " + QByteArray::number(row) + ",00\\cell\\row\n";
    files.append({QStringLiteral("tabla10k.rtf"), table + "\\pard fin\\par}"});

    const QByteArray paragraph = "{\\b Concepto} de la valoraci\\'f3n del siniestro con texto {\\i largo} para "
                                 "llenar p\\'e1ginas del informe.\\par\n";
    QByteArray big = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\n";
    big.reserve(50 * 1024 * 1024 + 100);
    while (big.size() < 50 * 1024 * 1024)
        big += paragraph;
    files.append({QStringLiteral("grande50mb.rtf"), big + '}'});
    return files;
}

// Child: opens `path` in a document window and prints one line.
int openAsQuorvel(const QString &path)
{
    QTemporaryDir dir;
    if (!testsupport::copyDemoDirectory(dir.path()))
        return 2;
    platform::ScriptedCommonDialog dialogo;
    platform::ScriptedMessageBoxes mensajes;
    platform::RecordingScreenPointer puntero;
    frame::MDIParent parent(dir.path(), {&dialogo, &mensajes, &puntero, nullptr});
    if (!parent.MDIParent_Load())
        return 2;
    parent.show();
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    frame::MDIchild *window = parent.editor().abrir_fichero(path);
    if (!window || window->caption() != path) {
        std::printf("rechazado en %lld ms (%s); pico %ld MiB\n", clock.elapsed(),
                    qPrintable(mensajes.texts().join(u" / ")), bench::peakKiB() / 1024);
        return 0;
    }
    window->view()->viewport()->grab();
    const qint64 shown = clock.elapsed();
    textctl::Pagination &pages = window->TXTextControl1().pagination();
    const QDeadlineTimer deadline(kLimitMs);
    while (!pages.isComplete() && !deadline.hasExpired())
        QCoreApplication::processEvents();
    std::printf("abierto: página 1 en %lld ms, %d páginas %s en %lld ms; pico %ld MiB\n", shown,
                window->TXTextControl1().CurrentPages(), pages.isComplete() ? "conocidas" : "(sin terminar)",
                clock.elapsed(), bench::peakKiB() / 1024);
    return 0;
}

// Child: runs rtfconv on `path` and prints one line with its figures.
int convert(const QString &rtfconv, const QString &path)
{
    QElapsedTimer clock;
    clock.start();
    QProcess process;
    process.start(rtfconv, {path, path + QStringLiteral(".salida.rtf")});
    if (!process.waitForFinished(kLimitMs)) {
        process.kill();
        std::printf("colgado (más de %d s)\n", kLimitMs / 1000);
        return 0;
    }
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const QString error = QString::fromUtf8(process.readAllStandardError()).trimmed().split(u'\n').last();
    std::printf("%s en %lld ms%s%s; pico %ld MiB\n",
                process.exitStatus() != QProcess::NormalExit ? "caído"
                : process.exitCode() == 0                    ? "convertido"
                                                             : "rechazado",
                clock.elapsed(), process.exitCode() != 0 ? " — " : "",
                process.exitCode() != 0 ? qPrintable(error) : "", usage.ru_maxrss / 1024);
    QFile::remove(path + QStringLiteral(".salida.rtf"));
    return 0;
}

QString child(const QStringList &arguments)
{
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), arguments);
    if (!process.waitForFinished(kLimitMs + 5000)) {
        process.kill();
        return QStringLiteral("colgado (más de %1 s)").arg(kLimitMs / 1000);
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("caído");
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == u"--abrir")
        return openAsQuorvel(args[2]);
    if (args.size() == 4 && args[1] == u"--rtfconv")
        return convert(args[2], args[3]);

    if (args.size() == 3 && args[1] == u"--crear") {
        for (const auto &[name, bytes] : hostileFiles(QStringLiteral(VALDRIN_SAMPLES_DIR "/plant/inf01.rtf"))) {
            if (!put(args[2] + u'/' + name, bytes)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(args[2] + u'/' + name));
                return 1;
            }
            std::printf("%s\n", qPrintable(name));
        }
        return 0;
    }

    // The files are made by a child, so the children that open them do not
    // start from this process's memory.
    QTemporaryDir temporary;
    const QString folder = args.size() > 1 ? args[1] : temporary.path();
    QProcess maker;
    maker.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    maker.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--crear"), folder});
    if (!maker.waitForFinished(kLimitMs) || maker.exitCode() != 0)
        return 1;
    const QStringList names = QString::fromUtf8(maker.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    const QString rtfconv = QCoreApplication::applicationDirPath() + QStringLiteral("/rtfconv");
    for (const QString &name : names) {
        const QString path = folder + u'/' + name;
        std::printf("%s (%.1f MB)\n  quorvel: %s\n  rtfconv: %s\n", qPrintable(name), QFileInfo(path).size() / 1e6,
                    qPrintable(child({QStringLiteral("--abrir"), path})),
                    qPrintable(child({QStringLiteral("--rtfconv"), rtfconv, path})));
        std::fflush(stdout);
    }
    return 0;
}
