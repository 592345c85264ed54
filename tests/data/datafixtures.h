#pragma once

// Helpers shared by the data tests: byte fixtures and program directories
// in temporary folders.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include <gtest/gtest.h>

namespace datatest {

// Writes `bytes` to dir/name, creating the folders on the way.
inline void writeFile(const QString &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir + u'/' + name;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath())) << path.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// `text` padded with spaces (or cut) to exactly `width` bytes.
inline QByteArray padded(const QByteArray &text, int width)
{
    return text.leftJustified(width, ' ', true);
}

// A dictionary line: name 1-30, key 31-40, length 41-43, position 44-47.
inline QByteArray dictionaryLine(const QByteArray &name, const QByteArray &key,
                                 const QByteArray &length, const QByteArray &position)
{
    return padded(name, 30) + padded(key, 10) + padded(length, 3) + position.rightJustified(4, ' ');
}

inline QByteArray repeated(const QByteArray &piece, int times)
{
    QByteArray out;
    out.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

}  // namespace datatest
