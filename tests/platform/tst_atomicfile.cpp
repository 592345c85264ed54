#include "tests/filebytes.h"
#include "platform/atomicfile.h"
#include "tests/unwritable.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <functional>
#include <memory>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>

using namespace Qt::StringLiterals;

namespace {

bool save(const QString &path, const QByteArray &bytes, QString *error = nullptr)
{
    platform::AtomicFile file(path);
    const bool ok = file.open() && file.write(bytes) && file.commit();
    if (error)
        *error = file.errorString();
    return ok;
}

// The same through the device a PDF writer is given, 4 KB a write.
bool saveThroughDevice(const QString &path, const QByteArray &bytes, QString *error)
{
    platform::AtomicFileDevice device(path);
    bool ok = device.open(QIODevice::WriteOnly);
    for (qsizetype at = 0; ok && at < bytes.size(); at += 4096)
        ok = device.write(bytes.mid(at, 4096)) >= 0;
    ok = device.commit() && ok;
    *error = device.errorString();
    return ok;
}

QStringList entries(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

// A file size limit for the scope: every write past `bytes` fails, as on a
// full disk (SIGXFSZ ignored, so the write reports it).
class SizeLimit {
public:
    explicit SizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny = m_saved;
        tiny.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~SizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

}  // namespace

TEST(AtomicFile, AFailedSaveLeavesTheOldFileAndNothingBeside)
{
    const QByteArray old = "{\\rtf1 el informe de ayer}";
    const QByteArray report(200 * 1024, 'n');
    struct Case {
        const char *name;
        QString folder;  // relative to the test's folder
        std::function<std::shared_ptr<void>(const QString &folder, QString *skip)> fault;
    };
    const Case cases[] = {
        {"missing folder", u"no/existe"_s, {}},
        {"unwritable folder", u"solo_lectura"_s,
         [](const QString &folder, QString *skip) {
             auto guard = std::make_shared<UnwritableFolder>(folder);
             *skip = guard->why;
             return guard;
         }},
        {"file size limit", u"lleno"_s,
         [](const QString &, QString *) { return std::make_shared<SizeLimit>(64 * 1024); }},
    };
    for (const auto &[c, device] : {std::pair{&cases[0], false}, {&cases[1], false}, {&cases[2], false},
                                     {&cases[0], true}, {&cases[1], true}, {&cases[2], true}}) {
        SCOPED_TRACE(std::string(c->name) + (device ? " (device)" : ""));
        QTemporaryDir dir;
        const QString folder = dir.filePath(c->folder);
        const QString path = folder + u"/informe.rtf"_s;
        const bool exists = c->folder != u"no/existe"_s;
        if (exists) {
            ASSERT_TRUE(QDir().mkpath(folder));
            ASSERT_TRUE(testfiles::writeBytes(path, old));
        }
        QString error;
        bool saved = false;
        {
            QString skip;
            const std::shared_ptr<void> fault = c->fault ? c->fault(folder, &skip) : nullptr;
            if (!skip.isEmpty()) {
                std::printf("[  SKIPPED ] %s: %s\n", c->name, qPrintable(skip));
                continue;
            }
            saved = device ? saveThroughDevice(path, report, &error) : save(path, report, &error);
        }
        EXPECT_FALSE(saved);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(testfiles::readBytes(path), exists ? old : QByteArray());
        EXPECT_EQ(entries(folder), exists ? QStringList{u"informe.rtf"_s} : QStringList{});
    }
}

TEST(AtomicFile, ReplacesTheFileTheNameStandsFor)
{
    QTemporaryDir dir;
    const QString real = dir.filePath(u"real.rtf"_s);
    const QString link = dir.filePath(u"enlace.rtf"_s);
    ASSERT_TRUE(testfiles::writeBytes(real, "viejo"));
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(real, link));

    ASSERT_TRUE(save(link, "nuevo"));
    EXPECT_TRUE(QFileInfo(link).isSymLink()) << "the link stays a link";
    EXPECT_EQ(testfiles::readBytes(real), "nuevo");
    EXPECT_EQ(QFile::permissions(real) & ~0x0f00, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);

    ASSERT_TRUE(save(dir.filePath(u"nuevo.rtf"_s), "primero"));
    EXPECT_EQ(testfiles::readBytes(dir.filePath(u"nuevo.rtf"_s)), "primero");
    EXPECT_EQ(entries(dir.path()), (QStringList{u"enlace.rtf"_s, u"nuevo.rtf"_s, u"real.rtf"_s}));
}

TEST(AtomicFile, TheNextSaveRemovesWhatAKilledOneLeft)
{
    QTemporaryDir dir;
    const QString prefix = dir.filePath(platform::temporaryPrefix(u"informe.rtf"_s));
    ASSERT_TRUE(testfiles::writeBytes(prefix + u"viejo"_s, "resto"));
    ASSERT_TRUE(testfiles::writeBytes(prefix + u"reciente"_s, "otro guardado en curso"));
    QFile stale(prefix + u"viejo"_s);
    ASSERT_TRUE(stale.open(QIODevice::ReadWrite));
    ASSERT_TRUE(stale.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-120), QFile::FileModificationTime));
    stale.close();

    ASSERT_TRUE(save(dir.filePath(u"informe.rtf"_s), "informe"));
    EXPECT_EQ(entries(dir.path()),
              (QStringList{QFileInfo(prefix + u"reciente"_s).fileName(), u"informe.rtf"_s}));
}

