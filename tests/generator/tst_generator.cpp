// The generator's run over a private copy of the demo program directory:
// load handler, data wait, the work done once, failures and interruption.
// Ticks are driven by hand and the clock is injected: nothing sleeps.

#include "tests/filebytes.h"
#include "commands/impresion.h"
#include "frame/mdiparent.h"
#include "generator/frameoutput.h"
#include "generator/generator.h"
#include "platformui/screenpointer.h"
#include "platformui/scripteddialogs.h"
#include "testsupport/demodirectory.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <optional>

namespace {

using generator::Generator;

constexpr QStringView kUso = u"Ejemplo: moltrex inf01:00123:2:E";

class GeneratorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(tmp.isValid());
        programDir = tmp.path();
        ASSERT_TRUE(testsupport::copyDemoDirectory(programDir));
        QDir(programDir).mkpath(u"fotos"_qs);
        restart();
    }

    // A fresh main window and generator, as a new process would have; the
    // program's end and its notices are recorded.
    void restart(Generator::Seams seams = {})
    {
        gen.reset();
        parent.reset();
        mensajes.clear();
        lanzador = platform::RecordingLauncher();
        endings.clear();
        notices.clear();
        parent = std::make_unique<frame::MDIParent>(programDir, frame::FrameServices{&dialogo, &mensajes, &puntero, &lanzador},
                                                    frame::MDIParent::AfterGeneration::StayHidden);
        seams.end = [this](int code) { endings.append(code); };
        seams.notice = [this](const QString &text) { notices.append(text); };
        gen = std::make_unique<Generator>(*parent, std::move(seams));
    }

    QString arrival() const { return programDir + u"/00123.txt"_qs; }
    // Writes the arrival file (appending) and sets its modification time.
    void writeArrival(const QByteArray &bytes, const QDateTime &modified)
    {
        QFile file(arrival());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Append));
        file.write(bytes);
        ASSERT_TRUE(file.flush());   // a later flush would set the time again
        ASSERT_TRUE(file.setFileTime(modified, QFileDevice::FileModificationTime));
    }
    QStringList fotos() const { return QDir(programDir + u"/fotos"_qs).entryList(QDir::Files); }
    QString lastMessage() const { return mensajes.texts().value(mensajes.texts().size() - 1); }

    QTemporaryDir tmp;
    QString programDir;
    platform::ScriptedCommonDialog dialogo;
    platform::ScriptedMessageBoxes mensajes;
    platform::RecordingScreenPointer puntero;
    platform::RecordingLauncher lanzador;
    std::unique_ptr<frame::MDIParent> parent;
    std::unique_ptr<Generator> gen;
    QList<int> endings;
    QStringList notices;
};

TEST_F(GeneratorTest, FilePresentAtStartIsTakenOnTheFirstTickAndTheWorkRunsOnce)
{
    ASSERT_TRUE(gen->MDIParent_Load(u" inf01:00123:2:E "_qs));
    EXPECT_TRUE(gen->Timer1().isActive());
    EXPECT_EQ(gen->Timer1().interval(), 1000);
    EXPECT_EQ(gen->state(), Generator::State::Waiting);
    EXPECT_TRUE(endings.isEmpty());

    gen->Timer1_Timer();
    const QString saved = programDir + u"/fotos/00123.rtf"_qs;
    EXPECT_EQ(endings, QList<int>{0});
    EXPECT_EQ(gen->exitCode(), 0);
    EXPECT_FALSE(gen->Timer1().isActive());
    EXPECT_EQ(gen->outputPath(), saved);
    EXPECT_TRUE(testfiles::readBytes(saved).startsWith("{\\rtf1"));
    const QList<platform::RecordingLauncher::Call> started{{programDir + u"/quorvel"_qs, {saved, u"1"_qs}}};
    EXPECT_EQ(lanzador.calls(), started);
    EXPECT_TRUE(mensajes.texts().isEmpty()) << mensajes.texts().join(u'|').toStdString();

    gen->Timer1_Timer();
    EXPECT_EQ(endings, QList<int>{0}) << "the work runs exactly once";
    EXPECT_EQ(lanzador.calls().size(), 1);
}

