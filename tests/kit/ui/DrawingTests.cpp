// Drawing views into images: shapes, gradients, strokes, order and text,
// symbols, shadows, dense lines and clips.
//
// Sections:
//   shapes and paints    fills in resolved colours, wedges and rings, gradients, dashes and trims
//   effects and order    scale effects, opacity and clips, seamless edges, the tree's order and z-index
//   text and symbols     text items, symbols in the foreground colour
//   shadows              below their item, soft, following its alpha, hidden under an opaque fill
//   dense lines          a dense line as its stroke, against Qt's own at four times the resolution
//   clips                a clip holds for its item, the painter's state comes back

#include "UiTest.h"
#include "Wedge.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

using namespace kit;

namespace {

constexpr double pi = std::numbers::pi;

// The colour of a pixel as 8-bit channels.
struct Pixel {
    int r, g, b, a;
};
Pixel at(const QImage& image, int x, int y)
{
    const QRgb p = image.pixel(x, y);
    return {qRed(p), qGreen(p), qBlue(p), qAlpha(p)};
}

} // namespace

using Drawing = UiTest;

TEST_F(Drawing, ShapesFillTheirFrameWithResolvedColours)
{
    ViewHost host(HStack(VerticalAlignment::center, 0,
                         {Rectangle().fill(Color::rgb(1, 0, 0)).frame(50, 50).id("r"), Circle().frame(50, 50).id("c")}),
                  {100, 50});
    const auto red = itemsOf(host, "r");
    ASSERT_EQ(red.size(), 1u);
    EXPECT_EQ(red[0]->kind, DisplayItem::Kind::fill);
    expectRect(red[0]->hostBounds(), Rect(0, 0, 50, 50));
    // A shape used as a view is filled with the foreground colour: primary.
    const auto circle = itemsOf(host, "c");
    ASSERT_EQ(circle.size(), 1u);
    EXPECT_EQ(std::get<Color>(circle[0]->paint).components(), Color::primary().resolved());

    const QImage image = host.renderImage(2);
    ASSERT_EQ(image.width(), 200);
    EXPECT_EQ(at(image, 50, 50).r, 255);
    EXPECT_EQ(at(image, 150, 50).a, std::lround(0.85 * 255));
    EXPECT_EQ(at(image, 102, 2).a, 0) << "outside the circle";
}

TEST_F(Drawing, WedgeCoversItsQuarterAndTheRingItsBand)
{
    const QImage wedge = renderImage(Wedge(-pi / 2, pi / 2).fill(Color::rgb(0, 0, 1)).frame(200, 200), {200, 200});
    EXPECT_EQ(at(wedge, 150, 50).b, 255);
    EXPECT_EQ(at(wedge, 50, 50).a, 0);
    EXPECT_EQ(at(wedge, 150, 150).a, 0);

    const QImage ring = renderImage(Circle().stroke(Color::black(), 40).frame(200, 200), {200, 200});
    EXPECT_EQ(at(ring, 100, 1).a, 255) << "radius 99";
    EXPECT_EQ(at(ring, 100, 100 - 82).a, 255) << "radius 82";
    EXPECT_EQ(at(ring, 100, 100 - 78).a, 0) << "radius 78: inside the band's hole";

    // The label point at −π/4 and half the radius.
    const double a = -pi / 4;
    EXPECT_NEAR(100 + std::cos(a) * 50, 135.36, 0.01);
    EXPECT_NEAR(100 + std::sin(a) * 50, 64.64, 0.01);
}

TEST_F(Drawing, GradientsResolveAgainstTheShapeFrame)
{
    const Paint gradient = LinearGradient{Gradient(std::vector{Color::rgb(1, 0, 0), Color::rgb(0, 0, 1)}),
                                          UnitPoint::leading(), UnitPoint::trailing()};
    // The path covers only the right half of the frame; the gradient still spans the frame.
    struct RightHalf : ShapeBase<RightHalf> {
        Path path(const Rect& r) const { return Path::rect(Rect(r.width() / 2, 0, r.width() / 2, r.height())); }
    };
    const QImage image = renderImage(RightHalf().fill(gradient).frame(200, 100), {200, 100});
    EXPECT_NEAR(at(image, 101, 50).r, 127, 4);
    EXPECT_NEAR(at(image, 101, 50).b, 128, 4);
    EXPECT_GT(at(image, 198, 50).b, 245);
    EXPECT_EQ(at(image, 50, 50).a, 0);
}

