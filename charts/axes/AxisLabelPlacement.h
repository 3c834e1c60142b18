#pragma once

// Where the labels of an axis stand. Every label stands at what it names:
// a value label at its value's height (or, along a horizontal bar chart's
// width, its value's place), a category label at its bar, cluster or
// point. The rows and columns read where the plot is from the frame the
// chart view marks with plotAnchor, once the pass has placed it, so they
// stand true however the decorations around the plot are nested and
// whatever room they leave it. Labels that would overlap are thinned: only
// every k-th is shown, k the smallest that leaves a gap between neighbours,
// the first kept. An upright category label wider than the room its shown
// neighbours leave it is cut short with "…". Sizes come from the text
// metrics, so a row or column takes its room in the pass that builds it.

#include "charts/axes/LineBarChartDataObject.h"
#include "charts/axes/MeasuredLabel.h"
#include "charts/core/ViewExtensions.h"
#include "kit/base/FontMetrics.h"
#include "kit/base/Localization.h"
#include "kit/ui/ForEach.h"
#include "kit/ui/GeometryReader.h"
#include "kit/ui/Stacks.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace charts {

// The key a chart view marks the frame of its plot with: the frame its
// marks are laid out in, values from the bottom edge up (or, across a
// horizontal bar chart, from the leading edge).
inline kit::AnyKey plotAnchor(const void* chartData)
{
    return kit::AnyKey(chartData);
}

// `chart`, the chart view of `chartData`, marked as its plot, keeping at
// least half of the chart's frame.
inline kit::View markedAsPlot(const kit::View& chart, const void* chartData)
{
    return keepingHalfOfTheFrame(chart, chartData).layoutAnchor(plotAnchor(chartData));
}

// The room a line of text `width` × `height` takes on screen turned by
// `rotation` about its centre: the box around it.
inline kit::Size turnedBox(double width, double height, kit::Angle rotation)
{
    const double c = std::abs(std::cos(rotation.radians)), s = std::abs(std::sin(rotation.radians));
    return {width * c + height * s, width * s + height * c};
}

// The step k between the labels shown of those centred at `centres` (in
// order along the axis) with `extents` along it: the smallest k for which
// labels 0, k, 2k, ... each leave `gap` between themselves and the next one
// shown.
inline std::size_t labelStep(const std::vector<double>& centres, const std::vector<double>& extents, double gap)
{
    const std::size_t n = centres.size();
    for (std::size_t k = 1; k < n; ++k) {
        bool apart = true;
        for (std::size_t i = 0; i + k < n && apart; i += k)
            apart = std::abs(centres[i + k] - centres[i]) >= (extents[i] + extents[i + k]) / 2 + gap;
        if (apart)
            return k;
    }
    return std::max<std::size_t>(n, 1);
}

// The gap left between neighbouring labels along an axis.
inline constexpr double axisLabelGap = 4;

// How wide `label` (a localizable key) is in `font`.
inline double labelWidth(const kit::Font& font, const std::string& label)
{
    return kit::FontMetrics::shared().advance(font, kit::localized(label));
}

// The widest of `labels` in `font` (0 for none).
inline double widestLabel(const kit::Font& font, const std::vector<std::string>& labels)
{
    double widest = 0;
    for (const std::string& label : labels)
        widest = std::max(widest, labelWidth(font, label));
    return widest;
}

// The indices of `labels` shown when label i is centred at centres[i] with
// `extents` along the axis: the labels that are not empty, thinned.
inline std::vector<std::size_t> shownLabels(const std::vector<std::string>& labels, const std::vector<double>& centres,
                                            const std::vector<double>& extents)
{
    std::vector<std::size_t> candidates;
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (!labels[i].empty())
            candidates.push_back(i);
    std::vector<double> at, along;
    for (std::size_t i : candidates) {
        at.push_back(centres[i]);
        along.push_back(extents[i]);
    }
    const std::size_t step = labelStep(at, along, axisLabelGap);
    std::vector<std::size_t> shown;
    for (std::size_t j = 0; j < candidates.size(); j += step)
        shown.push_back(candidates[j]);
    return shown;
}

// Where a label stands across its column: centred, or against the
// column's trailing or leading edge.
enum class ColumnAlignment { centre, trailing, leading };

