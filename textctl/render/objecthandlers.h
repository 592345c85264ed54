#pragma once

// Drawing of the model's text objects inside a laid-out document:
// - live fields (PAGE, NUMPAGES) show the page number or the page count;
// - pictures show their PNG or JPEG bytes (or placeholder image) at their
//   shown size; a picture placed at a fixed page position takes no room in
//   its line and is drawn by the page renderer instead.
// Pagination registers both on every layout it attaches.

#include <QHash>
#include <QImage>
#include <QObject>
#include <QTextObjectInterface>

#include <functional>

class QTextImageFormat;

namespace textctl {

class LiveFieldHandler final : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit LiveFieldHandler(QObject *parent = nullptr);

    // The main text, whose fields take their page from their place (the
    // page of a layout y); other documents show drawnPage.
    void setMain(const QTextDocument *main, std::function<int(double)> pageAt);
    void setDrawnPage(int page) { m_drawnPage = page; }
    void setPageCount(int pages) { m_pages = pages; }
    int pageCount() const { return m_pages; }

    QSizeF intrinsicSize(QTextDocument *doc, int posInDocument,
                         const QTextFormat &format) override;
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *doc,
                    int posInDocument, const QTextFormat &format) override;

private:
    const QTextDocument *m_main = nullptr;
    std::function<int(double)> m_pageAt;
    int m_drawnPage = 1;
    int m_pages = 1;
};

class PictureHandler final : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit PictureHandler(QObject *parent = nullptr);

    QSizeF intrinsicSize(QTextDocument *doc, int posInDocument,
                         const QTextFormat &format) override;
    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *doc,
                    int posInDocument, const QTextFormat &format) override;
};

// The picture of an image format: the decoded resource, a null image when
// the document has none of that name or it cannot be decoded.
QImage pictureImage(const QTextDocument *doc, const QTextImageFormat &format);
// The shown size of a picture in reference pixels.
QSizeF pictureSize(const QTextDocument *doc, const QTextImageFormat &format);
bool isFixedPicture(const QTextFormat &format);
// True when the text holds a page number or page count field.
bool containsLiveField(const QTextDocument &doc);

}  // namespace textctl