TEST_F(Drawing, DashedStrokesAndTrims)
{
    struct Line : ShapeBase<Line> {
        Path path(const Rect& r) const
        {
            Path p;
            p.addLines({{0, r.height() / 2}, {r.width(), r.height() / 2}});
            return p;
        }
    };
    const QImage dashed =
        renderImage(Line().stroke(Color::black(), StrokeStyle{.lineWidth = 4, .dash = {10, 10}}).frame(100, 10),
                    {100, 10});
    EXPECT_EQ(at(dashed, 5, 5).a, 255);
    EXPECT_EQ(at(dashed, 15, 5).a, 0);
    EXPECT_EQ(at(dashed, 25, 5).a, 255);

    ViewHost host(Line().trim(0.25, 0.5).stroke(Color::black(), 2).frame(100, 10).id("l"), {100, 10});
    const auto items = itemsOf(host, "l");
    ASSERT_EQ(items.size(), 1u);
    const Rect b = items[0]->path.boundingRect();
    EXPECT_NEAR(b.minX(), 25, 1e-6);
    EXPECT_NEAR(b.maxX(), 50, 1e-6);
    EXPECT_TRUE(renderImage(Circle().trim(0, 0).stroke(Color::black(), 3).frame(50, 50), {50, 50}).pixel(48, 25) == 0)
        << "a trim to 0 draws nothing";
}

TEST_F(Drawing, ScaleEffectDrawsAroundItsAnchorWithoutMovingLayout)
{
    ViewHost host(HStack(VerticalAlignment::center, 0,
                         {View(Color::red()).frame(100, 20).scaleEffect(1.2, UnitPoint::leading()).id("s"),
                          View(Color::blue()).frame(10, 20).id("n")}),
                  {110, 20});
    expectRect(itemsOf(host, "s").front()->hostBounds(), Rect(0, -2, 120, 24));
    EXPECT_NEAR(frameOf(host, "n").minX(), 100, 1e-9) << "layout stays 100 wide";

    // A scale of 0 draws nothing; rotation turns clockwise on screen.
    ViewHost rotated(View(Color::red()).frame(20, 10).rotationEffect(Angle::degrees(90)).id("r"), {40, 40});
    expectRect(itemsOf(rotated, "r").front()->hostBounds(), Rect(15, 10, 10, 20));
}

TEST_F(Drawing, OpacityMultipliesAndClipsLimit)
{
    ViewHost host(View(Color::rgb(1, 0, 0, 0.5)).opacity(0.5).opacity(0.8).frame(10, 10).id("o"), {10, 10});
    const auto item = itemsOf(host, "o").front();
    EXPECT_NEAR(item->opacity, 0.4, 1e-12);
    EXPECT_NEAR(item->effectiveOpacity(), 0.2, 1e-12);

    const QImage clipped = renderImage(View(Color::black()).frame(40, 40).frame(20, 20).clipped(), {20, 20});
    EXPECT_EQ(at(clipped, 10, 10).a, 255);
    const QImage unclipped =
        renderImage(ZStack({View(Color::black()).frame(40, 40).frame(20, 20)}).frame(20, 20).offset(0, 0), {40, 40});
    EXPECT_EQ(at(unclipped, 2, 2).a, 255) << "nothing clips by default";
    const QImage rounded = renderImage(View(Color::black()).frame(40, 40).cornerRadius(20), {40, 40});
    EXPECT_EQ(at(rounded, 1, 1).a, 0);
    EXPECT_EQ(at(rounded, 20, 20).a, 255);
}

TEST_F(Drawing, FillsMeetWithoutASeamWhereTheirCommonEdgeFallsBetweenPixels)
{
    // Two fills stacked in a column 5 wide, centred in a host 10 wide: the
    // column's sides fall at x = 2.5 and 7.5 and the edge the fills share at
    // y = 10.5 (at scale 1.5: 3.75, 11.25 and 15.75 device pixels). Every
    // pixel is wholly one fill or empty; none lets the background through
    // where the fills meet.
    const View column =
        VStack(HorizontalAlignment::center, 0,
               {View(Color::rgb(1, 0, 0)).frame(5, 10.5), Rectangle().fill(Color::rgb(0, 0, 1)).frame(5, 9.5)});
    for (const double scale : {1.0, 1.5}) {
        const QImage image = renderImage(column, {10, 20}, scale);
        int partial = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const Pixel p = at(image, x, y);
                partial += !(p.a == 0 || (p.a == 255 && p.g == 0 && (p.r == 0) != (p.b == 0)));
            }
        EXPECT_EQ(partial, 0) << "pixels partly covered or mixed at scale " << scale;
        EXPECT_EQ(at(image, int(5 * scale), int(10.5 * scale)).a, 255) << "where the fills meet, at scale " << scale;
    }

    // A fill thinner than a pixel still shows; a turned one keeps its shape.
    const QImage thin = renderImage(View(Color::black()).frame(10, 0.4), {10, 10});
    EXPECT_GT(std::max(at(thin, 5, 4).a, at(thin, 5, 5).a), 0);
    const QImage turned = renderImage(View(Color::black()).frame(20, 20).rotationEffect(Angle::degrees(45)), {40, 40});
    EXPECT_EQ(at(turned, 20, 20).a, 255);
    EXPECT_EQ(at(turned, 8, 8).a, 0) << "a corner of its bounds, outside the turned square";
}

