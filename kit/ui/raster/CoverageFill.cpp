// Polygons filled by their coverage (CoverageFill.h): the edges added to the
// cells of a band of rows, the rows read back into runs, and the fill of a
// raster target in a plain colour.
//
// Sections:
//   edges      floorOf, ceilOf, Edge, addCut: an edge cut to the area's columns
//   the band   Band, addPiece, addEdge: what each edge adds to the cells of its rows
//   reading    coverageOf, readBlock: a row's running sums as coverages, a block at a time
//   the rows   forEachCoveredRow: the bands in turn, each row's runs left to right
//   filling    withinReach, plainColour, fillCovered, fillPolygons

#include "kit/ui/raster/CoverageFill.h"

#include "kit/ui/raster/RasterTarget.h"

#include <QBrush>
#include <QColor>
#include <QPainter>

#include <algorithm>
#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <cstring>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace kit::detail {

namespace {

constexpr double farthest = 1 << 24;

// floor and ceil of a value within reach (well inside an int), without the
// library call they take on processors before SSE4.1.
int floorOf(double v)
{
    const int i = int(v);
    return i - (v < i);
}

int ceilOf(double v)
{
    const int i = int(v);
    return i + (v > i);
}

struct Edge {
    Point a, b;
    double top() const { return std::min(a.y, b.y); }
    double bottom() const { return std::max(a.y, b.y); }
};

// An edge of a polygon in the pixels of the area, cut where it leaves the
// area's columns [0, width] and its x held within them: the coverage of a
// pixel in the area comes from the edges to its left, whose crossings of
// its row stay to its left when moved onto the area's left side (and those
// to its right stay to its right).
void addCut(Point a, Point b, double width, std::vector<Edge>& edges)
{
    if (a.x >= 0 && a.x <= width && b.x >= 0 && b.x <= width) { // within the columns: nothing to cut
        if (a.y != b.y)
            edges.push_back({a, b});
        return;
    }
    std::array<double, 4> at{0, 1, 1, 1};
    int count = 1;
    for (double side : {0.0, width})
        if ((a.x - side) * (b.x - side) < 0)
            at[std::size_t(count++)] = (side - a.x) / (b.x - a.x);
    std::sort(at.begin(), at.begin() + count);
    at[std::size_t(count)] = 1;
    const auto held = [&](Point p) { return Point{std::clamp(p.x, 0.0, width), p.y}; };
    for (int k = 0; k < count; ++k) {
        const Point from = held(Point::lerp(a, b, at[std::size_t(k)]));
        const Point to = held(Point::lerp(a, b, at[std::size_t(k + 1)]));
        if (from.y != to.y)
            edges.push_back({from, to});
    }
}

// The cells of one band of rows: for each pixel, what the edges add to the
// coverage of it and of every pixel to its right (so that a row's running
// sum is each pixel's coverage), and for each row which blocks of cells
// were written and its first and last cell written.
struct Band {
    static constexpr int rows = 32;
    static constexpr int block = 8; // cells
    float* cells = nullptr;
    std::size_t stride = 0; // cells of a row
    std::uint64_t* touched = nullptr;
    std::size_t words = 0; // of `touched`, per row
    std::array<int, rows> first{}, last{};

