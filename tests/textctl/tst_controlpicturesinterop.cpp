// Pictures inserted on page 2 while scrolled (one a camera photo turned by
// its EXIF orientation) are where they were put, upright, in LibreOffice's
// PDF of our RTF and in our own printout. Poppler gives the pictures'
// places (pdftohtml -xml) and colours (pdftoppm). Labelled "interop"; needs
// soffice and poppler-utils.
#include "tests/textctl/picturefiles.h"
#include "textctl/txtextcontrol.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

constexpr double kTwipsPerPoint = 20.0;
constexpr double kTolerancePoints = 2.0 / 25.4 * 72;  // 2 mm

bool run(const QString &program, const QStringList &arguments, int timeoutMs = 300'000)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(program, arguments);
    return process.waitForFinished(timeoutMs) && process.exitStatus() == QProcess::NormalExit
           && process.exitCode() == 0;
}

struct PdfImage {
    int page = 0;
    QRectF points;
};

// The images pdftohtml finds, page by page, in points.
QList<PdfImage> pdfImages(const QString &pdf, const QString &prefix)
{
    QList<PdfImage> images;
    QDir().mkpath(QFileInfo(prefix).path());
    if (!run(u"pdftohtml"_qs, {u"-xml"_qs, u"-zoom"_qs, u"1"_qs, u"-q"_qs, pdf, prefix}))
        return images;
    QFile xml(prefix + u".xml"_qs);
    if (!xml.open(QIODevice::ReadOnly))
        return images;
    int page = 0;
    static const QRegularExpression pageTag(uR"re(<page number="(\d+)")re"_qs);
    static const QRegularExpression imageTag(
        uR"re(<image top="([-\d.]+)" left="([-\d.]+)" width="([-\d.]+)" height="([-\d.]+)")re"_qs);
    for (const QString &line : QString::fromUtf8(xml.readAll()).split(u'\n')) {
        if (const auto m = pageTag.match(line); m.hasMatch())
            page = m.captured(1).toInt();
        if (const auto m = imageTag.match(line); m.hasMatch())
            images.append({page, QRectF(m.captured(2).toDouble(), m.captured(1).toDouble(), m.captured(3).toDouble(),
                                        m.captured(4).toDouble())});
    }
    return images;
}

