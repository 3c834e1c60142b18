#include "AxesTest.h"

#include "charts/axes/MeasuredLabel.h"

namespace {

using namespace charts;
using namespace charts::testing;

// With the fixed metrics a size-10 font advances 6 points a character and a
// line is 12 high.
class LabelTextTest : public UiTest {
protected:
    template <class Chart>
    static std::shared_ptr<Chart> labelChart()
    {
        TestAxisStyle style;
        style.xAxisLabelFont = kit::Font::system(10);
        style.xAxisLabelColour = kit::Color::blue();
        return std::make_shared<Chart>(std::vector<double>{1}, style);
    }

    // The first pass, then the passes its measurements cause.
    static void settle(kit::ViewHost& host)
    {
        host.update();
        kit::runUntilIdle();
        host.update();
    }

    static std::vector<std::pair<std::string, std::string>> accessibility(kit::ViewHost& host)
    {
        std::vector<std::pair<std::string, std::string>> result;
        for (const kit::AccessibilityElement& element : host.accessibilityElements())
            result.emplace_back(element.label, element.value);
        return result;
    }
};

struct RotationCase {
    const char* name;
    kit::Angle rotation;
    kit::Size layout;
    double height, width; // the entries added to the heights and widths lists
};

TEST_F(LabelTextTest, ARotatedLabelTakesItsMeasuredSizeTurnedAndRecordsItsExtentsOncePerAppearance)
{
    // "Label": 5 characters, 30 × 12 upright.
    const RotationCase cases[] = {
        {"upright", kit::Angle::zero(), {30, 12}, 12, 30},
        {"a quarter turn", kit::Angle::degrees(90), {12, 30}, 30, 12},
        {"a quarter turn back", kit::Angle::degrees(-90), {12, 30}, 30, 12},
        {"any turn exchanges the sides", kit::Angle::degrees(30), {12, 30}, 30, 12},
    };
    for (const RotationCase& c : cases) {
        const auto chart = labelChart<ValueChart>();
        std::vector<std::pair<std::size_t, std::size_t>> writes;
        const auto log = chart->viewData.sink([&](const ChartViewData& data) {
            writes.emplace_back(data.xAxisLabelHeights.size(), data.xAxislabelWidths.size());
        });
        kit::ViewHost host(kit::View(RotatedText<ValueChart>{chart, "Label", c.rotation}).id("label"), {300, 200});
        settle(host);
        EXPECT_EQ(chart->viewData->xAxisLabelHeights, std::vector<double>{c.height}) << c.name;
        EXPECT_EQ(chart->viewData->xAxislabelWidths, std::vector<double>{c.width}) << c.name;
        EXPECT_EQ(writes, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 0}, {1, 0}, {1, 1}}))
            << c.name << ": the height first, then the width, each announced";
        const kit::Rect frame = frameOf(host, "label");
        expectRect(frame, kit::Rect({150 - c.layout.width / 2, 100 - c.layout.height / 2}, c.layout));

        const kit::DisplayItem* text = host.displayList().textItem("Label");
        ASSERT_TRUE(text) << c.name;
        EXPECT_EQ(text->font, kit::Font::system(10));
        EXPECT_EQ(text->color, kit::Color::blue().resolved());
        if (c.rotation.radians == 0 || std::abs(c.rotation.inDegrees()) == 90)
            expectRect(text->hostBounds(), frame); // turned about its centre, it fills the layout frame
        EXPECT_EQ(accessibility(host), (std::vector<std::pair<std::string, std::string>>{{"X-Axis-Label", "Label"}}));

        // Shown again, it measures again; re-evaluations alone add nothing.
        chart->metadata.modify([](ChartMetadata& m) { m.title = "Changed"; });
        settle(host);
        EXPECT_EQ(chart->viewData->xAxisLabelHeights.size(), 1u) << c.name;
        host.setVisible(false);
        host.setVisible(true);
        settle(host);
        EXPECT_EQ(chart->viewData->xAxisLabelHeights, (std::vector<double>{c.height, c.height})) << c.name;
        EXPECT_EQ(chart->viewData->xAxislabelWidths, (std::vector<double>{c.width, c.width})) << c.name;
    }
}

TEST_F(LabelTextTest, ATempTextTakesNoRoomAndIsDrawnCentredWhereItIsPlaced)
{
    const auto chart = labelChart<ValueChart>();
    // A 100 × 50 block centred in the host: its centre is (150, 100).
    kit::ViewHost host(kit::ZStack(
                           {kit::View(kit::Color::red()).frame(100, 50),
                            kit::View(TempText<ValueChart>{chart, "A long label", kit::Angle::zero()}).id("temp")}),
                       {300, 200});
    settle(host);
    expectRect(frameOf(host, "temp"), kit::Rect(150, 100, 0, 0));
    // 12 characters: 72 × 12 around the centre.
    expectRect(host.displayList().textItem("A long label")->hostBounds(), kit::Rect(114, 94, 72, 12));
    EXPECT_EQ(chart->viewData->xAxisLabelHeights, std::vector<double>{12});
    EXPECT_EQ(chart->viewData->xAxislabelWidths, std::vector<double>{72});

    const auto turned = labelChart<ValueChart>();
    kit::ViewHost turnedHost(kit::View(TempText<ValueChart>{turned, "Label", kit::Angle::degrees(90)}).id("temp"),
                             {300, 200});
    settle(turnedHost);
    expectRect(frameOf(turnedHost, "temp"), kit::Rect(150, 100, 0, 0));
    EXPECT_EQ(turned->viewData->xAxisLabelHeights, std::vector<double>{30});
    EXPECT_EQ(turned->viewData->xAxislabelWidths, std::vector<double>{12});
}

TEST_F(LabelTextTest, AHorizontalCategoryLabelRecordsItsWidthPlusTenAndAnnouncesItselfAsAnXAxisLabel)
{
    kit::StringTable::setActive({{"Oranges", "Orangen"}, {"Pears", "Birnen"}});
    const auto chart = labelChart<HorizontalValueChart>();
    kit::ViewHost host(kit::VStack({kit::View(HorizontalRotatedText<HorizontalValueChart>{chart, "Oranges"}).id("a"),
                                    kit::View(HorizontalRotatedText<HorizontalValueChart>{chart, "Pears"})}),
                       {300, 200});
    settle(host);
    // 7 and 6 characters, localized: 42 + 10 and 36 + 10.
    EXPECT_EQ(chart->viewData->yAxisLabelWidth, (std::vector<double>{52, 46}));
    EXPECT_TRUE(chart->viewData->xAxisLabelHeights.empty() && chart->viewData->xAxislabelWidths.empty());
    const kit::Rect frame = frameOf(host, "a");
    EXPECT_EQ(frame.size, (kit::Size{42, 12})) << "no frame of its own: the text's size";
    EXPECT_EQ(host.displayList().textItem("Orangen")->color, kit::Color::blue().resolved());
    EXPECT_EQ(accessibility(host), (std::vector<std::pair<std::string, std::string>>{{"X-Axis-Label", "Orangen"},
                                                                                     {"X-Axis-Label", "Birnen"}}));
    kit::StringTable::setActive({});
}

} // namespace
