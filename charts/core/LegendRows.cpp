#include "charts/core/LegendRows.h"

#include "charts/core/ColourStylePaint.h"
#include "kit/ui/Shape.h"
#include "kit/ui/Stacks.h"
#include "kit/ui/Text.h"

#include <optional>

namespace charts {

namespace {

// A symbol of `side` × `side` filled with the entry's square or circle paint,
// then the entry's text in `font` and the inherited colour.
kit::View shapeRow(const LegendData& legend, const kit::Shape& shape, const kit::Font& font, double side)
{
    const std::optional<kit::Paint> paint = firstPresentPaint(legend.colour);
    if (!paint)
        return kit::Group({});
    return kit::Group({kit::HStack(kit::VerticalAlignment::center,
                                   {shape.fill(*paint).frame(side, side), kit::Text(legend.legend).font(font)})});
}

kit::View lineRow(const LegendData& legend, double width, const kit::Font& font, const kit::Color& textColor)
{
    const std::optional<kit::Paint> paint = firstPresentPaint(legend.colour, kit::UnitPoint::leading(),
                                                              kit::UnitPoint::trailing());
    if (!legend.strokeStyle || !paint)
        return kit::Group({});
    // The stroke reaches half its width past the segment's ends: the sample
    // keeps that much room on either side, so it stays inside its row.
    const kit::StrokeStyle stroke = legend.strokeStyle->strokeStyle();
    return kit::HStack(kit::VerticalAlignment::center,
                       {kit::Shape(LegendLine{width})
                            .stroke(*paint, stroke)
                            .frame(width, 3)
                            .padding(kit::Edge::horizontal, stroke.lineWidth / 2),
                        kit::Text(legend.legend).font(font).foregroundColor(textColor)});
}

} // namespace

std::optional<ColourStyle> legendColour(const ColourStyle& source)
{
    switch (source.colourType) {
    case ColourType::colour:
        if (source.colour)
            return ColourStyle(*source.colour);
        break;
    case ColourType::gradientColour:
        if (source.colours)
            return ColourStyle(*source.colours, kit::UnitPoint::leading(), kit::UnitPoint::trailing());
        break;
    case ColourType::gradientStops:
        if (source.stops)
            return ColourStyle(*source.stops, kit::UnitPoint::leading(), kit::UnitPoint::trailing());
        break;
    }
    return std::nullopt;
}

std::optional<LegendData> lineLegendEntry(kit::UUID id, ChartType chartType, const std::string& legend,
                                          const Stroke& strokeStyle, const ColourStyle& colour)
{
    const std::optional<ColourStyle> entryColour = legendColour(colour);
    if (!entryColour)
        return std::nullopt;
    return LegendData(id, legend, *entryColour, strokeStyle, 1, chartType);
}

kit::View legendItemView(const LegendData& legend, double width, const kit::Font& font, const kit::Color& textColor)
{
    switch (legend.chartType) {
    case ChartType::line:
        return kit::Group({lineRow(legend, width, font, textColor)});
    case ChartType::bar:
        return kit::Group({barLegendItemView(legend, font, width)});
    case ChartType::pie:
        return kit::Group({shapeRow(legend, kit::Circle(), font, width * 0.5)});
    }
    return kit::Group({});
}

kit::View barLegendItemView(const LegendData& legend, const kit::Font& font, double width)
{
    return shapeRow(legend, kit::Rectangle(), font, width * 0.5);
}

kit::View circleLegendItemView(const LegendData& legend, const kit::Font& font, const kit::Color& textColor,
                               double width)
{
    const std::optional<kit::Paint> paint = firstPresentPaint(legend.colour, kit::UnitPoint::leading(),
                                                              kit::UnitPoint::trailing());
    if (!paint)
        return kit::Group({});
    return kit::Group({kit::HStack(kit::VerticalAlignment::center,
                                   {kit::Circle().fill(*paint).frame(width, width),
                                    kit::Text(legend.legend).font(font).foregroundColor(textColor)})});
}

std::string accessibilityLegendLabel(const LegendData& legend)
{
    if (legend.prioity != 1)
        return "P-O-I-Marker-Legend";
    switch (legend.chartType) {
    case ChartType::line:
        return "Line-Chart-Legend";
    case ChartType::bar:
        return "Bar-Chart-Legend";
    case ChartType::pie:
        return "Pie-Chart-Legend";
    }
    return "P-O-I-Marker-Legend";
}

} // namespace charts
