// Cell borders as printed: each line once, on the edge the two cells
// share, the wider of theirs, in its style; every page of a long table
// with its own rows' lines.
#include "textctl/txtextcontrol.h"

#include <QImage>

#include <gtest/gtest.h>

#include <functional>

namespace {

QImage printed(TXTextControl &control, int page)
{
    // 96 dots an inch: one reference pixel a dot.
    QImage image(800, 1130, QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.fill(Qt::white);
    control.setPrintZoom(100);
    control.setPrintDevice(&image);
    EXPECT_TRUE(control.PrintPage(page));
    EXPECT_TRUE(control.endPrint());
    control.setPrintDevice(nullptr);
    return image;
}

bool red(const QImage &image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return c.red() > 180 && c.green() < 140 && c.blue() < 140;
}

struct RedRun {
    double centre;
    int width;
};

// The runs of consecutive lines of the image (columns, or rows) with at
// least `least` red pixels.
QList<RedRun> redRuns(const QImage &image, bool columns, int least)
{
    const int count = columns ? image.width() : image.height();
    const int across = columns ? image.height() : image.width();
    QList<RedRun> runs;
    int start = -1;
    for (int i = 0; i <= count; ++i) {
        int hits = 0;
        for (int j = 0; i < count && j < across; ++j)
            hits += columns ? red(image, i, j) : red(image, j, i);
        if (hits >= least && start < 0)
            start = i;
        if (hits < least && start >= 0) {
            runs.append({(start + i - 1) / 2.0, i - start});
            start = -1;
        }
    }
    return runs;
}

QByteArray side(const char *which, const QByteArray &style)
{
    return QByteArray("\\clbrdr") + which + style + "\\brdrcf1";
}

QByteArray twoByTwo(const QByteArray &firstCell, const QByteArray &secondCell)
{
    const QByteArray row = "\\trowd\\trgaph0" + firstCell + "\\cellx2000" + secondCell
                           + "\\cellx4000\\pard\\intbl Uno\\cell\\pard\\intbl Dos\\cell\\row";
    return "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}\\margl1440\\margt1440" + row + row + "\\pard\\par}";
}

}  // namespace

TEST(CellBorders, LinesAreDrawnOnceOnTheEdgesCellsShare)
{
    const QByteArray single = "\\brdrs\\brdrw20";
    const QByteArray all = side("t", single) + side("l", single) + side("b", single) + side("r", single);
    // The table starts at the left margin (96 pixels); its edges are at
    // 2000 and 4000 twips from there.
    constexpr double kEdges[] = {96.0, 96.0 + 2000 / 15.0, 96.0 + 4000 / 15.0};
    struct Case {
        const char *name;
        QByteArray rtf;
        QList<double> columns;  // where lines down are centred
        int widest;             // the widest of them, in pixels
        int across;             // lines across the table
    };
    const Case cases[] = {
        {"every side of every cell", twoByTwo(all, all), {kEdges[0], kEdges[1], kEdges[2]}, 2, 3},
        {"a wide right side, none on the left of the cell beside it",
         twoByTwo(side("r", "\\brdrs\\brdrw60"), {}), {kEdges[1]}, 5, 0},
        {"the wider of the two sides an edge has",
         twoByTwo(side("r", "\\brdrs\\brdrw20"), side("l", "\\brdrs\\brdrw60")), {kEdges[1]}, 5, 0},
        {"a double line: two thin ones", twoByTwo(side("r", "\\brdrdb\\brdrw90"), {}),
         {kEdges[1] - 2.5, kEdges[1] + 2.5}, 2, 0},
        {"sides without a line", twoByTwo(side("r", "\\brdrnone"), side("l", "\\brdrnone")), {}, 0, 0},
    };
    for (const Case &c : cases) {
        TXTextControl control;
        ASSERT_TRUE(control.LoadContent({u"t.rtf"_qs, 5, c.rtf})) << c.name;
        control.usePageOfLoad();
        const QImage page = printed(control, 1);
        const QList<RedRun> down = redRuns(page, true, 20);
        ASSERT_EQ(down.size(), c.columns.size()) << c.name;
        int widest = 0;
        for (int i = 0; i < down.size(); ++i) {
            EXPECT_NEAR(down[i].centre, c.columns[i], 1.5) << c.name << " line " << i;
            widest = qMax(widest, down[i].width);
        }
        EXPECT_NEAR(widest, c.widest, 1) << c.name;
        EXPECT_EQ(redRuns(page, false, 100).size(), c.across) << c.name;
    }
}

// A page looks only at its own rows; the edge between the last row of a
// page and the first of the next is drawn on both, every other line once.
TEST(CellBorders, EveryPageOfALongTableHasItsOwnRowsLines)
{
    const QByteArray single = "\\brdrs\\brdrw20";
    const QByteArray all = side("t", single) + side("l", single) + side("b", single) + side("r", single);
    QByteArray rtf = "{\\rtf1\\ansi{\\colortbl;\\red255\\green0\\blue0;}";
    constexpr int kRows = 150;
    for (int i = 1; i <= kRows; ++i)
        rtf += "\\trowd" + all + "\\cellx3000\\pard\\intbl Fila " + QByteArray::number(i) + "\\cell\\row";
    rtf += "\\pard Fin\\par}";
    TXTextControl control;
    ASSERT_TRUE(control.LoadContent({u"t.rtf"_qs, 5, rtf}));
    control.usePageOfLoad();
    const int pages = control.CurrentPages();
    ASSERT_GE(pages, 3);
    int across = 0;
    for (int page = 1; page <= pages; ++page) {
        const QImage image = printed(control, page);
        across += int(redRuns(image, false, 100).size());
        EXPECT_EQ(redRuns(image, true, 100).size(), 2) << "page " << page;
    }
    EXPECT_EQ(across, kRows + 1 + (pages - 1));
}