TEST_F(Drawing, DrawingOrderFollowsTheTreeAndZIndex)
{
    View stack = ZStack({View(Color::red()).id("a").overlay(View(Color::green()).id("ao")),
                         View(Color::blue()).id("b").zIndex(1), View(Color::black()).id("c")})
                     .frame(10, 10);
    ViewHost host(stack, {10, 10});
    std::vector<NodeId> order;
    for (const auto& item : host.displayList().items)
        order.push_back(item.node);
    auto position = [&](const char* id) {
        const auto items = itemsOf(host, id);
        return std::find(order.begin(), order.end(), items.front()->node) - order.begin();
    };
    EXPECT_LT(position("a"), position("ao")) << "an overlay above its base";
    EXPECT_LT(position("ao"), position("c"));
    EXPECT_LT(position("c"), position("b")) << "zIndex 1 above later siblings";
    EXPECT_EQ(renderImage(stack, {10, 10}).pixel(5, 5), qRgb(0, 0x7A, 0xFF));
}

TEST_F(Drawing, TextItemsCarryBaselinesFontAndColour)
{
    ViewHost host(VStack(HorizontalAlignment::center, 0,
                         {Text(Verbatim{"ab\ncdef"}).font(Font::system(10)).foregroundColor(Color::green()).id("t")})
                      .multilineTextAlignment(TextAlignment::trailing),
                  {100, 100});
    const DisplayItem* item = host.displayList().textItem("cdef");
    ASSERT_TRUE(item);
    ASSERT_EQ(item->lines.size(), 2u);
    EXPECT_EQ(item->lines[0].baseline, (Point{12, 9}));
    EXPECT_EQ(item->lines[1].baseline, (Point{0, 21}));
    EXPECT_EQ(item->font, Font::system(10));
    EXPECT_EQ(item->color, Color::green().resolved());

    // A modifier on the text beats one on its container.
    ViewHost nested(VStack({Text("key").foregroundColor(Color::red())}).foregroundColor(Color::blue()), {100, 100});
    EXPECT_EQ(nested.displayList().textItem("key")->color, Color::red().resolved());
}

TEST_F(Drawing, SymbolsDrawInTheForegroundColour)
{
    ViewHost host(Image::systemName("plus.circle")
                      .resizable()
                      .aspectRatio()
                      .frame(40, 20)
                      .foregroundColor(Color::rgb(1, 0, 0))
                      .id("i"),
                  {40, 20});
    const auto items = itemsOf(host, "i");
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->kind, DisplayItem::Kind::image);
    expectRect(items[0]->hostBounds(), Rect(10, 0, 20, 20)); // fitted and centred in the frame
    const QImage image = host.renderImage(4);
    EXPECT_GT(at(image, 80, 4 * 10).r, 200) << "the plus crosses the centre";

    for (const char* name : {"plus.circle", "minus.circle", "sidebar.leading", "chevron.left", "folder",
                             "folder.badge.plus", "arrow.clockwise", "doc", "gearshape"})
        EXPECT_TRUE(Image::hasSymbol(name)) << name;
    ViewHost unknown(HStack(VerticalAlignment::center, 0,
                            {Image("no.such.symbol").id("u"), View(Color::red()).frame(5, 5)}),
                     {50, 50});
    EXPECT_EQ(frameOf(unknown, "u").size, (Size{0, 0}));
    EXPECT_TRUE(itemsOf(unknown, "u").empty());
    ViewHost fixed(Image("doc").font(Font::system(20)).id("d"), {50, 50});
    EXPECT_EQ(frameOf(fixed, "d").size, (Size{20, 20})) << "a square of the font size";

    // The pie symbol: three quarters and the fourth pulled out, a gap between.
    const QImage pie = renderImage(Image("chart.pie.fill").font(Font::system(24)).foregroundColor(Color::black()),
                                   {24, 24}, 4);
    EXPECT_EQ(at(pie, 4 * 16, 4 * 16).a, 255);
    EXPECT_EQ(at(pie, 4 * 6, 4 * 6).a, 255);
    EXPECT_EQ(at(pie, 45, 4 * 6).a, 0) << "the gap beside the slice";
}