TEST_F(GeneratorTest, WaitsUntilTheArrivalFileHasSettled)
{
    const QByteArray section = testfiles::readBytes(arrival());
    ASSERT_TRUE(QFile::remove(arrival()));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    restart({.clock = [now] { return now; }});
    ASSERT_TRUE(gen->MDIParent_Load(u"inf01:00123:3:"_qs));

    gen->Timer1_Timer();
    EXPECT_TRUE(endings.isEmpty()) << "no file yet";
    writeArrival(section.left(100), now.addMSecs(-500));
    gen->Timer1_Timer();
    EXPECT_TRUE(endings.isEmpty()) << "just appeared: first look";
    writeArrival(section.mid(100), now);
    gen->Timer1_Timer();
    EXPECT_TRUE(endings.isEmpty()) << "still being written";
    EXPECT_TRUE(fotos().isEmpty());
    gen->Timer1_Timer();
    EXPECT_EQ(endings, QList<int>{0}) << "unchanged since the previous look";
    EXPECT_TRUE(testfiles::readBytes(programDir + u"/fotos/00123.txt"_qs).contains("71934862Q"));
}

TEST_F(GeneratorTest, AnOldFileIsTakenOnTheTickThatSeesIt)
{
    const QByteArray section = testfiles::readBytes(arrival());
    ASSERT_TRUE(QFile::remove(arrival()));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    restart({.clock = [now] { return now; }});
    ASSERT_TRUE(gen->MDIParent_Load(u"inf01:00123:2:"_qs));
    gen->Timer1_Timer();
    writeArrival(section, now.addSecs(-3));
    gen->Timer1_Timer();
    EXPECT_EQ(endings, QList<int>{0});
    EXPECT_EQ(fotos(), QStringList{u"00123.rtf"_qs});
    EXPECT_TRUE(lanzador.calls().isEmpty()) << "empty destination starts nothing";
}

TEST_F(GeneratorTest, TheRunSavesTheNamedClaimsReport)
{
    struct Row {
        const char *name;
        QString linea;
        QString file;
        QByteArray holds;
        QByteArray lacks;
    };
    const Row rows[] = {
        {"second record's claim", u"inf01:00187:3:"_qs, u"00187.txt"_qs, "B34526178", "71934862Q"},
        {"upper-case arrival file and template name", u"INF01:00201:3:"_qs, u"00201.txt"_qs, "X4829163Z", "71934862Q"},
    };
    ASSERT_TRUE(QFile::rename(programDir + u"/00201.txt"_qs, programDir + u"/00201.TXT"_qs));
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        restart();
        ASSERT_TRUE(gen->MDIParent_Load(row.linea));
        gen->Timer1_Timer();
        ASSERT_EQ(endings, QList<int>{0}) << lastMessage().toStdString();
        const QByteArray text = testfiles::readBytes(programDir + u"/fotos/"_qs + row.file);
        EXPECT_TRUE(text.contains(row.holds));
        EXPECT_FALSE(text.contains(row.lacks));
    }
}

TEST_F(GeneratorTest, StartUpFailuresReportTheExpectedCommandLine)
{
    // A line no arrival file could make right ends before any wait.
    const std::pair<QString, QString> lines[] = {
        {u"inf01:00123:2"_qs, u"Argumento no válido"_qs},
        {u"inf01"_qs, u"Argumento no válido"_qs},
        {QString(), u"Argumento no válido"_qs},
        {u"inf01:../00123:2:"_qs, u"Nombre de fichero no válido: \"../00123\""_qs},
        {u"inf01:/tmp/00123:2:"_qs, u"Nombre de fichero no válido"_qs},
        {u"inf01:.00123:2:"_qs, u"Nombre de fichero no válido"_qs},
        {u"inf01: :2:"_qs, u"Nombre de fichero no válido: \" \""_qs},
        {u"inf01:00123:x:E"_qs, u"No coinciden los tipos: el formato \"x\" no es un número"_qs},
        {u"../inf01:00123:2:"_qs, u"Nombre de plantilla no válido: \"../inf01\""_qs},
        {u":00123:2:"_qs, u"Nombre de plantilla no válido"_qs},
    };
    for (const auto &[linea, says] : lines) {
        SCOPED_TRACE(linea.toStdString());
        restart();
        EXPECT_FALSE(gen->MDIParent_Load(linea));
        EXPECT_EQ(gen->exitCode(), 1);
        EXPECT_FALSE(gen->Timer1().isActive());
        EXPECT_TRUE(lastMessage().startsWith(says)) << lastMessage().toStdString();
        EXPECT_TRUE(lastMessage().endsWith(kUso));
    }
    ASSERT_TRUE(QFile::remove(programDir + u"/finstru.txt"_qs));
    restart();
    EXPECT_FALSE(gen->MDIParent_Load(u"inf01:00123:2:E"_qs));
    EXPECT_EQ(gen->exitCode(), 1);
    EXPECT_FALSE(gen->Timer1().isActive());
    EXPECT_FALSE(mensajes.texts().isEmpty()) << "the dictionary error is reported";
    EXPECT_EQ(notices, QStringList{generator::usage()});
}

