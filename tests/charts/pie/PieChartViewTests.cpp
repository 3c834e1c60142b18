#include "PieChartViewTest.h"

#include "charts/core/HeaderBox.h"
#include "charts/core/Legends.h"
#include "charts/core/TouchOverlay.h"
#include "charts/pie/SegmentGeometry.h"
#include "kit/base/Localization.h"

namespace {

using namespace charts;
using namespace charts::testing;

using PieChartView = UiTest;

// The drawing tests look at the end state of the start animation.
template <class Data>
void showEndStateAtOnce(const std::shared_ptr<Data>& data)
{
    data->disableAnimation = true;
}

TEST_F(PieChartView, WedgesFillTheLargestCircleThatFitsAtAnySize)
{
    auto data = pieData(slices({1, 3})); // a quarter from 12 to 3 o'clock, then the rest
    showEndStateAtOnce(data);
    for (const kit::Size size : {kit::Size{200, 200}, kit::Size{300, 200}, kit::Size{150, 260}}) {
        SCOPED_TRACE(::testing::Message() << size.width << " x " << size.height);
        kit::ViewHost host{PieChart(data), size};
        const kit::Rect area(0, 0, size.width, size.height);
        const auto segments = segmentItems(host);
        ASSERT_EQ(segments.size(), 2u);
        for (int i = 0; i < 2; ++i) {
            const PieChartDataPoint& p = data->dataSets->dataPoints[std::size_t(i)];
            EXPECT_EQ(segments[std::size_t(i)], segmentItem(host, i)) << "drawn in point order";
            EXPECT_EQ(segments[std::size_t(i)]->kind, kit::DisplayItem::Kind::fill);
            EXPECT_EQ(segments[std::size_t(i)]->path, PieSegmentShape({p.id, p.startAngle, p.amount}).path(area));
            EXPECT_EQ(segments[std::size_t(i)]->fillStyle, kit::FillStyle{});
        }

        const QImage image = host.renderImage();
        const double cx = size.width / 2, cy = size.height / 2, r = std::min(size.width, size.height) / 2;
        auto at = [&](double radius, double angle) { return polar(cx, cy, radius, angle); };
        for (const auto& [x, y] : {at(r * 0.5, -pi / 4), at(r * 0.9, -pi / 2 + 0.1), at(r * 0.9, -0.1)})
            EXPECT_TRUE(pixelIs(image, x, y, sliceColour(0))) << x << ", " << y;
        for (const auto& [x, y] : {at(r * 0.5, pi / 2), at(r * 0.9, pi), at(r * 0.9, -pi / 2 - 0.1)})
            EXPECT_TRUE(pixelIs(image, x, y, sliceColour(1))) << x << ", " << y;
        for (const auto& [x, y] : {at(r * 1.05, -pi / 4), at(r * 1.05, 3 * pi / 4)})
            EXPECT_TRUE(pixelIsEmpty(image, x, y)) << "outside the circle: " << x << ", " << y;
        EXPECT_TRUE(pixelIsEmpty(image, 1, 1));
    }
}

TEST_F(PieChartView, DoughnutStrokesARingCentredOnTheInscribedCircle)
{
    auto data = doughnutData(slices({1, 1, 1, 1}), 40);
    showEndStateAtOnce(data);
    // The 200 × 200 chart in the middle of a larger host, so that the part of
    // the ring outside its area can be seen.
    kit::ViewHost host{kit::View(DoughnutChart(data)).frame(200, 200), {300, 300}};
    const auto segments = segmentItems(host);
    ASSERT_EQ(segments.size(), 4u);
    const kit::StrokeStyle ringStyle{
        .lineWidth = 40, .lineCap = kit::LineCap::butt, .lineJoin = kit::LineJoin::miter, .miterLimit = 10};
    kit::Rect bounds = kit::Rect::null();
    for (int i = 0; i < 4; ++i) {
        const PieChartDataPoint& p = data->dataSets->dataPoints[std::size_t(i)];
        const kit::DisplayItem* ring = segmentItem(host, i);
        ASSERT_TRUE(ring);
        EXPECT_EQ(ring->kind, kit::DisplayItem::Kind::stroke);
        EXPECT_EQ(ring->strokeStyle, ringStyle);
        EXPECT_EQ(ring->path, DoughnutSegmentShape({p.id, p.startAngle, p.amount, 0}).path(kit::Rect(0, 0, 200, 200)));
        bounds = bounds.unionWith(ring->hostBounds());
    }
    expectRect(bounds, kit::Rect(30, 30, 240, 240), 1e-6);

    const QImage image = host.renderImage();
    for (int i = 0; i < 4; ++i) {
        const double middle = -pi / 2 + pi / 4 + i * pi / 2;
        SCOPED_TRACE(i);
        for (double r : {82.0, 100.0, 118.0}) {
            const auto [x, y] = polar(150, 150, r, middle);
            EXPECT_TRUE(pixelIs(image, x, y, sliceColour(i))) << "radius " << r;
        }
        for (double r : {0.0, 77.0, 123.0}) {
            const auto [x, y] = polar(150, 150, r, middle);
            EXPECT_TRUE(pixelIsEmpty(image, x, y)) << "radius " << r;
        }
    }
}

TEST_F(PieChartView, LabelsAndSymbolsSitOnTheMiddleOfTheirSegment)
{
    const kit::Point worked = segmentLabelPoint(-pi / 2, pi / 2, 0.5, kit::Rect(0, 0, 200, 200));
    EXPECT_NEAR(worked.x, 135.36, 0.005);
    EXPECT_NEAR(worked.y, 64.64, 0.005);
    EXPECT_EQ(segmentLabelPoint(-pi / 2, pi / 2, 0.5, kit::Rect(40, 40, 200, 200)), worked) << "origin not added";

    kit::StringTable::setActive({{"Rust", "Rouille"}});
    std::vector<PieChartDataPoint> points = slices({1, 3});
    points[0].label = OverlayType::label("Rust", kit::Color::white(), kit::Font::headline(), 0.5);
    points[1].label = OverlayType::icon("star.fill", kit::Color::black(), 24, 0.75);
    auto data = pieData(points);
    showEndStateAtOnce(data);
    kit::ViewHost host{PieChart(data), {200, 200}};

    const kit::DisplayItem* text = host.displayList().textItem("Rouille");
    ASSERT_TRUE(text) << "the label text is a localized key";
    EXPECT_NEAR(centreOf(*text).x, worked.x, 1e-9);
    EXPECT_NEAR(centreOf(*text).y, worked.y, 1e-9);
    EXPECT_EQ(text->font, kit::Font::headline());
    EXPECT_EQ(text->color, kit::Color::white().components());

    const auto images = host.displayList().itemsOfKind(kit::DisplayItem::Kind::image);
    ASSERT_EQ(images.size(), 1u);
    EXPECT_EQ(images[0]->symbol, "star.fill");
    EXPECT_EQ(images[0]->frame.size, (kit::Size{24, 24})) << "a size × size frame";
    // The middle of the second segment points to 7:30, three quarters of the radius out.
    EXPECT_NEAR(centreOf(*images[0]).x, 100 + std::cos(3 * pi / 4) * 75, 1e-9);
    EXPECT_NEAR(centreOf(*images[0]).y, 100 + std::sin(3 * pi / 4) * 75, 1e-9);
    EXPECT_EQ(images[0]->layerColors.at(0), kit::Color::black().components());

    // Each segment's overlay is drawn with it: a later segment lies above the
    // labels of those before it.
    const auto& items = host.displayList().items;
    auto indexOf = [&](const kit::DisplayItem* item) { return item - items.data(); };
    EXPECT_LT(indexOf(segmentItem(host, 0)), indexOf(text));
    EXPECT_LT(indexOf(text), indexOf(segmentItem(host, 1)));
    EXPECT_LT(indexOf(segmentItem(host, 1)), indexOf(images[0]));
    kit::StringTable::setActive({});
}

TEST_F(PieChartView, TheOneTouchedSegmentIsDrawnLargerAboveTheOthersWithAShadow)
{
    std::vector<PieChartDataPoint> points = slices({1, 1, 1, 1});
    for (int i = 0; i < 4; ++i)
        points[std::size_t(i)].label =
            OverlayType::label("L" + std::to_string(i), kit::Color::white(), kit::Font::body(), 0.5);
    auto data = pieData(points);
    showEndStateAtOnce(data);
    kit::ViewHost host{PieChart(data), {200, 200}};

    data->beginTouch({150, 150}, kit::Rect(0, 0, 200, 200)); // the second slice, 3 to 6 o'clock
    ASSERT_EQ(data->infoView->touchOverlayInfo.size(), 1u);
    host.update();
    const kit::DisplayItem* touched = segmentItem(host, 1);
    ASSERT_TRUE(touched);
    EXPECT_NEAR(touched->transform.a, 1.1, 1e-12);
    const kit::Point centre = touched->transform.apply({100, 100});
    EXPECT_NEAR(centre.x, 100, 1e-9);
    EXPECT_NEAR(centre.y, 100, 1e-9);
    ASSERT_EQ(touched->shadows.size(), 1u);
    EXPECT_EQ(touched->shadows[0].radius, 10);
    EXPECT_EQ(touched->shadows[0].offset, (kit::Point{0, 0}));
    EXPECT_EQ(touched->shadows[0].color, kit::Color::primary().resolved());
    // Its own label comes with it, on top of everything else.
    const auto& items = host.displayList().items;
    EXPECT_EQ(&items[items.size() - 2], touched);
    EXPECT_EQ(textOf(&items.back()), "L1");
    EXPECT_NEAR(items.back().transform.a, 1.1, 1e-12);
    for (int i : {0, 2, 3}) {
        EXPECT_NEAR(segmentItem(host, i)->transform.a, 1, 1e-12);
        EXPECT_TRUE(segmentItem(host, i)->shadows.empty());
    }
    const QImage image = host.renderImage();
    auto [x, y] = polar(100, 100, 106, pi / 4);
    EXPECT_TRUE(pixelIs(image, x, y, sliceColour(1))) << "beyond the circle";
    std::tie(x, y) = polar(100, 100, 106, 3 * pi / 4);
    EXPECT_TRUE(pixelIsEmpty(image, x, y));

    // Two touched points, or none, highlight nothing.
    data->infoView.modify([&](auto& info) { info.touchOverlayInfo.push_back(data->dataSets->dataPoints[2]); });
    host.update();
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(segmentItem(host, i)->transform.a, 1, 1e-12);
        EXPECT_TRUE(segmentItem(host, i)->shadows.empty());
    }
    data->infoView.modify([&](auto& info) { info.touchOverlayInfo.clear(); });
    host.update();
    EXPECT_EQ(segmentItems(host), (std::vector{segmentItem(host, 0), segmentItem(host, 1), segmentItem(host, 2),
                                               segmentItem(host, 3)}));
    EXPECT_EQ(textOf(&host.displayList().items.back()), "L3");
}