TEST_F(Drawing, ShadowsDrawBelowTheirItem)
{
    const QImage image = renderImage(View(Color::white()).frame(20, 20).shadow(Color::black(), 0, 10, 10).frame(40, 40),
                                     {40, 40});
    EXPECT_EQ(at(image, 15, 15).r, 255) << "the item over its shadow";
    EXPECT_EQ(at(image, 35, 35).a, 255) << "a hard shadow offset by (10, 10)";
    EXPECT_EQ(at(image, 35, 35).r, 0);
    const QImage soft = renderImage(View(Color::white()).frame(20, 20).shadow(Color::black(), 8).frame(60, 60),
                                    {60, 60});
    const Pixel edge = at(soft, 42, 30);
    EXPECT_GT(edge.a, 10);
    EXPECT_LT(edge.a, 250) << "a blurred edge";

    // The shadow follows the item's own alpha: a nearly clear touch area
    // casts none, a half-transparent fill half of one.
    const QImage clear =
        renderImage(View(Color::white().opacity(1e-9)).frame(20, 20).shadow(Color::black(), 0, 10, 10).frame(40, 40),
                    {40, 40});
    EXPECT_EQ(at(clear, 35, 35).a, 0);
    const QImage half =
        renderImage(View(Color::white().opacity(0.5)).frame(20, 20).shadow(Color::black(), 0, 10, 10).frame(40, 40),
                    {40, 40});
    EXPECT_NEAR(at(half, 35, 35).a, 128, 2);

    // An opaque fill hides its shadow wherever it covers a whole pixel, so
    // the shadow is blended only around it: painted so, and painted through
    // Qt's own fills (a clip keeps the painter from the pixels), the shadow
    // shows alike beside the item, offset and soft, and the item alike over it.
    const Shape triangle = Shape::fromPath(Path([](Path& p) {
        p.addLines({{20.3, 15.6}, {61.7, 30.2}, {25.1, 58.4}});
        p.closeSubpath();
    }));
    ViewHost over(triangle.fill(Color::rgb(0.9, 0.6, 0.1)).shadow(Color::black(), 6, 7, 5).frame(80, 80), {80, 80});
    over.update();
    const QImage direct = over.renderImage();
    QImage throughQt(direct.size(), QImage::Format_ARGB32_Premultiplied);
    throughQt.fill(Qt::transparent);
    {
        QPainter painter(&throughQt);
        painter.setClipRect(QRect(0, 0, 80, 80));
        over.paint(painter);
    }
    EXPECT_EQ(at(direct, 35, 35).r, std::lround(0.9 * 255)) << "the item over its shadow";
    EXPECT_GT(at(direct, 45, 48).a, 100) << "the shadow beyond the item, towards its offset";
    const int worst = worstDifference(direct, throughQt);
    EXPECT_LE(worst, 4) << "Qt's fill of the item's edges may differ by a few levels";

    // A sharp miter reaches far past half the line width; so does its shadow.
    const Shape spike = Shape::fromPath(Path([](Path& p) { p.addLines({{10, 40}, {60, 30}, {10, 20}}); }));
    const QImage mitered =
        renderImage(spike.stroke(Color::white(), StrokeStyle{.lineWidth = 10}).shadow(Color::black(), 0, 0, 30),
                    {100, 80});
    EXPECT_EQ(at(mitered, 75, 60).a, 255) << "the tip of the shadow's miter";
}

