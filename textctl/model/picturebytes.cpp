#include "textctl/model/picturebytes.h"

#include <QBuffer>
#include <QImageReader>

namespace textctl {

namespace {

// A reader over bytes the caller keeps alive.
class BytesReader final {
public:
    explicit BytesReader(const QByteArray &bytes)
        : m_bytes(bytes)
        , m_buffer(&m_bytes)
    {
        m_buffer.open(QIODevice::ReadOnly);
        m_reader.setDevice(&m_buffer);
        m_reader.setAutoTransform(true);
    }
    QImageReader &reader() { return m_reader; }

private:
    QByteArray m_bytes;  // implicitly shared: no copy of the data
    QBuffer m_buffer;
    QImageReader m_reader;
};

}  // namespace

bool isPngBytes(const QByteArray &bytes)
{
    return bytes.startsWith("\x89PNG\r\n\x1a\n");
}

bool isJpegBytes(const QByteArray &bytes)
{
    return bytes.startsWith("\xff\xd8\xff");
}

QImage decodePicture(const QByteArray &bytes)
{
    BytesReader reader(bytes);
    return reader.reader().read();
}

QSize storedPixelSize(const QByteArray &bytes)
{
    BytesReader reader(bytes);
    return reader.reader().size();
}

int pictureTurn(const QByteArray &bytes)
{
    BytesReader reader(bytes);
    const QImageIOHandler::Transformations t = reader.reader().transformation();
    if (t & QImageIOHandler::TransformationRotate90)
        return (t & QImageIOHandler::TransformationRotate180) == QImageIOHandler::TransformationRotate180 ? 270 : 90;
    if ((t & QImageIOHandler::TransformationRotate180) == QImageIOHandler::TransformationRotate180)
        return 180;
    return 0;
}

QSize pictureBytesSize(const QByteArray &bytes)
{
    BytesReader reader(bytes);
    const QSize size = reader.reader().size();
    if (reader.reader().transformation() & QImageIOHandler::TransformationRotate90)
        return size.transposed();
    return size;
}

QRect quarterTurnedBox(const QRect &box, int turn)
{
    if (turn % 180 == 0)
        return box;
    // Integer division truncates toward zero, so the exchange undoes itself.
    const int w = box.width();
    const int h = box.height();
    return {box.left() + (w - h) / 2, box.top() + (h - w) / 2, h, w};
}

StoredPicture storedPicture(const QByteArray &bytes)
{
    StoredPicture picture;
    if (isPngBytes(bytes) || isJpegBytes(bytes)) {
        picture.size = pictureBytesSize(bytes);
        if (!picture.size.isValid() || decodePicture(bytes).isNull())
            return {};
        picture.bytes = bytes;
        picture.kind = isPngBytes(bytes) ? QStringLiteral("png") : QStringLiteral("jpeg");
        return picture;
    }
    const QImage image = decodePicture(bytes);
    if (image.isNull())
        return {};
    QBuffer buffer(&picture.bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        return {};
    picture.kind = QStringLiteral("png");
    picture.size = image.size();
    return picture;
}

}  // namespace textctl
