#include "kit/ui/Grid.h"

#include "kit/ui/engine/Primitive.h"
#include "kit/ui/engine/StackLayout.h"

#include <algorithm>
#include <cmath>

namespace kit {

namespace detail {
namespace {

struct Track {
    double size = 0;
    double gapAfter = 0;
    std::optional<HorizontalAlignment> alignment;
};

// The tracks of a grid for an available length (kit's flexible/adaptive rules).
std::vector<Track> resolveTracks(const std::vector<GridItem>& items, std::optional<double> available)
{
    std::vector<Track> tracks;
    if (items.empty())
        return tracks;
    double gaps = 0, fixed = 0, minimums = 0;
    std::size_t shared = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i + 1 < items.size())
            gaps += items[i].spacing.value_or(defaultSpacing);
        if (items[i].kind == GridItem::Kind::fixed)
            fixed += items[i].minimum;
        else {
            ++shared;
            minimums += items[i].minimum;
        }
    }
    double left = available.value_or(gaps + fixed + minimums) - gaps - fixed;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const GridItem& item = items[i];
        const double spacing = item.spacing.value_or(defaultSpacing);
        const double gapAfter = i + 1 < items.size() ? spacing : 0;
        if (item.kind == GridItem::Kind::fixed) {
            tracks.push_back({item.minimum, gapAfter, item.alignment});
            continue;
        }
        const double offered = shared ? left / double(shared) : 0;
        const double taken = std::clamp(offered, item.minimum, std::max(item.minimum, item.maximum));
        left -= taken;
        --shared;
        if (item.kind == GridItem::Kind::flexible) {
            tracks.push_back({taken, gapAfter, item.alignment});
            continue;
        }
        const int m = std::max(1, int(std::floor((taken + spacing) / (item.minimum + spacing))));
        const double each = std::min(item.maximum, (taken - (m - 1) * spacing) / m);
        for (int k = 0; k < m; ++k)
            tracks.push_back({each, k + 1 < m ? spacing : gapAfter, item.alignment});
    }
    return tracks;
}

class GridPrimitive final : public ArrangedContainer {
public:
    GridPrimitive(Axis axis, std::vector<GridItem> tracks, Alignment alignment, std::optional<double> spacing,
                  std::vector<View> content)
        : ArrangedContainer(std::move(content)), axis_(axis), tracks_(std::move(tracks)), alignment_(alignment),
          spacing_(spacing.value_or(defaultSpacing))
    {
    }
    bool sameLayout(const Primitive& other) const override
    {
        const GridPrimitive& o = sameClass(*this, other);
        return o.axis_ == axis_ && o.tracks_ == tracks_ && o.alignment_ == alignment_ && o.spacing_ == spacing_;
    }

protected:
    StackArrangement arrange(Node& node, ProposedSize proposal) const override
    {
        const bool vertical = axis_ == Axis::vertical; // LazyVGrid: tracks are columns
        const std::vector<Node*> items = node.items(0);
        assignAxis(items, std::nullopt);
        const std::vector<Track> tracks = resolveTracks(tracks_, vertical ? proposal.width : proposal.height);
        StackArrangement a;
        a.proposals.resize(items.size());
        a.origins.resize(items.size());
        if (tracks.empty())
            return a;
        std::vector<double> trackStart(tracks.size());
        double length = 0;
        for (std::size_t t = 0; t < tracks.size(); ++t) {
            trackStart[t] = length;
            length += tracks[t].size + tracks[t].gapAfter;
        }
        const std::size_t perLine = tracks.size();
        std::vector<Size>& sizes = a.sizes;
        sizes.resize(items.size());
        double cross = 0;
        for (std::size_t start = 0; start < items.size(); start += perLine) {
            const std::size_t end = std::min(items.size(), start + perLine);
            double lineExtent = 0;
            for (std::size_t i = start; i < end; ++i) {
                const double track = tracks[i - start].size;
                a.proposals[i] = vertical ? ProposedSize{track, std::nullopt} : ProposedSize{std::nullopt, track};
                sizes[i] = items[i]->sizeThatFits(a.proposals[i]);
                lineExtent = std::max(lineExtent, vertical ? sizes[i].height : sizes[i].width);
            }
            for (std::size_t i = start; i < end; ++i) {
                const Track& track = tracks[i - start];
                if (vertical) {
                    const auto h = track.alignment.value_or(alignment_.horizontal);
                    const double free = track.size - sizes[i].width;
                    const double dx = h == HorizontalAlignment::leading  ? 0
                                      : h == HorizontalAlignment::center ? free / 2
                                                                         : free;
                    a.origins[i] = {trackStart[i - start] + dx, cross + (lineExtent - sizes[i].height) / 2};
                } else {
                    const auto v = alignment_.vertical;
                    const double free = track.size - sizes[i].height;
                    const double dy = v == VerticalAlignment::top      ? 0
                                      : v == VerticalAlignment::bottom ? free
                                                                       : free / 2;
                    a.origins[i] = {cross + (lineExtent - sizes[i].width) / 2, trackStart[i - start] + dy};
                }
            }
            cross += lineExtent + spacing_;
        }
        if (!items.empty())
            cross -= spacing_;
        a.size = vertical ? Size{length, cross} : Size{cross, length};
        return a;
    }

private:
    Axis axis_;
    std::vector<GridItem> tracks_;
    Alignment alignment_;
    double spacing_;
};

} // namespace
} // namespace detail

View LazyVGrid(std::vector<GridItem> columns, std::vector<View> content)
{
    return LazyVGrid(std::move(columns), HorizontalAlignment::center, std::nullopt, std::move(content));
}

View LazyVGrid(std::vector<GridItem> columns, HorizontalAlignment alignment, std::vector<View> content)
{
    return LazyVGrid(std::move(columns), alignment, std::nullopt, std::move(content));
}

View LazyVGrid(std::vector<GridItem> columns, HorizontalAlignment alignment, std::optional<double> spacing,
               std::vector<View> content)
{
    return View(std::make_shared<detail::GridPrimitive>(Axis::vertical, std::move(columns),
                                                        Alignment{alignment, VerticalAlignment::center}, spacing,
                                                        std::move(content)));
}

View LazyHGrid(std::vector<GridItem> rows, std::vector<View> content)
{
    return LazyHGrid(std::move(rows), VerticalAlignment::center, std::nullopt, std::move(content));
}

View LazyHGrid(std::vector<GridItem> rows, VerticalAlignment alignment, std::optional<double> spacing,
               std::vector<View> content)
{
    return View(std::make_shared<detail::GridPrimitive>(Axis::horizontal, std::move(rows),
                                                        Alignment{HorizontalAlignment::center, alignment}, spacing,
                                                        std::move(content)));
}

} // namespace kit