namespace {

// A wave of 600 curves across 140 points, each leaving and entering its
// points level, rising and falling 8 points between neighbours: far denser
// than the pixels it crosses.
Path denseWave()
{
    Path p;
    Point last{10, 60};
    p.move(last);
    for (int i = 1; i <= 600; ++i) {
        const Point next{10 + 140.0 * i / 600, 60 + 35 * std::sin(i * 0.04) + (i % 3) * 4};
        const double d = (next.x - last.x) / 2;
        p.addCurve(next, {last.x + d, last.y}, {next.x - d, next.y});
        last = next;
    }
    return p;
}

// The alpha of `path` stroked by Qt itself at `scale`, rendered four times
// finer and averaged back: coverage as exact as antialiasing can show it.
std::vector<int> referenceAlpha(const Path& path, const StrokeStyle& style, const QColor& color, QSize size,
                                double scale)
{
    QImage fine(size * 4, QImage::Format_ARGB32_Premultiplied);
    fine.fill(Qt::transparent);
    {
        QPainter painter(&fine);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(4 * scale, 4 * scale);
        painter.setPen(style.toQPen(QBrush(color)));
        painter.drawPath(path.toQPainterPath());
    }
    std::vector<int> alpha;
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
            int sum = 0;
            for (int j = 0; j < 4; ++j)
                for (int i = 0; i < 4; ++i)
                    sum += qAlpha(fine.pixel(4 * x + i, 4 * y + j));
            alpha.push_back((sum + 8) / 16);
        }
    return alpha;
}

} // namespace

TEST_F(Drawing, ADenseLineLooksAsItsStroke)
{
    // Painted from the outline of its stroke, a line far denser than the
    // pixels differs from Qt's own stroke of it, rendered finer, by less than
    // a quarter pixel's coverage anywhere, and on the whole by no more than
    // Qt's own stroke at the same resolution does.
    const Path wave = denseWave();
    const StrokeStyle pen{.lineWidth = 3, .lineCap = LineCap::round, .lineJoin = LineJoin::round};
    // At twice the resolution, cut into pieces, and translucent: no seam.
    for (auto [scale, opacity] : {std::pair{1.0, 1.0}, std::pair{2.0, 0.5}}) {
        const QSize size(int(160 * scale), int(120 * scale));
        const QImage painted = renderImage(Shape::fromPath(wave).stroke(Color::rgb(0, 0, 1, opacity), pen), {160, 120},
                                           scale);
        const QColor color = QColor::fromRgbF(0, 0, 1, float(opacity));
        const std::vector<int> reference = referenceAlpha(wave, pen, color, size, scale);
        QImage direct(size, QImage::Format_ARGB32_Premultiplied);
        direct.fill(Qt::transparent);
        {
            QPainter painter(&direct);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.scale(scale, scale);
            painter.setPen(pen.toQPen(QBrush(color)));
            painter.drawPath(wave.toQPainterPath());
        }
        int worst = 0;
        long ours = 0, qts = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x) {
                const int expected = reference[std::size_t(y * size.width() + x)];
                const int d = std::abs(qAlpha(painted.pixel(x, y)) - expected);
                worst = std::max(worst, d);
                ours += d;
                qts += std::abs(qAlpha(direct.pixel(x, y)) - expected);
            }
        EXPECT_LE(worst, 64 * opacity) << "scale " << scale;
        EXPECT_LE(ours, qts) << "scale " << scale;
    }
}

TEST_F(Drawing, AClipHoldsForItsOwnItemAndThePaintersStateComesBack)
{
    // Red squares 10 × 10: the first clipped to its top-left 5 × 5, the
    // second 20 to the right at half opacity, clipped by nothing, then the
    // first again; all under a painter at opacity 0.8.
    DisplayList list;
    DisplayItem clipped;
    clipped.path = Path::rect(Rect(0, 0, 10, 10));
    clipped.paint = Color::rgb(1, 0, 0);
    clipped.frame = Rect(0, 0, 10, 10);
    clipped.clips.push_back({Path::rect(Rect(0, 0, 5, 5)), AffineTransform(), false, false});
    DisplayItem half = clipped;
    half.clips.clear();
    half.transform = AffineTransform::translation(20, 0);
    half.opacity = 0.5;
    list.items = {clipped, half, clipped};
    QImage image(40, 10, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setOpacity(0.8);
    const QTransform before = painter.worldTransform();
    list.paint(painter);
    EXPECT_EQ(painter.opacity(), 0.8);
    EXPECT_EQ(painter.worldTransform(), before);
    EXPECT_FALSE(painter.hasClipping());
    painter.end();
    struct Case {
        int x, y;
        int alpha; // 255 × 0.8 for a square; × 0.5 more for the second
    };
    // The first square is drawn twice, before and after the second: 0.8 +
    // 0.8 × 0.2 = 0.96 where its clip lets it.
    for (const Case& c :
         {Case{2, 2, 245}, Case{7, 7, 0}, Case{7, 2, 0}, Case{22, 2, 102}, Case{27, 7, 102}, Case{35, 5, 0}})
        EXPECT_NEAR(at(image, c.x, c.y).a, c.alpha, 1) << c.x << ", " << c.y;
}
