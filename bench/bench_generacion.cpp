// Generation speed and memory: the demo template merged with N records of
// the demo claim data (its three records repeated) into N document windows,
// on the offscreen platform. Prints the time per record and the memory
// each open window takes (resident size grown over the run / windows).
//
//   QT_QPA_PLATFORM=offscreen build/bin/bench_generacion [records] [template]

#include "bench/processstats.h"
#include "frame/editor.h"
#include "frame/mdichild.h"
#include "frame/mdiparent.h"
#include "platformui/screenpointer.h"
#include "platformui/scripteddialogs.h"
#include "testsupport/demodirectory.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void copyDemo(const QString &to, int records)
{
    testsupport::copyDemoDirectory(to);
    QFile claims(to + QStringLiteral("/finalprn.txt"));
    claims.open(QIODevice::ReadOnly);
    const QList<QByteArray> lines = claims.readAll().split('\n');
    claims.close();
    QByteArray many;
    for (int i = 0; i < records; ++i)
        many += lines.at(i % 3) + '\n';
    claims.open(QIODevice::WriteOnly | QIODevice::Truncate);
    claims.write(many);
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int records = argc > 1 ? std::atoi(argv[1]) : 100;
    QTemporaryDir dir;
    copyDemo(dir.path(), records);
    const QString plantilla = dir.path() + (argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("/plant/inf01.rtf"));

    platform::ScriptedCommonDialog dialogo;
    platform::ScriptedMessageBoxes mensajes;
    platform::RecordingScreenPointer puntero;
    frame::MDIParent parent(dir.path(), {&dialogo, &mensajes, &puntero, nullptr},
                            frame::MDIParent::AfterGeneration::StayHidden);
    if (!parent.MDIParent_Load())
        return 1;
    const long before = bench::residentKiB();
    QElapsedTimer timer;
    timer.start();
    const bool ok = parent.generate(plantilla);
    const double ms = timer.nsecsElapsed() / 1e6;
    const long after = bench::residentKiB();
    // The frame is back on screen: let every window lay out and paint its pages.
    parent.show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const long shown = bench::residentKiB();
    if (!ok) {
        std::fprintf(stderr, "%s\n", qPrintable(mensajes.texts().join(u'\n')));
        return 1;
    }
    std::printf("%d records: %.1f ms, %.2f ms per record; memory %.2f MiB per window merged, "
                "%.2f MiB once shown (RSS %ld -> %ld -> %ld KiB)\n",
                records, ms, ms / records, (after - before) / 1024.0 / records,
                (shown - before) / 1024.0 / records, before, after, shown);
    return 0;
}
