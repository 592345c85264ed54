// LibreOffice reads our placed pictures where we put them: a picture
// inserted on page 2 while scrolled, and a camera photo turned by its EXIF
// orientation, saved by our writer and converted to PDF by soffice. Poppler
// gives the pictures' places (pdftohtml -xml) and colours (pdftoppm).
// Labelled "interop"; needs soffice and poppler-utils.
#include "tests/textctl/picturefiles.h"
#include "textctl/txtextcontrol.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
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
        m_soffice = QStandardPaths::findExecutable(u"soffice"_qs);
        if (m_soffice.isEmpty())
            GTEST_SKIP() << "soffice is not installed (apt-get install libreoffice-writer-nogui)";
        if (QStandardPaths::findExecutable(u"pdftohtml"_qs).isEmpty()
            || QStandardPaths::findExecutable(u"pdftoppm"_qs).isEmpty())
            GTEST_SKIP() << "pdftohtml and pdftoppm (poppler-utils) are not installed";
        ASSERT_TRUE(m_dir.isValid());
    }

    // Our RTF of `control`, as LibreOffice prints it.
    QString toPdf(TXTextControl &control)
    {
        const QString rtf = m_dir.filePath(u"informe.rtf"_qs);
        EXPECT_TRUE(control.Save(rtf, 0, 5)) << qPrintable(control.errorString());
        const QString out = m_dir.filePath(u"pdf"_qs);
        EXPECT_TRUE(run(m_soffice, {u"-env:UserInstallation=file://"_qs + m_dir.filePath(u"perfil"_qs),
                                    u"--headless"_qs, u"--norestore"_qs, u"--convert-to"_qs, u"pdf"_qs,
                                    u"--outdir"_qs, out, rtf}));
        return QDir(out).filePath(u"informe.pdf"_qs);
    }

    QString m_soffice;
    QTemporaryDir m_dir;
};

}  // namespace

TEST_F(PicturesInLibreOffice, PictureInsertedWhileScrolledIsOnItsPageAtItsPlace)
{
    TXTextControl control;
    control.setText((u"Párrafo del informe de peritación con texto bastante largo.\r\n"_qs).repeated(120));
    ASSERT_GE(control.CurrentPages(), 3);
    const QString red = picturefiles::write(m_dir.path(), u"rojo.png"_qs,
                                            picturefiles::encoded(picturefiles::halves({150, 100}, Qt::red, Qt::red), "PNG"));
    const QString photo = picturefiles::write(
        m_dir.path(), u"camara.jpg"_qs,
        picturefiles::withExifOrientation(
            picturefiles::encoded(picturefiles::halves({300, 150}, Qt::red, Qt::blue), "jpeg", 95), 6));
    control.setScrollPosY(control.PageHeight() + 2000);
    ASSERT_TRUE(control.ObjectInsertFixed(0, red, 1000, control.ScrollPosY() + 1000, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0));
    ASSERT_TRUE(control.ObjectInsertFixed(0, photo, 6000, control.ScrollPosY() + 1000, 100, 100, 0, 0, 3, 3, 0, 0, 0, 0));

    const QString pdf = toPdf(control);
    const QList<PdfImage> images = pdfImages(pdf, m_dir.filePath(u"xml/informe"_qs));
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
            std::printf("interop: %s on page %d at %.1f, %.1f pt, %.1f x %.1f pt (ours: %.1f, %.1f, %.1f x %.1f)\n",
                        row.name, image.page, image.points.left(), image.points.top(), image.points.width(),
                        image.points.height(), expected.left(), expected.top(), expected.width(), expected.height());
            EXPECT_EQ(image.page, 2);
            EXPECT_NEAR(image.points.top(), expected.top(), kTolerancePoints);
            EXPECT_NEAR(image.points.width(), expected.width(), kTolerancePoints);
            EXPECT_NEAR(image.points.height(), expected.height(), kTolerancePoints);
        }
        EXPECT_TRUE(found);
    }

    // The photo upright: red (the stored left half) above, blue below.
    ASSERT_TRUE(run(u"pdftoppm"_qs, {u"-f"_qs, u"2"_qs, u"-l"_qs, u"2"_qs, u"-r"_qs, u"72"_qs, u"-png"_qs,
                                     u"-singlefile"_qs, pdf, m_dir.filePath(u"pagina2"_qs)}));
    const QImage page(m_dir.filePath(u"pagina2.png"_qs));
    ASSERT_FALSE(page.isNull());
    const QRectF photoPoints(6000 / kTwipsPerPoint, 3000 / kTwipsPerPoint, 2250 / kTwipsPerPoint, 4500 / kTwipsPerPoint);
    const QColor upper = page.pixelColor(photoPoints.center().toPoint() - QPoint(0, int(photoPoints.height() / 4)));
    const QColor lower = page.pixelColor(photoPoints.center().toPoint() + QPoint(0, int(photoPoints.height() / 4)));
    EXPECT_GT(upper.red(), 200);
    EXPECT_LT(upper.blue(), 60);
    EXPECT_GT(lower.blue(), 200);
    EXPECT_LT(lower.red(), 60);
}
