// RTF writer speed: a report of about 100 pages with tables and pictures
// (the demo template inf01 repeated) is written with writeRtf. Prints the
// size and the best and median times of the runs.
//
//   build/bin/bench_rtfwriter [runs]
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreader.h"
#include "textctl/rtf/rtfwriter.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// inf01 is two pages as a template: fifty copies make a 100-page report.
constexpr int kCopies = 50;

}  // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 20;

    QFile file(QStringLiteral(VALDRIN_SAMPLES_DIR "/plant/inf01.rtf"));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no se puede leer %s\n", qPrintable(file.fileName()));
        return 1;
    }
    textctl::RichDocument doc;
    if (!textctl::readRtf(file.readAll(), doc)) {
        std::fprintf(stderr, "inf01.rtf no se ha leido\n");
        return 1;
    }
    const QTextDocumentFragment whole(doc.main());
    QTextCursor cursor(doc.main());
    cursor.movePosition(QTextCursor::End);
    for (int i = 1; i < kCopies; ++i)
        cursor.insertFragment(whole);

    std::vector<qint64> times;
    qsizetype size = 0;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const QByteArray rtf = textctl::writeRtf(doc);
        times.push_back(timer.nsecsElapsed());
        size = rtf.size();
    }
    std::sort(times.begin(), times.end());
    std::printf("paragraphs %d, characters %d, RTF %lld bytes\n", doc.main()->blockCount(),
                doc.main()->characterCount(), static_cast<long long>(size));
    std::printf("writeRtf: best %.2f ms, median %.2f ms over %d runs\n", times.front() / 1e6,
                times[times.size() / 2] / 1e6, runs);
    return 0;
}
