#include "PieTest.h"

#include "charts/core/HeaderBox.h"
#include "charts/core/Legends.h"
#include "charts/core/TouchOverlay.h"
#include "kit/base/Localization.h"

namespace {

using namespace charts;
using namespace charts::testing;

using PieChartView = UiTest;

TEST_F(PieChartView, SegmentShapesLieAboutTheCentreOfTheSizeAlone)
{
    const PieSegmentShape pie{kit::UUID(), 0, 2 * pi};
    const DoughnutSegmentShape ring{kit::UUID(), 0, 2 * pi, 0};
    const kit::Rect wide(0, 0, 300, 200);
    expectRect(pie.path(wide).boundingRect(), kit::Rect(50, 0, 200, 200));
    expectRect(ring.path(wide).boundingRect(), kit::Rect(50, 0, 200, 200));
    EXPECT_EQ(pie.path(kit::Rect(75, -30, 300, 200)), pie.path(wide)) << "the origin is not added";
    EXPECT_EQ(ring.path(kit::Rect(75, -30, 300, 200)), ring.path(wide));
    EXPECT_EQ(pie.path(wide).elements().front().point, (kit::Point{150, 100})) << "a wedge starts at the centre";
    EXPECT_EQ(ring.path(wide).elements().front().point, (kit::Point{250, 100})) << "an arc on the circle";
    const DoughnutSegmentShape inset = ring.inset(5).inset(5);
    EXPECT_EQ(inset.insetAmount, 10);
    EXPECT_EQ(inset.id, ring.id);
    expectRect(inset.path(kit::Rect(0, 0, 200, 200)).boundingRect(), kit::Rect(10, 10, 180, 180));
    EXPECT_TRUE(ring.inset(100).path(kit::Rect(0, 0, 200, 200)).isEmpty());
}

TEST_F(PieChartView, WedgesFillTheLargestCircleThatFitsAtAnySize)
{
    auto data = pieData(slices({1, 3})); // a quarter from 12 to 3 o'clock, then the rest
    data->disableAnimation = true;
    for (const kit::Size size : {kit::Size{200, 200}, kit::Size{300, 200}, kit::Size{150, 260}}) {
        SCOPED_TRACE(::testing::Message() << size.width << " x " << size.height);
        kit::ViewHost host{PieChart(data), size};
        const auto& p = data->dataSets->dataPoints;
        EXPECT_EQ(segmentItems(host), (std::vector{segmentItem(host, 0), segmentItem(host, 1)})) << "in point order";
        EXPECT_EQ(segmentItem(host, 1)->path,
                  PieSegmentShape({p[1].id, p[1].startAngle, p[1].amount}).path({{}, size}));
        const QImage image = host.renderImage();
        const double cx = size.width / 2, cy = size.height / 2, r = std::min(size.width, size.height) / 2;
        for (const auto& [radius, angle] : {std::pair{0.5, -pi / 4}, {0.9, -pi / 2 + 0.1}, {0.9, -0.1}})
            EXPECT_TRUE(pixelIs(image, cx, cy, r * radius, angle, sliceColour(0))) << radius << " " << angle;
        for (const auto& [radius, angle] : {std::pair{0.5, pi / 2}, {0.9, pi}, {0.9, -pi / 2 - 0.1}})
            EXPECT_TRUE(pixelIs(image, cx, cy, r * radius, angle, sliceColour(1))) << radius << " " << angle;
        for (const double angle : {-pi / 4, 3 * pi / 4})
            EXPECT_TRUE(pixelIs(image, cx, cy, r * 1.05, angle, std::nullopt)) << "outside the circle";
    }
}

TEST_F(PieChartView, DoughnutStrokesARingInsideTheInscribedCircle)
{
    auto data = doughnutData(slices({1, 1, 1, 1}), 40);
    data->disableAnimation = true;
    // The 200 × 200 chart inside a larger host: the 40-wide ring runs from
    // radius 60 to the inscribed circle's 100, within the chart's frame.
    kit::ViewHost host{kit::View(DoughnutChart(data)).frame(200, 200), {300, 300}};
    kit::Rect bounds = kit::Rect::null();
    for (int i = 0; i < 4; ++i) {
        const kit::DisplayItem* ring = segmentItem(host, i);
        ASSERT_TRUE(ring);
        EXPECT_EQ(ring->kind, kit::DisplayItem::Kind::stroke);
        EXPECT_EQ(ring->strokeStyle, (kit::StrokeStyle{.lineWidth = 40,
                                                       .lineCap = kit::LineCap::butt,
                                                       .lineJoin = kit::LineJoin::miter,
                                                       .miterLimit = 10}));
        bounds = bounds.unionWith(ring->hostBounds());
    }
    expectRect(bounds, kit::Rect(50, 50, 200, 200));
    const QImage image = host.renderImage();
    for (int i = 0; i < 4; ++i) {
        for (double r : {62.0, 80.0, 98.0})
            EXPECT_TRUE(pixelIs(image, 150, 150, r, -pi / 4 + i * pi / 2, sliceColour(i))) << i << " at " << r;
        for (double r : {0.0, 57.0, 103.0})
            EXPECT_TRUE(pixelIs(image, 150, 150, r, -pi / 4 + i * pi / 2, std::nullopt)) << i << " at " << r;
    }
}

TEST_F(PieChartView, OverlaysTheTouchHighlightAndAccessibilityFollowTheirSegment)
{
    kit::StringTable::setActive(
        {{"Rust", "Rouille"}, {"Code breakdown", "Répartition"}, {"%@ Slice 1", "Slice 1: %@"}});
    std::vector<PieChartDataPoint> points = slices({1, 1, 1, 1}); // quarters from 12 o'clock
    points[0].label = OverlayType::label("Rust", kit::Color::white(), kit::Font::headline(), 0.5);
    points[1].label = OverlayType::icon("star.fill", kit::Color::black(), 24, 0.75);
    points[3].label = OverlayType::label("L3", kit::Color::white(), kit::Font::body(), 0.5);
    auto data = pieData(points);
    data->disableAnimation = true;
    kit::ViewHost host{PieChart(data), {200, 200}};
    auto centreOf = [](const kit::DisplayItem* item) { return item->transform.apply(item->frame.center()); };

    // Each overlay sits on the middle of its segment, rFactor of the radius out.
    const kit::DisplayItem* text = host.displayList().textItem("Rouille");
    ASSERT_TRUE(text) << "the label text is a localized key";
    EXPECT_NEAR(centreOf(text).x, 135.36, 0.005);
    EXPECT_NEAR(centreOf(text).y, 64.64, 0.005);
    EXPECT_EQ(text->font, kit::Font::headline());
    EXPECT_EQ(text->color, kit::Color::white().components());
    const kit::DisplayItem* icon = host.displayList().itemsOfKind(kit::DisplayItem::Kind::image).at(0);
    EXPECT_EQ(icon->symbol, "star.fill");
    EXPECT_EQ(icon->frame.size, (kit::Size{24, 24})) << "a size × size frame";
    EXPECT_NEAR(centreOf(icon).x, 100 + std::cos(pi / 4) * 75, 1e-9);
    EXPECT_NEAR(centreOf(icon).y, 100 + std::sin(pi / 4) * 75, 1e-9);
    EXPECT_EQ(icon->layerColors.at(0), kit::Color::black().components());
    // It is drawn with its segment: a later segment lies above the overlays before it.
    const auto& items = host.displayList().items;
    auto indexOf = [&](const kit::DisplayItem* item) { return item - items.data(); };
    EXPECT_LT(indexOf(segmentItem(host, 0)), indexOf(text));
    EXPECT_LT(indexOf(text), indexOf(segmentItem(host, 1)));
    EXPECT_LT(indexOf(icon), indexOf(segmentItem(host, 2)));

    // Each segment announces the chart's title as it is and its own value.
    auto elements = host.accessibilityElements();
    ASSERT_EQ(elements.size(), 4u);
    EXPECT_EQ(elements[0].label, "Code breakdown");
    EXPECT_EQ(elements[0].value, "1 Slice 0");
    EXPECT_EQ(elements[1].value, "Slice 1: 1");
    data->infoView.modify([](auto& info) { info.touchSpecifier = "%.2f"; });
    EXPECT_EQ(host.accessibilityElements().at(1).value, "Slice 1: 1.00");

    // The one touched segment is drawn 1.1 times larger about the centre,
    // above the others with its overlay, with a primary shadow of radius 10.
    auto expectPlain = [&](std::vector<int> segments) {
        for (int i : segments)
            EXPECT_TRUE(segmentItem(host, i)->transform.a == 1 && segmentItem(host, i)->shadows.empty()) << i;
    };
    data->beginTouch({150, 150}, kit::Rect(0, 0, 200, 200)); // 3 to 6 o'clock
    host.update();
    const kit::DisplayItem* touched = segmentItem(host, 1);
    EXPECT_NEAR(touched->transform.a, 1.1, 1e-12);
    EXPECT_NEAR(touched->transform.apply({100, 100}).x, 100, 1e-9);
    EXPECT_NEAR(touched->transform.apply({100, 100}).y, 100, 1e-9);
    ASSERT_EQ(touched->shadows.size(), 1u);
    EXPECT_EQ(touched->shadows[0].radius, 10);
    EXPECT_EQ(touched->shadows[0].offset, (kit::Point{0, 0}));
    EXPECT_EQ(touched->shadows[0].color, kit::Color::primary().resolved());
    EXPECT_EQ(&items[items.size() - 2], touched);
    EXPECT_EQ(items.back().symbol, "star.fill");
    EXPECT_NEAR(items.back().transform.a, 1.1, 1e-12);
    expectPlain({0, 2, 3});
    // Two touched points, or none, highlight nothing.
    data->infoView.modify([&](auto& info) { info.touchOverlayInfo.push_back(data->dataSets->dataPoints[2]); });
    host.update();
    expectPlain({0, 1, 2, 3});
    data->infoView.modify([&](auto& info) { info.touchOverlayInfo.clear(); });
    host.update();
    expectPlain({0, 1, 2, 3});
    EXPECT_EQ(textOf(&host.displayList().items.back()), "L3");
    kit::StringTable::setActive({});
}

TEST_F(PieChartView, EachSegmentIsAnnouncedOverItsOwnAreaWithItsShareOfTheWhole)
{
    // From 12 o'clock: a quarter to 3, a quarter to 6, a sixth and a third
    // of a turn to 12 again (values 3, 3, 2, 4 of 12).
    auto pie = pieData(slices({3, 3, 2, 4}));
    pie->disableAnimation = true;
    kit::ViewHost pieHost{PieChart(pie), {200, 200}};
    // A quarter of a ring 40 wide inside the circle of radius 100: from
    // radius 60 to 100 about (100, 100).
    auto ring = doughnutData(slices({1, 1, 1, 1}), 40);
    ring->disableAnimation = true;
    kit::ViewHost ringHost{DoughnutChart(ring), {200, 200}};
    // 6 o'clock to 8 o'clock: the wedge's box runs from the rim at 8 o'clock
    // (x = 100 − 100·sin 60°) to the centre, and from the centre down to the
    // rim at 6 o'clock.
    const double eight = 100 - 100 * std::sin(pi / 3);
    struct Case {
        const char* what;
        kit::ViewHost& host;
        int slice;
        kit::Rect frame;
        std::string value;
        std::string hint;
    };
    const Case cases[] = {
        {"pie, 12 to 3", pieHost, 0, {100, 0, 100, 100}, "3 Slice 0", "25.0%"},
        {"pie, 3 to 6", pieHost, 1, {100, 100, 100, 100}, "3 Slice 1", "25.0%"},
        {"pie, 6 to 8", pieHost, 2, {eight, 100, 100 - eight, 100}, "2 Slice 2", "16.7%"},
        // 8 to 12 o'clock reaches the rim at 9 and comes down to 8 o'clock's height.
        {"pie, 8 to 12", pieHost, 3, {0, 0, 100, 100 + 100 * std::cos(pi / 3)}, "4 Slice 3", "33.3%"},
        {"doughnut, 12 to 3", ringHost, 0, {100, 0, 100, 100}, "1 Slice 0", "25.0%"},
        {"doughnut, 6 to 9", ringHost, 2, {0, 100, 100, 100}, "1 Slice 2", "25.0%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto elements = c.host.accessibilityElements();
        ASSERT_EQ(elements.size(), 4u);
        const kit::AccessibilityElement& e = elements[std::size_t(c.slice)];
        EXPECT_EQ(e.label, "Code breakdown");
        EXPECT_EQ(e.value, c.value);
        EXPECT_EQ(e.hint, c.hint);
        expectRect(e.frame, c.frame);
    }
}

TEST_F(PieChartView, NothingThatIsNotAFiniteNumberIsDrawn)
{
    // Values that sum to zero leave the angles as the chart data works them
    // out (not numbers, or infinite): no segment, label or symbol is drawn.
    auto pie = pieData(slices({0, 0, 0}, OverlayType::label("x", kit::Color::black(), kit::Font::body(), 0.5)));
    auto ring = doughnutData(slices({2, -2}, OverlayType::icon("star.fill", kit::Color::black(), 20, 0.5)), 20);
    EXPECT_TRUE(std::isnan(pie->dataSets->dataPoints[2].startAngle) &&
                std::isinf(ring->dataSets->dataPoints[0].amount));
    for (kit::View chart : {kit::View(PieChart(pie)), kit::View(DoughnutChart(ring))}) {
        kit::ViewHost host(chart, {200, 200});
        kit::Clock::advance(2);
        EXPECT_TRUE(host.displayList().items.empty());
        const QImage image = host.renderImage();
        EXPECT_TRUE(pixelIs(image, 100, 100, 0, 0, std::nullopt) &&
                    pixelIs(image, 100, 100, 60, -pi / 4, std::nullopt));
    }

    // A finite segment keeps its wedge when only its overlay's place or size
    // is not finite, and a ring with no finite width is not drawn.
    std::vector<PieChartDataPoint> points = slices({1, 1});
    points[0].label = OverlayType::label("x", kit::Color::black(), kit::Font::body(), std::nan(""));
    points[1].label = OverlayType::icon("star.fill", kit::Color::black(), INFINITY, 0.5);
    auto data = pieData(points);
    data->disableAnimation = true;
    kit::ViewHost host{PieChart(data), {200, 200}};
    EXPECT_EQ(host.displayList().items.size(), 2u);
    EXPECT_EQ(segmentItems(host).size(), 2u);
    auto nanRing = doughnutData(slices({1, 1}), std::nan(""));
    nanRing->disableAnimation = true;
    kit::ViewHost ringHost{DoughnutChart(nanRing), {200, 200}};
    EXPECT_TRUE(ringHost.displayList().items.empty());
}

// Takes a slice away while its body is evaluated, after the chart's own body
// but before the chart is laid out.
struct Shrinker {
    std::shared_ptr<PieChartData> data;
    kit::View body() const
    {
        data->dataSets.modify([](PieDataSet& set) { set.dataPoints.pop_back(); });
        return kit::EmptyView();
    }
};

TEST_F(PieChartView, SegmentsDrawTheSnapshotOfPointsTheirCountCameFrom)
{
    auto data = pieData(slices({1, 1, 1}));
    data->disableAnimation = true;
    kit::ViewHost host(kit::ZStack({PieChart(data), Shrinker{data}}), {200, 200});
    kit::runUntilIdle(); // the pass after the slice went draws what is left
    EXPECT_EQ(segmentItems(host).size(), 2u);
}

// The application's chart: touchable, with the header box and the legend.
kit::View decorated(const std::shared_ptr<PieChartData>& data)
{
    data->disableAnimation = true;
    kit::View chart = applyTouchOverlay(PieChart(data), data, 0, "%.0f", nullptr, TouchUnit::none());
    chart = applyHeaderBox(chart, data);
    return applyLegends(chart, data, {kit::GridItem::flexible(10), kit::GridItem::flexible(10)}, 40,
                        kit::Font::caption(), kit::Color::primary(), 18);
}

TEST_F(PieChartView, ADragOnTheDecoratedChartHighlightsTheSliceAndItsLegendEntry)
{
    auto data = pieData(slices({1, 1}));
    kit::ViewHost host(decorated(data).padding(50), {400, 400});
    const kit::Rect area = segmentItem(host, 0)->hostBounds().unionWith(segmentItem(host, 1)->hostBounds());
    EXPECT_GT(area.minY(), textItems(host).at(1)->hostBounds().maxY()) << "below the subtitle";
    EXPECT_LT(area.maxY(), textItems(host).at(4)->hostBounds().minY()) << "above the legend";
    // The title takes the width it needs at the left end of the 300-point
    // row, whole on one line; the touch side ends the row.
    std::vector<std::string> lines;
    for (const auto& line : textItems(host).at(0)->lines)
        lines.push_back(line.text);
    EXPECT_EQ(lines, (std::vector<std::string>{"Code breakdown"})) << "not wrapped";
    EXPECT_NEAR(textItems(host).at(0)->hostBounds().minX(), 50, 1e-9);
    EXPECT_NEAR(textItems(host).at(2)->hostBounds().maxX(), 350, 1e-9) << "the touch side ends the row";

    const kit::Point inSecond{segmentItem(host, 1)->hostBounds().midX() - 10,
                              segmentItem(host, 1)->hostBounds().midY()};
    host.pointerPressed(inSecond);
    host.update();
    ASSERT_EQ(data->infoView->touchOverlayInfo.size(), 1u);
    EXPECT_EQ(data->infoView->touchOverlayInfo[0].id, data->dataSets->dataPoints[1].id);
    EXPECT_NEAR(segmentItem(host, 1)->transform.a, 1.1, 1e-12);
    // The header shows the touched value and description; the legend enlarges the slice's entry.
    EXPECT_EQ(texts(host),
              (std::vector<std::string>{"Code breakdown", "By language", "1", "Slice 1", "Slice 0", "Slice 1"}));
    EXPECT_NEAR(textItems(host)[5]->transform.a, 1.2, 1e-9);
    EXPECT_NEAR(textItems(host)[4]->transform.a, 1.0, 1e-9);
    host.pointerReleased(inSecond);
    host.update();
    EXPECT_EQ(segmentItem(host, 1)->transform.a, 1);
    EXPECT_EQ(textItems(host)[5]->transform.a, 1);

    // Placed above the chart, the title has the whole width too.
    kit::ViewHost floating(decorated(pieData(slices({1, 2}), InfoBoxPlacement::floating())), {300, 400});
    EXPECT_EQ(textItems(floating).at(0)->lines.size(), 1u);
    EXPECT_EQ(textOf(textItems(floating).at(0)), "Code breakdown");
}

} // namespace
