// Pictures placed on the page by ObjectInsertFixed: where they land, what
// is stored, and the formats offered.
#include "tests/textctl/picturefiles.h"
#include "textctl/model/formatprops.h"
#include "textctl/model/richdocument.h"
#include "textctl/render/objecthandlers.h"
#include "textctl/render/pagerenderer.h"
#include "textctl/render/pagination.h"
#include "textctl/txtextcontrol.h"

#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextImageFormat>

#include <gtest/gtest.h>

using namespace textctl;

namespace {

struct Placed {
    int position = -1;
    QTextImageFormat format;
};

// The fixed pictures of the main text, in text order.
QList<Placed> fixedPictures(TXTextControl &control)
{
    QList<Placed> found;
    const QTextDocument *doc = control.document().main();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (isFixedPicture(it.fragment().charFormat()))
                found.append({it.fragment().position(), it.fragment().charFormat().toImageFormat()});
    return found;
}

QString longText(int lines)
{
    QStringList text;
    for (int i = 1; i <= lines; ++i)
        text << QStringLiteral("Línea %1 del informe de peritación").arg(i);
    return text.join(u"\r\n"_qs);
}

QImage renderPage(TXTextControl &control, int page)
{
    const QSize size = control.pagination().pageSize().toSize();
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    PageRenderer(control.pagination()).drawPage(painter, page, 1.0);
    return image;
}

class ControlPictures : public ::testing::Test {
protected:
    QString file(const QString &name, const QByteArray &bytes)
    {
        return picturefiles::write(m_dir.path(), name, bytes);
    }
    QTemporaryDir m_dir;
    TXTextControl m_control;
};

}  // namespace

TEST_F(ControlPictures, PictureInsertedWhileScrolledLandsOnThePageAndHeightAsked)
{
    m_control.setText(longText(150));
    ASSERT_GE(m_control.CurrentPages(), 3);
    const QString red = file(u"rojo.png"_qs, picturefiles::encoded(picturefiles::halves({60, 40}, Qt::red, Qt::red), "PNG"));
    const int pageHeight = m_control.PageHeight();
    m_control.setScrollPosY(pageHeight + 2000);  // 2000 twips into page 2

    ASSERT_TRUE(m_control.ObjectInsertFixed(0, red, 1000, m_control.ScrollPosY() + 1000, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0))
        << qPrintable(m_control.errorString());

    const QList<Placed> pictures = fixedPictures(m_control);
    ASSERT_EQ(pictures.size(), 1);
    const QTextImageFormat &format = pictures[0].format;
    EXPECT_EQ(m_control.pagination().pageOfPosition(pictures[0].position), 2);
    EXPECT_EQ(format.intProperty(prop::PictureShapeLeft), 1000);
    EXPECT_EQ(format.intProperty(prop::PictureShapeTop), 3000);
    EXPECT_EQ(format.intProperty(prop::PictureShapeRight), 1000 + 60 * 15);
    EXPECT_EQ(format.intProperty(prop::PictureShapeBottom), 3000 + 40 * 15);
    EXPECT_EQ(format.stringProperty(prop::PictureShapeRelY), u"page"_qs);
    // The anchor starts its paragraph: no word is split by it.
    EXPECT_EQ(pictures[0].position, m_control.document().main()->findBlock(pictures[0].position).position());

    const QPoint inside(1000 / 15 + 20, 3000 / 15 + 20);
    EXPECT_EQ(renderPage(m_control, 2).pixelColor(inside), QColor(Qt::red));
    EXPECT_NE(renderPage(m_control, 1).pixelColor(inside), QColor(Qt::red));
    EXPECT_NE(renderPage(m_control, 3).pixelColor(inside), QColor(Qt::red));
}

TEST_F(ControlPictures, PictureKeepsItsPageWhenTextIsAddedAbove)
{
    m_control.setText(longText(150));
    const QString png = file(u"p.png"_qs, picturefiles::encoded(picturefiles::halves({30, 30}, Qt::red, Qt::blue), "PNG"));
    ASSERT_TRUE(m_control.ObjectInsertFixed(0, png, 500, m_control.PageHeight() + 4000, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0));
    const int top = fixedPictures(m_control)[0].format.intProperty(prop::PictureShapeTop);
    QTextCursor cursor(m_control.document().main());
    cursor.insertText(u"Texto nuevo al principio\n"_qs.repeated(3));
    EXPECT_EQ(m_control.pagination().pageOfPosition(fixedPictures(m_control)[0].position), 2);
    EXPECT_EQ(fixedPictures(m_control)[0].format.intProperty(prop::PictureShapeTop), top);
}

