#pragma once

// A file's bytes for the tests: read whole (empty when it cannot be read)
// or written whole (false when not all of them could be).
#include <QByteArray>
#include <QFile>
#include <QString>

namespace testfiles {

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

}  // namespace testfiles
