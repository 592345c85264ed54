// moltrex as a real process, with no display, in temporary program
// directories laid out from the demo: a recording stand-in `quorvel` beside
// it and a recording `xdg-open` first on the PATH. Every case starts at
// once and the runs go in parallel, so the one-second first tick is paid
// about once.

#include "tests/filebytes.h"
#include "testsupport/demodirectory.h"
#include "tests/unwritable.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const QString kBinDir = QStringLiteral(VALDRIN_BIN_DIR);

// A hard link where the file system allows it (a program's directory is
// the one it was started from, never a symbolic link's target), else a copy.
bool placeBinary(const QString &name, const QString &dir)
{
    const QString from = kBinDir + u'/' + name;
    const QString to = dir + u'/' + name;
    return ::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0
        || QFile::copy(from, to);
}

bool writeScript(const QString &path, const QString &recordTo)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write("#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + QFile::encodeName(recordTo) + ".tmp'\n"
               "mv '" + QFile::encodeName(recordTo) + ".tmp' '" + QFile::encodeName(recordTo) + "'\n");
    file.close();
    return file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

// The arguments a stand-in recorded, one per line; waits for a stand-in
// started detached to have written them.
QStringList recorded(const QString &path, int waitMs)
{
    const QDeadlineTimer deadline(waitMs);
    while (!QFile::exists(path) && !deadline.hasExpired())
        QThread::msleep(10);
    const QString text = QString::fromUtf8(testfiles::readBytes(path));
    return text.isEmpty() ? QStringList() : text.chopped(1).split(u'\n');
}

struct Case {
    const char *name;
    QString program;        // moltrex or quorvel
    QStringList arguments;
    QString arrival;        // the arrival file's name, empty: the demo's 00123.txt removed
    bool ok;
    QStringList written;    // files in fotos/
    QString stderrHas;
    bool startsQuorvel;
    bool opens;

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QProcess> process;
    std::function<void()> inChild;  // run in the child before the program starts
    QString programDir() const { return dir->path() + u"/prog dir"_qs; }
};

class MoltrexProcess : public ::testing::Test {
protected:
    void layOut(Case &run)
    {
        run.dir = std::make_unique<QTemporaryDir>();
        ASSERT_TRUE(run.dir->isValid());
        // A blank in the directory is harmless: arguments never go through a shell.
        const QString dir = run.programDir();
        const QString from = QStringLiteral(VALDRIN_SAMPLES_DIR);
        ASSERT_TRUE(testsupport::copyDemoDirectory(dir));
        ASSERT_TRUE(QDir().mkpath(dir + u"/fotos"_qs));
        ASSERT_TRUE(QFile::remove(dir + u"/00123.txt"_qs));
        if (!run.arrival.isEmpty()) {
            ASSERT_TRUE(QFile::copy(from + u"/00123.txt"_qs, dir + u'/' + run.arrival));
        }
        if (run.program == u"moltrex") {
            ASSERT_TRUE(placeBinary(u"moltrex"_qs, dir));
            ASSERT_TRUE(writeScript(dir + u"/quorvel"_qs, run.dir->path() + u"/quorvel.args"_qs));
        } else {
            ASSERT_TRUE(placeBinary(u"quorvel"_qs, dir));
        }
        ASSERT_TRUE(QDir().mkpath(run.dir->path() + u"/bin"_qs));
        ASSERT_TRUE(writeScript(run.dir->path() + u"/bin/xdg-open"_qs, run.dir->path() + u"/xdg-open.args"_qs));
    }

    void start(Case &run)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(u"DISPLAY"_qs);
        env.remove(u"WAYLAND_DISPLAY"_qs);
        env.remove(u"QT_QPA_PLATFORM"_qs);   // the program picks offscreen itself
        env.insert(u"PATH"_qs, run.dir->path() + u"/bin:"_qs + env.value(u"PATH"_qs));
        run.process = std::make_unique<QProcess>();
        run.process->setProcessEnvironment(env);
        run.process->setWorkingDirectory(run.dir->path());   // never the program directory
        if (run.inChild)
            run.process->setChildProcessModifier(run.inChild);
        run.process->start(run.programDir() + u'/' + run.program, run.arguments);
        ASSERT_TRUE(run.process->waitForStarted()) << run.name;
    }
};

