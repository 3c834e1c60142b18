// Each of the five bar charts rendered offscreen at two sizes, in the light
// and the dark appearance: the pixels where bars must be carry their
// colour, and where nothing is drawn stays empty.

#include "BarViewTest.h"

#include <functional>

namespace {

using namespace charts;
using namespace charts::testing;

using BarGallery = UiTest;

// A pixel of a chart W × H, where `colour` (or nothing) must be.
struct Pixel {
    double x, y;
    std::optional<kit::Color> colour;
};

struct Exhibit {
    const char* name;
    std::function<kit::View()> chart;
    std::function<std::vector<Pixel>(double W, double H)> pixels;
};

template <class Data>
std::shared_ptr<Data> still(std::shared_ptr<Data> data)
{
    data->disableAnimation = true;
    return data;
}

std::vector<Exhibit> exhibits()
{
    const BarStyle orange = barsOf(0.5, ColourFrom::barStyle, ColourStyle(kit::Color::orange()));
    const kit::Color red = kit::Color::red(), green = kit::Color::green();
    return {
        // 1, 2, 3, 4 of 4: bar i centred at (i + 0.5)·W/4, v/4 of H high.
        {"standard",
         [=] {
             return BarChart(still(barData({1, 2, 3, 4}, barChartStyle(), orange)));
         },
         [](double W, double H) {
             std::vector<Pixel> pixels{{W / 8, H * 0.1, std::nullopt}};
             for (int i = 0; i < 4; ++i)
                 pixels.push_back({(i + 0.5) * W / 4, H - (i + 1) / 4.0 * H / 2, kit::Color::orange()});
             return pixels;
         }},
        // Two groups 10 apart, each g = (W − 10)/2 wide, two bars in it.
        {"grouped",
         [=] {
             return GroupedBarChart(still(groupedData({{1, 2}, {3, 4}}, barChartStyle(), threeGroups(), orange)), 10);
         },
         [=](double W, double H) {
             const double g = (W - 10) / 2;
             std::vector<Pixel> pixels{{g + 5, H / 2, std::nullopt}};
             const double values[2][2] = {{1, 2}, {3, 4}};
             for (int k = 0; k < 2; ++k)
                 for (int j = 0; j < 2; ++j)
                     pixels.push_back(
                         {k * (g + 10) + (j + 0.5) * g / 2, H - values[k][j] / 4 * H / 2, j == 0 ? red : green});
             return pixels;
         }},
        // Totals 3 and 3: parts 1 (red) and 2 (green), then 3 (red).
        {"stacked",
         [=] {
             return StackedBarChart(still(stackedData({{1, 2}, {3}}, barChartStyle(), threeGroups(), orange)));
         },
         [=](double W, double H) {
             return std::vector<Pixel>{{W / 4, H - H / 6, red},
                                       {W / 4, H / 3, green},
                                       {W * 0.75, H / 2, red},
                                       {W / 16, H / 2, std::nullopt}};
         }},
        // 1, 2, 3, 4 of 4: bar i across (i + 0.5)·H/4, v/4 of W long.
        {"horizontal",
         [=] {
             return HorizontalBarChart(still(horizontalData({1, 2, 3, 4}, barChartStyle(), orange)));
         },
         [](double W, double H) {
             std::vector<Pixel> pixels{{W * 0.9, H / 8, std::nullopt}};
             for (int i = 0; i < 4; ++i)
                 pixels.push_back({(i + 1) / 4.0 * W / 2, (i + 0.5) * H / 4, kit::Color::orange()});
             return pixels;
         }},
        // 0-2, 1-4, 2-3 on 0 … 4: centres at 1, 2.5 and 2.5.
        {"ranged",
         [=] {
             return RangedBarChart(still(rangedData({{0, 2}, {1, 4}, {2, 3}}, barChartStyle(), orange)));
         },
         [](double W, double H) {
             return std::vector<Pixel>{{W / 6, H * 0.75, kit::Color::orange()},
                                       {W / 2, H * 0.375, kit::Color::orange()},
                                       {W * 5 / 6, H * 0.375, kit::Color::orange()},
                                       {W / 6, H * 0.1, std::nullopt},
                                       {W * 5 / 6, H * 0.1, std::nullopt}};
         }},
    };
}

TEST_F(BarGallery, EveryChartDrawsItsBarsAtTwoSizesInBothAppearances)
{
    for (const Exhibit& exhibit : exhibits())
        for (const kit::Size size : {kit::Size{300, 200}, kit::Size{180, 260}})
            for (const kit::ColorScheme scheme : {kit::ColorScheme::light, kit::ColorScheme::dark}) {
                SCOPED_TRACE(::testing::Message() << exhibit.name << " " << size.width << " x " << size.height
                                                  << (scheme == kit::ColorScheme::dark ? " dark" : " light"));
                kit::ViewHost host{exhibit.chart(), size};
                host.setColorScheme(scheme);
                const QImage image = host.renderImage();
                for (const Pixel& p : exhibit.pixels(size.width, size.height))
                    EXPECT_TRUE(pixelIs(image, p.x, p.y, p.colour, scheme)) << "at " << p.x << ", " << p.y;
            }
}

} // namespace
