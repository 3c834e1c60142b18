#include "kit/ui/raster/BandFill.h"

#include "kit/ui/raster/CoverageFill.h"
#include "kit/ui/raster/RasterTarget.h"

#include <QBrush>
#include <QPainter>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace kit::detail {

namespace {

constexpr int strips = int(1 / DenseStrokeBand::step); // strips of a pixel

// Adds, for each row y from `first` up to `end`, sign × the area of row
// [y, y + 1] below an edge running straight from e0 to e1 (across) over a
// strip `width` long: the strip's width times the mean over the strip of
// the edge's depth into the row, held to 0 ... 1.
void addBelow(double* c, double e0, double e1, int first, int end, double width)
{
    if (std::abs(e1 - e0) < 1e-9) {
        for (int y = first; y < end; ++y)
            c[y] += width * std::clamp(e0 - y, 0.0, 1.0);
        return;
    }
    // The antiderivative of the depth held to 0 ... 1, and the mean of the
    // depth as the difference of its values at the ends over their distance.
    auto integral = [](double x) { return x <= 0 ? 0 : x >= 1 ? x - 0.5 : x * x / 2; };
    const double scale = width / (e1 - e0);
    double a = e0 - first, b = e1 - first;
    for (int y = first; y < end; ++y, a -= 1, b -= 1)
        c[y] += (integral(b) - integral(a)) * scale;
}

// One strip of a line: across from low to high at its start (0) and end
// (1), `width` long.
struct Strip {
    double low0, low1, high0, high1, width;
};

// Adds the area of each row (from `from`) the strip covers to `coverage`:
// between its two edges the rows below the high edge less those below the
// low one. The rows wholly below the high edge and not wholly below the
// low one take the strip's whole width, added to `steps` where they start
// and taken off where they end (summed over the line once all its strips
// are in).
void addStrip(const Strip& s, int from, std::vector<double>& coverage, std::vector<double>& steps)
{
    double* c = coverage.data() - from;
    const double lowMin = std::min(s.low0, s.low1), lowMax = std::max(s.low0, s.low1);
    const double highMin = std::min(s.high0, s.high1), highMax = std::max(s.high0, s.high1);
    const int lowFirst = int(std::floor(lowMin)), lowEnd = int(std::ceil(lowMax));
    const int highFirst = int(std::floor(highMin)), highEnd = int(std::ceil(highMax));
    steps[std::size_t(lowFirst - from)] += s.width;
    steps[std::size_t(highFirst - from)] -= s.width;
    addBelow(c, s.high0, s.high1, highFirst, highEnd, s.width);
    addBelow(c, s.low0, s.low1, lowFirst, lowEnd, -s.width);
}

// Blends `colour` over the pixels of `target` the band covers: line by line
// along the band (pixel columns, or rows when it runs along y), each line's
// coverage across summed from its strips.
void fillCovered(const RasterTarget& target, const DenseStrokeBand& band, std::uint32_t colour)
{
    const QRect area = target.area();
    const std::size_t count = band.low.size();
    if (count < 2 || colour == 0)
        return;
    // Sample k lies at first + k / strips, on a quarter pixel: line p starts
    // at sample p · strips − firstSample.
    const long firstSample = std::lround(band.first * strips);
    const long firstLine = long(std::floor(double(firstSample) / strips));
    const long lastLine = long(std::floor(double(firstSample + long(count) - 1) / strips));
    const long lineFrom = std::max<long>(firstLine, band.alongY ? area.top() : area.left());
    const long lineTo = std::min<long>(lastLine, band.alongY ? area.bottom() : area.right());
    const double acrossFrom = band.alongY ? area.left() : area.top();
    const double acrossTo = (band.alongY ? area.right() : area.bottom()) + 1;
    auto reaches = [&](std::size_t k) { return band.low[k] <= band.high[k]; };
    thread_local std::vector<double> coverage, steps;
    // The coverage of each line of a group of lines next to each other,
    // blended a row of the target at a time: along x, a line is a column of
    // pixels, and the pixels of one column lie a row of the image apart.
    struct Covered {
        int from = 0;
        std::vector<std::uint8_t> alpha;
    };
    const long groupSize = band.alongY ? 1 : 8;
    thread_local std::vector<Covered> group;
    group.resize(std::size_t(groupSize));
    long groupFirst = lineFrom;
    auto blend = [colour](std::uint32_t& pixel, std::uint8_t alpha) {
        if (alpha == 255)
            pixel = (colour >> 24) == 255 ? colour : colour + RasterTarget::scaled(pixel, 255 - (colour >> 24));
        else if (alpha != 0)
            RasterTarget::blendPixel(pixel, RasterTarget::scaled(colour, alpha));
    };
    auto flush = [&] {
        int top = std::numeric_limits<int>::max(), bottom = std::numeric_limits<int>::min();
        for (const Covered& c : group)
            if (!c.alpha.empty()) {
                top = std::min(top, c.from);
                bottom = std::max(bottom, c.from + int(c.alpha.size()));
            }
        if (top < bottom && band.alongY) {
            const Covered& c = group.front();
            target.forEachRow(QRect(c.from, int(groupFirst), int(c.alpha.size()), 1),
                              [&](std::uint32_t* pixels, int x, int, int n) {
                                  for (int i = 0; i < n; ++i)
                                      blend(pixels[i], c.alpha[std::size_t(x - c.from + i)]);
                              });
        } else if (top < bottom) {
            target.forEachRow(QRect(int(groupFirst), top, int(groupSize), bottom - top),
                              [&](std::uint32_t* pixels, int x, int y, int n) {
                                  for (int i = 0; i < n; ++i) {
                                      const Covered& c = group[std::size_t(x + i - groupFirst)];
                                      const int at = y - c.from;
                                      if (at >= 0 && at < int(c.alpha.size()))
                                          blend(pixels[i], c.alpha[std::size_t(at)]);
                                  }
                              });
        }
        for (Covered& c : group)
            c.alpha.clear();
    };
    for (long line = lineFrom; line <= lineTo; ++line) {
        if (line - groupFirst >= groupSize) {
            flush();
            groupFirst = line;
        }
        // The strips of this line, between samples k and k + 1; where only
        // one end reaches, the strip is as it is there, half as long.
        std::array<Strip, strips> parts{};
        int used = 0;
        double lowest = std::numeric_limits<double>::infinity(), highest = -lowest;
        for (int j = 0; j < strips; ++j) {
            const long k = line * strips + j - firstSample;
            if (k < 0 || k + 1 >= long(count))
                continue;
            const std::size_t a = std::size_t(k), b = a + 1;
            Strip s{};
            if (reaches(a) && reaches(b))
                s = {band.low[a], band.low[b], band.high[a], band.high[b], DenseStrokeBand::step};
            else if (reaches(a) || reaches(b)) {
                const std::size_t at = reaches(a) ? a : b;
                s = {band.low[at], band.low[at], band.high[at], band.high[at], DenseStrokeBand::step / 2};
            } else
                continue;
            // Held to the target across (a band past it covers none of it).
            s.low0 = std::clamp(s.low0, acrossFrom, acrossTo);
            s.low1 = std::clamp(s.low1, acrossFrom, acrossTo);
            s.high0 = std::clamp(s.high0, acrossFrom, acrossTo);
            s.high1 = std::clamp(s.high1, acrossFrom, acrossTo);
            parts[std::size_t(used++)] = s;
            lowest = std::min({lowest, s.low0, s.low1});
            highest = std::max({highest, s.high0, s.high1});
        }
        if (used == 0 || !(lowest < highest))
            continue;
        const int from = int(std::floor(lowest)), to = int(std::ceil(highest));
        coverage.assign(std::size_t(to - from), 0.0);
        steps.assign(std::size_t(to - from) + 1, 0.0);
        for (int i = 0; i < used; ++i)
            addStrip(parts[std::size_t(i)], from, coverage, steps);
        Covered& covered = group[std::size_t(line - groupFirst)];
        covered.from = from;
        covered.alpha.resize(coverage.size());
        double whole = 0;
        for (std::size_t i = 0; i < coverage.size(); ++i) {
            whole += steps[i];
            covered.alpha[i] = std::uint8_t(std::clamp((coverage[i] + whole) * 255 + 0.5, 0.0, 255.0));
        }
    }
    flush();
}

} // namespace

bool fillBand(QPainter& painter, const DenseStrokeBand& band, const QBrush& brush)
{
    const std::optional<std::uint32_t> colour = plainColour(painter, brush);
    if (!colour || painter.worldTransform().type() != QTransform::TxNone)
        return false;
    const std::optional<RasterTarget> target = RasterTarget::of(painter);
    if (!target)
        return false;
    fillCovered(*target, band, *colour);
    return true;
}

bool strokeAsBand(QPainter& painter, const Path& path, const StrokeStyle& style, const QBrush& brush)
{
    // What decides the fill is cheap to find out: the band is made only where it is filled.
    if (!plainColour(painter, brush))
        return false;
    const QTransform world = painter.worldTransform();
    painter.resetTransform();
    bool filled = false;
    if (RasterTarget::of(painter)) {
        const auto band = denseStrokeBand(path, style,
                                          {world.m11(), world.m12(), world.m21(), world.m22(), world.dx(), world.dy()});
        filled = band && fillBand(painter, *band, brush);
    }
    painter.setWorldTransform(world);
    return filled;
}

} // namespace kit::detail
