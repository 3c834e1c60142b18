#include "charts/core/ExtraLineData.h"

#include "charts/core/PositionIndex.h"

#include <cmath>

namespace charts {

namespace {

using Element = kit::Path::Element;

// The first value replaced only by a strictly better one, 0 for no points.
template <class Better>
double extremeValue(const std::vector<ExtraLineDataPoint>& points, Better better)
{
    if (points.empty())
        return 0;
    double result = points.front().value;
    for (const ExtraLineDataPoint& point : points)
        if (better(point.value, result))
            result = point.value;
    return result;
}

// The straight distance between two points.
double chord(kit::Point a, kit::Point b)
{
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

// The length of the path along the chords of its elements.
double chordLength(const kit::Path& path)
{
    kit::Point last;
    double length = 0;
    for (const Element& element : path.elements()) {
        if (element.type == Element::Type::closeSubpath)
            continue;
        if (element.type != Element::Type::move)
            length += chord(last, element.point);
        last = element.point;
    }
    return length;
}

// The chord length of the path up to x: elements are followed until one
// ends right of x, which adds its part left of x and ends the walk.
double chordLengthUpTo(const kit::Path& path, double x)
{
    kit::Point last;
    double length = 0;
    for (const Element& element : path.elements()) {
        if (element.type == Element::Type::closeSubpath)
            continue;
        const kit::Point end = element.point;
        if (element.type == Element::Type::move) {
            if (end.x > x)
                break;
            last = end;
            continue;
        }
        if (end.x <= x) {
            length += chord(last, end);
            last = end;
            continue;
        }
        const double t = (x - last.x) / (end.x - last.x);
        length += chord(last, {x, last.y + t * (end.y - last.y)});
        break;
    }
    return length;
}

} // namespace

ExtraLineData::ExtraLineData(std::string legendTitle,
                             const std::function<std::vector<ExtraLineDataPoint>()>& dataPoints,
                             const std::function<ExtraLineStyle()>& style)
    : dataPoints(dataPoints()), style(style()), legendTitle(std::move(legendTitle))
{
}

double ExtraLineData::minValue() const
{
    return extremeValue(dataPoints, [](double a, double b) { return a < b; });
}

double ExtraLineData::maxValue() const
{
    return extremeValue(dataPoints, [](double a, double b) { return a > b; });
}

double ExtraLineData::lowerEnd() const
{
    if (std::holds_alternative<Baseline::Zero>(style.baseline.value))
        return 0;
    const double minimum = minValue();
    if (const auto* c = std::get_if<Baseline::MinimumWithMaximum>(&style.baseline.value))
        return minimum > c->of ? c->of : minimum;
    return minimum;
}

double ExtraLineData::upperEnd() const
{
    const double maximum = maxValue();
    if (const auto* c = std::get_if<Topline::Maximum>(&style.topLine.value))
        return maximum <= c->of ? c->of : maximum;
    return maximum;
}

double ExtraLineData::drawingRange() const
{
    return upperEnd() - lowerEnd() + 0.00000000001;
}

std::optional<ExtraLineDataPoint> ExtraLineData::extraLineTouchedPoint(kit::Point touchLocation,
                                                                       const kit::Rect& chartSize) const
{
    const double section = chartSize.width() / static_cast<double>(dataPoints.size());
    const auto index = positionIndex(touchLocation.x / section);
    if (!index || *index < 0 || *index >= static_cast<std::int64_t>(dataPoints.size()))
        return std::nullopt;
    return dataPoints[static_cast<std::size_t>(*index)];
}

std::optional<kit::Point> ExtraLineData::extraLinePointLocation(kit::Point touchLocation,
                                                                const kit::Rect& chartSize) const
{
    const double lower = lowerEnd();
    const double range = drawingRange();
    const double step = chartSize.width() / (static_cast<double>(dataPoints.size()) - 1);
    const auto index = positionIndex((touchLocation.x + step * 0.5) / step);
    if (!index || *index < 0 || *index >= static_cast<std::int64_t>(dataPoints.size()))
        return std::nullopt;
    const double height = chartSize.height();
    const double value = dataPoints[static_cast<std::size_t>(*index)].value;
    return kit::Point{step * static_cast<double>(*index), height - (height / range) * (value - lower)};
}

std::optional<kit::Point> ExtraLineData::extraLinePositionOnLine(kit::Point touchLocation,
                                                                 const kit::Rect& chartSize) const
{
    const kit::Path path = extraLinePath(style.lineType, style.lineSpacing, dataPoints, chartSize, lowerEnd(),
                                         drawingRange());
    double t = pathLengthFraction(path, touchLocation);
    if (!std::isfinite(t))
        return std::nullopt;
    if (t < 0)
        t = 1;
    else if (t > 1)
        t = 0;
    return pathPointNearFraction(path, t);
}

kit::Path extraLinePath(LineType lineType, ExtraLineStyle::SpacingType spacing,
                        const std::vector<ExtraLineDataPoint>& dataPoints, const kit::Rect& rect, double lowerEnd,
                        double range)
{
    std::vector<double> values;
    values.reserve(dataPoints.size());
    for (const ExtraLineDataPoint& point : dataPoints)
        values.push_back(point.value);
    return extraLineValuesPath(lineType, spacing, values, rect, lowerEnd, range);
}

kit::Path extraLineValuesPath(LineType lineType, ExtraLineStyle::SpacingType spacing, const std::vector<double>& values,
                              const kit::Rect& rect, double lowerEnd, double range)
{
    const std::size_t n = values.size();
    const double width = rect.width();
    const double height = rect.height();
    const double section = width / static_cast<double>(n);
    const bool barSpacing = spacing == ExtraLineStyle::SpacingType::bar;
    auto x = [&](std::size_t i) {
        const double index = static_cast<double>(i);
        return barSpacing ? section / 2 + index * section : index * width / (static_cast<double>(n) - 1);
    };
    auto y = [&](std::size_t i) { return height + (-height / range) * (values[i] - lowerEnd); };

    kit::Path path;
    if (lineType == LineType::curvedLine) {
        if (n == 0)
            return path;
        path.move({0, y(0)});
        kit::Point last{0, y(0)};
        if (barSpacing) {
            last = {section / 2, y(0)};
            path.addLine(last);
        }
        for (std::size_t i = 1; i < n; ++i) {
            const kit::Point next{x(i), y(i)};
            const double d = next.x - last.x;
            path.addCurve(next, {last.x + d / 2, last.y}, {next.x - d / 2, next.y});
            last = next;
        }
        if (barSpacing)
            path.addLine({static_cast<double>(n) * section, y(n - 1)});
        return path;
    }
    if (n < 2)
        return path;
    path.move({x(0), y(0)});
    for (std::size_t i = 1; i < n; ++i) {
        if (lineType == LineType::stepped)
            path.addLine({x(i), y(i - 1)});
        path.addLine({x(i), y(i)});
    }
    return path;
}

double pathLengthFraction(const kit::Path& path, kit::Point location)
{
    return chordLengthUpTo(path, location.x) / chordLength(path);
}

std::optional<kit::Point> pathPointNearFraction(const kit::Path& path, double fraction)
{
    if (std::isnan(fraction))
        return std::nullopt;
    const kit::Path part = fraction > 0.999 ? path.trimmedPath(0.999, 1.0)
                                            : path.trimmedPath(fraction, fraction + 0.001);
    const kit::Rect bounds = part.boundingRect();
    if (bounds.isNull())
        return std::nullopt;
    return bounds.center();
}

} // namespace charts
