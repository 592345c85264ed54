// Pictures placed at a fixed page position: the formats offered, the file
// read and stored, the paragraph that anchors it on its page.
#include "textctl/txtextcontrol.h"

#include "textctl/model/formatprops.h"
#include "textctl/model/picturebytes.h"
#include "textctl/render/pagination.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QImageReader>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

using namespace textctl;

namespace {

struct PictureFormat {
    const char *qtName;  // as QImageReader::supportedImageFormats() names it
    const char *description;
    const char *patterns;
};

constexpr PictureFormat kPictureFormats[] = {
    {"png", "Imágenes PNG (*.png)", "*.png"},
    {"jpeg", "Imágenes JPEG (*.jpg;*.jpeg)", "*.jpg;*.jpeg"},
    {"bmp", "Imágenes BMP (*.bmp)", "*.bmp"},
    {"gif", "Imágenes GIF (*.gif)", "*.gif"},
    {"tiff", "Imágenes TIFF (*.tif;*.tiff)", "*.tif;*.tiff"},
    {"webp", "Imágenes WebP (*.webp)", "*.webp"},
};

// The anchor: the paragraph at sheet height `sheetY` (reference pixels) of
// `page`, or where the page starts when that paragraph began on an earlier
// one, so that the anchor is on the page and never inside a word.
int anchorPosition(Pagination &pagination, int page, double sheetY)
{
    const QRectF body = pagination.bodyRect();
    const QPointF inBody(body.left(), qBound(body.top(), sheetY, body.bottom() - 0.5));
    QTextDocument *doc = pagination.document().main();
    const int hit = doc->documentLayout()->hitTest(pagination.sheetToLayout(page, inBody), Qt::FuzzyHit);
    const int first = pagination.pageFirstPosition(page);
    if (hit < first || pagination.pageOfPosition(hit) != page)
        return first;
    const int blockStart = doc->findBlock(hit).position();
    return blockStart >= first ? blockStart : first;
}

// A cursor holding the fixed picture anchored at `position`, or a null one.
QTextCursor fixedPictureCursor(QTextDocument *doc, int position)
{
    if (position < 0 || position + 1 >= doc->characterCount())
        return {};
    QTextCursor cursor(doc);
    cursor.setPosition(position);
    cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    if (cursor.selectedText() != QString(QChar::ObjectReplacementCharacter)
        || !cursor.charFormat().boolProperty(prop::PictureFixed))
        return {};
    return cursor;
}

QString unusedPictureName(const QTextDocument *doc)
{
    for (int n = 1;; ++n) {
        const QString name = QStringLiteral("pict:%1").arg(n);
        if (!doc->resource(QTextDocument::ImageResource, QUrl(name)).isValid())
            return name;
    }
}

}  // namespace

QString TXTextControl::ImageFilters()
{
    const QList<QByteArray> readable = QImageReader::supportedImageFormats();
    QStringList all;
    QStringList entries;
    for (const PictureFormat &format : kPictureFormats) {
        if (!readable.contains(format.qtName))
            continue;
        all.append(QString::fromLatin1(format.patterns));
        entries << QString::fromUtf8(format.description) << QString::fromLatin1(format.patterns);
    }
    const QString patterns = all.join(u';');
    entries.prepend(patterns);
    entries.prepend(QStringLiteral("Todas las imágenes (%1)").arg(patterns));
    return entries.join(u'|');
}

bool TXTextControl::ObjectInsertFixed(int kind, const QString &path, int x, int y, int scaleX, int scaleY,
                                      int, int, int, int, int, int, int, int)
{
    m_error.clear();
    if (kind != 0)
        return fail(QStringLiteral("tipo de objeto %1 no admitido").arg(kind));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("No se puede leer el fichero %1").arg(path));
    const StoredPicture picture = storedPicture(file.readAll());
    if (picture.isNull())
        return fail(QStringLiteral("el fichero no contiene una imagen que se pueda leer"));

    // Natural size at the scale asked, no larger than the body.
    const PageSetup &page = m_doc.page;
    QSizeF size(picture.size.width() * qMax(1, scaleX) / 100.0, picture.size.height() * qMax(1, scaleY) / 100.0);
    const QSizeF body(twipsToPixels(page.width - page.marginLeft - page.marginRight),
                      twipsToPixels(page.height - page.marginTop - page.marginBottom));
    if (body.width() > 0 && body.height() > 0 && (size.width() > body.width() || size.height() > body.height()))
        size.scale(body, Qt::KeepAspectRatio);

    Pagination &pages = pagination();
    pages.ensureLayout();
    const int height = qMax(1, page.height);
    int pageNumber = qMax(0, y) / height + 1;
    const int top = qMax(0, y) % height;
    if (!pages.hasPage(pageNumber))
        pageNumber = pages.pageCount();
    QTextDocument *doc = m_doc.main();
    const int anchor = anchorPosition(pages, pageNumber, twipsToPixels(top));

    QTextImageFormat format;
    format.setName(unusedPictureName(doc));
    format.setWidth(size.width());
    format.setHeight(size.height());
    format.setProperty(prop::PictureKind, picture.kind);
    format.setProperty(prop::PictureFixed, true);
    format.setProperty(prop::PictureShapeLeft, x);
    format.setProperty(prop::PictureShapeTop, top);
    format.setProperty(prop::PictureShapeRight, x + pixelsToTwips(size.width()));
    format.setProperty(prop::PictureShapeBottom, top + pixelsToTwips(size.height()));
    // Relative to the page: LibreOffice reads it back on the anchor's page
    // at the same place.
    format.setProperty(prop::PictureShapeRelX, QStringLiteral("page"));
    format.setProperty(prop::PictureShapeRelY, QStringLiteral("page"));
    format.setProperty(prop::PictureShapeWrap, 3);  // in front of the text
    doc->addResource(QTextDocument::ImageResource, QUrl(format.name()), picture.bytes);
    QTextCursor cursor(doc);
    cursor.setPosition(anchor);
    cursor.beginEditBlock();
    cursor.insertText(QString(QChar::ObjectReplacementCharacter), format);
    cursor.endEditBlock();
    return true;
}

bool TXTextControl::placeFixedPicture(int position, const QRect &box)
{
    QTextCursor cursor = fixedPictureCursor(m_doc.main(), position);
    if (cursor.isNull() || box.width() <= 0 || box.height() <= 0)
        return false;
    QTextImageFormat format = cursor.charFormat().toImageFormat();
    format.setWidth(twipsToPixels(box.width()));
    format.setHeight(twipsToPixels(box.height()));
    format.setProperty(prop::PictureShapeLeft, box.x());
    format.setProperty(prop::PictureShapeTop, box.y());
    format.setProperty(prop::PictureShapeRight, box.x() + box.width());
    format.setProperty(prop::PictureShapeBottom, box.y() + box.height());
    format.setProperty(prop::PictureShapeRelX, QStringLiteral("page"));
    format.setProperty(prop::PictureShapeRelY, QStringLiteral("page"));
    cursor.setCharFormat(format);
    return true;
}

bool TXTextControl::removeFixedPicture(int position)
{
    QTextCursor cursor = fixedPictureCursor(m_doc.main(), position);
    if (cursor.isNull())
        return false;
    cursor.removeSelectedText();
    return true;
}
