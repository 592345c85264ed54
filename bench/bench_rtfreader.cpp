// RTF reader speed: loads plant/inf01.rtf, and a report of about 100 pages
// made of 50 copies of its body (4 tables and a PNG picture each, page
// breaks between), and prints the time of one load of each (the best of
// several runs).
//
//   build/bin/bench_rtfreader [runs]
#include "textctl/model/richdocument.h"
#include "textctl/rtf/rtfreader.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kCopies = 50;

QByteArray bigReport(const QByteArray &rtf)
{
    const QByteArray bodyMark = "{\\*\\ftnsep\\chftnsep}";
    const qsizetype bodyStart = rtf.indexOf(bodyMark) + bodyMark.size();
    const qsizetype bodyEnd = rtf.lastIndexOf('}');
    const QByteArray body = rtf.mid(bodyStart, bodyEnd - bodyStart);
    QByteArray out = rtf.left(bodyStart);
    for (int i = 0; i < kCopies; ++i)
        out += (i > 0 ? "\\page " : "") + body;
    return out + "}";
}

double bestLoadMs(const QByteArray &rtf, int runs, int *blocks)
{
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        textctl::RichDocument doc;
        QElapsedTimer timer;
        timer.start();
        textctl::readRtf(rtf, doc);
        best = std::min(best, timer.nsecsElapsed() / 1e6);
        *blocks = doc.main()->blockCount();
    }
    return best;
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    QFile file(QStringLiteral(VALDRIN_SAMPLES_DIR "/plant/inf01.rtf"));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no inf01.rtf\n");
        return 1;
    }
    const QByteArray inf01 = file.readAll();
    const QByteArray report = bigReport(inf01);
    int blocks = 0;
    const double small = bestLoadMs(inf01, runs, &blocks);
    std::printf("inf01.rtf: %lld bytes, %d blocks, %.2f ms per load\n", static_cast<long long>(inf01.size()),
                blocks, small);
    const double big = bestLoadMs(report, runs, &blocks);
    std::printf("report of %d copies: %lld bytes, %d blocks, %.2f ms per load\n", kCopies,
                static_cast<long long>(report.size()), blocks, big);
    return 0;
}
