// The ruler: where it draws the margins, indents and tabs, and what its
// mouse drags write into the control.
#include "textctl/bars/txruler.h"
#include "textctl/editing/paragraphedit.h"
#include "textctl/txtextcontrol.h"

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <memory>

using namespace textctl;

namespace {

using Marker = TXRuler::Marker;

constexpr int kTopY = 4;      // the first-line triangle
constexpr int kMiddleY = 15;  // margin edges, tabs, empty ruler
constexpr int kLeftY = 22;    // the left indent's triangle (and the right indent)
constexpr int kBoxY = 28;     // the left indent's box

// Ruler pixels at `zoom` percent: 96 an inch, 1440 twips an inch.
double expectedX(int offset, int zoom, double twips)
{
    return offset + twips * 96.0 / 1440.0 * zoom / 100.0;
}

void setBlockFormat(TXTextControl &control, const ParagraphIndents &in, const QList<QTextOption::Tab> &tabs = {})
{
    QTextCursor cursor = control.cursor();
    QTextBlockFormat format;
    format.setLeftMargin(twipsToIndent(in.left));
    format.setTextIndent(twipsToIndent(in.firstLine));
    format.setRightMargin(twipsToIndent(in.right));
    format.setTabPositions(tabs);
    cursor.setBlockFormat(format);
}

ParagraphIndents indentsAt(TXTextControl &control, int block)
{
    return indentsOf(control.document().main()->findBlockByNumber(block).blockFormat());
}

struct Fixture {
    Fixture()
    {
        control.setText(u"uno\ndos\ntres"_qs);
        control.setSelStart(0);
        ruler.resize(1000, ruler.sizeHint().height());
        ruler.setControl(&control);
        ruler.show();
    }

    void drag(int fromX, int y, int toX, int toY)
    {
        QTest::mousePress(&ruler, Qt::LeftButton, {}, QPoint(fromX, y));
        QTest::mouseMove(&ruler, QPoint((fromX + toX) / 2, toY));
        QTest::mouseMove(&ruler, QPoint(toX, toY));
        QTest::mouseRelease(&ruler, Qt::LeftButton, {}, QPoint(toX, toY));
    }

    TXTextControl control;
    TXRuler ruler;
};

struct MarkerRow {
    const char *name;
    int zoom;
    int offset;
    int marginLeft;
    int marginRight;
    ParagraphIndents indents;
};

const MarkerRow kMarkerRows[] = {
    {"plain_paragraph", 100, 0, 1440, 1440, {0, 0, 0}},
    {"hanging_indent", 100, 0, 1440, 1440, {720, -360, 567}},
    {"zoom_200_with_offset", 200, 30, 1134, 850, {1134, 567, 0}},
    {"zoom_50_negative_indents", 50, 12, 1701, 1701, {-300, 150, -450}},
};

}  // namespace

TEST(RulerMarkers, SitAtThePageValuesAtTheZoom)
{
    for (const MarkerRow &row : kMarkerRows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.control.setZoomFactor(row.zoom);
        f.control.setPageMarginL(row.marginLeft);
        f.control.setPageMarginR(row.marginRight);
        f.ruler.setPageOffset(row.offset);
        setBlockFormat(f.control, row.indents);
        const int width = f.control.PageWidth();
        const auto x = [&](double twips) { return expectedX(row.offset, row.zoom, twips); };
        const ParagraphIndents &in = row.indents;
        EXPECT_NEAR(f.ruler.markerX(Marker::LeftMargin), x(row.marginLeft), 0.01);
        EXPECT_NEAR(f.ruler.markerX(Marker::RightMargin), x(width - row.marginRight), 0.01);
        EXPECT_NEAR(f.ruler.markerX(Marker::LeftIndent), x(row.marginLeft + in.left), 0.01);
        EXPECT_NEAR(f.ruler.markerX(Marker::FirstLine), x(row.marginLeft + in.left + in.firstLine), 0.01);
        EXPECT_NEAR(f.ruler.markerX(Marker::RightIndent), x(width - row.marginRight - in.right), 0.01);
    }
}