TEST_F(ControlPictures, WhatIsNotAPictureFailsAndLeavesTheDocumentUnchanged)
{
    m_control.setText(u"Informe"_qs);
    const int steps = m_control.document().main()->availableUndoSteps();
    const struct {
        const char *name;
        QString path;
    } rows[] = {
        {"text file", file(u"nota.txt"_qs, "no soy una imagen\r\n")},
        {"truncated png", file(u"roto.png"_qs, picturefiles::encoded(QImage(20, 20, QImage::Format_RGB32), "PNG").left(30))},
        {"missing file", m_dir.filePath(u"no_existe.jpg"_qs)},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_FALSE(m_control.ObjectInsertFixed(0, row.path, 1000, 1000, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0));
        EXPECT_FALSE(m_control.errorString().isEmpty());
        EXPECT_EQ(m_control.Text(), u"Informe"_qs);
        EXPECT_EQ(m_control.document().main()->availableUndoSteps(), steps);
    }
}

TEST_F(ControlPictures, InsertionIsOneUndoStep)
{
    m_control.setText(u"Informe"_qs);
    m_control.setSelStart(7);
    m_control.setSelText(u"\r\nSegundo párrafo"_qs);
    const QString png = file(u"p.png"_qs, picturefiles::encoded(picturefiles::halves({30, 30}, Qt::red, Qt::blue), "PNG"));
    ASSERT_TRUE(m_control.ObjectInsertFixed(0, png, 1000, 1000, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0));
    ASSERT_EQ(fixedPictures(m_control).size(), 1);
    m_control.Undo();
    EXPECT_TRUE(fixedPictures(m_control).isEmpty());
    EXPECT_EQ(m_control.Text(), u"Informe\nSegundo párrafo"_qs) << "one undo takes the picture and nothing else";
    m_control.Redo();
    EXPECT_EQ(fixedPictures(m_control).size(), 1);
}

// Photos keep their bytes; other formats are stored as PNG. Each at its
// natural size, or the body's width when wider.
TEST_F(ControlPictures, StoredBytesAndShownSizeByFormat)
{
    const QImage small = picturefiles::halves({120, 80}, Qt::red, Qt::blue);
    const QImage wide = picturefiles::halves({4000, 3000}, Qt::red, Qt::blue);
    const double bodyWidth = twipsToPixels(m_control.PageWidth() - m_control.PageMarginL() - m_control.PageMarginR());
    // Qt writes no GIF: a 1x1 one, by hand.
    const QByteArray gif = QByteArray::fromHex("47494638396101000100800000ff000000000021f90401000000002c00000000010001000002024401003b");
    const struct {
        const char *format;
        QByteArray bytes;
        bool keptAsIs;
        const char *storedKind;
        QSizeF shown;
    } rows[] = {
        {"jpeg", picturefiles::encoded(small, "jpeg", 90), true, "jpeg", {120, 80}},
        {"jpeg", picturefiles::encoded(wide, "jpeg", 90), true, "jpeg", {bodyWidth, bodyWidth * 3 / 4}},
        {"png", picturefiles::encoded(small, "png"), true, "png", {120, 80}},
        {"bmp", picturefiles::encoded(small, "bmp"), false, "png", {120, 80}},
        {"gif", gif, false, "png", {1, 1}},
        {"tiff", picturefiles::encoded(small, "tiff"), false, "png", {120, 80}},
        {"webp", picturefiles::encoded(small, "webp"), false, "png", {120, 80}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.format) + " " + std::to_string(row.shown.width()));
        if (!QImageReader::supportedImageFormats().contains(row.format)) {
            std::printf("skipped row: Qt reads no %s here (qt6-image-formats-plugins)\n", row.format);
            continue;
        }
        TXTextControl control;
        control.setText(u"Fotos"_qs);
        const QByteArray &bytes = row.bytes;
        ASSERT_FALSE(bytes.isEmpty());
        const QString path = file(u"foto."_qs + QString::fromLatin1(row.format), bytes);
        ASSERT_TRUE(control.ObjectInsertFixed(0, path, 1000, 1000, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0)) << qPrintable(control.errorString());
        const QTextImageFormat format = fixedPictures(control).value(0).format;
        const QByteArray stored =
            control.document().main()->resource(QTextDocument::ImageResource, QUrl(format.name())).toByteArray();
        EXPECT_EQ(stored == bytes, row.keptAsIs);
        EXPECT_EQ(format.stringProperty(prop::PictureKind), QString::fromLatin1(row.storedKind));
        EXPECT_NEAR(format.width(), row.shown.width(), 0.5);
        EXPECT_NEAR(format.height(), row.shown.height(), 0.5);
    }
}

