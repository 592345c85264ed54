#pragma once

// Picture files made by tests: plain pictures in any format Qt writes, and
// a camera's JPEG whose EXIF orientation says how to turn it upright.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QtEndian>

namespace picturefiles {

// Left half `left`, right half `right`.
inline QImage halves(QSize size, QColor left, QColor right)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(right);
    QPainter(&image).fillRect(0, 0, size.width() / 2, size.height(), left);
    return image;
}

inline QByteArray encoded(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

// The JPEG with an APP1 Exif segment right after its start marker holding
// one tag, Orientation (0x0112) = `orientation`.
inline QByteArray withExifOrientation(const QByteArray &jpeg, int orientation)
{
    QByteArray tiff("II*\0\x08\0\0\0", 8);  // little-endian, first IFD at 8
    const auto le16 = [&tiff](quint16 v) { tiff.append(char(v & 0xff)).append(char(v >> 8)); };
    le16(1);  // one entry
    le16(0x0112);
    le16(3);  // SHORT
    le16(1);
    le16(0);  // count is 32 bits
    le16(quint16(orientation));
    le16(0);
    tiff.append(QByteArray(4, '\0'));  // no next IFD
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xff\xe1", 2);
    const quint16 length = quint16(payload.size() + 2);
    segment.append(char(length >> 8)).append(char(length & 0xff));
    return jpeg.left(2) + segment + payload + jpeg.mid(2);
}

inline QString write(const QString &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = QDir(dir).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return {};
    return path;
}

}  // namespace picturefiles