TEST(AtomicFile, AKillAtAnyPointLeavesTheOldFileOrTheNewOne)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(u"informe.rtf"_s);
    constexpr int kMegabytes = 8;
    const QString driver = QStringLiteral(VALDRIN_BIN_DIR "/atomicfile_driver");
    // The driver leads a process group of its own, and what it leaves
    // running when killed (the child finishing a rename) becomes this
    // process's child, to be waited for.
    ASSERT_EQ(::prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    const auto start = [&](QProcess &process, char fill) {
        process.setChildProcessModifier([] { ::setpgid(0, 0); });
        process.start(driver, {path, QString::number(kMegabytes), QString::number(int(fill))});
        return process.waitForStarted();
    };
    // A whole run first: the old file, and how long a save takes.
    QProcess first;
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(start(first, 'a'));
    ASSERT_TRUE(first.waitForFinished(60'000));
    ASSERT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    // The kill comes at a random moment of about one save's time. A save's
    // time changes with the machine's load: a save that ended by itself
    // sets it anew, and ten kills in a row stretch it.
    int span = int(clock.elapsed()) + 5;
    int killedInARow = 0;

    int keptOld = 0;
    int tookNew = 0;
    char current = 'a';
    for (int run = 0; run < 200; ++run) {
        const char next = current == 'a' ? 'b' : 'a';
        QProcess process;
        QElapsedTimer save;
        save.start();
        ASSERT_TRUE(start(process, next));
        const pid_t group = pid_t(process.processId());
        // Finished early or not, it is killed now.
        process.waitForFinished(QRandomGenerator::global()->bounded(span * 5 / 4 + 1));
        // A finished process has no id: kill(0) would stop this whole group.
        if (const qint64 pid = process.processId(); pid > 0) {
            ::kill(pid_t(pid), SIGKILL);
            if (++killedInARow == 10) {
                span = span * 3 / 2;
                killedInARow = 0;
            }
        } else {
            span = int(save.elapsed()) + 5;
            killedInARow = 0;
        }
        ASSERT_TRUE(process.state() == QProcess::NotRunning || process.waitForFinished(60'000));
        while (::waitpid(-group, nullptr, 0) > 0 || errno == EINTR) {
        }

        const QByteArray now = testfiles::readBytes(path);
        ASSERT_EQ(now.size(), kMegabytes * 1024 * 1024) << "run " << run;
        ASSERT_EQ(now.count(now.front()), now.size()) << "run " << run << ": a mixed file";
        ASSERT_EQ(entries(dir.path()), QStringList{u"informe.rtf"_s}) << "run " << run;
        if (now.front() == next) {
            ++tookNew;
            current = next;
        } else {
            ASSERT_EQ(now.front(), current);
            ++keptOld;
        }
    }
    std::printf("200 kills: the old file kept %d times, the new one in place %d times\n", keptOld, tookNew);
    EXPECT_GT(keptOld, 0);
    EXPECT_GT(tookNew, 0);
}
