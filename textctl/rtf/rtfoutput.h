#pragma once

// The RTF writer's output with the hex of its large pictures not yet
// encoded: the text around them in memory, each picture's bytes shared with
// the document. A report of photos is mostly hex, twice its pictures' size;
// streamed to its file a chunk at a time, it never stands whole in memory.
//
//   const RtfOutput out = writeRtfOutput(doc);
//   out.writeTo([&](QByteArrayView chunk) { return file.write(chunk) == chunk.size(); });

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <functional>

namespace textctl {

struct RtfOutput {
    // A picture's bytes whose hex lines go at byte `at` of the text.
    struct Hex {
        qsizetype at = 0;
        QByteArray data;
    };

    QByteArray text;
    QList<Hex> pictures;  // by ascending `at`

    // The hex of `bytes` bytes: two digits a byte, a line end every 64.
    static qsizetype hexSize(qsizetype bytes);
    // Writes `bytes` as hex lines at `out`; returns the end.
    static char *encodeHex(QByteArrayView bytes, char *out);

    qsizetype size() const;
    QByteArray toByteArray() const;
    // Hands the output to `write` in order, in pieces of a few MB at most;
    // stops at the first piece it refuses and returns false.
    bool writeTo(const std::function<bool(QByteArrayView)> &write) const;
};

}  // namespace textctl