TEST(RulerMarkers, FollowTheParagraphAtTheCaretAndShowItsTabs)
{
    Fixture f;
    const QList<QTextOption::Tab> tabs = {QTextOption::Tab(1134 / 15.0, QTextOption::RightTab),
                                          QTextOption::Tab(567 / 15.0, QTextOption::LeftTab)};
    setBlockFormat(f.control, {600, 0, 0}, tabs);
    QTextCursor cursor = f.control.cursor();
    cursor.setPosition(6);  // second paragraph: no indent, no tabs
    f.control.setCursor(cursor);
    EXPECT_NEAR(f.ruler.markerX(Marker::LeftIndent), expectedX(0, 100, 1440), 0.01);
    EXPECT_TRUE(f.ruler.tabX().isEmpty());

    f.control.setSelStart(0);
    EXPECT_NEAR(f.ruler.markerX(Marker::LeftIndent), expectedX(0, 100, 1440 + 600), 0.01);
    const QList<double> xs = f.ruler.tabX();
    ASSERT_EQ(xs.size(), 2);
    EXPECT_NEAR(xs[0], expectedX(0, 100, 1440 + 567), 0.01);  // in position order
    EXPECT_NEAR(xs[1], expectedX(0, 100, 1440 + 1134), 0.01);
}

TEST(RulerMarkers, MarginsAreGreyAndTheTextAreaWhite)
{
    Fixture f;
    const QImage image = f.ruler.grab().toImage();
    const int left = int(expectedX(0, 100, 1440));
    const int right = int(expectedX(0, 100, f.control.PageWidth() - 1440));
    EXPECT_NE(image.pixelColor(left - 20, 6), QColor(Qt::white));
    EXPECT_NE(image.pixelColor(right + 20, 6), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(left + 20, 6), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(right - 20, 6), QColor(Qt::white));
}

namespace {

struct DragRow {
    const char *name;
    int zoom;
    Marker marker;
    int y;
    int dx;
    ParagraphIndents expected;  // from {720, 0, 300}
};

// At 100 % a pixel is 15 twips; other zooms round to the 15-twip step.
const DragRow kDragRows[] = {
    {"first_line_right", 100, Marker::FirstLine, kTopY, 40, {720, 600, 300}},
    {"first_line_left_of_the_margin", 100, Marker::FirstLine, kTopY, -60, {720, -900, 300}},
    {"left_keeps_the_first_line", 100, Marker::LeftIndent, kLeftY, 20, {1020, -300, 300}},
    {"box_moves_both", 100, Marker::LeftIndent, kBoxY, 20, {1020, 0, 300}},
    {"right_indent_inwards", 100, Marker::RightIndent, kLeftY, -30, {720, 0, 750}},
    {"zoom_200_halves_the_distance", 200, Marker::FirstLine, kTopY, 40, {720, 300, 300}},
    {"zoom_150_rounds_to_the_step", 150, Marker::FirstLine, kTopY, 7, {720, 75, 300}},
    {"left_stops_at_the_page_edge", 100, Marker::LeftIndent, kBoxY, -500, {-1440, 0, 300}},
};

}  // namespace

TEST(RulerDrag, MovesTheIndentByTheDraggedDistanceAsOneUndoStep)
{
    for (const DragRow &row : kDragRows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.control.setZoomFactor(row.zoom);
        QTextCursor all = f.control.cursor();
        all.setPosition(0);
        all.setPosition(5, QTextCursor::KeepAnchor);  // first two paragraphs
        f.control.setCursor(all);
        setBlockFormat(f.control, {720, 0, 300});
        QSignalSpy changes(&f.control, &TXTextControl::Change);
        const int x = int(std::lround(f.ruler.markerX(row.marker)));

        QTest::mousePress(&f.ruler, Qt::LeftButton, {}, QPoint(x, row.y));
        QTest::mouseMove(&f.ruler, QPoint(x + row.dx, row.y));
        EXPECT_GT((f.ruler.markerX(row.marker) - x) * row.dx, 0) << "the drag shows before the release";
        QTest::mouseRelease(&f.ruler, Qt::LeftButton, {}, QPoint(x + row.dx, row.y));

        EXPECT_EQ(indentsAt(f.control, 0), row.expected);
        EXPECT_EQ(indentsAt(f.control, 1), row.expected);
        EXPECT_EQ(indentsAt(f.control, 2), (ParagraphIndents{0, 0, 0})) << "outside the selection";
        EXPECT_GE(changes.count(), 1);
        f.control.Undo();
        EXPECT_EQ(indentsAt(f.control, 0), (ParagraphIndents{720, 0, 300}));
        EXPECT_EQ(indentsAt(f.control, 1), (ParagraphIndents{720, 0, 300}));
    }
}

TEST(RulerDrag, APressWithoutMovementChangesNothing)
{
    Fixture f;
    setBlockFormat(f.control, {720, 0, 0});
    const bool couldUndo = f.control.canUndo();
    const int x = int(std::lround(f.ruler.markerX(Marker::FirstLine)));
    f.drag(x, kTopY, x, kTopY);
    EXPECT_EQ(indentsAt(f.control, 0), (ParagraphIndents{720, 0, 0}));
    EXPECT_EQ(f.control.canUndo(), couldUndo);
}

