#include "commands/printpreview.h"

#include "textctl/txtextcontrol.h"

#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using commands::PrintPreview;

namespace {

// A document of `pages` pages with one word on each.
void fillPages(TXTextControl &control, int pages)
{
    QStringList words;
    for (int page = 1; page <= pages; ++page)
        words.append(QStringLiteral("Página %1 con bastante texto para verse").arg(page));
    control.setText(words.join(QChar(12)));
}

// The share of white pixels in `rect` of `image`, and whether any is not.
struct Whiteness {
    double share = 0;
    bool allWhite = true;
};

Whiteness whiteness(const QImage &image, const QRect &rect)
{
    Whiteness result;
    int white = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            if (image.pixelColor(x, y) == QColor(Qt::white))
                ++white;
            else
                result.allWhite = false;
        }
    }
    result.share = double(white) / (rect.width() * rect.height());
    return result;
}

TEST(PrintPreviewForm, PairsAndLabelFollowThePageCount)
{
    struct Row {
        int pages;
        int lastPair;
        QStringList labels;  // one per pair
    };
    const Row rows[] = {
        {1, 0, {QStringLiteral("Pages  1 - 2")}},
        {2, 0, {QStringLiteral("Pages  1 - 2")}},
        {3, 1, {QStringLiteral("Pages  1 - 2"), QStringLiteral("Pages  3 - 4")}},
        {4, 1, {QStringLiteral("Pages  1 - 2"), QStringLiteral("Pages  3 - 4")}},
        {5, 2, {QStringLiteral("Pages  1 - 2"), QStringLiteral("Pages  3 - 4"), QStringLiteral("Pages  5 - 6")}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.pages);
        TXTextControl control;
        fillPages(control, row.pages);
        ASSERT_EQ(control.CurrentPages(), row.pages);
        PrintPreview preview(control);
        EXPECT_EQ(preview.windowTitle(), QStringLiteral("Vista Previa"));
        EXPECT_EQ(preview.closeButton().text(), QStringLiteral("Cerrar"));
        EXPECT_EQ(preview.scrollBar().minimum(), 0);
        EXPECT_EQ(preview.scrollBar().maximum(), row.lastPair);
        for (int pair = 0; pair < row.labels.size(); ++pair) {
            preview.setPair(pair);
            EXPECT_EQ(preview.label().text(), row.labels.at(pair));
        }
    }
}

TEST(PrintPreviewForm, LabelNumbersKeepTheirLeadingBlank)
{
    EXPECT_EQ(PrintPreview::pairLabel(0), QStringLiteral("Pages  1 - 2"));
    EXPECT_EQ(PrintPreview::pairLabel(4), QStringLiteral("Pages  9 - 10"));
    EXPECT_EQ(PrintPreview::pairLabel(49), QStringLiteral("Pages  99 - 100"));
}

TEST(PrintPreviewForm, ScrollBarStepsOnePairAtATime)
{
    TXTextControl control;
    fillPages(control, 5);
    PrintPreview preview(control);
    QScrollBar &scroll = preview.scrollBar();
    scroll.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(preview.pair(), 1);
    EXPECT_EQ(preview.label().text(), QStringLiteral("Pages  3 - 4"));
    scroll.triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(preview.pair(), 2);
    EXPECT_EQ(preview.label().text(), QStringLiteral("Pages  5 - 6"));
    scroll.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(preview.pair(), 2);
    scroll.triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(preview.label().text(), QStringLiteral("Pages  1 - 2"));
}

TEST(PrintPreviewZoom, FitsThePageInBothDirections)
{
    struct Row {
        const char *name;
        int width;
        int height;
        int zoom;
    };
    const Row rows[] = {
        {"a4", 11906, 16837, 23},           // zh 22.88 -> 23, zw 26.31 -> 26
        {"letter", 12240, 15840, 24},       // zh 24.32, zw 25.59
        {"a4Landscape", 16837, 11906, 19},  // zh 32.35, zw 18.60
        // Halves go to the even number.
        {"heightHalfDown", 11906, 17120, 22},  // zh 22.5 -> 22, zw 26.31
        {"heightHalfUp", 1000, 10272, 38},     // zh 37.5 -> 38, zw 313.2
        {"widthHalfDown", 13920, 16837, 22},   // zh 22.88 -> 23, zw 22.5 -> 22
        {"noHeight", 11906, 0, 100},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PrintPreview::previewZoom(row.width, row.height), row.zoom);
    }
}

