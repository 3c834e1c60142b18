// Polygons filled by their coverage: the nonzero rule as Qt's antialiased
// fill takes it, exact areas on shapes of many bands of rows and across
// wide rows, and only the runs of each row the polygons reach.

#include "UiTest.h"

#include "kit/ui/raster/CoverageFill.h"

#include <QBrush>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <map>
#include <utility>
#include <vector>

using namespace kit;
using kit::detail::fillPolygons;
using kit::detail::forEachCoveredRow;

namespace {

using Polygons = std::vector<std::vector<Point>>;

struct Coverage {
    std::map<std::pair<int, int>, int> pixels; // (x, y): coverage, the covered ones
    std::map<int, int> runs;                   // row: runs reported
    int reported = 0;                          // pixels reported, covered or not
};

Coverage coverageOf(const Polygons& polygons, const QRect& area)
{
    Coverage c;
    forEachCoveredRow(polygons, area, [&](int y, int from, const std::uint8_t* coverage, int count) {
        ++c.runs[y];
        c.reported += count;
        for (int i = 0; i < count; ++i)
            if (coverage[i] != 0)
                c.pixels[{from + i, y}] = coverage[i];
    });
    return c;
}

std::vector<Point> box(double left, double top, double right, double bottom)
{
    return {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
}

std::vector<Point> reversed(std::vector<Point> points)
{
    return {points.rbegin(), points.rend()};
}

} // namespace

using CoverageFill = UiTest;

// A row's cells are read in blocks of eight: a box starting and ending
// inside blocks, one whose last block reaches past the area's right side,
// and one going round the other way, each pixel at the share of it covered
// (a half 128, a quarter 64) and nothing beside them.
TEST_F(CoverageFill, EdgesInsideBlocksAndAtTheAreasSideTakeTheirShare)
{
    const QRect area(0, 0, 22, 3);
    const auto row = [](std::initializer_list<std::pair<int, int>> ends, int y) {
        std::map<std::pair<int, int>, int> pixels;
        for (auto [x, coverage] : ends)
            pixels[{x, y}] = coverage;
        return pixels;
    };
    // x 3.5 to 20.25 on row 1: pixel 3 half covered, 4 to 19 whole, 20 a quarter.
    auto expected = row({{3, 128}, {20, 64}}, 1);
    for (int x = 4; x <= 19; ++x)
        expected[{x, 1}] = 255;
    EXPECT_EQ(coverageOf({box(3.5, 1, 20.25, 2)}, area).pixels, expected);
    EXPECT_EQ(coverageOf({reversed(box(3.5, 1, 20.25, 2))}, area).pixels, expected);
    // x 12.75 to 21.5 on row 0, the last block (16 to 23) past the area's 22 columns.
    expected = row({{12, 64}, {21, 128}}, 0);
    for (int x = 13; x <= 20; ++x)
        expected[{x, 0}] = 255;
    EXPECT_EQ(coverageOf({box(12.75, 0, 21.5, 1)}, area).pixels, expected);
}

// A box three pixels wide on half pixels, a hundred rows tall (four bands of
// rows): half of its side pixels, a quarter of its corners, all inside.
// Across a row of 1,500 pixels the inside is whole from end to end.
TEST_F(CoverageFill, TallAndWideShapesTakeTheirAreaInEveryPixel)
{
    const Coverage tall = coverageOf({box(2.5, 0.5, 5.5, 100.5)}, QRect(0, 0, 20, 200));
    EXPECT_EQ(tall.pixels.size(), 4u * 101u);
    for (auto [at, expected] : std::map<std::pair<int, int>, int>{{{2, 0}, 64},
                                                                  {{3, 0}, 128},
                                                                  {{5, 0}, 64},
                                                                  {{2, 31}, 128},
                                                                  {{3, 32}, 255},
                                                                  {{4, 64}, 255},
                                                                  {{5, 99}, 128},
                                                                  {{2, 100}, 64},
                                                                  {{4, 100}, 128}})
        EXPECT_EQ(tall.pixels.at(at), expected) << at.first << ", " << at.second;

    const Coverage wide = coverageOf({box(0.5, 1, 1500.5, 2)}, QRect(0, 0, 2000, 10));
    EXPECT_EQ(wide.pixels.size(), 1501u);
    EXPECT_EQ(wide.pixels.at({0, 1}), 128);
    EXPECT_EQ(wide.pixels.at({1500, 1}), 128);
    for (int x : {1, 511, 512, 513, 1024, 1499})
        EXPECT_EQ(wide.pixels.at({x, 1}), 255) << x;
    EXPECT_EQ(wide.runs.at(1), 1);
}

// Two boxes turning the same way overlap once; one turning the other way
// inside a box is a hole. Two boxes far apart on the same rows come as two
// runs a row, and the pixels between them are not visited.
TEST_F(CoverageFill, TheNonzeroRuleAsQtFillsIt)
{
    const Coverage overlap = coverageOf({box(1, 1, 6, 6), box(3, 3, 9, 9)}, QRect(0, 0, 20, 20));
    EXPECT_EQ(overlap.pixels.at({4, 4}), 255);
    EXPECT_EQ(overlap.pixels.size(), 25u + 36u - 9u);

    const Coverage hole = coverageOf({box(1, 1, 9, 9), reversed(box(3, 3, 6, 6))}, QRect(0, 0, 20, 20));
    EXPECT_FALSE(hole.pixels.contains({4, 4}));
    EXPECT_EQ(hole.pixels.at({2, 4}), 255);
    EXPECT_EQ(hole.pixels.size(), 64u - 9u);

    const Coverage apart = coverageOf({box(2, 2, 4, 4), box(900.5, 2, 903, 4)}, QRect(0, 0, 1000, 10));
    EXPECT_EQ(apart.runs, (std::map<int, int>{{2, 2}, {3, 2}}));
    EXPECT_LT(apart.reported, 2 * 40);
    EXPECT_EQ(apart.pixels.at({900, 3}), 128);
    EXPECT_EQ(apart.pixels.at({902, 3}), 255);
}

// Overlapping and holed shapes, crossing bands and reaching past the image,
// translucent and under the painter's opacity: as Qt fills them by the
// nonzero rule. Anything but a plain colour into a raster image at whole
// pixels, or a corner out of reach, is left to Qt having drawn nothing.
TEST_F(CoverageFill, PolygonsLookAsQtFillsThem)
{
    const Polygons shapes{
        {{10.3, 5.2}, {150.7, 40.1}, {30.4, 110.9}},
        {{60.2, -20}, {180, 60.5}, {90.6, 130}},
        reversed({{40, 40}, {60, 40}, {60, 60}, {40, 60}}),
        {{100, 70}, {200, 75}, {100, 80}, {200, 85}}, // crossing itself
    };
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    for (const auto& shape : shapes) {
        path.moveTo(shape[0].x, shape[0].y);
        for (const Point& p : shape)
            path.lineTo(p.x, p.y);
        path.closeSubpath();
    }
    for (double opacity : {1.0, 0.6}) {
        SCOPED_TRACE(opacity);
        QImage byQt(170, 120, QImage::Format_ARGB32_Premultiplied), byUs;
        byQt.fill(Qt::transparent);
        byUs = byQt.copy();
        const QColor colour(30, 140, 200, 200);
        {
            QPainter painter(&byQt);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setOpacity(opacity);
            painter.fillPath(path, colour);
        }
        QPainter painter(&byUs);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setOpacity(opacity);
        ASSERT_TRUE(fillPolygons(painter, shapes, QBrush(colour)));
        painter.end();
        EXPECT_LE(worstDifference(byQt, byUs), 4);
    }

    QImage image(40, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QImage before = image.copy();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const Polygons square{box(2, 2, 20, 20)};
    const Polygons far{{{0, 0}, {1e30, 0}, {0, 1e30}}};
    EXPECT_FALSE(fillPolygons(painter, far, QBrush(Qt::red)));
    EXPECT_FALSE(fillPolygons(painter, square, QBrush(Qt::red, Qt::Dense4Pattern)));
    painter.translate(0.5, 0);
    EXPECT_FALSE(fillPolygons(painter, square, QBrush(Qt::red)));
    painter.resetTransform();
    painter.setClipRect(0, 0, 10, 10);
    EXPECT_FALSE(fillPolygons(painter, square, QBrush(Qt::red)));
    painter.end();
    EXPECT_EQ(image, before);
}

TEST_F(CoverageFill, LongRunsOfOneCoverageComeWhole)
{
    // A box from x 10.5 to 200.5 and a wedge within 400 × 300: with a
    // callback for runs, the inside of each row comes as one run of 255 (from
    // 11 to 199 in the box), and runs and rows together give every pixel
    // the coverage rows alone give it.
    const Polygons shapes{box(10.5, 20.25, 200.5, 120.75), {{220, 10}, {390, 290}, {230, 280}}};
    const QRect area(0, 0, 400, 300);
    const Coverage alone = coverageOf(shapes, area);
    Coverage both;
    int boxRuns = 0;
    forEachCoveredRow(
        shapes, area,
        [&](int y, int from, const std::uint8_t* coverage, int count) {
            for (int i = 0; i < count; ++i)
                if (coverage[i] != 0)
                    both.pixels[{from + i, y}] = coverage[i];
        },
        [&](int y, int from, int count, std::uint8_t coverage) {
            EXPECT_GE(count, 64);
            if (y >= 21 && y <= 119 && from <= 11 + 8 && from + count >= 199 - 8) {
                ++boxRuns;
                EXPECT_EQ(coverage, 255);
            }
            for (int i = 0; i < count; ++i)
                both.pixels[{from + i, y}] = coverage;
        });
    EXPECT_EQ(both.pixels, alone.pixels);
    EXPECT_EQ(boxRuns, 99) << "one long run in every whole row of the box";
}
