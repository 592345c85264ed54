#include "textctl/rtf/rtfreaderpicture.h"
#include "textctl/rtf/rtftokenizer.h"
#include "textctl/rtf/rtfwriterbuffer.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/picturebytes.h"
#include "textctl/model/richdocument.h"

#include <QImage>
#include <QPainter>

#include <array>

namespace textctl::rtf {

namespace {

constexpr int kMaxTwips = 31680 * 4;       // 88 inches
constexpr int kMaxPlaceholderPixels = 2000;

PictureData *currentPicture(ReaderContext &ctx)
{
    const int index = ctx.top().picture;
    return index >= 0 && ctx.top().destination == Destination::Picture ? &ctx.pictures[index] : nullptr;
}

bool drawable(const QString &kind)
{
    return kind == u"png" || kind == u"jpeg";
}

// The picture's own size in twips, when it states no goal size.
QSize naturalTwips(const PictureData &p)
{
    if (drawable(p.kind)) {
        const QSize pixels = storedPixelSize(p.data);
        if (pixels.isValid())
            return pixels * static_cast<int>(kTwipsPerPixel);
    }
    if (p.kind == u"wmf" || p.kind == u"emf" || p.kind == u"pmm")  // \picw in 0.01 mm
        return {static_cast<int>(p.picW * 1440LL / 2540), static_cast<int>(p.picH * 1440LL / 2540)};
    return {p.picW * static_cast<int>(kTwipsPerPixel), p.picH * static_cast<int>(kTwipsPerPixel)};
}

QSize shownTwips(const PictureData &p)
{
    QSize size(p.goalW, p.goalH);
    if (size.width() <= 0 || size.height() <= 0)
        size = naturalTwips(p);
    const long long w = std::clamp(size.width() * static_cast<long long>(p.scaleX) / 100, 1LL, 1LL * kMaxTwips);
    const long long h = std::clamp(size.height() * static_cast<long long>(p.scaleY) / 100, 1LL, 1LL * kMaxTwips);
    return {static_cast<int>(w), static_cast<int>(h)};
}

QImage placeholder(QSizeF pixels)
{
    const QSize size(std::clamp(qRound(pixels.width()), 1, kMaxPlaceholderPixels),
                     std::clamp(qRound(pixels.height()), 1, kMaxPlaceholderPixels));
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(235, 235, 235));
    QPainter painter(&image);
    painter.setPen(QColor(150, 150, 150));
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return image;
}

}  // namespace

void applyPictureWord(ReaderContext &ctx, Word word, int param)
{
    if (ctx.top().destination == Destination::Shape || ctx.top().destination == Destination::ShapeInst) {
        if (ctx.top().shape < 0)
            return;
        ShapeData &s = ctx.shapes[ctx.top().shape];
        switch (word) {
        case Word::ShpLeft: s.left = param; break;
        case Word::ShpTop: s.top = param; break;
        case Word::ShpRight: s.right = param; break;
        case Word::ShpBottom: s.bottom = param; break;
        case Word::ShpBxPage: s.relX = QStringLiteral("page"); break;
        case Word::ShpBxMargin: s.relX = QStringLiteral("margin"); break;
        case Word::ShpBxColumn: s.relX = QStringLiteral("column"); break;
        case Word::ShpBxIgnore: s.ignoreX = true; break;
        case Word::ShpByPage: s.relY = QStringLiteral("page"); break;
        case Word::ShpByMargin: s.relY = QStringLiteral("margin"); break;
        case Word::ShpByPara: s.relY = QStringLiteral("paragraph"); break;
        case Word::ShpByIgnore: s.ignoreY = true; break;
        case Word::ShpWr: s.wrap = param; break;
        default: break;
        }
        return;
    }
    PictureData *p = currentPicture(ctx);
    if (!p)
        return;
    switch (word) {
    case Word::PngBlip: p->kind = QStringLiteral("png"); break;
    case Word::JpegBlip: p->kind = QStringLiteral("jpeg"); break;
    case Word::EmfBlip: p->kind = QStringLiteral("emf"); break;
    case Word::WMetafile: p->kind = QStringLiteral("wmf"); break;
    case Word::DiBitmap: p->kind = QStringLiteral("dib"); break;
    case Word::WBitmap: p->kind = QStringLiteral("bmp"); break;
    case Word::MacPict: p->kind = QStringLiteral("mac"); break;
    case Word::PmMetafile: p->kind = QStringLiteral("pmm"); break;
    case Word::PicW: p->picW = std::clamp(param, 0, kMaxTwips); break;
    case Word::PicH: p->picH = std::clamp(param, 0, kMaxTwips); break;
    case Word::PicWGoal: p->goalW = std::clamp(param, 0, kMaxTwips); break;
    case Word::PicHGoal: p->goalH = std::clamp(param, 0, kMaxTwips); break;
    case Word::PicScaleX: p->scaleX = std::clamp(param, 1, 10000); break;
    case Word::PicScaleY: p->scaleY = std::clamp(param, 1, 10000); break;
    default: break;
    }
}

void appendPictureHex(ReaderContext &ctx, QByteArrayView hex)
{
    PictureData *p = currentPicture(ctx);
    if (!p)
        return;
    // Digit values by byte, -1 for the rest (line ends, blanks, junk).
    static const auto kValues = [] {
        std::array<signed char, 256> values;
        for (int c = 0; c < 256; ++c)
            values[c] = static_cast<signed char>(hexValue(static_cast<char>(c)));
        return values;
    }();
    const qsizetype start = p->data.size();
    p->data.resize(start + hex.size() / 2 + 1);
    char *out = p->data.data() + start;
    for (char c : hex) {
        const int v = kValues[static_cast<unsigned char>(c)];
        if (v < 0)
            continue;
        if (p->hexHigh < 0) {
            p->hexHigh = v;
        } else {
            *out++ = static_cast<char>(p->hexHigh * 16 + v);
            p->hexHigh = -1;
        }
    }
    p->data.truncate(out - p->data.constData());
}

