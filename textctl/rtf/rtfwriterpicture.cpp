// Pictures: PNG and JPEG bytes as \pngblip/\jpegblip hex with their sizes,
// opaque pictures as the {\pict ...} group they came in, pictures placed on
// the page inside a {\shp ...} group.

#include "textctl/rtf/rtfwriter.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTextDocument>
#include <QUrl>

#include <cmath>

namespace textctl {

namespace {

struct PictureData {
    QByteArray bytes;
    const char *blip = nullptr;  // "pngblip" or "jpegblip"
    QSize pixels;
};

bool isPng(const QByteArray &bytes)
{
    return bytes.startsWith("\x89PNG\r\n\x1a\n");
}

bool isJpeg(const QByteArray &bytes)
{
    return bytes.startsWith("\xff\xd8\xff");
}

QByteArray encodePng(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// PNG and JPEG bytes go out as they are; an image held as a QImage or in
// another format is written as PNG.
PictureData pictureData(const QVariant &resource)
{
    PictureData data;
    if (resource.typeId() == QMetaType::QByteArray) {
        data.bytes = resource.toByteArray();
        if (isPng(data.bytes))
            data.blip = "pngblip";
        else if (isJpeg(data.bytes))
            data.blip = "jpegblip";
        if (data.blip) {
            QBuffer buffer(&data.bytes);
            buffer.open(QIODevice::ReadOnly);
            data.pixels = QImageReader(&buffer).size();
            return data;
        }
        const QImage image = QImage::fromData(data.bytes);
        data = {};
        if (!image.isNull()) {
            data.bytes = encodePng(image);
            data.blip = "pngblip";
            data.pixels = image.size();
        }
        return data;
    }
    const QImage image = resource.value<QImage>();
    if (!image.isNull()) {
        data.bytes = encodePng(image);
        data.blip = "pngblip";
        data.pixels = image.size();
    }
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

void RtfWriter::writePictGroup(const QTextDocument &doc, const QTextImageFormat &format)
{
    const QByteArray kept = format.property(prop::PictureRtf).toByteArray();
    if (!kept.isEmpty()) {
        m_out.verbatim(kept);
        return;
    }
    const QUrl url(format.name());
    QVariant resource = doc.resource(QTextDocument::ImageResource, url);
    if (!resource.isValid() && m_resources)
        resource = m_resources->resource(QTextDocument::ImageResource, url);
    const PictureData data = pictureData(resource);
    if (!data.blip)
        return;

    const int picW = intOr(format, prop::PicturePicW, qMax(1, data.pixels.width()));
    const int picH = intOr(format, prop::PicturePicH, qMax(1, data.pixels.height()));
    // The shown size is the model's; goal and scale describe it to Word.
    int shownW = format.width() > 0 ? pixelsToTwips(format.width()) : 0;
    int shownH = format.height() > 0 ? pixelsToTwips(format.height()) : 0;
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
    m_out.hex(data.bytes);
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
    const int left = format.intProperty(prop::PictureShapeLeft);
    const int top = format.intProperty(prop::PictureShapeTop);
    int right = format.intProperty(prop::PictureShapeRight);
    int bottom = format.intProperty(prop::PictureShapeBottom);
    if (right <= left && format.width() > 0)
        right = left + pixelsToTwips(format.width());
    if (bottom <= top && format.height() > 0)
        bottom = top + pixelsToTwips(format.height());
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
    m_out.raw("{\\sp{\\sn pib}{\\sv ");
    writePictGroup(doc, format);
    m_out.raw("}}");
    m_out.closeGroup();
    m_out.closeGroup();
}

}  // namespace textctl
