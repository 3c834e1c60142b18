#include "kit/base/DenseStroke.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kit;

namespace {

const StrokeStyle roundPen{.lineWidth = 2, .lineCap = LineCap::round, .lineJoin = LineJoin::round};

// 200 lines zigzagging between 0 and 10 across, one every 0.1 along: x from
// 0 to 20 (or y, `transposed`), backwards when `reversed`.
Path zigzag(bool transposed = false, bool reversed = false)
{
    Path p;
    for (int i = 0; i <= 200; ++i) {
        const int k = reversed ? 200 - i : i;
        const Point along{0.1 * k, (k % 2) * 10.0};
        p.addLine(transposed ? Point{along.y, along.x} : along);
    }
    return p;
}

// Whether any piece of the outline covers the point (non-zero winding).
bool covers(const std::vector<Path>& pieces, Point p)
{
    for (const Path& piece : pieces)
        if (piece.contains(p))
            return true;
    return false;
}

} // namespace

TEST(DenseStroke, OnlyForDenseMonotoneRoundStrokes)
{
    const AffineTransform fine = AffineTransform::scale(5, 5); // a pixel is 0.2 long
    EXPECT_TRUE(denseStrokeOutline(zigzag(), roundPen, fine));

    StrokeStyle butt = roundPen, miter = roundPen, dashed = roundPen, thin = roundPen, wide = roundPen;
    butt.lineCap = LineCap::butt;
    miter.lineJoin = LineJoin::miter;
    dashed.dash = {1, 1};
    thin.lineWidth = 0.15; // under one pixel
    wide.lineWidth = 6.5;  // over 32 pixels
    for (const StrokeStyle& style : {butt, miter, dashed, thin, wide})
        EXPECT_FALSE(denseStrokeOutline(zigzag(), style, fine));

    // 200 lines over 20: dense where a pixel is 0.2 or more, not at 0.05.
    EXPECT_FALSE(denseStrokeOutline(zigzag(), roundPen, AffineTransform::scale(20, 20)));

    Path closed = zigzag();
    closed.closeSubpath();
    Path there = zigzag(), broken = zigzag();
    there.addLine({0, 5}); // and back along x
    broken.addLine({std::nan(""), 0});
    for (const Path& path : {closed, there, broken, Path()})
        EXPECT_FALSE(denseStrokeOutline(path, roundPen, fine));
}

TEST(DenseStroke, CoversTheStrokeAlongEitherAxisInEitherDirection)
{
    // Pen radius 1: the band from -1 to 11 across, round at both ends: the
    // line starts at (0, 0), rises to (0.1, 10), and ends coming down from
    // (19.9, 10) to (20, 0). Samples every 0.05.
    struct Probe {
        Point p;
        bool inside;
    };
    const std::vector<Probe> probes{
        {{10, 5}, true},   {{10, -0.9}, true}, {{10, -1.1}, false},   {{10, 10.9}, true}, {{10, 11.1}, false},
        {{-0.9, 0}, true}, {{-0.5, 5}, true},  {{-1.2, 5}, false},    {{20.9, 0}, true},  {{21.1, 0}, false},
        {{20.6, 5}, true}, {{21.2, 5}, false}, {{-0.8, -0.8}, false}, {{10, 20}, false},
    };
    for (bool transposed : {false, true})
        for (bool reversed : {false, true}) {
            const auto outline = denseStrokeOutline(zigzag(transposed, reversed), roundPen,
                                                    AffineTransform::scale(5, 5));
            ASSERT_TRUE(outline);
            for (const Probe& probe : probes) {
                const Point p = transposed ? Point{probe.p.y, probe.p.x} : probe.p;
                EXPECT_EQ(covers(*outline, p), probe.inside)
                    << p.x << ", " << p.y << (transposed ? " transposed" : "") << (reversed ? " reversed" : "");
            }
        }

    // Two subpaths over one another, one of them backwards, wind the same
    // way: their overlap stays covered.
    Path both = zigzag();
    both.addPath(zigzag(false, true), AffineTransform::translation(5, 0));
    const auto outline = denseStrokeOutline(both, roundPen, AffineTransform::scale(10, 10));
    ASSERT_TRUE(outline);
    for (double x : {3.0, 10.0, 15.0, 22.0})
        EXPECT_TRUE(covers(*outline, {x, 5})) << x;
    EXPECT_FALSE(covers(*outline, {26.2, 5}));
}

