#include "textctl/rtf/rtfoutput.h"

#include <array>
#include <cstring>

namespace textctl {

namespace {

constexpr qsizetype kBytesPerLine = 64;
// Picture bytes encoded per piece handed to the file: 2 MB of hex, small
// enough to stay in the cache while it is written.
constexpr qsizetype kBytesPerPiece = kBytesPerLine * 16384;

}  // namespace

qsizetype RtfOutput::hexSize(qsizetype bytes)
{
    return bytes * 2 + (bytes + kBytesPerLine - 1) / kBytesPerLine;
}

char *RtfOutput::encodeHex(QByteArrayView bytes, char *out)
{
    static const auto kPairs = [] {
        constexpr char digits[] = "0123456789abcdef";
        std::array<char, 512> pairs;
        for (int b = 0; b < 256; ++b) {
            pairs[2 * b] = digits[b >> 4];
            pairs[2 * b + 1] = digits[b & 15];
        }
        return pairs;
    }();
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.data());
    for (qsizetype done = 0; done < bytes.size(); done += kBytesPerLine) {
        const qsizetype count = qMin(kBytesPerLine, bytes.size() - done);
        for (qsizetype i = 0; i < count; ++i) {
            std::memcpy(out, &kPairs[2 * in[done + i]], 2);
            out += 2;
        }
        *out++ = '\n';
    }
    return out;
}

qsizetype RtfOutput::size() const
{
    qsizetype total = text.size();
    for (const Hex &picture : pictures)
        total += hexSize(picture.data.size());
    return total;
}

QByteArray RtfOutput::toByteArray() const
{
    if (pictures.isEmpty())
        return text;
    QByteArray whole(size(), Qt::Uninitialized);
    char *out = whole.data();
    qsizetype from = 0;
    for (const Hex &picture : pictures) {
        std::memcpy(out, text.constData() + from, size_t(picture.at - from));
        out = encodeHex(picture.data, out + (picture.at - from));
        from = picture.at;
    }
    std::memcpy(out, text.constData() + from, size_t(text.size() - from));
    return whole;
}

bool RtfOutput::writeTo(const std::function<bool(QByteArrayView)> &write) const
{
    QByteArray piece;
    qsizetype from = 0;
    for (const Hex &picture : pictures) {
        if (picture.at > from && !write(QByteArrayView(text).sliced(from, picture.at - from)))
            return false;
        from = picture.at;
        if (piece.isEmpty())
            piece.resize(hexSize(kBytesPerPiece));
        for (qsizetype done = 0; done < picture.data.size(); done += kBytesPerPiece) {
            const QByteArrayView bytes =
                QByteArrayView(picture.data).sliced(done, qMin(kBytesPerPiece, picture.data.size() - done));
            const char *end = encodeHex(bytes, piece.data());
            if (!write(QByteArrayView(piece.constData(), end - piece.constData())))
                return false;
        }
    }
    return from == text.size() || write(QByteArrayView(text).sliced(from));
}

}  // namespace textctl