TEST_F(PieChartView, EachSegmentIsAnAccessibilityElementWithTheTitleAndItsValue)
{
    kit::StringTable::setActive({{"Code breakdown", "Répartition"}, {"%@ Slice 1", "Slice 1: %@"}});
    auto data = pieData(slices({1, 2.5}));
    showEndStateAtOnce(data);
    kit::ViewHost pie{PieChart(data), {200, 200}};
    auto elements = pie.accessibilityElements();
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[0].label, "Code breakdown") << "the title is announced as it is";
    EXPECT_EQ(elements[0].value, "1 Slice 0");
    EXPECT_EQ(elements[1].value, "Slice 1: 2");

    data->infoView.modify([](auto& info) { info.touchSpecifier = "%.2f"; });
    pie.update();
    elements = pie.accessibilityElements();
    ASSERT_EQ(elements.size(), 2u);
    EXPECT_EQ(elements[1].value, "Slice 1: 2.50");
    kit::StringTable::setActive({});
}

// Every drawn item has finite geometry.
void expectOnlyFiniteItems(kit::ViewHost& host)
{
    for (const kit::DisplayItem& item : host.displayList().items) {
        const kit::Rect b = item.hostBounds();
        EXPECT_TRUE(std::isfinite(b.minX()) && std::isfinite(b.minY()) && std::isfinite(b.width())
                    && std::isfinite(b.height()));
    }
}