    void touch(int row, int fromCell, int toCell)
    {
        first[std::size_t(row)] = std::min(first[std::size_t(row)], fromCell);
        last[std::size_t(row)] = std::max(last[std::size_t(row)], toCell);
        std::uint64_t* mask = touched + std::size_t(row) * words;
        for (int b = fromCell / block; b <= toCell / block; ++b)
            mask[std::size_t(b) / 64] |= std::uint64_t(1) << (b % 64);
    }
};

// Adds the piece of an edge within one row, from x `from` to `to` (going
// down by `height`, negative going up) to the row's cells: each pixel takes
// the part of the piece's height times the share of the pixel right of it.
void addPiece(Band& band, int row, double from, double to, double height, double width)
{
    float* cells = band.cells + std::size_t(row) * band.stride;
    from = std::clamp(from, 0.0, width);
    to = std::clamp(to, 0.0, width);
    const double left = std::min(from, to), right = std::max(from, to);
    const int i0 = floorOf(left);
    int written;
    if (right <= i0 + 1) {
        const double middle = (from + to) / 2 - i0;
        cells[i0] += float(height * (1 - middle));
        cells[i0 + 1] += float(height * middle);
        written = i0 + 1;
    } else {
        // The share of the piece's height pixel c passes on to the pixels
        // right of it is (H(c + 1) - H(c)) / span, H(u) the integral of
        // max(0, u - x) for x along the piece: for the first pixel
        // (c + 1 - left)² / 2 / span, for the whole pixels between it grows
        // by 1 / span a pixel, and the last passes on what is left.
        const double span = right - left, centre = (left + right) / 2, inverse = 1 / span;
        const int i1 = ceilOf(right) - 1;
        const double firstPart = i0 + 1 - left;
        double before = firstPart * firstPart * 0.5 * inverse;
        cells[i0] += float(height * before);
        if (i1 > i0 + 1) {
            const double second = (firstPart + 0.5) * inverse;
            cells[i0 + 1] += float(height * (second - before));
            const float step = float(height * inverse);
            for (int c = i0 + 2; c < i1; ++c)
                cells[c] += step;
            before = (i1 - 0.5 - left) * inverse;
        }
        const double lastPart = i1 - left;
        const double last = (span * (i1 + 1 - centre) - lastPart * lastPart * 0.5) * inverse;
        cells[i1] += float(height * (last - before));
        cells[i1 + 1] += float(height * (1 - last));
        written = i1 + 1;
    }
    band.touch(row, i0, written);
}

void addEdge(Band& band, int rows, Point a, Point b, double width)
{
    double height = 1;
    if (a.y > b.y) {
        std::swap(a, b);
        height = -1;
    }
    if (b.y <= 0 || a.y >= rows)
        return;
    const double dxdy = (b.x - a.x) / (b.y - a.y);
    const int first = std::max(0, floorOf(std::max(a.y, -1.0)));
    const int last = std::min(rows, ceilOf(std::min(b.y, double(rows) + 1)));
    for (int y = first; y < last; ++y) {
        const double top = std::max(double(y), a.y), bottom = std::min(double(y + 1), b.y);
        if (!(bottom > top))
            continue;
        addPiece(band, y, a.x + (top - a.y) * dxdy, a.x + (bottom - a.y) * dxdy, (bottom - top) * height, width);
    }
}

std::uint8_t coverageOf(float sum)
{
    const float a = std::abs(sum);
    return std::uint8_t((a < 1 ? a : 1.0f) * 255 + 0.5f);
}

// Reads `count` cells of a row: each pixel's coverage from the running sum,
// the cells cleared; the running sum goes on past them.
void readCells(float* cells, std::uint8_t* out, float& sum, int count)
{
    for (int c = 0; c < count; ++c) {
        sum += cells[c];
        cells[c] = 0;
        out[c] = coverageOf(sum);
    }
}

// Reads one whole block of a row's cells as readCells does.
#if defined(__SSE2__)
// The sums of the four lanes of `v` up to each: v0, v0 + v1, ...
__m128 prefixSums(__m128 v)
{
    v = _mm_add_ps(v, _mm_castsi128_ps(_mm_slli_si128(_mm_castps_si128(v), 4)));
    return _mm_add_ps(v, _mm_castsi128_ps(_mm_slli_si128(_mm_castps_si128(v), 8)));
}

__m128i coveragesOf(__m128 sums)
{
    const __m128 magnitude = _mm_min_ps(_mm_andnot_ps(_mm_set1_ps(-0.0f), sums), _mm_set1_ps(1.0f));
    return _mm_cvttps_epi32(_mm_add_ps(_mm_mul_ps(magnitude, _mm_set1_ps(255.0f)), _mm_set1_ps(0.5f)));
}

void readBlock(float* cells, std::uint8_t* out, float& sum)
{
    static_assert(Band::block == 8);
    const __m128 low = _mm_add_ps(prefixSums(_mm_loadu_ps(cells)), _mm_set1_ps(sum));
    const __m128 high = _mm_add_ps(prefixSums(_mm_loadu_ps(cells + 4)), _mm_shuffle_ps(low, low, 0xff));
    sum = _mm_cvtss_f32(_mm_shuffle_ps(high, high, 0xff));
    _mm_storeu_ps(cells, _mm_setzero_ps());
    _mm_storeu_ps(cells + 4, _mm_setzero_ps());
    const __m128i words = _mm_packs_epi32(coveragesOf(low), coveragesOf(high));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(words, words));
}
#else
void readBlock(float* cells, std::uint8_t* out, float& sum)
{
    readCells(cells, out, sum, Band::block);
}
#endif

} // namespace

