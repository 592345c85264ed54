#include "platformui/launcher.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platform;

TEST(Launcher, RecordingLauncherKeepsArgumentLists)
{
    RecordingLauncher launcher;
    launcher.openWithAssociatedApplication(u"/dir with blanks/fotos/00123.rtf"_qs);
    launcher.startDetached(u"/dir with blanks/quorvel"_qs, {u"/dir with blanks/fotos/00123.rtf"_qs, u"1"_qs});
    ASSERT_EQ(launcher.calls().size(), 2);
    EXPECT_EQ(launcher.calls().at(0), (RecordingLauncher::Call{u"xdg-open"_qs, {u"/dir with blanks/fotos/00123.rtf"_qs}}));
    EXPECT_EQ(launcher.calls().at(1).arguments.size(), 2);
}

// Reads what the other end writes into a FIFO, waiting on poll() (no
// sleeping) at most `timeoutMs` for each piece.
static QByteArray readFifo(const QByteArray &path, int timeoutMs)
{
    const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK);
    if (fd < 0)
        return {};
    QByteArray data;
    bool connected = false;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, timeoutMs) <= 0)
            break;
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            data.append(buffer, n);
            connected = true;
        } else if (n == 0 && connected) {
            break;  // the writer closed its end
        }
    }
    ::close(fd);
    return data;
}

TEST(Launcher, ProcessLauncherPassesArgumentsWithoutAShell)
{
    QTemporaryDir dir(QDir::tempPath() + u"/launch dir XXXXXX"_qs);
    ASSERT_TRUE(dir.isValid());
    const QString script = dir.filePath(u"record.sh"_qs);
    const QByteArray fifo = QFile::encodeName(dir.filePath(u"args.fifo"_qs));
    ASSERT_EQ(::mkfifo(fifo.constData(), 0600), 0);
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$(dirname \"$0\")/args.fifo\"\n");
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);

    ProcessLauncher launcher;
    ASSERT_TRUE(launcher.startDetached(script, {u"a b; rm -rf x"_qs, u"$HOME"_qs}));
    EXPECT_EQ(readFifo(fifo, 10000), QByteArray("a b; rm -rf x\n$HOME\n"));
}

TEST(Launcher, ProcessLauncherReportsAProgramThatCannotStart)
{
    ProcessLauncher launcher;
    EXPECT_FALSE(launcher.startDetached(u"/nonexistent/quorvel"_qs, {}));
    EXPECT_EQ(launcher.errorString(), u"No se puede ejecutar /nonexistent/quorvel"_qs);
}
