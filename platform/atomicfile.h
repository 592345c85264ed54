#pragma once

// A file replaced whole or not at all. The new content goes into an unnamed
// file in the target's folder (Linux's O_TMPFILE), is synced, and is given
// the target's name only when complete: a process killed while writing
// leaves nothing behind, and the old file stays as it was. A new file is
// linked straight to its name; an existing one is replaced by renaming a
// just-linked temporary name over it, both done by a child process that a
// kill of this one does not stop. Where the file system has no unnamed
// files, a named temporary file is written instead; one a killed process
// left is removed by the next save into that folder.
//
//   platform::AtomicFile file(path);
//   if (!file.open() || !file.write(bytes) || !file.commit())
//       report(file.errorString());

#include <QByteArrayView>
#include <QIODevice>
#include <QString>

namespace platform {

class AtomicFile final {
public:
    explicit AtomicFile(const QString &path);
    ~AtomicFile();  // an uncommitted file is discarded
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;

    // False when the folder is missing or not writable.
    bool open();
    // The whole piece or false: a full disk or a size limit is seen here.
    bool write(QByteArrayView piece);
    // Syncs and puts the file in place of the target.
    bool commit();
    QString errorString() const { return m_error; }

private:
    bool fail(int error);
    bool linkTo(const QByteArray &name);
    bool replaceTarget();
    void discard();

    QByteArray m_folder;
    QByteArray m_name;
    QByteArray m_tempName;  // a named temporary file, where unnamed ones are not available
    int m_folderFd = -1;
    int m_fd = -1;
    QString m_error;
};

// An AtomicFile for writers that take a QIODevice (QPdfWriter): opened
// for writing only; commit() puts the file in place.
//
//   platform::AtomicFileDevice device(path);
//   if (device.open(QIODevice::WriteOnly)) { QPdfWriter writer(&device); ... }
//   if (!device.commit()) report(device.errorString());
class AtomicFileDevice final : public QIODevice {
public:
    explicit AtomicFileDevice(const QString &path) : m_file(path) {}

    bool open(OpenMode mode) override;
    bool commit();
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override;

private:
    AtomicFile m_file;
    bool m_failed = false;
};

// The prefix of the temporary names of `name` (".<name>.guardando-").
QString temporaryPrefix(const QString &name);

}  // namespace platform
