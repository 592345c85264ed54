#pragma once

// One page acquired from a scanner through SANE: the first device SANE
// lists, at 150 dots an inch where the device lets that be set, its other
// settings as the device gives them. Grey (1, 8 or 16 bits) and colour
// (one frame or three, 8 or 16 bits) pages are read; the page may be of
// unknown length (a sheet feeder, a hand scanner).
//
//   const office::ScannedPage page = office::scanPage([&](int percent) {
//       progress.setValue(percent);
//       return !progress.wasCanceled();
//   });
//   if (!page.image.isNull()) ...

#include <QImage>
#include <QString>

#include <functional>

namespace office {

struct ScannedPage {
    QImage image;
    // Why there is no image, in Spanish; empty when the user cancelled.
    QString error;
    bool cancelled = false;
    // Black and white only (1 bit): kept as PNG rather than JPEG.
    bool lineArt = false;
};

// `progress` is called between reads with the percentage of the page read
// (-1 while its length is unknown); returning false cancels the scan.
ScannedPage scanPage(const std::function<bool(int percent)> &progress);

// A SANE status as a cause for a Spanish message ("el escáner está ocupado").
QString saneCause(int status);

}  // namespace office