class PrintPreviewClose : public ::testing::Test {
protected:
    void SetUp() override
    {
        fillPages(m_control, 3);
        m_control.setPageWidth(11906);
        m_control.setPageHeight(16837);
        m_control.setPrintZoom(80);
    }
    TXTextControl m_control;
};

TEST_F(PrintPreviewClose, CerrarRestoresTheZoom)
{
    PrintPreview preview(m_control);
    EXPECT_EQ(m_control.PrintZoom(), 23);
    EXPECT_EQ(preview.zoom_guardado(), 80);
    preview.show();
    preview.closeButton().click();
    EXPECT_FALSE(preview.isVisible());
    EXPECT_EQ(m_control.PrintZoom(), 80);
}

TEST_F(PrintPreviewClose, WindowCloseRestoresTheZoom)
{
    PrintPreview preview(m_control);
    preview.show();
    EXPECT_EQ(m_control.PrintZoom(), 23);
    EXPECT_TRUE(preview.close());
    EXPECT_EQ(m_control.PrintZoom(), 80);
}

TEST_F(PrintPreviewClose, CloseBeforeShowingRestoresTheZoom)
{
    PrintPreview preview(m_control);
    preview.close();
    EXPECT_EQ(m_control.PrintZoom(), 80);
}

TEST_F(PrintPreviewClose, EscapeRestoresTheZoom)
{
    PrintPreview preview(m_control);
    preview.show();
    QTest::keyClick(&preview, Qt::Key_Escape);
    EXPECT_FALSE(preview.isVisible());
    EXPECT_EQ(m_control.PrintZoom(), 80);
}

// A later change of the zoom is not undone by the form's end.
TEST_F(PrintPreviewClose, ZoomIsRestoredOnlyOnce)
{
    auto preview = std::make_unique<PrintPreview>(m_control);
    preview->show();
    preview->close();
    m_control.setPrintZoom(60);
    preview.reset();
    EXPECT_EQ(m_control.PrintZoom(), 60);
}

TEST_F(PrintPreviewClose, DestroyedOpenRestoresTheZoom)
{
    auto preview = std::make_unique<PrintPreview>(m_control);
    preview->show();
    preview.reset();
    EXPECT_EQ(m_control.PrintZoom(), 80);
}

// With no display there is nothing to show and nothing to wait for.
TEST_F(PrintPreviewClose, WithoutDisplayShowsNothing)
{
    commands::showPrintPreview(m_control);
    EXPECT_EQ(m_control.PrintZoom(), 80);
}

TEST(PrintPreviewPaint, TwoWhiteSheetsAndOnlyExistingPagesDrawn)
{
    TXTextControl control;
    fillPages(control, 3);
    PrintPreview preview(control);
    preview.show();
    auto *left = preview.findChild<QWidget *>(QStringLiteral("Picture1"));
    auto *right = preview.findChild<QWidget *>(QStringLiteral("Picture2"));
    ASSERT_TRUE(left && right);
    EXPECT_EQ(left->geometry().top(), right->geometry().top());
    EXPECT_LT(left->geometry().right(), right->geometry().left());

    // Pages 1 and 2: two white sheets, each with text on it.
    QImage image = preview.grab().toImage();
    for (QWidget *box : {left, right}) {
        const Whiteness sheet = whiteness(image, box->geometry());
        EXPECT_GT(sheet.share, 0.9) << box->objectName().toStdString();
        EXPECT_FALSE(sheet.allWhite) << box->objectName().toStdString();
    }
    // The form between the boxes is not part of a sheet.
    const QRect gap(left->geometry().right() + 1, left->geometry().top(),
                    right->geometry().left() - left->geometry().right() - 1, 10);
    EXPECT_LT(whiteness(image, gap).share, 0.5);

    // Pages 3 and 4: page 4 does not exist, its box stays white.
    preview.setPair(1);
    image = preview.grab().toImage();
    EXPECT_FALSE(whiteness(image, left->geometry()).allWhite);
    EXPECT_TRUE(whiteness(image, right->geometry()).allWhite);
    EXPECT_EQ(control.PrintDevice(), nullptr);
}

}  // namespace
