#include "platform/atomicfile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/wait.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr int kStaleSeconds = 60;  // older temporary names are leftovers

// The user's words for what went wrong; the system's text for the rare rest.
QString describe(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("la carpeta no existe");
    case ENOTDIR:
        return QStringLiteral("la carpeta no es una carpeta");
    case EACCES:
    case EPERM:
        return QStringLiteral("no hay permiso para escribir en la carpeta");
    case EROFS:
        return QStringLiteral("la carpeta está en un disco de solo lectura");
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QStringLiteral("no queda espacio en el disco");
    case EIO:
        return QStringLiteral("error de entrada/salida del disco");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

// What the child that replaces the target needs, made ready before it starts.
struct Replacement {
    int fd;
    int folder;
    const char *self;  // the file as /proc/self/fd/N
    const char *temp;
    const char *name;
    int error;
};

// Names the finished file with a temporary name and renames that over the
// target. Run in a child sharing this process's memory while this process
// waits (CLONE_VM | CLONE_VFORK): should this process be killed meanwhile,
// the child still finishes, and no temporary name is left behind. System
// calls only.
__attribute__((no_sanitize("address", "undefined"))) int nameAndRename(void *argument)
{
    auto *r = static_cast<Replacement *>(argument);
    if (::linkat(AT_FDCWD, r->self, r->folder, r->temp, AT_SYMLINK_FOLLOW) != 0
        && ::linkat(r->fd, "", r->folder, r->temp, AT_EMPTY_PATH) != 0) {
        r->error = errno;
        return 1;
    }
    if (::renameat(r->folder, r->temp, r->folder, r->name) != 0) {
        r->error = errno;
        ::unlinkat(r->folder, r->temp, 0);
        return 1;
    }
    return 0;
}

QByteArray randomSuffix()
{
    return QByteArray::number(QRandomGenerator::global()->generate64(), 36);
}

// Temporary names of `name` in `folder` last written over a minute ago:
// left by a process killed between naming its file and renaming it.
void removeLeftovers(const QString &folder, const QString &name)
{
    const QDateTime stale = QDateTime::currentDateTimeUtc().addSecs(-kStaleSeconds);
    const QDir dir(folder);
    const QFileInfoList found = dir.entryInfoList({temporaryPrefix(name) + u'*'}, QDir::Files | QDir::Hidden);
    for (const QFileInfo &entry : found) {
        if (entry.lastModified().toUTC() < stale)
            QFile::remove(entry.filePath());
    }
}

}  // namespace

QString temporaryPrefix(const QString &name)
{
    return u'.' + name + QStringLiteral(".guardando-");
}

AtomicFile::AtomicFile(const QString &path)
{
    QFileInfo target(path);
    // A link is followed: the file it points to is the one replaced.
    if (target.isSymLink())
        target.setFile(target.symLinkTarget());
    m_folder = QFile::encodeName(target.absolutePath());
    m_name = QFile::encodeName(target.fileName());
}

AtomicFile::~AtomicFile()
{
    discard();
}

bool AtomicFile::fail(int error)
{
    m_error = describe(error);
    discard();
    return false;
}

void AtomicFile::discard()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (!m_tempName.isEmpty())
        ::unlinkat(m_folderFd, m_tempName.constData(), 0);
    if (m_folderFd >= 0)
        ::close(m_folderFd);
    m_fd = m_folderFd = -1;
    m_tempName.clear();
}