TEST_F(PieChartView, NothingThatIsNotAFiniteNumberIsDrawn)
{
    const auto label = OverlayType::label("x", kit::Color::black(), kit::Font::body(), 0.5);
    const auto icon = OverlayType::icon("star.fill", kit::Color::black(), 20, 0.5);
    // Values that sum to zero leave the angles as the chart data works them
    // out (not numbers, or infinite): no segment, label or symbol is drawn.
    for (const std::vector<double>& values : {std::vector<double>{0, 0, 0}, std::vector<double>{2, -2}}) {
        for (const OverlayType& overlay : {label, icon}) {
            auto pie = pieData(slices(values, overlay));
            auto doughnut = doughnutData(slices(values, overlay), 20);
            const PieChartDataPoint& last = pie->dataSets->dataPoints.back();
            EXPECT_FALSE(std::isfinite(last.startAngle + last.amount)) << "the angles stay as worked out";
            for (kit::View chart : {kit::View(PieChart(pie)), kit::View(DoughnutChart(doughnut))}) {
                kit::ViewHost host(chart, {200, 200});
                kit::Clock::advance(2);
                expectOnlyFiniteItems(host);
                EXPECT_TRUE(host.displayList().items.empty());
                const QImage image = host.renderImage();
                EXPECT_TRUE(pixelIsEmpty(image, 100, 100) && pixelIsEmpty(image, 150, 50));
            }
        }
    }

    // A finite segment keeps its wedge when only its overlay's place or size
    // is not finite, and a ring with no finite width is not drawn.
    std::vector<PieChartDataPoint> points = slices({1, 1});
    points[0].label = OverlayType::label("x", kit::Color::black(), kit::Font::body(), std::nan(""));
    points[1].label = OverlayType::icon("star.fill", kit::Color::black(), INFINITY, 0.5);
    auto data = pieData(points);
    showEndStateAtOnce(data);
    kit::ViewHost host{PieChart(data), {200, 200}};
    expectOnlyFiniteItems(host);
    EXPECT_EQ(segmentItems(host).size(), 2u);
    EXPECT_EQ(host.displayList().items.size(), 2u);
    auto ring = doughnutData(slices({1, 1}), std::nan(""));
    showEndStateAtOnce(ring);
    kit::ViewHost ringHost{DoughnutChart(ring), {200, 200}};
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
    showEndStateAtOnce(data);
    kit::ViewHost host(kit::ZStack({PieChart(data), Shrinker{data}}), {200, 200});
    // The first pass lays the chart out after the slice has gone; the pass
    // that follows draws what is left.
    kit::runUntilIdle();
    EXPECT_EQ(data->dataSets->dataPoints.size(), 2u);
    EXPECT_EQ(segmentItems(host).size(), 2u);
}