class PicturesInLibreOffice : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(u"pdftohtml"_qs).isEmpty()
            || QStandardPaths::findExecutable(u"pdftoppm"_qs).isEmpty())
            GTEST_SKIP() << "pdftohtml and pdftoppm (poppler-utils) are not installed";
        ASSERT_TRUE(m_dir.isValid());
        m_control.setText((u"Párrafo del informe de peritación con texto bastante largo.\r\n"_qs).repeated(120));
        ASSERT_GE(m_control.CurrentPages(), 3);
        const QString red = picturefiles::write(
            m_dir.path(), u"rojo.png"_qs, picturefiles::encoded(picturefiles::halves({150, 100}, Qt::red, Qt::red), "PNG"));
        const QString photo = picturefiles::write(
            m_dir.path(), u"camara.jpg"_qs,
            picturefiles::withExifOrientation(
                picturefiles::encoded(picturefiles::halves({300, 150}, Qt::red, Qt::blue), "jpeg", 95), 6));
        // Scrolled 2000 twips into page 2; each 1000 twips below the view's top.
        m_control.setScrollPosY(m_control.PageHeight() + 2000);
        const int y = m_control.ScrollPosY() + 1000;
        ASSERT_TRUE(m_control.ObjectInsertFixed(0, red, 1000, y, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0));
        ASSERT_TRUE(m_control.ObjectInsertFixed(0, photo, 6000, y, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0));
    }

    // The two pictures on page 2 of `pdf`, where they were put; the photo
    // upright: red (the stored left half) above, blue below.
    void expectPlaced(const QString &pdf, const char *who)
    {
        const QList<PdfImage> images = pdfImages(pdf, m_dir.filePath(QStringLiteral("xml/%1").arg(QString::fromLatin1(who))));
        ASSERT_EQ(images.size(), 2);
        const struct {
            const char *name;
            QRectF twips;
        } rows[] = {
            {"picture", QRectF(1000, 3000, 150 * 15, 100 * 15)},
            {"photo, upright", QRectF(6000, 3000, 150 * 15, 300 * 15)},
        };
        for (const auto &row : rows) {
            SCOPED_TRACE(row.name);
            const QRectF expected(row.twips.topLeft() / kTwipsPerPoint, row.twips.size() / kTwipsPerPoint);
            bool found = false;
            for (const PdfImage &image : images) {
                if (qAbs(image.points.left() - expected.left()) > kTolerancePoints)
                    continue;
                found = true;
                std::printf("%s: %s on page %d at %.1f, %.1f pt, %.1f x %.1f pt (asked: %.1f, %.1f, %.1f x %.1f)\n",
                            who, row.name, image.page, image.points.left(), image.points.top(), image.points.width(),
                            image.points.height(), expected.left(), expected.top(), expected.width(), expected.height());
                EXPECT_EQ(image.page, 2);
                EXPECT_NEAR(image.points.top(), expected.top(), kTolerancePoints);
                EXPECT_NEAR(image.points.width(), expected.width(), kTolerancePoints);
                EXPECT_NEAR(image.points.height(), expected.height(), kTolerancePoints);
            }
            EXPECT_TRUE(found);
        }
        const QString png = m_dir.filePath(QStringLiteral("%1-pagina2").arg(QString::fromLatin1(who)));
        ASSERT_TRUE(run(u"pdftoppm"_qs, {u"-f"_qs, u"2"_qs, u"-l"_qs, u"2"_qs, u"-r"_qs, u"72"_qs, u"-png"_qs,
                                         u"-singlefile"_qs, pdf, png}));
        const QImage page(png + u".png"_qs);
        ASSERT_FALSE(page.isNull());
        const QRectF photo(6000 / kTwipsPerPoint, 3000 / kTwipsPerPoint, 2250 / kTwipsPerPoint, 4500 / kTwipsPerPoint);
        const QColor upper = page.pixelColor(photo.center().toPoint() - QPoint(0, int(photo.height() / 4)));
        const QColor lower = page.pixelColor(photo.center().toPoint() + QPoint(0, int(photo.height() / 4)));
        EXPECT_GT(upper.red(), 200);
        EXPECT_LT(upper.blue(), 60);
        EXPECT_GT(lower.blue(), 200);
        EXPECT_LT(lower.red(), 60);
    }

    QTemporaryDir m_dir;
    TXTextControl m_control;
};

}  // namespace

TEST_F(PicturesInLibreOffice, PicturesInsertedWhileScrolledAreOnTheirPageAtTheirPlace)
{
    const QString soffice = QStandardPaths::findExecutable(u"soffice"_qs);
    if (soffice.isEmpty())
        GTEST_SKIP() << "soffice is not installed (apt-get install libreoffice-writer-nogui)";
    const QString rtf = m_dir.filePath(u"informe.rtf"_qs);
    ASSERT_TRUE(m_control.Save(rtf, 0, 5)) << qPrintable(m_control.errorString());
    const QString out = m_dir.filePath(u"pdf"_qs);
    ASSERT_TRUE(run(soffice, {u"-env:UserInstallation=file://"_qs + m_dir.filePath(u"perfil"_qs), u"--headless"_qs,
                              u"--norestore"_qs, u"--convert-to"_qs, u"pdf"_qs, u"--outdir"_qs, out, rtf}));
    expectPlaced(QDir(out).filePath(u"informe.pdf"_qs), "libreoffice");
}

// Our own printout (the page renderer on a PDF writer) puts them at the
// same places.
TEST_F(PicturesInLibreOffice, OurPrintedPdfHasThemAtTheSamePlaces)
{
    const QString pdf = m_dir.filePath(u"impreso.pdf"_qs);
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        m_control.setPrintDevice(&writer);
        for (int page = 1; page <= m_control.CurrentPages(); ++page)
            ASSERT_TRUE(m_control.PrintPage(page));
        ASSERT_TRUE(m_control.endPrint());
        m_control.setPrintDevice(nullptr);
    }
    expectPlaced(pdf, "ours");
}