void forEachCoveredRow(std::span<const std::vector<Point>> polygons, const QRect& area, const CoveredRow& row)
{
    forEachCoveredRow(polygons, area, row, nullptr);
}

void forEachCoveredRow(std::span<const std::vector<Point>> polygons, const QRect& area, const CoveredRow& row,
                       const CoveredRun& run)
{
    if (area.isEmpty())
        return;
    bool any = false;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (const std::vector<Point>& points : polygons) {
        if (points.size() < 3)
            continue;
        for (const Point& p : points) {
            minX = any ? std::min(minX, p.x) : p.x;
            maxX = any ? std::max(maxX, p.x) : p.x;
            minY = any ? std::min(minY, p.y) : p.y;
            maxY = any ? std::max(maxY, p.y) : p.y;
            any = true;
        }
    }
    if (!any)
        return;
    const int x0 = std::max(area.left(), int(std::floor(minX))), x1 = std::min(area.right() + 1, int(std::ceil(maxX)));
    const int y0 = std::max(area.top(), int(std::floor(minY))), y1 = std::min(area.bottom() + 1, int(std::ceil(maxY)));
    if (x1 <= x0 || y1 <= y0)
        return;
    const int width = x1 - x0, height = y1 - y0;

    // The edges, in the pixels of the box, ordered by the band they start in.
    thread_local std::vector<Edge> edges, ordered;
    thread_local std::vector<std::size_t> starts;
    edges.clear();
    for (const std::vector<Point>& points : polygons) {
        if (points.size() < 3)
            continue;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const Point a = points[i], b = points[(i + 1) % points.size()];
            addCut({a.x - x0, a.y - y0}, {b.x - x0, b.y - y0}, width, edges);
        }
    }
    const int bands = (height + Band::rows - 1) / Band::rows;
    const auto bandOf = [&](const Edge& e) { return std::clamp(int(std::floor(e.top())) / Band::rows, 0, bands - 1); };
    starts.assign(std::size_t(bands) + 1, 0);
    if (bands == 1) { // a shape within one band: no order to put its edges in
        starts[1] = edges.size();
        ordered.swap(edges);
    } else {
        for (const Edge& e : edges)
            ++starts[std::size_t(bandOf(e)) + 1];
        for (int k = 0; k < bands; ++k)
            starts[std::size_t(k) + 1] += starts[std::size_t(k)];
        ordered.resize(edges.size());
        thread_local std::vector<std::size_t> next;
        next.assign(starts.begin(), starts.end() - 1);
        for (const Edge& e : edges)
            ordered[next[std::size_t(bandOf(e))]++] = e;
    }

    // Every cell and mark is zero between uses: a row is cleared as it is read.
    thread_local std::vector<float> cells;
    thread_local std::vector<std::uint64_t> touched;
    thread_local std::vector<std::uint8_t> coverage;
    thread_local std::vector<Edge> active;
    Band band;
    band.stride = std::size_t(width) + 2;
    band.words = (band.stride + Band::block * 64 - 1) / (Band::block * 64);
    if (cells.size() < band.stride * Band::rows)
        cells.assign(band.stride * Band::rows, 0.0f);
    if (touched.size() < band.words * Band::rows)
        touched.assign(band.words * Band::rows, 0);
    band.cells = cells.data();
    band.touched = touched.data();
    coverage.resize(std::size_t(width));
    active.clear();
    for (int k = 0; k < bands; ++k) {
        const int top = k * Band::rows;
        const int rows = std::min(Band::rows, height - top);
        std::fill_n(band.first.begin(), rows, INT_MAX);
        std::fill_n(band.last.begin(), rows, -1);
        active.insert(active.end(), ordered.begin() + std::ptrdiff_t(starts[std::size_t(k)]),
                      ordered.begin() + std::ptrdiff_t(starts[std::size_t(k) + 1]));
        for (const Edge& e : active)
            addEdge(band, rows, {e.a.x, e.a.y - top}, {e.b.x, e.b.y - top}, width);
        std::erase_if(active, [&](const Edge& e) { return e.bottom() <= top + rows; });

        for (int r = 0; r < rows; ++r) {
            float* line = band.cells + std::size_t(r) * band.stride;
            std::uint64_t* mask = band.touched + std::size_t(r) * band.words;
            std::uint8_t* out = coverage.data();
            const int y = y0 + top + r;
            const int first = band.first[std::size_t(r)], last = band.last[std::size_t(r)];
            if (last < 0)
                continue;
            float sum = 0;
            int runFrom = -1, runEnd = -1, position = first;
            const auto flush = [&] {
                if (runFrom >= 0 && runEnd > runFrom)
                    row(y, x0 + runFrom, out + runFrom, runEnd - runFrom);
                runFrom = -1;
            };
            // The cells from `position` to `to`, where no edge added
            // anything: all at the coverage the row has reached.
            const auto untouchedUpTo = [&](int to) {
                to = std::min(to, width);
                if (to <= position)
                    return;
                const std::uint8_t c = coverageOf(sum);
                if (c == 0) {
                    flush();
                    return;
                }
                // A run long enough to pay for a call of its own.
                if (run && to - position >= 64) {
                    flush();
                    run(y, x0 + position, to - position, c);
                    return;
                }
                std::memset(out + position, c, std::size_t(to - position));
                if (runFrom < 0)
                    runFrom = position;
                runEnd = to;
            };
            // The cells of a touched block no edge wrote are zero: a block
            // within the area is read whole, four cells at a time, its
            // cells before the first written at the coverage the row had
            // reached and those after the last at the one it ends at. Of a
            // block reaching past the area, only the cells from the first
            // written to the last.
            for (std::size_t w = std::size_t(first) / (Band::block * 64); w < band.words; ++w) {
                for (std::uint64_t bits = mask[w]; bits != 0; bits &= bits - 1) {
                    const int start = int(w * 64 + std::size_t(std::countr_zero(bits))) * Band::block;
                    const bool whole = start + Band::block <= width;
                    const int from = whole ? start : std::max(start, first);
                    const int to = whole ? start + Band::block : std::min(start + Band::block, last + 1);
                    untouchedUpTo(from);
                    // Past the area's last column nothing is shown: those
                    // cells are only cleared.
                    const int shown = std::min(to, width);
                    if (whole)
                        readBlock(line + from, out + from, sum);
                    else
                        readCells(line + from, out + from, sum, shown - from);
                    for (int c = std::max(from, shown); c < to; ++c)
                        line[c] = 0;
                    if (from < width) {
                        if (runFrom < 0)
                            runFrom = from;
                        runEnd = std::min(to, width);
                    }
                    position = to;
                }
                mask[w] = 0;
            }
            flush();
        }
    }
}

