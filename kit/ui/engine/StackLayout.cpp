#include "kit/ui/engine/StackLayout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace kit::detail {

namespace {

double mainOf(Size s, Axis a)
{
    return a == Axis::horizontal ? s.width : s.height;
}
double crossOf(Size s, Axis a)
{
    return a == Axis::horizontal ? s.height : s.width;
}
std::optional<double> mainOf(const ProposedSize& p, Axis a)
{
    return a == Axis::horizontal ? p.width : p.height;
}
std::optional<double> crossOf(const ProposedSize& p, Axis a)
{
    return a == Axis::horizontal ? p.height : p.width;
}
ProposedSize make(std::optional<double> main, std::optional<double> cross, Axis a)
{
    return a == Axis::horizontal ? ProposedSize{main, cross} : ProposedSize{cross, main};
}
Point point(double main, double cross, Axis a)
{
    return a == Axis::horizontal ? Point{main, cross} : Point{cross, main};
}

// Where a child goes so that its alignment guide lands on the common line.
// A child as long as an unlimited proposal has an infinite guide: it starts
// at 0, so that the container reports the infinite length the probes of
// its own parent ask for (∞ − ∞ would make it 0).
double alignedOffset(double line, double guide)
{
    const double offset = line - guide;
    return std::isnan(offset) ? 0 : offset;
}

} // namespace

void assignAxis(const std::vector<Node*>& items, std::optional<Axis> axis, std::optional<Axis> enclosing)
{
    for (Node* item : items) {
        item->stackAxis = axis;
        item->enclosingAxis = enclosing;
    }
}

void passAxis(const std::vector<Node*>& items, const Node& modifier)
{
    assignAxis(items, modifier.stackAxis, modifier.enclosingAxis);
}

StackArrangement arrangeStack(const std::vector<Node*>& items, ProposedSize proposal, Axis axis, double spacing,
                              const std::function<double(Node&, Size)>& crossGuide)
{
    StackArrangement r;
    const std::size_t n = items.size();
    r.proposals.resize(n);
    r.sizes.resize(n);
    r.origins.resize(n);
    if (n == 0)
        return r;
    const double totalSpacing = spacing * double(n - 1);
    const std::optional<double> cross = crossOf(proposal, axis);
    const std::optional<double> main = mainOf(proposal, axis);

    if (!main) {
        for (std::size_t i = 0; i < n; ++i) {
            r.proposals[i] = make(std::nullopt, cross, axis);
            r.sizes[i] = items[i]->sizeThatFits(r.proposals[i]);
        }
    } else {
        std::vector<double> minimum(n), flexibility(n), priority(n);
        for (std::size_t i = 0; i < n; ++i) {
            minimum[i] = mainOf(items[i]->sizeThatFits(make(0.0, cross, axis)), axis);
            const double maximum = mainOf(items[i]->sizeThatFits(make(infinity, cross, axis)), axis);
            flexibility[i] = std::isinf(maximum) ? infinity : maximum - minimum[i];
            priority[i] = items[i]->layoutPriority();
        }
        std::vector<std::size_t> order(n);
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            if (priority[a] != priority[b])
                return priority[a] > priority[b];
            return flexibility[a] < flexibility[b];
        });
        double remaining = *main - totalSpacing;
        std::size_t k = 0;
        while (k < n) {
            std::size_t groupEnd = k;
            while (groupEnd < n && priority[order[groupEnd]] == priority[order[k]])
                ++groupEnd;
            double lowerMinimum = 0;
            for (std::size_t j = groupEnd; j < n; ++j)
                lowerMinimum += minimum[order[j]];
            double available = remaining - lowerMinimum;
            // What the group's children still waiting need at least: a child
            // is not offered that, so a later one that cannot shrink below
            // its minimum is not left short of it.
            double waitingMinimum = 0;
            for (std::size_t j = k; j < groupEnd; ++j)
                waitingMinimum += minimum[order[j]];
            for (std::size_t j = k; j < groupEnd; ++j) {
                const std::size_t i = order[j];
                const double waiting = double(groupEnd - j);
                waitingMinimum -= minimum[i];
                const double offer = std::min(available / waiting, available - waitingMinimum);
                r.proposals[i] = make(std::max(0.0, offer), cross, axis);
                r.sizes[i] = items[i]->sizeThatFits(r.proposals[i]);
                const double taken = mainOf(r.sizes[i], axis);
                available -= taken;
                remaining -= taken;
            }
            k = groupEnd;
        }
    }

    // Cross axis: every child's guide on one common line.
    std::vector<double> guides(n);
    double line = -infinity;
    for (std::size_t i = 0; i < n; ++i) {
        guides[i] = crossGuide(*items[i], r.sizes[i]);
        line = std::max(line, guides[i]);
    }
    double crossExtent = 0, position = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double c = alignedOffset(line, guides[i]);
        crossExtent = std::max(crossExtent, c + crossOf(r.sizes[i], axis));
        r.origins[i] = point(position, c, axis);
        position += mainOf(r.sizes[i], axis) + spacing;
    }
    r.size = axis == Axis::horizontal ? Size{position - spacing, crossExtent} : Size{crossExtent, position - spacing};
    return r;
}

StackArrangement arrangeDepth(const std::vector<Node*>& items, ProposedSize proposal, Alignment alignment)
{
    StackArrangement r;
    const std::size_t n = items.size();
    r.proposals.assign(n, proposal);
    r.sizes.resize(n);
    r.origins.resize(n);
    if (n == 0)
        return r;
    std::vector<double> gx(n), gy(n);
    double lx = -infinity, ly = -infinity;
    for (std::size_t i = 0; i < n; ++i) {
        r.sizes[i] = items[i]->sizeThatFits(proposal);
        gx[i] = items[i]->guide(alignment.horizontal, r.sizes[i]);
        gy[i] = items[i]->guide(alignment.vertical, r.sizes[i]);
        lx = std::max(lx, gx[i]);
        ly = std::max(ly, gy[i]);
    }
    double w = 0, h = 0;
    for (std::size_t i = 0; i < n; ++i) {
        r.origins[i] = {alignedOffset(lx, gx[i]), alignedOffset(ly, gy[i])};
        w = std::max(w, r.origins[i].x + r.sizes[i].width);
        h = std::max(h, r.origins[i].y + r.sizes[i].height);
    }
    r.size = {w, h};
    return r;
}

} // namespace kit::detail
