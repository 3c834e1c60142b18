#include "ChartViewTest.h"

#include "charts/core/TouchOverlay.h"

namespace {

using namespace charts;
using namespace charts::testing;

// A chart whose touch marker is a 4 × 4 green square centred on the touch.
class MarkedChart : public TestChart {
public:
    using TestChart::TestChart;
    kit::View touchMarkerView(kit::Point touchLocation, const kit::Rect&) const override
    {
        return kit::View(kit::Color::green()).frame(4, 4).position(touchLocation);
    }
};

using TouchOverlayTest = UiTest;

kit::View touchable(const std::shared_ptr<MarkedChart>& chart, double minDistance = 0,
                    NumberFormatterPtr formatter = nullptr, TouchUnit unit = TouchUnit::suffix("kg"))
{
    return applyTouchOverlay(kit::View(kit::Color::blue()), chart, minDistance, "%.1f", std::move(formatter), unit);
}

std::vector<const kit::DisplayItem*> markers(kit::ViewHost& host)
{
    std::vector<const kit::DisplayItem*> found;
    for (const kit::DisplayItem* item : host.displayList().itemsOfKind(kit::DisplayItem::Kind::fill))
        if (std::get<kit::Color>(item->paint).components() == kit::Color::green().resolved())
            found.push_back(item);
    return found;
}

TEST_F(TouchOverlayTest, ADragTouchesTheChartInItsOwnCoordinatesUntilItEnds)
{
    auto chart = std::make_shared<MarkedChart>(std::vector<TestPoint>{TestPoint(1), TestPoint(2)});
    std::vector<std::pair<kit::Point, kit::Rect>> touches;
    chart->onTouch = [&](kit::Point p, const kit::Rect& r) { touches.emplace_back(p, r); };
    kit::ViewHost host(touchable(chart), {200, 100});
    EXPECT_TRUE(markers(host).empty());

    host.pointerPressed({0, 0});
    ASSERT_EQ(touches.size(), 1u);
    EXPECT_EQ(touches[0].first, (kit::Point{0, 0}));
    EXPECT_EQ(touches[0].second, kit::Rect(0, 0, 200, 100));
    host.pointerMoved({30, 40});
    EXPECT_EQ(chart->infoView->touchLocation, (kit::Point{30, 40}));
    EXPECT_TRUE(chart->infoView->isTouchCurrent);
    host.update();
    ASSERT_EQ(markers(host).size(), 1u);
    expectRect(markers(host)[0]->hostBounds(), kit::Rect(28, 38, 4, 4));

    host.pointerReleased({30, 40});
    EXPECT_FALSE(chart->infoView->isTouchCurrent);
    EXPECT_TRUE(chart->infoView->touchOverlayInfo.empty());
    EXPECT_EQ(chart->infoView->touchLocation, (kit::Point{30, 40}));
    EXPECT_EQ(chart->infoView->chartSize, kit::Rect(0, 0, 200, 100));
    host.update();
    EXPECT_TRUE(markers(host).empty());

    // With a minimum distance, the touch starts once the pointer has moved that far.
    kit::ViewHost distant(touchable(chart, 10), {200, 100});
    distant.pointerPressed({50, 50});
    distant.pointerMoved({55, 50});
    EXPECT_FALSE(chart->infoView->isTouchCurrent);
    distant.pointerMoved({61, 50});
    EXPECT_EQ(chart->infoView->touchLocation, (kit::Point{61, 50}));
    EXPECT_TRUE(chart->infoView->isTouchCurrent);
}

TEST_F(TouchOverlayTest, EachAppearanceWritesTheValueFormatEvenWithoutData)
{
    auto chart = std::make_shared<MarkedChart>(std::vector<TestPoint>{});
    bool touched = false;
    chart->onTouch = [&](kit::Point, const kit::Rect&) { touched = true; };
    const auto percent = std::make_shared<kit::NumberFormatter>(kit::NumberFormatter::Style::percent);
    {
        Announcements announcements(*chart);
        kit::ViewHost host(touchable(chart, 0, percent), {200, 100});
        host.update();
        EXPECT_EQ(announcements.count, 3);
        host.pointerPressed({10, 10});
        host.pointerReleased({10, 10});
    }
    EXPECT_FALSE(touched) << "no gesture without data";
    EXPECT_EQ(chart->infoView->touchSpecifier, "%.1f");
    EXPECT_EQ(chart->infoView->touchFormatter, percent);
    EXPECT_TRUE(chart->infoView->touchUnit.is<TouchUnit::Suffix>());

    // A later appearance with other settings replaces them, an absent formatter included.
    kit::ViewHost later(touchable(chart, 0, nullptr, TouchUnit::prefix("$")), {200, 100});
    later.update();
    EXPECT_FALSE(chart->infoView->touchFormatter);
    EXPECT_TRUE(chart->infoView->touchUnit.is<TouchUnit::Prefix>());
}

} // namespace
