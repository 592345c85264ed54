#pragma once

// A folder nothing can be written into while the object lives, root
// included: mode 0555, and where that does not stop the process (root),
// the file system's immutable attribute. `holds()` false (with `why`) when
// neither works here; the caller then skips with that reason.
#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

class UnwritableFolder {
public:
    explicit UnwritableFolder(const QString &path) : m_path(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                                        | QFile::ReadOther | QFile::ExeOther);
        if (!canWrite())
            return;
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
        int flags = 0;
        if (m_fd >= 0 && ::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags |= FS_IMMUTABLE_FL;
            m_immutable = ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        if (canWrite())
            why = QStringLiteral("this process writes even into a folder of mode 0555 and the file system "
                                 "has no immutable attribute for it");
    }
    ~UnwritableFolder()
    {
        int flags = 0;
        if (m_immutable && ::ioctl(m_fd, FS_IOC_GETFLAGS, &flags) == 0) {
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(m_fd, FS_IOC_SETFLAGS, &flags);
        }
        if (m_fd >= 0)
            ::close(m_fd);
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    UnwritableFolder(const UnwritableFolder &) = delete;
    UnwritableFolder &operator=(const UnwritableFolder &) = delete;

    bool holds() const { return why.isEmpty(); }
    QString why;

private:
    bool canWrite() const
    {
        QFile probe(QDir(m_path).filePath(QStringLiteral(".probe")));
        if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return false;
        probe.remove();
        return true;
    }

    QString m_path;
    int m_fd = -1;
    bool m_immutable = false;
};