TEST_F(PieChartView, ADragOnTheDecoratedChartHighlightsTheSliceUnderIt)
{
    auto data = pieData(slices({1, 1}));
    showEndStateAtOnce(data);
    kit::View chart = PieChart(data);
    chart = applyTouchOverlay(chart, data, 0, "%.0f", nullptr, TouchUnit::none());
    chart = applyHeaderBox(chart, data);
    chart = applyLegends(chart, data, {kit::GridItem::flexible(10), kit::GridItem::flexible(10)}, 40,
                         kit::Font::caption(), kit::Color::primary(), 18);
    kit::ViewHost host(kit::VStack(kit::HorizontalAlignment::center, 0, {chart}).padding(50), {400, 400});
    host.update();
    ASSERT_TRUE(host.displayList().textItem("Slice 1")) << "the legend";
    // The chart area is the part of the host between the header and the legend.
    const kit::Rect area = segmentItem(host, 0)->hostBounds().unionWith(segmentItem(host, 1)->hostBounds());
    EXPECT_GT(area.minY(), 50) << "below the header";
    EXPECT_LT(area.maxY(), host.displayList().textItem("Slice 1")->hostBounds().minY()) << "above the legend";
    const kit::Rect wedge = segmentItem(host, 1)->hostBounds();
    const kit::Point inSecond{wedge.midX() - 10, wedge.midY()};
    host.pointerPressed(inSecond);
    host.update();
    ASSERT_EQ(data->infoView->touchOverlayInfo.size(), 1u);
    EXPECT_EQ(data->infoView->touchOverlayInfo[0].id, data->dataSets->dataPoints[1].id);
    EXPECT_NEAR(segmentItem(host, 1)->transform.a, 1.1, 1e-12);
    EXPECT_EQ(segmentItem(host, 1)->shadows.size(), 1u);
    host.pointerReleased(inSecond);
    host.update();
    EXPECT_NEAR(segmentItem(host, 1)->transform.a, 1, 1e-12);
}

} // namespace
