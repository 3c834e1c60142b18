#pragma once

// Shared builders for the line chart tests: styles, sets and charts of given
// values, and readers of paths and recorded events.

#include "charts/line/LineChartData.h"
#include "tests/charts/core/ChartViewTest.h"

#include <memory>
#include <string>
#include <vector>

namespace charts::testing {

inline PointStyle pointStyle(PointType type = PointType::filled, PointShape shape = PointShape::circle)
{
    return PointStyle{10, kit::Color::blue(), kit::Color::white(), 2, type, shape};
}

inline LineStyle lineStyle(bool ignoreZero = false, LineType lineType = LineType::line,
                           ColourStyle colour = ColourStyle(kit::Color::red()))
{
    return LineStyle(std::move(colour), lineType, defaultStroke(), ignoreZero);
}

inline LineChartStyle lineChartStyle(LineMarkerType marker = LineMarkerType::none(),
                                     Baseline baseline = Baseline::minimumValue(),
                                     Topline topLine = Topline::maximumValue())
{
    const GridStyle grid(3, kit::Color::gray(), 1, {}, 0);
    return LineChartStyle(InfoBoxPlacement::floating(), InfoBoxAlignment::vertical, kit::Font::body(),
                          kit::Color::primary(), kit::Font::caption(), kit::Color::secondary(), kit::Color::white(),
                          kit::Color::gray(), kit::StrokeStyle{}, std::move(marker), grid, XAxisLabelPosistion::bottom,
                          kit::Font::caption(), kit::Color::primary(), LabelsFrom::dataPoint(kit::Angle::zero()),
                          std::nullopt, kit::Font::caption(), kit::Color::primary(), std::nullopt, grid,
                          YAxisLabelPosistion::leading, kit::Font::caption(), kit::Color::primary(), 5,
                          YAxisLabelType::numeric, std::nullopt, kit::Font::caption(), kit::Color::primary(),
                          std::nullopt, std::move(baseline), std::move(topLine), kit::Animation::linear(0.3));
}

inline std::vector<LineChartDataPoint> linePoints(const std::vector<double>& values)
{
    std::vector<LineChartDataPoint> points;
    for (double value : values)
        points.emplace_back(value);
    return points;
}

inline LineDataSet lineSet(const std::vector<double>& values, LineStyle style = lineStyle(), std::string title = "Line")
{
    return LineDataSet(linePoints(values), std::move(title), pointStyle(), std::move(style));
}

inline ChartMetadata metadata(std::string title = "Title")
{
    return ChartMetadata(std::move(title), "Subtitle", kit::Font::title(), kit::Color::primary(), kit::Font::body(),
                         kit::Color::secondary());
}

inline std::shared_ptr<LineChartData> lineChart(LineDataSet set, LineChartStyle style = lineChartStyle())
{
    return std::make_shared<LineChartData>(std::move(set), metadata(), std::nullopt, std::nullopt, std::move(style),
                                           kit::EmptyView());
}

inline std::shared_ptr<MultiLineChartData> multiLineChart(std::vector<LineDataSet> sets,
                                                          LineChartStyle style = lineChartStyle())
{
    return std::make_shared<MultiLineChartData>(MultiLineDataSet(std::move(sets)), metadata(), std::nullopt,
                                                std::nullopt, std::move(style), kit::EmptyView());
}

// Ranged points of (value, upper, lower).
struct Band {
    double value, upper, lower;
};

inline std::vector<RangedLineChartDataPoint> rangedPoints(const std::vector<Band>& bands)
{
    std::vector<RangedLineChartDataPoint> points;
    for (const Band& b : bands)
        points.emplace_back(b.value, b.upper, b.lower);
    return points;
}

inline RangedLineStyle rangedStyle(bool ignoreZero = false, ColourStyle fill = ColourStyle(kit::Color::blue()))
{
    return RangedLineStyle(ColourStyle(kit::Color::red()), std::move(fill), LineType::line, defaultStroke(),
                           ignoreZero);
}

inline std::shared_ptr<RangedLineChartData> rangedChart(const std::vector<Band>& bands,
                                                        RangedLineStyle style = rangedStyle(),
                                                        LineChartStyle chartStyle = lineChartStyle())
{
    return std::make_shared<RangedLineChartData>(RangedLineDataSet(rangedPoints(bands), "Line", "Band", pointStyle(),
                                                                   std::move(style)),
                                                 metadata(), std::nullopt, std::nullopt, std::move(chartStyle),
                                                 kit::EmptyView());
}

// A path as a list of elements for comparison: curves whose points all
// share one x (a vertical piece) count as lines.
struct PathStep {
    char kind; // 'M', 'L', 'C' or 'Z'
    kit::Point to;
    kit::Point c1{}, c2{};
};

inline std::vector<PathStep> pathSteps(const kit::Path& path)
{
    using T = kit::Path::Element::Type;
    std::vector<PathStep> steps;
    for (const auto& e : path.elements()) {
        switch (e.type) {
        case T::move:
            steps.push_back({'M', e.point});
            break;
        case T::line:
        case T::quadCurve:
            steps.push_back({'L', e.point});
            break;
        case T::curve: {
            const kit::Point from = steps.empty() ? kit::Point{} : steps.back().to;
            const bool vertical = from.x == e.point.x && e.control1.x == from.x && e.control2.x == from.x;
            steps.push_back(vertical ? PathStep{'L', e.point} : PathStep{'C', e.point, e.control1, e.control2});
            break;
        }
        case T::closeSubpath:
            steps.push_back({'Z', steps.empty() ? kit::Point{} : steps.front().to});
            break;
        }
    }
    return steps;
}

inline void expectPath(const kit::Path& actual, const std::vector<PathStep>& expected, const std::string& what)
{
    const std::vector<PathStep> steps = pathSteps(actual);
    ASSERT_EQ(steps.size(), expected.size()) << what;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].kind, expected[i].kind) << what << " step " << i;
        if (steps[i].kind == 'Z')
            continue;
        EXPECT_NEAR(steps[i].to.x, expected[i].to.x, 1e-9) << what << " step " << i;
        EXPECT_NEAR(steps[i].to.y, expected[i].to.y, 1e-9) << what << " step " << i;
        if (steps[i].kind != 'C')
            continue;
        EXPECT_NEAR(steps[i].c1.x, expected[i].c1.x, 1e-9) << what << " step " << i;
        EXPECT_NEAR(steps[i].c1.y, expected[i].c1.y, 1e-9) << what << " step " << i;
        EXPECT_NEAR(steps[i].c2.x, expected[i].c2.x, 1e-9) << what << " step " << i;
        EXPECT_NEAR(steps[i].c2.y, expected[i].c2.y, 1e-9) << what << " step " << i;
    }
}

inline PathStep M(double x, double y)
{
    return {'M', {x, y}};
}
inline PathStep L(double x, double y)
{
    return {'L', {x, y}};
}
inline PathStep C(double x, double y, double c1x, double c1y, double c2x, double c2y)
{
    return {'C', {x, y}, {c1x, c1y}, {c2x, c2y}};
}
inline PathStep Z()
{
    return {'Z', {}};
}

// The accessibility layer's touch areas, one per point of every line,
// bounded in host coordinates, and the hit area holding the last line's
// (null without one; a line's areas are one hit area).
struct TouchAreas {
    const kit::DisplayItem* item = nullptr;
    std::vector<kit::Rect> bounds;
};
inline TouchAreas touchAreas(kit::ViewHost& host)
{
    TouchAreas result;
    for (const kit::DisplayItem& item : host.displayList().items)
        if (item.kind == kit::DisplayItem::Kind::hitArea && item.areas) {
            result.item = &item;
            for (const kit::Path& area : *item.areas)
                result.bounds.push_back(area.boundingRect().applying(item.transform));
        }
    return result;
}

} // namespace charts::testing