bool AtomicFile::open()
{
    if (m_name.isEmpty())
        return fail(EISDIR);
    m_folderFd = ::open(m_folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_folderFd < 0)
        return fail(errno);
    removeLeftovers(QFile::decodeName(m_folder), QFile::decodeName(m_name));
    m_fd = ::openat(m_folderFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (m_fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        m_tempName = QFile::encodeName(temporaryPrefix(QFile::decodeName(m_name))) + randomSuffix();
        m_fd = ::openat(m_folderFd, m_tempName.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (m_fd < 0)
            m_tempName.clear();
    }
    if (m_fd < 0)
        return fail(errno);
    // The replaced file keeps its permissions.
    struct stat old {};
    if (::fstatat(m_folderFd, m_name.constData(), &old, 0) == 0 && S_ISREG(old.st_mode))
        ::fchmod(m_fd, old.st_mode & 07777);
    return true;
}

bool AtomicFile::write(QByteArrayView piece)
{
    if (m_fd < 0)
        return fail(EBADF);
    const char *data = piece.data();
    qsizetype left = piece.size();
    while (left > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return fail(written < 0 ? errno : ENOSPC);
        data += written;
        left -= written;
    }
    return true;
}

bool AtomicFile::linkTo(const QByteArray &name)
{
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
    if (::linkat(AT_FDCWD, self.constData(), m_folderFd, name.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    // Without /proc, naming a descriptor needs AT_EMPTY_PATH.
    return errno == ENOENT && ::linkat(m_fd, "", m_folderFd, name.constData(), AT_EMPTY_PATH) == 0;
}

bool AtomicFile::replaceTarget()
{
    const QByteArray temp = QFile::encodeName(temporaryPrefix(QFile::decodeName(m_name))) + randomSuffix();
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_fd);
    Replacement replacement{m_fd, m_folderFd, self.constData(), temp.constData(), m_name.constData(), 0};
    alignas(16) std::array<char, 32 * 1024> stack;
    const pid_t child = ::clone(nameAndRename, stack.data() + stack.size(), CLONE_VM | CLONE_VFORK | SIGCHLD,
                                &replacement);
    if (child < 0) {
        // No child to be had: done here, with the short window.
        if (nameAndRename(&replacement) == 0)
            return true;
        errno = replacement.error;
        return false;
    }
    int status = 0;
    pid_t waited = 0;
    do {
        waited = ::waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);
    // Where SIGCHLD is ignored the child is gone unwaited; its error is in
    // our memory all the same.
    const bool exited = waited < 0 || (WIFEXITED(status) && WEXITSTATUS(status) == 0);
    if (exited && replacement.error == 0)
        return true;
    errno = replacement.error != 0 ? replacement.error : EIO;
    return false;
}

bool AtomicFile::commit()
{
    if (m_fd < 0)
        return fail(EBADF);
    if (::fsync(m_fd) != 0)
        return fail(errno);
    if (m_tempName.isEmpty()) {
        // A new file takes its name at once; an existing one is replaced
        // through a temporary name.
        if (!linkTo(m_name)) {
            if (errno != EEXIST || !replaceTarget())
                return fail(errno);
        }
    }
    if (!m_tempName.isEmpty()) {
        if (::renameat(m_folderFd, m_tempName.constData(), m_folderFd, m_name.constData()) != 0)
            return fail(errno);
        m_tempName.clear();
    }
    const int closed = ::close(m_fd);
    m_fd = -1;
    if (closed != 0)
        return fail(errno);
    // The new name itself survives a power cut.
    ::fsync(m_folderFd);
    discard();
    return true;
}

bool AtomicFileDevice::open(OpenMode mode)
{
    if ((mode & ReadOnly) || !m_file.open()) {
        setErrorString(m_file.errorString());
        return false;
    }
    return QIODevice::open(mode | Unbuffered);
}

qint64 AtomicFileDevice::writeData(const char *data, qint64 size)
{
    if (m_failed || !m_file.write(QByteArrayView(data, size))) {
        m_failed = true;
        setErrorString(m_file.errorString());
        return -1;
    }
    return size;
}

bool AtomicFileDevice::commit()
{
    // A failed write left the file unfinished: it is discarded, not named.
    bool ok = isOpen() && !m_failed;
    if (ok && !m_file.commit()) {
        ok = false;
        setErrorString(m_file.errorString());
    }
    close();
    return ok;
}

}  // namespace platform