TEST_F(MoltrexProcess, RunsEndToEndAndHandsOn)
{
    const QString fotos = u"/fotos/"_qs;
    Case runs[] = {
        {"E starts quorvel", u"moltrex"_qs, {u"inf01:00123:2:E"_qs}, u"00123.txt"_qs, true,
         {u"00123.rtf"_qs}, {}, true, false, {}, {}, {}},
        {"upper-case arrival, empty destination starts nothing", u"moltrex"_qs, {u"inf01:00123:2:"_qs},
         u"00123.TXT"_qs, true, {u"00123.rtf"_qs}, {}, false, false, {}, {}, {}},
        {"one character after the second colon", u"moltrex"_qs, {u"inf01:00123:2"_qs}, u"00123.txt"_qs, false,
         {}, u"Argumento no válido"_qs, false, false, {}, {}, {}},
        {"no colon", u"moltrex"_qs, {u"inf01"_qs}, u"00123.txt"_qs, false, {}, u"Argumento no válido"_qs,
         false, false, {}, {}, {}},
        {"format 4 saves nothing", u"moltrex"_qs, {u"inf01:00123:4:E"_qs}, u"00123.txt"_qs, true, {}, {}, false,
         false, {}, {}, {}},
        {"format x fails", u"moltrex"_qs, {u"inf01:00123:x:E"_qs}, u"00123.txt"_qs, false, {},
         u"no es un número"_qs, false, false, {}, {}, {}},
        {"a base name with a folder fails before any wait", u"moltrex"_qs, {u"inf01:../00123:2:"_qs}, {}, false,
         {}, u"Nombre de fichero no válido"_qs, false, false, {}, {}, {}},
        {"format 1 is .doc, W opens it", u"moltrex"_qs, {u"inf01:00123:1:W"_qs}, u"00123.txt"_qs, true,
         {u"00123.doc"_qs}, {}, false, true, {}, {}, {}},
        {"format 3 is .txt; arguments joined by blanks", u"moltrex"_qs, {u"inf01:00123:3:"_qs, u"ignored"_qs},
         u"00123.txt"_qs, true, {u"00123.txt"_qs}, {}, false, false, {}, {}, {}},
        {"quorvel with no display", u"quorvel"_qs, {u"x.rtf"_qs, u"1"_qs}, u"00123.txt"_qs, false, {},
         u"pantalla"_qs, false, false, {}, {}, {}},
    };
    for (Case &run : runs) {
        layOut(run);
        start(run);
    }
    for (Case &run : runs) {
        SCOPED_TRACE(run.name);
        ASSERT_TRUE(run.process->waitForFinished(60000));
        const QString err = QString::fromUtf8(run.process->readAllStandardError());
        EXPECT_EQ(run.process->exitStatus(), QProcess::NormalExit);
        if (run.ok) {
            EXPECT_EQ(run.process->exitCode(), 0) << err.toStdString();
        } else {
            EXPECT_NE(run.process->exitCode(), 0);
            EXPECT_TRUE(err.contains(run.stderrHas)) << err.toStdString();
            if (run.program == u"moltrex") {
                EXPECT_TRUE(err.contains(u"Uso: moltrex <plantilla>:<fichero>:<formato>:<destino>"_qs))
                    << err.toStdString();
            }
        }
        const QString dir = run.programDir();
        EXPECT_EQ(QDir(dir + fotos).entryList(QDir::Files), run.written);
        const QString saved = run.written.isEmpty() ? QString() : dir + fotos + run.written.first();
        const QStringList quorvel = recorded(run.dir->path() + u"/quorvel.args"_qs, run.startsQuorvel ? 10000 : 0);
        EXPECT_EQ(quorvel, run.startsQuorvel ? QStringList({saved, u"1"_qs}) : QStringList());
        const QStringList opened = recorded(run.dir->path() + u"/xdg-open.args"_qs, run.opens ? 10000 : 0);
        EXPECT_EQ(opened, run.opens ? QStringList{saved} : QStringList());
    }
    // The saved files are what their endings say.
    EXPECT_TRUE(testfiles::readBytes(runs[0].programDir() + u"/fotos/00123.rtf"_qs).startsWith("{\\rtf1"));
    EXPECT_TRUE(testfiles::readBytes(runs[7].programDir() + u"/fotos/00123.doc"_qs).startsWith("{\\rtf1"));
    const QByteArray text = testfiles::readBytes(runs[8].programDir() + u"/fotos/00123.txt"_qs);
    EXPECT_FALSE(text.startsWith("{\\rtf"));
    EXPECT_TRUE(text.contains("71934862Q"));
}

