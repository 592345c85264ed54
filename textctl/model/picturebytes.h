#pragma once

// A picture as the model stores it: the bytes of a PNG or JPEG file, kept as
// they came (a photo is never re-encoded), or a PNG made from any other
// format Qt reads. Photos carry their orientation in EXIF: every decode
// applies it, so a picture shows upright and its size is the upright size.
//
//   const StoredPicture picture = storedPicture(fileBytes);
//   if (picture.isNull()) fail();
//   QImage shown = decodePicture(picture.bytes);   // upright

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace textctl {

bool isPngBytes(const QByteArray &bytes);
bool isJpegBytes(const QByteArray &bytes);

// The picture upright (EXIF orientation applied); null when the bytes are
// no picture Qt reads.
QImage decodePicture(const QByteArray &bytes);
// Its upright size without decoding it; invalid when unreadable.
QSize pictureBytesSize(const QByteArray &bytes);
// The size its pixels are stored in, before the orientation is applied.
QSize storedPixelSize(const QByteArray &bytes);
// Degrees clockwise the stored pixels turn to show upright: 0, 90, 180 or
// 270. Mirrored orientations count as their turn alone.
int pictureTurn(const QByteArray &bytes);

// A shape turned a quarter keeps the box it has unturned, around the same
// centre: the box of a picture shown upright, from the box of its shape
// turned by `turn` degrees, and back (the same exchange both ways).
QRect quarterTurnedBox(const QRect &box, int turn);

struct StoredPicture {
    QByteArray bytes;
    QString kind;  // "png" or "jpeg"
    QSize size;    // upright, in pixels
    bool isNull() const { return bytes.isEmpty(); }
};

// PNG and JPEG bytes as they are; any other picture Qt reads as PNG; null
// when the bytes are no picture.
StoredPicture storedPicture(const QByteArray &bytes);

}  // namespace textctl