bool withinReach(std::span<const std::vector<Point>> polygons)
{
    for (const std::vector<Point>& points : polygons)
        for (const Point& p : points)
            if (!p.isFinite() || std::abs(p.x) > farthest || std::abs(p.y) > farthest)
                return false;
    return true;
}

std::optional<std::uint32_t> plainColour(const QPainter& painter, const QBrush& brush)
{
    if (brush.style() != Qt::SolidPattern || !painter.testRenderHint(QPainter::Antialiasing))
        return std::nullopt;
    QColor colour = brush.color();
    colour.setAlphaF(float(colour.alphaF() * std::clamp(painter.opacity(), 0.0, 1.0)));
    return qPremultiply(colour.rgba64()).toArgb32();
}

namespace {

// Blends `premultiplied` over the pixels of `target` at the coverage of
// `polygons` (device pixels).
void fillCovered(const RasterTarget& target, std::span<const std::vector<Point>> polygons, std::uint32_t premultiplied)
{
    if (premultiplied == 0)
        return;
    const CoveredRun whole = [&](int y, int from, int count, std::uint8_t coverage) {
        const std::uint32_t colour = coverage == 255 ? premultiplied : RasterTarget::scaled(premultiplied, coverage);
        target.forEachRow(QRect(from, y, count, 1),
                          [&](std::uint32_t* pixels, int, int, int n) { RasterTarget::blendRow(pixels, n, colour); });
    };
    forEachCoveredRow(
        polygons, target.area(),
        [&](int y, int from, const std::uint8_t* coverage, int count) {
            target.forEachRow(QRect(from, y, count, 1), [&](std::uint32_t* pixels, int x, int, int n) {
                RasterTarget::blendCovered(pixels, n, premultiplied, coverage + (x - from));
            });
        },
        whole);
}

} // namespace

bool fillPolygons(QPainter& painter, std::span<const std::vector<Point>> polygons, const QBrush& brush)
{
    const std::optional<std::uint32_t> colour = plainColour(painter, brush);
    if (!colour || !withinReach(polygons))
        return false;
    const std::optional<RasterTarget> target = RasterTarget::of(painter);
    if (!target)
        return false;
    fillCovered(*target, polygons, *colour);
    return true;
}

} // namespace kit::detail
