// Pictures: PNG and JPEG bytes as \pngblip/\jpegblip hex with their sizes,
// opaque pictures as the {\pict ...} group they came in, pictures placed on
// the page inside a {\shp ...} group.

#include "textctl/rtf/rtfwriter.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/picturebytes.h"
#include "textctl/model/richdocument.h"

#include <QBuffer>
#include <QImage>
#include <QTextDocument>
#include <QUrl>

#include <cmath>

namespace textctl {

namespace {

struct PictureData {
    QByteArray bytes;
    const char *blip = nullptr;  // "pngblip" or "jpegblip"
    QSize pixels;                // as stored, before the EXIF orientation
    int turn = 0;                // degrees clockwise that orientation turns
};

PictureData pngData(const QImage &image)
{
    PictureData data;
    if (image.isNull())
        return data;
    QBuffer buffer(&data.bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    data.blip = "pngblip";
    data.pixels = image.size();
    return data;
}

// PNG and JPEG bytes go out as they are (a photo's EXIF orientation with
// them); an image held as a QImage or in another format is written as PNG.
PictureData pictureData(const QVariant &resource)
{
    if (resource.typeId() != QMetaType::QByteArray)
        return pngData(resource.value<QImage>());
    const QByteArray bytes = resource.toByteArray();
    if (!isPngBytes(bytes) && !isJpegBytes(bytes))
        return pngData(decodePicture(bytes));
    PictureData data;
    data.bytes = bytes;
    data.blip = isPngBytes(bytes) ? "pngblip" : "jpegblip";
    data.pixels = storedPixelSize(bytes);
    data.turn = pictureTurn(bytes);
    return data;
}

int intOr(const QTextFormat &format, int property, int fallback)
{
    const int value = format.intProperty(property);
    return value > 0 ? value : fallback;
}

const char *relativeXWord(const QString &relative)
{
    if (relative == u"margin")
        return "shpbxmargin";
    if (relative == u"column")
        return "shpbxcolumn";
    return "shpbxpage";
}

const char *relativeYWord(const QString &relative)
{
    if (relative == u"margin")
        return "shpbymargin";
    if (relative == u"paragraph")
        return "shpbypara";
    return "shpbypage";
}

}  // namespace

QVariant RtfWriter::pictureResource(const QTextDocument &doc, const QTextImageFormat &format) const
{
    const QUrl url(format.name());
    QVariant resource = doc.resource(QTextDocument::ImageResource, url);
    if (!resource.isValid() && m_resources)
        resource = m_resources->resource(QTextDocument::ImageResource, url);
    return resource;
}

void RtfWriter::writePictGroup(const QTextDocument &doc, const QTextImageFormat &format)
{
    const QByteArray kept = format.property(prop::PictureRtf).toByteArray();
    if (!kept.isEmpty()) {
        m_out.verbatim(kept);
        return;
    }
    const PictureData data = pictureData(pictureResource(doc, format));
    if (!data.blip)
        return;

    const int picW = intOr(format, prop::PicturePicW, qMax(1, data.pixels.width()));
    const int picH = intOr(format, prop::PicturePicH, qMax(1, data.pixels.height()));
    // The shown size is the model's; goal and scale describe it to Word.
    int shownW = format.width() > 0 ? pixelsToTwips(format.width()) : 0;
    int shownH = format.height() > 0 ? pixelsToTwips(format.height()) : 0;
    // The model's size is upright; the group describes the stored pixels.
    if (data.turn % 180)
        std::swap(shownW, shownH);
    if (shownW > 0 && shownH <= 0)
        shownH = int(std::lround(double(shownW) * picH / picW));
    else if (shownH > 0 && shownW <= 0)
        shownW = int(std::lround(double(shownH) * picW / picH));
    const int goalW = intOr(format, prop::PictureGoalWidth, shownW > 0 ? shownW : picW * 15);
    const int goalH = intOr(format, prop::PictureGoalHeight, shownH > 0 ? shownH : picH * 15);
    const int scaleX = shownW > 0 ? int(std::lround(100.0 * shownW / goalW)) : intOr(format, prop::PictureScaleX, 100);
    const int scaleY = shownH > 0 ? int(std::lround(100.0 * shownH / goalH)) : intOr(format, prop::PictureScaleY, 100);

    m_out.openGroup();
    m_out.control("pict");
    m_out.control(data.blip);
    m_out.control("picw", picW);
    m_out.control("pich", picH);
    m_out.control("picwgoal", goalW);
    m_out.control("pichgoal", goalH);
    m_out.control("picscalex", scaleX);
    m_out.control("picscaley", scaleY);
    m_out.pictureHex(data.bytes);
    m_out.closeGroup();
}

void RtfWriter::writePicture(const QTextDocument &doc, const QTextImageFormat &format)
{
    if (!format.boolProperty(prop::PictureFixed)) {
        writePictGroup(doc, format);
        return;
    }
    m_out.openGroup();
    m_out.control("shp");
    m_out.destination("shpinst");
    // A shape without its own corners takes the picture's shown size.
    int left = format.intProperty(prop::PictureShapeLeft);
    int top = format.intProperty(prop::PictureShapeTop);
    int right = format.intProperty(prop::PictureShapeRight);
    int bottom = format.intProperty(prop::PictureShapeBottom);
    if (right <= left && format.width() > 0)
        right = left + pixelsToTwips(format.width());
    if (bottom <= top && format.height() > 0)
        bottom = top + pixelsToTwips(format.height());
    // A photo turned by its EXIF orientation is a shape turned as much:
    // other readers draw the stored pixels and turn the shape.
    int turn = 0;
    const QVariant resource = pictureResource(doc, format);
    if (resource.typeId() == QMetaType::QByteArray && !format.hasProperty(prop::PictureRtf))
        turn = pictureTurn(resource.toByteArray());
    const QRect box = quarterTurnedBox(QRect(left, top, right - left, bottom - top), turn);
    left = box.x();
    top = box.y();
    right = box.x() + box.width();
    bottom = box.y() + box.height();
    m_out.control("shpleft", left);
    m_out.control("shptop", top);
    m_out.control("shpright", right);
    m_out.control("shpbottom", bottom);
    m_out.control("shpfhdr", m_inHeaderArea ? 1 : 0);
    m_out.control(relativeXWord(format.stringProperty(prop::PictureShapeRelX)));
    m_out.control(relativeYWord(format.stringProperty(prop::PictureShapeRelY)));
    m_out.control("shpwr", format.hasProperty(prop::PictureShapeWrap) ? format.intProperty(prop::PictureShapeWrap) : 3);
    m_out.control("shpwrk", 0);
    m_out.control("shpfblwtxt", 0);
    m_out.control("shpz", 0);
    m_out.raw("{\\sp{\\sn shapeType}{\\sv 75}}");
    if (turn) {
        m_out.raw("{\\sp{\\sn rotation}{\\sv ");
        m_out.raw(QByteArray::number(turn * 65536));  // degrees in 16.16 fixed point
        m_out.raw("}}");
    }
    m_out.raw("{\\sp{\\sn pib}{\\sv ");
    writePictGroup(doc, format);
    m_out.raw("}}");
    m_out.closeGroup();
    m_out.closeGroup();
}

}  // namespace textctl
