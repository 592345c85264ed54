// Typing in a document window, as a user types: the demo report of claim
// 00123 (4 pages) and the same body repeated 25 times with page breaks
// (about 100 pages), each opened in a real document window (view, ruler,
// button bar and status bar linked) on the offscreen platform.
// - Opening: CPU time from the open command until the window has painted
//   and every page is known, with the longest single step of that work.
// - Typing: in the middle of page 1 and of the last page, 200 keys
//   (letters, a few Enter and Backspace) are sent one by one; each is timed
//   from the key to the view's next paint with the events it caused
//   processed. Between keys the program idles as a typist would; the
//   longest step of that idle work is reported too, since a long one would
//   delay the next key.
// - Scrolling: Page Down from the first page to the last, each step timed
//   to its paint.
//
//   build/bin/bench_typing [keys] [demo|long]    (both reports by default)
//
// The spelling underline is on, as in a new window; BENCH_NO_SPELLING=1
// switches it off to compare.
//
// BENCH_REPORTS_DIR=dir keeps a copy of the two reports there (00123.rtf,
// largo.rtf), to open them in quorvel by hand.

#include "bench/processstats.h"
#include "frame/editor.h"
#include "frame/mdichild.h"
#include "frame/mdiparent.h"
#include "merge/fusion.h"
#include "office/spellingdictionary.h"
#include "merge/mergedata.h"
#include "platformui/screenpointer.h"
#include "platformui/scripteddialogs.h"
#include "testsupport/demodirectory.h"
#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"
#include "textctl/view/spellmarks.h"
#include "textctl/view/txtextview.h"

#include <QAbstractEventDispatcher>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QThread>

#include <algorithm>
#include <functional>
#include <cstdio>

namespace {

// Counts the paints of a widget.
class PaintCounter final : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Processes what is due until the view has painted and the events posted
// by then are done (work left to idle time is not waited for).
void untilPainted(const PaintCounter &counter, int paintsBefore)
{
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    int rounds = 0;
    for (int round = 0; round < 10000; ++round) {
        const bool busy = dispatcher->processEvents(QEventLoop::AllEvents);
        if (counter.paints > paintsBefore && (!busy || ++rounds > 2))
            return;
    }
}

// Processes events until `done` holds and nothing is left to do; returns
// the longest single step of work.
double untilIdle(const std::function<bool()> &done)
{
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    double longest = 0;
    for (int quiet = 0; quiet < 50 || !done();) {
        QElapsedTimer step;
        step.start();
        if (dispatcher->processEvents(QEventLoop::AllEvents)) {
            longest = std::max(longest, step.nsecsElapsed() / 1e6);
            quiet = 0;
        } else {
            ++quiet;
            QThread::msleep(1);
        }
    }
    return longest;
}

// Idles for `ms` as the event loop would between keys; returns the longest
// single step of work done meanwhile.
double idle(int ms)
{
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    QElapsedTimer wall;
    wall.start();
    double longest = 0;
    while (wall.elapsed() < ms) {
        QElapsedTimer step;
        step.start();
        if (dispatcher->processEvents(QEventLoop::AllEvents))
            longest = std::max(longest, step.nsecsElapsed() / 1e6);
        else
            QThread::msleep(1);
    }
    return longest;
}

// The demo report of claim 00123, merged and saved as RTF.
QString writeReport(const QString &dir)
{
    merge::MergeData data;
    QString error;
    TXTextControl control;
    if (!merge::loadMergeData(dir, &data, &error) || !control.Load(dir + QStringLiteral("/plant/inf01.rtf"), 0, 5))
        return {};
    QString numero;
    merge::fusionar_registro(control, data, 1, &numero);
    const QString path = dir + QStringLiteral("/fotos/00123.rtf");
    return control.Save(path, 0, 5) ? path : QString();
}

// The report's body repeated `times` times, a page break between copies.
QString writeLongReport(const QString &report, int times)
{
    TXTextControl control;
    if (!control.Load(report, 0, 5))
        return {};
    const QTextDocumentFragment body(control.document().main());
    for (int i = 1; i < times; ++i) {
        QTextCursor end(control.document().main());
        end.movePosition(QTextCursor::End);
        control.setCursor(end);
        control.setSelText(QString(QChar(12)));
        end = control.cursor();
        end.insertFragment(body);
    }
    const QString path = QString(report).replace(QStringLiteral("00123"), QStringLiteral("largo"));
    return control.Save(path, 0, 5) ? path : QString();
}

// A document position in the middle of page `page`'s body.
int middleOf(TXTextControl &control, int page)
{
    textctl::Pagination &pagination = control.pagination();
    pagination.ensureLayout();
    const QRectF body = pagination.bodyRect();
    const QPointF point(textctl::toLayout(body.width() / 2), (page - 0.5) * pagination.bodyHeight());
    return qMax(0, control.document().main()->documentLayout()->hitTest(point, Qt::FuzzyHit));
}

struct Figures {
    double median = 0;
    double p95 = 0;
    double cpuPerKey = 0;
    double longestIdleStep = 0;
};

double percentile(QList<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values.at(qMin(values.size() - 1, qsizetype(p * values.size())));
}

Figures typeAt(frame::MDIchild &window, int position, int keys)
{
    TXTextControl &control = window.TXTextControl1();
    TXTextView *view = window.view();
    control.setSelStart(position);
    view->ensureCaretVisible();
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);
    idle(200);