TEST(RulerDrag, MarginEdgesMoveThePageMargins)
{
    Fixture f;
    const int left = int(std::lround(f.ruler.markerX(Marker::LeftMargin)));
    QTest::mouseMove(&f.ruler, QPoint(left, kMiddleY));
    EXPECT_EQ(f.ruler.cursor().shape(), Qt::SizeHorCursor) << "the edge shows it can be dragged";
    QTest::mouseMove(&f.ruler, QPoint(left + 40, kMiddleY));
    EXPECT_EQ(f.ruler.cursor().shape(), Qt::ArrowCursor);
    f.drag(left, kMiddleY, left + 30, kMiddleY);
    EXPECT_EQ(f.control.PageMarginL(), 1440 + 450);
    const int right = int(std::lround(f.ruler.markerX(Marker::RightMargin)));
    f.drag(right, kMiddleY, right - 15, kMiddleY);
    EXPECT_EQ(f.control.PageMarginR(), 1440 + 225);
    EXPECT_EQ(indentsAt(f.control, 0), (ParagraphIndents{0, 0, 0}));

    // A margin never eats the whole text area.
    f.drag(right - 15, kMiddleY, 0, kMiddleY);
    EXPECT_GE(f.control.PageWidth() - f.control.PageMarginL() - f.control.PageMarginR(), 567);
}

TEST(RulerTabs, ClickAddsALeftTabDragMovesItDraggingOffRemovesIt)
{
    Fixture f;
    QSignalSpy changes(&f.control, &TXTextControl::Change);
    const int click = 172;  // 2580 twips from the page edge: 1140 from the margin
    f.drag(click, kMiddleY, click, kMiddleY);
    // The first paragraph's: an undo leaves the caret after the paragraph.
    const auto tabs = [&] { return tabStopsOf(f.control.document().main()->begin().blockFormat()); };
    ASSERT_EQ(tabs().size(), 1);
    EXPECT_EQ(tabs()[0], (TabStop{1140, QTextOption::LeftTab, u' '}));
    EXPECT_GE(changes.count(), 1);

    f.drag(click + 2, kMiddleY, click + 32, kMiddleY + 3);
    ASSERT_EQ(tabs().size(), 1);
    EXPECT_EQ(tabs()[0].position, 1140 + 450);

    f.drag(click + 30, kMiddleY, click + 30, f.ruler.height() + 25);
    EXPECT_TRUE(tabs().isEmpty());
    f.control.Undo();
    ASSERT_EQ(tabs().size(), 1) << "the removal is one undo step";
    EXPECT_EQ(tabs()[0].position, 1590);
}

TEST(RulerTabs, ClicksOnTheGreyMarginAddNothingAndOtherTabsKeepTheirKind)
{
    Fixture f;
    setBlockFormat(f.control, {0, 0, 0}, {QTextOption::Tab(2268 / 15.0, QTextOption::CenterTab)});
    f.drag(40, kMiddleY, 40, kMiddleY);  // inside the left margin
    ASSERT_EQ(tabStopsOf(f.control.cursor().block().blockFormat()).size(), 1);

    f.drag(400, kMiddleY, 400, kMiddleY);
    const QList<TabStop> stops = tabStopsOf(f.control.cursor().block().blockFormat());
    ASSERT_EQ(stops.size(), 2);
    EXPECT_EQ(stops[0], (TabStop{2268, QTextOption::CenterTab, u' '}));
    EXPECT_EQ(stops[1], (TabStop{400 * 15 - 1440, QTextOption::LeftTab, u' '}));
}

TEST(RulerLink, UnlinkingAndADestroyedControlLeaveAnEmptyRuler)
{
    TXRuler ruler;
    auto control = std::make_unique<TXTextControl>();
    control->setPageMarginL(2000);
    ruler.setControl(control.get());
    EXPECT_GT(ruler.markerX(Marker::LeftMargin), 0);
    ruler.setControl(nullptr);
    EXPECT_EQ(ruler.markerX(Marker::LeftMargin), 0);

    ruler.setControl(control.get());
    control.reset();
    EXPECT_EQ(ruler.control(), nullptr);
    EXPECT_EQ(ruler.markerX(Marker::LeftMargin), 0);
    ruler.grab();  // paints with no control
    QTest::mousePress(&ruler, Qt::LeftButton, {}, QPoint(100, kMiddleY));
    QTest::mouseRelease(&ruler, Qt::LeftButton, {}, QPoint(100, kMiddleY));
}