void appendPictureBinary(ReaderContext &ctx, QByteArrayView bytes)
{
    if (PictureData *p = currentPicture(ctx))
        p->data.append(bytes);
}

void finishPicture(ReaderContext &ctx, qsizetype closeOffset)
{
    GroupState *parent = ctx.parent();
    PictureData &p = ctx.pictures[ctx.top().picture];
    if (closeOffset < 0 || !parent || p.data.isEmpty())
        return;  // cut short by the end of the file, or empty: nothing to show
    if (p.kind.isEmpty())
        p.kind = QStringLiteral("wmf");  // RTF's default picture kind
    // The goal and the picture's own size describe the stored pixels; a
    // photo's EXIF orientation turns them upright.
    QSize twips = shownTwips(p);
    if (drawable(p.kind) && pictureTurn(p.data) % 180)
        twips.transpose();
    const QSizeF pixels(twipsToPixels(twips.width()), twipsToPixels(twips.height()));

    PictureResource resource;
    if (drawable(p.kind)) {
        resource.resource = p.data;
    } else {
        resource.resource = placeholder(pixels);
        // Kept in the seven-bit form a save writes (\bin data as hex), so
        // that a copy read again keeps the very same group.
        const qsizetype start = ctx.top().openOffset;
        RtfWriterBuffer kept;
        kept.verbatim(ctx.rtf().sliced(start, closeOffset + 1 - start));
        p.format.setProperty(prop::PictureRtf, kept.take());
    }
    ctx.result.pictures.push_back(std::move(resource));
    p.resource = static_cast<int>(ctx.result.pictures.size()) - 1;
    p.data.clear();

    p.format.setWidth(pixels.width());
    p.format.setHeight(pixels.height());
    p.format.setProperty(prop::PictureKind, p.kind);
    if (p.goalW > 0)
        p.format.setProperty(prop::PictureGoalWidth, p.goalW);
    if (p.goalH > 0)
        p.format.setProperty(prop::PictureGoalHeight, p.goalH);
    p.format.setProperty(prop::PictureScaleX, p.scaleX);
    p.format.setProperty(prop::PictureScaleY, p.scaleY);
    p.format.setProperty(prop::PicturePicW, p.picW);
    p.format.setProperty(prop::PicturePicH, p.picH);

    if (parent->destination == Destination::ShapePropertyValue) {
        if (parent->shape >= 0 && ctx.shapes[parent->shape].readingPib)
            ctx.shapes[parent->shape].picture = ctx.top().picture;
        return;
    }
    // A shape without a "pib" picture may give it in its result instead
    // (\shprslt with \shppict): it is still placed where the shape is.
    if (parent->shape >= 0 && ctx.shapes[parent->shape].picture < 0
        && parent->destination == Destination::Text) {
        ctx.shapes[parent->shape].picture = ctx.top().picture;
        return;
    }
    ctx.insertObjectInto(*parent, p.format, p.resource);
}

void finishShapeProperty(ReaderContext &ctx)
{
    if (ctx.top().shape < 0)
        return;
    ShapeData &s = ctx.shapes[ctx.top().shape];
    s.readingPib = false;
    if (s.propertyName == u"rotation") {
        // Degrees in 16.16 fixed point, clockwise.
        const qint64 fixed = ctx.top().text.trimmed().toLongLong();
        s.rotation = int(((fixed / 65536) % 360 + 360) % 360);
    }
}

void finishShape(ReaderContext &ctx)
{
    GroupState *parent = ctx.parent();
    ShapeData &s = ctx.shapes[ctx.top().shape];
    if (parent && s.textBox && parent->destination == Destination::Text)
        parent->story->appendAfterCurrent(s.textBox->finish());
    s.textBox.reset();
    if (!parent || s.picture < 0)
        return;
    const PictureData &p = ctx.pictures[s.picture];
    if (p.resource < 0)
        return;
    QTextImageFormat format = p.format;
    // A shape turned as much as its photo's EXIF orientation turns the
    // picture shows it upright in the box the turn gives; any other turn is
    // not drawn.
    const QVariant &resource = ctx.result.pictures[p.resource].resource;
    if (s.rotation && resource.typeId() == QMetaType::QByteArray
        && pictureTurn(resource.toByteArray()) == s.rotation) {
        const QRect box = quarterTurnedBox(QRect(s.left, s.top, s.right - s.left, s.bottom - s.top), s.rotation);
        s.left = box.x();
        s.top = box.y();
        s.right = box.x() + box.width();
        s.bottom = box.y() + box.height();
    }
    if (s.right > s.left && s.bottom > s.top) {
        format.setWidth(twipsToPixels(std::min(s.right - s.left, kMaxTwips)));
        format.setHeight(twipsToPixels(std::min(s.bottom - s.top, kMaxTwips)));
    }
    if (!s.inline_ && !(s.ignoreX && s.ignoreY)) {
        format.setProperty(prop::PictureFixed, true);
        format.setProperty(prop::PictureShapeLeft, s.left);
        format.setProperty(prop::PictureShapeTop, s.top);
        format.setProperty(prop::PictureShapeRight, s.right);
        format.setProperty(prop::PictureShapeBottom, s.bottom);
        format.setProperty(prop::PictureShapeRelX, s.relX);
        format.setProperty(prop::PictureShapeRelY, s.relY);
        format.setProperty(prop::PictureShapeWrap, s.wrap);
    }
    ctx.insertObjectInto(*parent, format, p.resource);
}

}  // namespace textctl::rtf
