#pragma once

// Pictures (\pict) and shapes that carry one (\shp with a "pib" property).
// PNG and JPEG keep their bytes as the image resource; any other kind is
// shown as a placeholder of its size and keeps its whole group verbatim
// (prop::PictureRtf) so that a save writes it back unchanged. A shape
// places its picture on the page (prop::PictureFixed) unless it stands in
// the line, as LibreOffice's SHAPE fields do.

#include "textctl/rtf/rtfreadercontext.h"

namespace textctl::rtf {

void applyPictureWord(ReaderContext &ctx, Word word, int param);
void appendPictureHex(ReaderContext &ctx, QByteArrayView hex);
void appendPictureBinary(ReaderContext &ctx, QByteArrayView bytes);

// At the end of the \pict group (the current group); `closeOffset` is the
// offset of its closing brace, or -1 when the file ended inside it.
void finishPicture(ReaderContext &ctx, qsizetype closeOffset);
// At the end of the \shp group (the current group).
void finishShape(ReaderContext &ctx);
// At the end of a shape property value (\sv) group.
void finishShapeProperty(ReaderContext &ctx);

}  // namespace textctl::rtf