TEST_F(MoltrexProcess, BadInputEndsWithItsMessageOrItsReport)
{
    const auto replace = [](const QString &path, const QByteArray &bytes) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QByteArray noise(4316, '\0');
    for (int i = 0; i < noise.size(); ++i)
        noise[i] = char((i * 7919 + 13) % 256);
    QByteArray longDictionary = testfiles::readBytes(QStringLiteral(VALDRIN_SAMPLES_DIR "/finstru.txt"));
    for (int line = 0; line < 40'000; ++line)
        longDictionary += "Campo de relleno " + QByteArray::number(line).leftJustified(12) + " F"
                          + QByteArray::number(line).leftJustified(8) + " 010 " + QByteArray::number(line % 400 + 1) + "\r\n";
    struct Bad {
        const char *name;
        QString linea;
        std::function<bool(const QString &dir)> spoil;
        QString says;  // empty: the report is made
        bool lockFotos = false;
        std::function<void()> inChild = {};
    };
    // A disk that fills after 16 KB: every write past it fails.
    const auto smallDisk = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{16 * 1024, 16 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
    };
    const Bad bads[] = {
        {"missing template", u"inf99:00123:2:"_qs, {}, u"plant/inf99.rtf"_qs},
        {"binary claim data", u"inf01:00123:2:"_qs,
         [&](const QString &dir) { return replace(dir + u"/finalprn.txt"_qs, noise); }, {}},
        {"truncated claim data", u"inf01:00123:2:"_qs,
         [&](const QString &dir) {
             return replace(dir + u"/finalprn.txt"_qs,
                            testfiles::readBytes(QStringLiteral(VALDRIN_SAMPLES_DIR "/finalprn.txt")).left(100));
         },
         {}},
        {"dictionary of 40,000 lines", u"inf01:00123:2:"_qs,
         [&](const QString &dir) { return replace(dir + u"/finstru.txt"_qs, longDictionary); },
         u"más de 32766 líneas"_qs},
        {"fotos missing", u"inf01:00123:2:"_qs,
         [](const QString &dir) { return QDir(dir + u"/fotos"_qs).removeRecursively(); },
         u"fotos/00123.rtf: la carpeta no existe"_qs},
        {"fotos not a folder", u"inf01:00123:2:"_qs,
         [&](const QString &dir) {
             return QDir(dir + u"/fotos"_qs).removeRecursively() && replace(dir + u"/fotos"_qs, "x");
         },
         u"fotos/00123.rtf: la carpeta no es una carpeta"_qs},
        {"fotos read-only", u"inf01:00123:2:"_qs, {}, u"fotos/00123.rtf: no hay permiso para escribir en la carpeta"_qs,
         true},
        {"a full disk", u"inf01:00123:2:"_qs, {}, u"fotos/00123.rtf: no queda espacio en el disco"_qs, false,
         smallDisk},
    };
    std::vector<std::unique_ptr<UnwritableFolder>> locks;
    std::vector<Case> runs;
    for (const Bad &bad : bads) {
        Case run{bad.name, u"moltrex"_qs, {bad.linea}, u"00123.txt"_qs, bad.says.isEmpty(), {}, bad.says, false,
                 false, {}, {}, bad.inChild};
        layOut(run);
        if (bad.spoil) {
            ASSERT_TRUE(bad.spoil(run.programDir())) << bad.name;
        }
        if (bad.lockFotos) {
            locks.push_back(std::make_unique<UnwritableFolder>(run.programDir() + u"/fotos"_qs));
            if (!locks.back()->holds()) {
                std::printf("[  SKIPPED ] %s: %s\n", bad.name, qPrintable(locks.back()->why));
                continue;
            }
        }
        start(run);
        runs.push_back(std::move(run));
    }
    for (Case &run : runs) {
        SCOPED_TRACE(run.name);
        ASSERT_TRUE(run.process->waitForFinished(60000));
        const QString err = QString::fromUtf8(run.process->readAllStandardError());
        EXPECT_EQ(run.process->exitStatus(), QProcess::NormalExit);
        QStringList inFotos = QDir(run.programDir() + u"/fotos"_qs).entryList(QDir::Files | QDir::Hidden);
        inFotos.removeAll(u".gitkeep"_qs);
        if (run.ok) {
            EXPECT_EQ(run.process->exitCode(), 0) << err.toStdString();
            EXPECT_EQ(inFotos, QStringList{u"00123.rtf"_qs});
            EXPECT_TRUE(testfiles::readBytes(run.programDir() + u"/fotos/00123.rtf"_qs).trimmed().endsWith('}'));
        } else {
            EXPECT_EQ(run.process->exitCode(), 1);
            EXPECT_TRUE(err.contains(run.stderrHas)) << err.toStdString();
            EXPECT_TRUE(inFotos.isEmpty()) << inFotos.join(u' ').toStdString();
        }
    }
}

}  // namespace

TEST(MoltrexHelp, PrintsTheLineAndItsCodes)
{
    QProcess moltrex;
    moltrex.start(kBinDir + u"/moltrex"_qs, {u"--help"_qs});
    ASSERT_TRUE(moltrex.waitForFinished(30000));
    EXPECT_EQ(moltrex.exitCode(), 0);
    const QString out = QString::fromUtf8(moltrex.readAllStandardOutput());
    for (const QString &part : {u"Uso: moltrex <plantilla>:<fichero>:<formato>:<destino>"_qs,
                                u"1 Word (.doc), 2 RTF (.rtf), 3 texto (.txt)"_qs, u"I lo imprime"_qs})
        EXPECT_TRUE(out.contains(part)) << out.toStdString();
}