TEST_F(GeneratorTest, WorkFailuresSaveAndStartNothing)
{
    struct Row {
        const char *name;
        QString linea;
        bool emptyClaimData;
        QString says;
    };
    const Row rows[] = {
        {"missing template", u"nada:00123:2:E"_qs, false, u"nada.rtf"_qs},
        // Last: the claim data stays empty.
        {"no claim record", u"inf01:00123:2:E"_qs, true, u"ningún registro"_qs},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (row.emptyClaimData) {
            QFile claims(programDir + u"/finalprn.txt"_qs);
            ASSERT_TRUE(claims.open(QIODevice::WriteOnly | QIODevice::Truncate));
        }
        restart();
        ASSERT_TRUE(gen->MDIParent_Load(row.linea));
        gen->Timer1_Timer();
        EXPECT_EQ(endings, QList<int>{1});
        EXPECT_EQ(gen->exitCode(), 1);
        EXPECT_TRUE(lastMessage().contains(row.says)) << lastMessage().toStdString();
        EXPECT_TRUE(lastMessage().endsWith(kUso));
        EXPECT_TRUE(fotos().isEmpty());
        EXPECT_TRUE(lanzador.calls().isEmpty());
    }
}

TEST_F(GeneratorTest, FormatFourSavesNothingAndStartsNothing)
{
    ASSERT_TRUE(gen->MDIParent_Load(u"inf01:00123:4:E"_qs));
    gen->Timer1_Timer();
    EXPECT_EQ(endings, QList<int>{0});
    EXPECT_TRUE(fotos().isEmpty());
    EXPECT_TRUE(lanzador.calls().isEmpty());
    EXPECT_TRUE(gen->outputPath().isEmpty());
}

TEST_F(GeneratorTest, PrintsTheReportWhenNoFileIsWritten)
{
    const QString pdf = programDir + u"/impreso.pdf"_qs;
    std::optional<generator::FrameOutput> host;
    restart({.output = [&]() -> merge::OutputHost & {
        return host.emplace(*parent, [&pdf](TXTextControl &control, QString *error) {
            QPrinter printer;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return commands::printAllPages(control, printer, error);
        });
    }});
    ASSERT_TRUE(gen->MDIParent_Load(u"inf01:00123:4:I"_qs));
    gen->Timer1_Timer();
    EXPECT_EQ(endings, QList<int>{0}) << lastMessage().toStdString();
    EXPECT_TRUE(fotos().isEmpty());
    const QByteArray printed = testfiles::readBytes(pdf);
    EXPECT_TRUE(printed.startsWith("%PDF"));
    EXPECT_TRUE(printed.contains("/Type /Page")) << "at least one page printed";
}

TEST_F(GeneratorTest, TerminationSignalWhileWaitingEndsWithNothingWritten)
{
    for (int signal : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(signal);
        restart();
        ASSERT_TRUE(gen->MDIParent_Load(u"inf01:99999:2:E"_qs));
        gen->Timer1_Timer();
        ASSERT_EQ(std::raise(signal), 0);
        const QDeadlineTimer deadline(5000);
        while (endings.isEmpty() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        EXPECT_EQ(endings, QList<int>{1});
        EXPECT_EQ(gen->exitCode(), 1);
        EXPECT_FALSE(gen->Timer1().isActive());
        ASSERT_EQ(notices.size(), 1);
        EXPECT_TRUE(notices.first().contains(u"interrumpido"_qs)) << notices.first().toStdString();
        EXPECT_TRUE(notices.first().contains(u"99999.txt"_qs));
        EXPECT_TRUE(fotos().isEmpty());
    }
}

}  // namespace