// A column of labels beside the plot, `width` wide, as high as it is
// offered: labels[i] (a localizable key) built by `labelText` and centred at
// the height centreAt(i, plot) (in the plot's frame as the column sees it;
// centres in order from the first label), thinned where they would overlap.
// The column gives way where the chart's frame is short of room, down to
// nothing; its labels are then cut short to the width it has. The labels are `lineHeight` high.
// Nothing while no plot is marked for `chartData`.
inline kit::View labelColumn(const void* chartData, std::vector<std::string> labels,
                             std::function<double(std::size_t, const kit::Rect&)> centreAt, double width,
                             const kit::Font& font, ColumnAlignment alignment,
                             std::function<kit::View(const std::string&)> labelText)
{
    const double lineHeight = kit::FontMetrics::shared().lineHeight(font);
    return kit::AnchorReader([=](const kit::GeometryProxy& proxy) -> kit::View {
               const std::optional<kit::Rect> plot = proxy.anchor(plotAnchor(chartData));
               if (!plot || labels.empty())
                   return kit::EmptyView();
               std::vector<double> centres, extents(labels.size(), lineHeight), ordered;
               for (std::size_t i = 0; i < labels.size(); ++i)
                   centres.push_back(centreAt(i, *plot));
               // Thinned in the labels' own order, whichever way it runs.
               const bool upward = centres.size() > 1 && centres.back() < centres.front();
               for (double c : centres)
                   ordered.push_back(upward ? -c : c);
               const std::vector<std::size_t> shown = shownLabels(labels, ordered, extents);
               // As wide as the column was let be: where it is narrower than
               // its widest label, the labels are cut short.
               const double shownWidth = proxy.size.width;
               std::vector<kit::View> placed;
               for (std::size_t i : shown) {
                   // A label that would be cut to less than its ellipsis is not shown.
                   if (shownWidth < width && shownWidth < labelWidth(font, "…") &&
                       labelWidth(font, labels[i]) > shownWidth)
                       continue;
                   const kit::Alignment at = alignment == ColumnAlignment::trailing  ? kit::Alignment::trailing()
                                             : alignment == ColumnAlignment::leading ? kit::Alignment::leading()
                                                                                     : kit::Alignment::center();
                   placed.push_back(labelText(labels[i])
                                        .frame(shownWidth, lineHeight, at)
                                        .position(shownWidth / 2, centres[i])
                                        .id(i));
               }
               return kit::ZStack(kit::Alignment::topLeading(), std::move(placed));
           })
        .frame(kit::FlexFrame{.minWidth = 0, .idealWidth = width, .maxWidth = width});
}

// A column of value labels beside the plot: labels[i] centred on the
// plot's height at fraction fractions[i] from its bottom edge, across the
// middle of the column (labelColumn).
inline kit::View valueLabelColumn(const void* chartData, std::vector<std::string> labels, std::vector<double> fractions,
                                  double width, const kit::Font& font,
                                  std::function<kit::View(const std::string&)> labelText)
{
    return labelColumn(
        chartData, std::move(labels),
        [fractions = std::move(fractions)](std::size_t i, const kit::Rect& plot) {
            return plot.maxY() - fractions[i] * plot.height();
        },
        width, font, ColumnAlignment::centre, std::move(labelText));
}

// The fractions of an axis at which `count` value labels stand, lowest
// first: evenly from the bottom (0) to the top (1); a lone label at the
// bottom.
inline std::vector<double> evenFractions(std::size_t count)
{
    std::vector<double> f;
    for (std::size_t i = 0; i < count; ++i)
        f.push_back(count > 1 ? double(i) / double(count - 1) : 0.0);
    return f;
}

// The most of the plot's width one category label may take before it is
// cut short: a sixth of the plot, or three lines' height on a narrow one.
inline double widestCategoryLabel(double plotWidth, double lineHeight)
{
    return std::max(3 * lineHeight, plotWidth / 6);
}

// How far the first and the last label that is not empty reach past the
// plot's leading and trailing edges when centred on them, turned by
// `rotation`: an upright label counted no wider than three lines' height,
// the least it may be cut short to (widestCategoryLabel), so that a long
// name does not take the plot's room.
inline std::pair<double, double> edgeLabelOverhang(const kit::Font& font, const std::vector<std::string>& labels,
                                                   kit::Angle rotation)
{
    const double lineHeight = kit::FontMetrics::shared().lineHeight(font);
    const bool upright = rotation == kit::Angle::zero();
    const auto half = [&](const std::string& label) {
        const double width = labelWidth(font, label);
        return turnedBox(upright ? std::min(width, 3 * lineHeight) : width, lineHeight, rotation).width / 2;
    };
    const auto first = std::find_if(labels.begin(), labels.end(), [](const std::string& l) { return !l.empty(); });
    const auto last = std::find_if(labels.rbegin(), labels.rend(), [](const std::string& l) { return !l.empty(); });
    if (first == labels.end())
        return {0, 0};
    return {half(*first), half(*last)};
}