// A camera's JPEG held sideways with EXIF orientation 6 (turn 90 degrees
// clockwise): red on the left of the stored pixels is the top when upright.
TEST_F(ControlPictures, PhotoTurnedByExifShowsUprightAndKeepsItsBytesInTheFile)
{
    const QByteArray photo = picturefiles::withExifOrientation(
        picturefiles::encoded(picturefiles::halves({400, 200}, Qt::red, Qt::blue), "jpeg", 95), 6);
    const QString path = file(u"camara.jpg"_qs, photo);
    m_control.setText(u"Fotos"_qs);
    ASSERT_TRUE(m_control.ObjectInsertFixed(0, path, 1000, 1000, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0));
    const QTextImageFormat format = fixedPictures(m_control).value(0).format;
    EXPECT_EQ(format.width(), 200);
    EXPECT_EQ(format.height(), 400);
    const QImage shown = pictureImage(m_control.document().main(), format);
    ASSERT_EQ(shown.size(), QSize(200, 400));
    const auto near = [](QColor a, QColor b) {
        return qAbs(a.red() - b.red()) < 40 && qAbs(a.green() - b.green()) < 40 && qAbs(a.blue() - b.blue()) < 40;
    };
    EXPECT_TRUE(near(shown.pixelColor(100, 50), Qt::red));
    EXPECT_TRUE(near(shown.pixelColor(100, 350), Qt::blue));

    const QString saved = m_dir.filePath(u"informe.rtf"_qs);
    ASSERT_TRUE(m_control.Save(saved, 0, kFormatRtf)) << qPrintable(m_control.errorString());
    QFile rtfFile(saved);
    ASSERT_TRUE(rtfFile.open(QIODevice::ReadOnly));
    QByteArray rtf = rtfFile.readAll();
    rtf.replace("\r\n", "").replace('\n', "");
    EXPECT_TRUE(rtf.contains(photo.toHex())) << "the photo's own bytes, hex";

    TXTextControl reopened;
    ASSERT_TRUE(reopened.Load(saved, 0, kFormatRtf)) << qPrintable(reopened.errorString());
    const QList<Placed> back = fixedPictures(reopened);
    ASSERT_EQ(back.size(), 1);
    for (int property : {prop::PictureShapeLeft, prop::PictureShapeTop, prop::PictureShapeRight, prop::PictureShapeBottom})
        EXPECT_EQ(back[0].format.intProperty(property), format.intProperty(property)) << property;
    EXPECT_EQ(back[0].format.width(), 200);
    EXPECT_EQ(back[0].format.height(), 400);
}

TEST_F(ControlPictures, ImageFiltersListsWhatQtReads)
{
    const QStringList parts = TXTextControl::ImageFilters().split(u'|');
    ASSERT_EQ(parts.size() % 2, 0);
    ASSERT_GE(parts.size(), 4);
    EXPECT_TRUE(parts[0].startsWith(u"Todas las imágenes"_qs));
    const QStringList all = parts[1].split(u';');
    const struct {
        const char *qtName;
        const char *pattern;
    } rows[] = {{"png", "*.png"}, {"jpeg", "*.jpg"}, {"jpeg", "*.jpeg"}, {"bmp", "*.bmp"},
                {"gif", "*.gif"}, {"tiff", "*.tif"}, {"tiff", "*.tiff"}, {"webp", "*.webp"}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.pattern);
        const bool readable = QImageReader::supportedImageFormats().contains(row.qtName);
        const QString pattern = QString::fromLatin1(row.pattern);
        EXPECT_EQ(all.contains(pattern), readable);
        bool ownEntry = false;
        for (qsizetype i = 3; i < parts.size(); i += 2)
            ownEntry = ownEntry || parts[i].split(u';').contains(pattern);
        EXPECT_EQ(ownEntry, readable);
    }
    EXPECT_EQ(parts.size() / 2 - 1, all.size() - (all.contains(u"*.jpeg"_qs) ? 1 : 0) - (all.contains(u"*.tiff"_qs) ? 1 : 0));
}