    QList<double> times;
    Figures figures;
    const double cpuStart = bench::cpuMs();
    double idleCpu = 0;
    for (int i = 0; i < keys; ++i) {
        const int before = counter.paints;
        QElapsedTimer timer;
        timer.start();
        if (i % 40 == 39)
            QTest::keyClick(view, Qt::Key_Return);
        else if (i % 25 == 24)
            QTest::keyClick(view, Qt::Key_Backspace);
        else
            QTest::keyClick(view, char('a' + i % 26));
        untilPainted(counter, before);
        times.append(timer.nsecsElapsed() / 1e6);
        const double idleStart = bench::cpuMs();
        figures.longestIdleStep = std::max(figures.longestIdleStep, idle(30));
        idleCpu += bench::cpuMs() - idleStart;
    }
    view->viewport()->removeEventFilter(&counter);
    figures.median = percentile(times, 0.5);
    figures.p95 = percentile(times, 0.95);
    figures.cpuPerKey = (bench::cpuMs() - cpuStart - idleCpu) / keys;
    return figures;
}

// Page Down from the start to the end of the text, each step to its paint.
[[gnu::noinline]] Figures pageDown(frame::MDIchild &window)
{
    TXTextControl &control = window.TXTextControl1();
    TXTextView *view = window.view();
    control.setSelStart(0);
    view->ensureCaretVisible();
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);
    idle(200);
    QList<double> times;
    const int end = control.document().main()->characterCount() - 1;
    for (int step = 0; step < 2000 && control.SelStart() < end; ++step) {
        const int before = counter.paints;
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(view, Qt::Key_PageDown);
        untilPainted(counter, before);
        times.append(timer.nsecsElapsed() / 1e6);
        idle(10);
    }
    view->viewport()->removeEventFilter(&counter);
    Figures figures;
    figures.median = percentile(times, 0.5);
    figures.p95 = percentile(times, 0.95);
    figures.longestIdleStep = percentile(times, 1.0);
    return figures;
}