// A row of category labels under (or over) the plot, as high as the
// tallest of them turned by `rotation` (no height when every label is
// empty): labels[i] (a localizable key) built by `labelText` on one line,
// framed to the room it may take upright (where it cuts itself short), and
// centred on x = plot's leading edge + centreAt(i, plot width), keeping
// to the plot's side of the row (`atTop`: the row stands above the plot).
// A label keeps within the chart's frame, so that a label at the plot's
// end may reach past its edge (the first of many narrow bars keeps its
// label); without a frame, within the plot's width or, with `endsOnEdges`
// (a line's first and last points lie on the plot's edges), within the room
// XAxisLabels keeps past the ends (edgeLabelOverhang). Nothing while no
// plot is marked for `chartData`.
inline kit::View categoryLabelRow(const void* chartData, std::vector<std::string> labels,
                                  std::function<double(std::size_t, double)> centreAt, bool endsOnEdges,
                                  kit::Angle rotation, const kit::Font& font, bool atTop,
                                  std::function<kit::View(const std::string&)> labelText)
{
    const kit::FontMetrics& metrics = kit::FontMetrics::shared();
    const double lineHeight = metrics.lineHeight(font);
    std::vector<double> widths;
    double rowHeight = 0;
    for (const std::string& label : labels) {
        widths.push_back(label.empty() ? 0 : labelWidth(font, label));
        if (!label.empty())
            rowHeight = std::max(rowHeight, turnedBox(widths.back(), lineHeight, rotation).height);
    }
    const bool upright = rotation == kit::Angle::zero();
    const std::pair<double, double> overhang = endsOnEdges ? edgeLabelOverhang(font, labels, rotation)
                                                           : std::pair<double, double>{0, 0};
    return kit::AnchorReader([=](const kit::GeometryProxy& proxy) -> kit::View {
               const std::optional<kit::Rect> plot = proxy.anchor(plotAnchor(chartData));
               if (!plot || labels.empty())
                   return kit::EmptyView();
               const double widest = widestCategoryLabel(plot->width(), lineHeight);
               const std::optional<kit::Rect> frame = proxy.scopeFrame(chartFrameScope(chartData));
               std::vector<double> centres, extents;
               for (std::size_t i = 0; i < labels.size(); ++i) {
                   centres.push_back(plot->minX() + centreAt(i, plot->width()));
                   extents.push_back(upright ? std::min(widths[i], widest)
                                             : turnedBox(widths[i], lineHeight, rotation).width);
               }
               const std::vector<std::size_t> shown = shownLabels(labels, centres, extents);
               std::vector<kit::View> placed;
               for (std::size_t j = 0; j < shown.size(); ++j) {
                   const std::size_t i = shown[j];
                   // Its cell: up to the nearest shown neighbour, and within the plot.
                   double room = upright ? widest : widths[i];
                   if (j > 0)
                       room = std::min(room, centres[i] - centres[shown[j - 1]] - axisLabelGap);
                   if (j + 1 < shown.size())
                       room = std::min(room, centres[shown[j + 1]] - centres[i] - axisLabelGap);
                   // Within the chart's frame (or, outside a decorated chart,
                   // the plot's width and the room XAxisLabels keeps past a
                   // line's ends).
                   const double from = frame ? frame->minX() : plot->minX() - overhang.first;
                   const double to = frame ? frame->maxX() : plot->maxX() + overhang.second;
                   room = std::min(room, 2 * std::min(centres[i] - from, to - centres[i]));
                   const double width = std::max(0.0, std::min(widths[i], room));
                   // A label cut to less than its ellipsis is not shown at all.
                   if (upright && width < widths[i] && width < labelWidth(font, "…"))
                       continue;
                   const kit::Size box = upright ? kit::Size{width, lineHeight}
                                                 : turnedBox(widths[i], lineHeight, rotation);
                   const double y = atTop ? rowHeight - box.height / 2 : box.height / 2;
                   placed.push_back(labelText(labels[i])
                                        .frame(upright ? width : widths[i], lineHeight)
                                        .rotationEffect(rotation)
                                        .frame(box.width, box.height)
                                        .position(centres[i], y)
                                        .id(i));
               }
               return kit::ZStack(kit::Alignment::topLeading(), std::move(placed));
           })
        .frame(std::nullopt, rowHeight);
}

} // namespace charts
