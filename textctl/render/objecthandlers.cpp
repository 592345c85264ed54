#include "textctl/render/objecthandlers.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/layoutformats.h"
#include "textctl/model/picturebytes.h"
#include "textctl/render/pagination.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextDocument>
#include <QTextBlock>
#include <QTextImageFormat>
#include <QTextLayout>

#include <cmath>

namespace textctl {

namespace {

// Decoding a photo on every repaint is slow; bytes are keyed by content.
QHash<size_t, QImage> &decodedCache()
{
    static QHash<size_t, QImage> cache;
    return cache;
}

QString fieldText(const QTextFormat &format, int page, int pages)
{
    const QString kind = format.stringProperty(prop::LiveFieldKind);
    return QString::number(kind == u"NUMPAGES" ? pages : page);
}

}  // namespace

LiveFieldHandler::LiveFieldHandler(QObject *parent)
    : QObject(parent)
{
}

void LiveFieldHandler::setMain(const QTextDocument *main, std::function<int(double)> pageAt)
{
    m_main = main;
    m_pageAt = std::move(pageAt);
}

// Every field is as wide as the page count written out, so that a
// field's width never depends on the page it falls on.
QSizeF LiveFieldHandler::intrinsicSize(QTextDocument *, int, const QTextFormat &format)
{
    const QTextCharFormat charFormat = format.toCharFormat();
    const QFontMetricsF metrics(charFormat.font(), layoutDevice());
    const double width = metrics.horizontalAdvance(QString::number(m_pages));
    if (charFormat.verticalAlignment() == QTextCharFormat::AlignBaseline)
        return {width, metrics.ascent() + metrics.descent()};
    return {width, metrics.ascent()};
}

void LiveFieldHandler::drawObject(QPainter *painter, const QRectF &rect, QTextDocument *doc,
                                  int, const QTextFormat &format)
{
    int page = m_drawnPage;
    if (doc == m_main && m_pageAt)
        page = m_pageAt(rect.center().y());
    const QTextCharFormat charFormat = format.toCharFormat();
    // Laid out on the reference device like the text around it, so that
    // the painter's scale applies to it the same way.
    QTextLayout layout(fieldText(format, page, m_pages), charFormat.font(),
                       layoutDevice());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return;
    const double baseline = charFormat.verticalAlignment() == QTextCharFormat::AlignBaseline
        ? rect.top() + line.ascent()
        : rect.bottom();
    painter->save();
    const QBrush foreground = charFormat.foreground();
    painter->setPen(foreground.style() == Qt::NoBrush ? QColor(Qt::black) : foreground.color());
    layout.draw(painter, QPointF(rect.left(), baseline - line.ascent()));
    painter->restore();
}

PictureHandler::PictureHandler(QObject *parent)
    : QObject(parent)
{
}

QSizeF PictureHandler::intrinsicSize(QTextDocument *doc, int, const QTextFormat &format)
{
    if (isFixedPicture(format))
        return {0, 0};
    return toLayout(1) * pictureSize(doc, format.toImageFormat());
}

void PictureHandler::drawObject(QPainter *painter, const QRectF &rect, QTextDocument *doc,
                                int, const QTextFormat &format)
{
    if (isFixedPicture(format))
        return;
    const QImage image = pictureImage(doc, format.toImageFormat());
    if (image.isNull())
        painter->fillRect(rect, QColor(224, 224, 224));
    else
        painter->drawImage(rect, image);
}

bool isFixedPicture(const QTextFormat &format)
{
    return format.boolProperty(prop::PictureFixed);
}

bool containsLiveField(const QTextDocument &doc)
{
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (!it.fragment().charFormat().stringProperty(prop::LiveFieldKind).isEmpty())
                return true;
    return false;
}

QImage pictureImage(const QTextDocument *doc, const QTextImageFormat &format)
{
    const QVariant resource = doc->resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (resource.userType() == QMetaType::QImage)
        return resource.value<QImage>();
    if (resource.userType() == QMetaType::QPixmap)
        return resource.value<QPixmap>().toImage();
    if (resource.userType() != QMetaType::QByteArray)
        return {};
    const QByteArray bytes = resource.toByteArray();
    QHash<size_t, QImage> &cache = decodedCache();
    const size_t key = qHash(bytes);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    if (cache.size() > 32)
        cache.clear();
    QImage image = decodePicture(bytes);
    cache.insert(key, image);
    return image;
}

QSizeF pictureSize(const QTextDocument *doc, const QTextImageFormat &format)
{
    double width = format.width();
    double height = format.height();
    if (width > 0 && height > 0)
        return {width, height};
    const QImage image = pictureImage(doc, format);
    if (image.isNull())
        return {width > 0 ? width : 16, height > 0 ? height : 16};
    // With no size of its own, an image pixel is a reference pixel.
    const QSizeF own(image.size());
    if (width > 0)
        return {width, own.height() * width / qMax(1.0, own.width())};
    if (height > 0)
        return {own.width() * height / qMax(1.0, own.height()), height};
    return own;
}

}  // namespace textctl