void measure(const QString &programDir, const QString &report, const char *label, int keys)
{
    platform::ScriptedCommonDialog dialogo;
    platform::ScriptedMessageBoxes mensajes;
    platform::RecordingScreenPointer puntero;
    frame::MDIParent parent(programDir, {&dialogo, &mensajes, &puntero, nullptr});
    if (!parent.MDIParent_Load())
        return;
    parent.show();
    idle(200);

    const long memoryBefore = bench::residentKiB();
    const double cpuBefore = bench::cpuMs();
    QElapsedTimer open;
    open.start();
    frame::MDIchild *window = parent.editor().abrir_fichero(report);
    const double loadedMs = open.nsecsElapsed() / 1e6;
    if (!window) {
        std::fprintf(stderr, "%s: %s\n", label, qPrintable(mensajes.texts().join(u' ')));
        return;
    }
    if (qEnvironmentVariableIsSet("BENCH_NO_SPELLING"))
        window->setSpellingUnderline(false);
    PaintCounter counter;
    window->view()->viewport()->installEventFilter(&counter);
    untilPainted(counter, 0);
    const double paintedMs = open.nsecsElapsed() / 1e6;
    TXTextControl &control = window->TXTextControl1();
    const double longestOpenStep = untilIdle([&] { return control.pagination().isComplete(); });
    const double openCpu = bench::cpuMs() - cpuBefore;
    window->view()->viewport()->removeEventFilter(&counter);
    const long memoryAfter = bench::residentKiB();

    const int pages = control.CurrentPages();
    std::printf("%s: %d pages; read in %.0f ms, shown in %.0f ms, shown and idle after %.0f ms of CPU "
                "(longest step %.1f ms); window %.1f MiB, process %.1f MiB resident\n",
                label, pages, loadedMs, paintedMs, openCpu, longestOpenStep,
                (memoryAfter - memoryBefore) / 1024.0, memoryAfter / 1024.0);
    if (window->view()->spellMarks().isOn()) {
        // The whole report checked at once, as the idle check does it a few
        // milliseconds at a time.
        window->view()->spellMarks().recheckAll();
        QElapsedTimer check;
        check.start();
        window->view()->spellMarks().checkPending(1 << 30);
        std::printf("  spelling: whole report checked in %.1f ms\n", check.nsecsElapsed() / 1e6);
    }
    const int firstPage = middleOf(control, 1);
    const Figures first = typeAt(*window, firstPage, keys);
    std::printf("  page 1:    median %.2f ms, p95 %.2f ms, %.2f ms CPU a key; longest idle step %.1f ms\n",
                first.median, first.p95, first.cpuPerKey, first.longestIdleStep);
    if (qEnvironmentVariableIsSet("BENCH_FIRST_PAGE_ONLY"))
        return;
    const int lastPage = middleOf(control, control.CurrentPages());
    const Figures last = typeAt(*window, lastPage, keys);
    std::printf("  last page: median %.2f ms, p95 %.2f ms, %.2f ms CPU a key; longest idle step %.1f ms\n",
                last.median, last.p95, last.cpuPerKey, last.longestIdleStep);
    const Figures scroll = pageDown(*window);
    std::printf("  Page Down from first to last page: median %.2f ms, p95 %.2f ms, slowest %.2f ms a step\n",
                scroll.median, scroll.p95, scroll.longestIdleStep);
    parent.editor().setEndProgram({});
    window->closeWithoutPrompt();
}

}  // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int keys = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    QTemporaryDir dir;
    if (!testsupport::copyDemoDirectory(dir.path()))
        return 1;
    const QString report = writeReport(dir.path());
    const QString longReport = report.isEmpty() ? QString() : writeLongReport(report, 25);
    if (longReport.isEmpty()) {
        std::fprintf(stderr, "cannot write the reports\n");
        return 1;
    }
    if (const QString keep = qEnvironmentVariable("BENCH_REPORTS_DIR"); !keep.isEmpty()) {
        QFile::copy(report, keep + QStringLiteral("/00123.rtf"));
        QFile::copy(longReport, keep + QStringLiteral("/largo.rtf"));
    }
    if (!qEnvironmentVariableIsSet("BENCH_NO_SPELLING")) {
        QElapsedTimer load;
        load.start();
        const bool loaded = office::diccionario().isValid();
        std::printf("spelling dictionary %s in %.0f ms\n", loaded ? "loaded" : "missing", load.nsecsElapsed() / 1e6);
    }
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (only.isEmpty() || only == u"demo")
        measure(dir.path(), report, "demo report", keys);
    if (only.isEmpty() || only == u"long")
        measure(dir.path(), longReport, "long report", keys);
    return 0;
}