TEST(DenseStroke, PiecesMeetOnDevicePixelEdges)
{
    // Device x = 10·x + 3: the stroke reaches from device -7 to 213, cut at 0,
    // 64, 128 and 192 into five pieces side by side.
    const AffineTransform toDevice{10, 0, 0, 10, 3, 0};
    const auto outline = denseStrokeOutline(zigzag(), roundPen, toDevice);
    ASSERT_TRUE(outline);
    ASSERT_EQ(outline->size(), 5u);
    const std::vector<std::pair<double, double>> spans{{-7, 0}, {0, 64}, {64, 128}, {128, 192}, {192, 213}};
    for (std::size_t i = 0; i < spans.size(); ++i) {
        // The cuts exactly; the stroke's ends within a sample (a quarter pixel).
        const Rect box = (*outline)[i].boundingRect();
        EXPECT_NEAR(10 * box.minX() + 3, spans[i].first, i == 0 ? 0.25 : 1e-9) << i;
        EXPECT_NEAR(10 * box.maxX() + 3, spans[i].second, i == 4 ? 0.25 : 1e-9) << i;
    }
    // Inside the band every point lies in exactly one piece.
    for (double x : {1.0, 6.05, 6.15, 12.5, 18.0}) {
        int count = 0;
        for (const Path& piece : *outline)
            count += piece.contains({x, 5});
        EXPECT_EQ(count, 1) << x;
    }

    // Turned, the pieces would not meet on pixel edges: one piece.
    const auto turned = denseStrokeOutline(zigzag(), roundPen, AffineTransform::rotation(0.3).concatenating(toDevice));
    ASSERT_TRUE(turned);
    EXPECT_EQ(turned->size(), 1u);
}

namespace {

// The sample of `band` at device coordinate `at` along it.
std::pair<double, double> bandAt(const DenseStrokeBand& band, double at)
{
    const auto k = std::size_t(std::lround((at - band.first) / DenseStrokeBand::step));
    return {band.low.at(k), band.high.at(k)};
}

} // namespace

TEST(DenseStroke, BandOnTheDeviceAlongTheStroke)
{
    // 200 lines from (0, 5) to (20, 5) and a pen of radius 1, five device
    // pixels to one: across from 20 to 30 on the device, with round ends
    // from x = -5 to 105 (at 3 pixels before the start, 4 either way).
    Path level;
    level.move({0, 5});
    for (int i = 1; i <= 200; ++i)
        level.addLine({0.1 * i, 5});
    const auto band = denseStrokeBand(level, roundPen, AffineTransform::scale(5, 5));
    ASSERT_TRUE(band);
    EXPECT_FALSE(band->alongY);
    EXPECT_LE(band->first, -5);
    EXPECT_GE(band->first + DenseStrokeBand::step * double(band->low.size() - 1), 105);
    for (double x : {0.0, 50.0, 100.0}) {
        EXPECT_NEAR(bandAt(*band, x).first, 20, 0.01) << x;
        EXPECT_NEAR(bandAt(*band, x).second, 30, 0.01) << x;
    }
    EXPECT_NEAR(bandAt(*band, -3).first, 21, 0.05);
    EXPECT_NEAR(bandAt(*band, -3).second, 29, 0.05);
    EXPECT_NEAR(bandAt(*band, 104).first, 22, 0.05);
    const auto [low, high] = bandAt(*band, band->first);
    EXPECT_NEAR(high - low, 0, 0.05) << "the cap's far end";

    // Moved and flipped upside down: the same band, mirrored across, on the device.
    AffineTransform flipped = AffineTransform::scale(5, -5);
    flipped.ty = 100;
    const auto down = denseStrokeBand(level, roundPen, flipped);
    ASSERT_TRUE(down);
    EXPECT_NEAR(bandAt(*down, 50).first, 70, 0.01);
    EXPECT_NEAR(bandAt(*down, 50).second, 80, 0.01);

    // The zigzag along y, drawn backwards: samples along y, across from -5 to 55.
    const auto standing = denseStrokeBand(zigzag(true, true), roundPen, AffineTransform::scale(5, 5));
    ASSERT_TRUE(standing);
    EXPECT_TRUE(standing->alongY);
    EXPECT_NEAR(bandAt(*standing, 50).first, -5, 0.01); // at (0, 50); the peaks half a pixel away
    EXPECT_NEAR(bandAt(*standing, 50).second, 50 + std::sqrt(25 - 0.25), 1e-9);
}

TEST(DenseStroke, BandOnlyWhereThePenStaysRoundAndTheStrokeIsOne)
{
    const AffineTransform fine = AffineTransform::scale(5, 5);
    AffineTransform turned = fine;
    turned.b = 1;
    Path two = zigzag();
    two.move({0, 20});
    two.addLines({{0, 20}, {0.1, 21}});
    for (int i = 2; i <= 200; ++i)
        two.addLine({0.1 * i, 20.0 + (i % 2)});
    EXPECT_TRUE(denseStrokeOutline(two, roundPen, fine)) << "two subpaths make an outline";
    EXPECT_FALSE(denseStrokeBand(two, roundPen, fine));
    EXPECT_FALSE(denseStrokeBand(zigzag(), roundPen, turned));
    EXPECT_FALSE(denseStrokeBand(zigzag(), roundPen, AffineTransform::scale(5, 6))) << "an oval pen";
    StrokeStyle butt = roundPen;
    butt.lineCap = LineCap::butt;
    EXPECT_FALSE(denseStrokeBand(zigzag(), butt, fine));
}
