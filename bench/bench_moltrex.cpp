// The generator's speed on the demo, with the data file already present:
//   merge + save  generar_documento and guardar_resultado in-process (format
//                 2, no hand-off), the part the generator's tick runs;
//   whole run     moltrex started as a process with no display, from process
//                 start to exit; the one-second first tick is part of it, so
//                 the figure that matters is the run minus 1000 ms.
// Prints the median and the minimum of each over N runs.
//
//   build/bin/bench_moltrex [runs]

#include "frame/mdiparent.h"
#include "generator/frameoutput.h"
#include "merge/generacion.h"
#include "platformui/screenpointer.h"
#include "platformui/scripteddialogs.h"
#include "testsupport/demodirectory.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include <unistd.h>

namespace {

void layOut(const QString &to)
{
    testsupport::copyDemoDirectory(to);
    QDir().mkpath(to + QStringLiteral("/fotos"));
    const QString binary = QStringLiteral(VALDRIN_BIN_DIR "/moltrex");
    const QString target = to + QStringLiteral("/moltrex");
    if (::link(QFile::encodeName(binary).constData(), QFile::encodeName(target).constData()) != 0)
        QFile::copy(binary, target);
}

void print(const char *what, QList<double> ms, double minus = 0)
{
    std::sort(ms.begin(), ms.end());
    const double median = ms.at(ms.size() / 2);
    std::printf("%-14s median %7.1f ms  min %7.1f ms", what, median, ms.first());
    if (minus > 0)
        std::printf("  (beyond the first tick: median %.1f ms, min %.1f ms)", median - minus, ms.first() - minus);
    std::printf("  over %lld runs\n", static_cast<long long>(ms.size()));
}

QList<double> mergeAndSave(const QString &dir, int runs)
{
    QList<double> ms;
    for (int i = 0; i < runs; ++i) {
        platform::ScriptedCommonDialog dialogo;
        platform::ScriptedMessageBoxes mensajes;
        platform::RecordingScreenPointer puntero;
        platform::RecordingLauncher lanzador;
        frame::MDIParent parent(dir, {&dialogo, &mensajes, &puntero, &lanzador},
                                frame::MDIParent::AfterGeneration::StayHidden);
        if (!parent.MDIParent_Load())
            return {};
        generator::FrameOutput host(parent);
        QElapsedTimer timer;
        timer.start();
        const merge::GenerationResult generated = merge::generar_documento(parent, dir + QStringLiteral("/plant/inf01.rtf"));
        const merge::OutputResult saved = merge::guardar_resultado(host, QStringLiteral("00123"), QStringLiteral("2"), {});
        ms.append(timer.nsecsElapsed() / 1e6);
        if (!generated.ok || !saved.ok) {
            std::fprintf(stderr, "failed: %s%s\n", qPrintable(generated.error), qPrintable(saved.error));
            return {};
        }
    }
    return ms;
}

QList<double> wholeRun(const QString &dir, int runs)
{
    QList<double> ms;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (int i = 0; i < runs; ++i) {
        QProcess moltrex;
        moltrex.setProcessEnvironment(env);
        QElapsedTimer timer;
        timer.start();
        moltrex.start(dir + QStringLiteral("/moltrex"), {QStringLiteral("inf01:00123:2:")});
        if (!moltrex.waitForFinished(30000) || moltrex.exitCode() != 0) {
            std::fprintf(stderr, "moltrex failed: %s\n", moltrex.readAllStandardError().constData());
            return {};
        }
        ms.append(timer.nsecsElapsed() / 1e6);
    }
    return ms;
}

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    QTemporaryDir tmp;
    layOut(tmp.path());

    const QList<double> merged = mergeAndSave(tmp.path(), runs);
    const QList<double> whole = wholeRun(tmp.path(), runs);
    if (merged.isEmpty() || whole.isEmpty())
        return 1;
    print("merge + save", merged);
    print("whole run", whole, 1000);
    return 0;
}
