// The floor of the chart workloads of charts_bar_views.cpp,
// charts_line_views.cpp, charts_pie_views.cpp and charts_decorated.cpp:
// plain QPainter drawing the same marks from the values, at places worked
// out directly from the window's size (no layout, no retained tree), under
// benchmarks of the same names, so bench/charts_vs_qtcharts.sh can time each
// against its twin. What a chart library adds to this is its cost.
//
// Sections:
//   bar charts           fillBar, the standard and grouped bars, full updates and growing frames
//   the line             paintWave, a full update, a frame drawn in
//   the pie              paintPie, the spring, an animating frame, boxBlur and paintShadow,
//                        a touch's update pass
//   decorated charts     paintDecorated: titles, legend, axes and grids around bars or a line

#include "BenchMain.h"
#include "ChartWorkloads.h"

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

using std::numbers::pi;

constexpr double frameSeconds = 1.0 / 60;

QImage windowImage(int width, int height)
{
    return QImage(width, height, QImage::Format_ARGB32_Premultiplied);
}

// easeInOut: the cubic Bézier (0.42, 0) (0.58, 1), solved for x by bisection.
double easeInOut(double x)
{
    x = std::clamp(x, 0.0, 1.0);
    auto bezier = [](double t, double a, double b) {
        return 3 * (1 - t) * (1 - t) * t * a + 3 * (1 - t) * t * t * b + t * t * t;
    };
    double lo = 0, hi = 1;
    for (int i = 0; i < 20; ++i) {
        const double mid = (lo + hi) / 2;
        (bezier(mid, 0.42, 0.58) < x ? lo : hi) = mid;
    }
    return bezier((lo + hi) / 2, 0, 1);
}

// A bar of `rect` with its top corners rounded by `radius` (held to half the
// bar's width and height): its body a rectangle, its rounded top a path.
void fillBar(QPainter& painter, const QRectF& rect, double radius, const QBrush& brush)
{
    const double r = std::min({radius, rect.width() / 2, rect.height() / 2});
    painter.fillRect(rect.adjusted(0, r, 0, 0), brush);
    QPainterPath cap;
    cap.moveTo(rect.left(), rect.top() + r);
    cap.arcTo(rect.left(), rect.top(), 2 * r, 2 * r, 180, -90);
    cap.lineTo(rect.right() - r, rect.top());
    cap.arcTo(rect.right() - 2 * r, rect.top(), 2 * r, 2 * r, 90, -90);
    cap.closeSubpath();
    painter.fillPath(cap, brush);
}

// The standard chart: `count` bars side by side across the window, each 0.8
// of its slot wide and value / 100 of the window high, `grown` of the way.
void paintBars(QImage& image, int count, int round, double grown)
{
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double slot = double(image.width()) / count;
    const QBrush blue(Qt::blue);
    for (int i = 0; i < count; ++i) {
        const double h = image.height() * bench::barValue(i, round) / 100 * grown;
        fillBar(painter, QRectF(i * slot + slot * 0.1, image.height() - h, slot * 0.8, h), 3, blue);
    }
}

void paintStandardBars(QImage& image, int round, double grown)
{
    paintBars(image, bench::standardBars, round, grown);
}

// The grouped chart: 20 groups 8 apart, 5 bars each, the fifth a gradient.
void paintGroupedBars(QImage& image, int round, double grown)
{
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const std::array<QColor, 5> colours{Qt::red, Qt::green, Qt::blue, QColor(255, 165, 0), QColor(128, 0, 128)};
    const double spacing = 8;
    const double group = (image.width() - spacing * (bench::barGroups - 1)) / bench::barGroups;
    const double slot = group / bench::barsPerGroup;
    for (int g = 0; g < bench::barGroups; ++g)
        for (int k = 0; k < bench::barsPerGroup; ++k) {
            const double h = image.height() * bench::barValue(g * bench::barsPerGroup + k, round) / 100 * grown;
            const QRectF bar(g * (group + spacing) + k * slot + slot * 0.1, image.height() - h, slot * 0.8, h);
            if (k == bench::barsPerGroup - 1) {
                QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
                gradient.setColorAt(0, QColor(128, 0, 128));
                gradient.setColorAt(1, QColor(255, 192, 203));
                fillBar(painter, bar, 3, gradient);
            } else {
                fillBar(painter, bar, 3, colours[std::size_t(k)]);
            }
        }
}

template <class Paint>
void barsFullUpdate(benchmark::State& state, Paint paint)
{
    QImage image = windowImage(bench::barWindowWidth, bench::barWindowHeight);
    int round = 1;
    for (auto _ : state)
        paint(image, round++, 1.0);
    bench::saveImageIfAsked(image);
}

// One frame of a one-second grow-in; it starts again when it has ended.
template <class Paint>
void barsGrowingFrame(benchmark::State& state, Paint paint)
{
    QImage image = windowImage(bench::barWindowWidth, bench::barWindowHeight);
    double t = 0;
    long long frame = 0;
    for (auto _ : state) {
        t += frameSeconds;
        paint(image, 0, easeInOut(t));
        bench::saveFrameIfAsked(image, ++frame);
        if (t > 1)
            t = 0;
    }
    bench::saveImageIfAsked(image);
}

void BM_BarChart500FullUpdate(benchmark::State& state)
{
    barsFullUpdate(state, paintStandardBars);
}
BENCHMARK(BM_BarChart500FullUpdate)->Unit(benchmark::kMillisecond);

// The same at each of the scaling sizes (the bar count the argument).
void BM_BarChartFullUpdate(benchmark::State& state)
{
    const int count = int(state.range(0));
    barsFullUpdate(state, [count](QImage& image, int round, double grown) { paintBars(image, count, round, grown); });
}
BENCHMARK(BM_BarChartFullUpdate)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500)->Arg(5000);

void BM_GroupedBarChart20FullUpdate(benchmark::State& state)
{
    barsFullUpdate(state, paintGroupedBars);
}
BENCHMARK(BM_GroupedBarChart20FullUpdate)->Unit(benchmark::kMillisecond);

void BM_BarChart500GrowingFrame(benchmark::State& state)
{
    barsGrowingFrame(state, paintStandardBars);
}
BENCHMARK(BM_BarChart500GrowingFrame)->Unit(benchmark::kMillisecond);

void BM_BarChartGrowingFrame(benchmark::State& state)
{
    const int count = int(state.range(0));
    barsGrowingFrame(state, [count](QImage& image, int round, double grown) { paintBars(image, count, round, grown); });
}
BENCHMARK(BM_BarChartGrowingFrame)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500)->Arg(5000);

void BM_GroupedBarChart20GrowingFrame(benchmark::State& state)
{
    barsGrowingFrame(state, paintGroupedBars);
}
BENCHMARK(BM_GroupedBarChart20GrowingFrame)->Unit(benchmark::kMillisecond);

// The line: its points across the window between the lowest and highest
// value, joined and 3 wide with round joins and caps; `drawn` of it from
// the left. Its curves (control points halfway along x) stay within a tenth
// of a pixel of straight joins at 10,000 points over 1200 pixels, where
// consecutive points lie a tenth of a pixel apart: with a point or more a
// pixel the stroke is the round pen's reach about its points, which at each
// place across the window runs from the highest reach of the pen to its
// lowest. The floor samples those two every quarter pixel, from the highest
// and lowest point of each quarter pixel, and fills what lies between, in
// pieces `pieceWidth` pixels wide cut on pixel edges (Qt's rasteriser costs
// the box of what it fills), so no two pieces share a pixel. A line of fewer
// points is its curves stroked by Qt (paintSparseWave).
constexpr int samplesPerPixel = 4;
constexpr int pieceWidth = 8;

void paintWave(QImage& image, const std::vector<double>& values, double drawn)
{
    image.fill(Qt::transparent);
    if (values.size() < 2)
        return;
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    const double range = *highest - *lowest;
    const double step = double(image.width()) / double(values.size() - 1);
    const double radius = 1.5;
    // Sample k lies at x = k / samplesPerPixel - reach.
    const int reach = int(std::ceil(radius));
    const double lastX = std::clamp(drawn, 0.0, 1.0) * image.width();
    if (lastX <= 0)
        return;
    const std::size_t samples = std::size_t(std::ceil((lastX + 2 * reach) * samplesPerPixel)) + 1;
    thread_local std::vector<double> top, bottom;
    top.assign(samples, std::numeric_limits<double>::infinity());
    bottom.assign(samples, -std::numeric_limits<double>::infinity());
    // The highest and lowest point in each quarter-pixel column, where it
    // lies: the pen reaches furthest from those (more points than samples
    // need no more work than that).
    struct Extremes {
        double top = std::numeric_limits<double>::infinity(), topX = 0;
        double bottom = -std::numeric_limits<double>::infinity(), bottomX = 0;
    };
    thread_local std::vector<Extremes> columns;
    columns.assign(samples, Extremes{});
    auto add = [&](double x, double y) {
        Extremes& c = columns[std::min(samples - 1, std::size_t((x + reach) * samplesPerPixel))];
        if (y < c.top)
            c = {y, x + reach, c.bottom, c.bottomX};
        if (y > c.bottom)
            c = {c.top, c.topX, y, x + reach};
    };
    // The points, and between points further apart than an eighth of a
    // pixel the curve sampled that finely, up to where the line is drawn.
    const int between = std::max(1, int(std::ceil(step * 8)));
    auto yOf = [&](std::size_t i) { return image.height() * (1 - (values[i] - *lowest) / range); };
    add(0, yOf(0));
    for (std::size_t i = 1; i < values.size() && double(i - 1) * step < lastX; ++i) {
        const double x0 = double(i - 1) * step, y0 = yOf(i - 1), y1 = yOf(i);
        for (int k = 1; k <= between; ++k) {
            // The curve with its control points halfway along x: x and y
            // move by the same blend of their two ends.
            const double u = double(k) / between, blend = u * u * (3 - 2 * u);
            const double px = x0 + step * (1.5 * u * (1 - u) + u * u * u);
            if (px > lastX)
                break;
            add(px, y0 + (y1 - y0) * blend);
        }
    }
    auto reachFrom = [&](double y, double x, bool up) {
        const int first = int(std::ceil((x - radius) * samplesPerPixel));
        const int last = int(std::floor((x + radius) * samplesPerPixel));
        for (int k = std::max(first, 0); k <= last && k < int(samples); ++k) {
            const double dx = double(k) / samplesPerPixel - x;
            const double dy = std::sqrt(std::max(0.0, radius * radius - dx * dx));
            if (up)
                top[std::size_t(k)] = std::min(top[std::size_t(k)], y - dy);
            else
                bottom[std::size_t(k)] = std::max(bottom[std::size_t(k)], y + dy);
        }
    };
    for (const Extremes& c : columns)
        if (c.top <= c.bottom) {
            reachFrom(c.top, c.topX, true);
            reachFrom(c.bottom, c.bottomX, false);
        }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::blue);
    thread_local std::vector<QPointF> outline;
    const std::size_t piece = std::size_t(pieceWidth * samplesPerPixel);
    for (std::size_t first = 0; first + 1 < samples; first += piece) {
        const std::size_t last = std::min(first + piece, samples - 1);
        outline.clear();
        for (std::size_t k = first; k <= last; ++k)
            if (std::isfinite(top[k]))
                outline.emplace_back(double(k) / samplesPerPixel - reach, top[k]);
        for (std::size_t k = last + 1; k-- > first;)
            if (std::isfinite(bottom[k]))
                outline.emplace_back(double(k) / samplesPerPixel - reach, bottom[k]);
        if (outline.size() > 2)
            painter.drawPolygon(outline.data(), int(outline.size()));
    }
}

std::vector<double> waveValues(int count)
{
    std::vector<double> values(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        values[std::size_t(i)] = bench::waveValue(i, count);
    return values;
}

void lineUpdateAndPaint(benchmark::State& state, int count)
{
    QImage image = windowImage(bench::lineWindowWidth, bench::lineWindowHeight);
    std::vector<double> values = waveValues(count);
    int i = 0;
    for (auto _ : state) {
        values[std::size_t(i++ % count)] += 1;
        paintWave(image, values, 1);
    }
    bench::saveImageIfAsked(image);
}

void BM_FullUpdateAndPaint(benchmark::State& state)
{
    lineUpdateAndPaint(state, bench::linePoints);
}
BENCHMARK(BM_FullUpdateAndPaint)->Unit(benchmark::kMillisecond);

// The same at each of the scaling sizes (the point count the argument).
void BM_LineFullUpdateAndPaint(benchmark::State& state)
{
    lineUpdateAndPaint(state, int(state.range(0)));
}
BENCHMARK(BM_LineFullUpdateAndPaint)->Unit(benchmark::kMillisecond)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000);

void drawInFrame(benchmark::State& state, int count)
{
    QImage image = windowImage(bench::lineWindowWidth, bench::lineWindowHeight);
    const std::vector<double> values = waveValues(count);
    double t = 0;
    long long frame = 0;
    for (auto _ : state) {
        t += frameSeconds;
        paintWave(image, values, easeInOut(t));
        bench::saveFrameIfAsked(image, ++frame);
        if (t > 1)
            t = 0;
    }
    bench::saveImageIfAsked(image);
}

void BM_DrawInFrame(benchmark::State& state)
{
    drawInFrame(state, bench::linePoints);
}
BENCHMARK(BM_DrawInFrame)->Unit(benchmark::kMillisecond);

void BM_LineDrawInFrame(benchmark::State& state)
{
    drawInFrame(state, int(state.range(0)));
}
BENCHMARK(BM_LineDrawInFrame)->Unit(benchmark::kMillisecond)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000);

// The pie: `count` equal wedges from the top, clockwise, coloured round the
// hue circle, each scaled about the window's centre and faded by `scale(i)`.
QPainterPath wedge(int i, int count, double radius, QPointF centre)
{
    const double amount = 360.0 / count;
    QPainterPath path(centre);
    path.arcTo(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), 90 - i * amount, -amount);
    path.closeSubpath();
    return path;
}

QColor sliceColour(int i, int count)
{
    return QColor::fromHsvF(float(i) / float(count), 0.7f, 0.9f);
}

// Each wedge at `scale(i)`: a wedge too faint or too small to see is left
// out, and one at 1 is painted opaque (at any opacity under 1 Qt blends).
template <class Scale>
void paintPie(QPainter& painter, int count, QPointF centre, double radius, Scale scale, int skip = -1)
{
    for (int i = 0; i < count; ++i) {
        if (i == skip)
            continue;
        const double s = std::clamp(scale(i), 0.0, 1.0);
        if (s < 0.5 / 255 || radius * s < 0.5)
            continue;
        painter.setOpacity(s);
        painter.fillPath(wedge(i, count, radius * s, centre), sliceColour(i, count));
    }
    painter.setOpacity(1);
}

// A critically damped spring of response 0.5 s from 0.001 (where a slice
// stands before it grows) to 1, which it reaches once within a thousandth
// of the end, as an animated value settles.
double spring(double t)
{
    if (t <= 0)
        return 0.001;
    const double rest = 0.999 * (1 + 4 * pi * t) * std::exp(-4 * pi * t);
    return rest <= 1e-3 ? 1 : 1 - rest;
}

void animatingFrame(benchmark::State& state, int count)
{
    QImage image = windowImage(bench::pieWindowSize, bench::pieWindowSize);
    const QPointF centre(bench::pieWindowSize / 2.0, bench::pieWindowSize / 2.0);
    double t = 0;
    long long frame = 0;
    for (auto _ : state) {
        t += frameSeconds;
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            paintPie(painter, count, centre, bench::pieWindowSize / 2.0, [t](int i) { return spring(t - 0.06 * i); });
        }
        bench::saveFrameIfAsked(image, ++frame);
        if (t > 0.06 * count + 1)
            t = 0;
    }
    bench::saveImageIfAsked(image);
}

void BM_AnimatingFrame(benchmark::State& state)
{
    animatingFrame(state, bench::pieSegments);
}
BENCHMARK(BM_AnimatingFrame)->Unit(benchmark::kMillisecond);

// The same at each of the scaling sizes (the slice count the argument).
void BM_PieAnimatingFrame(benchmark::State& state)
{
    animatingFrame(state, int(state.range(0)));
}
BENCHMARK(BM_PieAnimatingFrame)->Unit(benchmark::kMillisecond)->Arg(6)->Arg(60)->Arg(600);

// Blurs an 8-bit coverage image with three box blurs of `radius` each way.
void boxBlur(QImage& alpha, int radius)
{
    const int w = alpha.width(), h = alpha.height(), window = 2 * radius + 1;
    std::vector<uchar> line(std::size_t(std::max(w, h)));
    auto blurLine = [&](uchar* first, int length, int stride) {
        for (int i = 0; i < length; ++i)
            line[std::size_t(i)] = first[i * stride];
        int sum = 0;
        for (int i = 0; i <= radius && i < length; ++i)
            sum += line[std::size_t(i)];
        for (int i = 0; i < length; ++i) {
            first[i * stride] = uchar(sum / window);
            if (i - radius >= 0)
                sum -= line[std::size_t(i - radius)];
            if (i + radius + 1 < length)
                sum += line[std::size_t(i + radius + 1)];
        }
    };
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < h; ++y)
            blurLine(alpha.scanLine(y), w, 1);
        for (int x = 0; x < w; ++x)
            blurLine(alpha.scanLine(0) + x, h, int(alpha.bytesPerLine()));
    }
}

// `path`'s shadow: its coverage blurred (σ = radius / 2) in `colour`.
void paintShadow(QPainter& painter, const QPainterPath& path, double radius, QColor colour)
{
    const double sigma = radius / 2;
    const int margin = int(std::ceil(3 * sigma + 2));
    const QRect bounds = path.boundingRect().toAlignedRect().adjusted(-margin, -margin, margin, margin);
    QImage alpha(bounds.size(), QImage::Format_Alpha8);
    alpha.fill(0);
    {
        QPainter p(&alpha);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(-bounds.topLeft());
        p.fillPath(path, Qt::black);
    }
    boxBlur(alpha, int(std::lround((std::sqrt(4 * sigma * sigma + 1) - 1) / 2)));
    QImage shadow(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    shadow.fill(colour);
    {
        QPainter p(&shadow);
        p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        p.drawImage(0, 0, alpha);
    }
    painter.drawImage(bounds.topLeft(), shadow);
}

// The touched slice changes: every wedge, the touched one last, 1.1 times its
// size about the window's centre over its blurred shadow.
void touchUpdatePass(benchmark::State& state, int count)
{
    QImage image = windowImage(bench::pieWindowSize, bench::pieWindowSize);
    const QPointF centre(bench::pieWindowSize / 2.0, bench::pieWindowSize / 2.0);
    const double radius = bench::pieWindowSize / 2.0;
    int i = 0;
    for (auto _ : state) {
        const int touched = i++ % count;
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        paintPie(
            painter, count, centre, radius, [](int) { return 1.0; }, touched);
        const QPainterPath slice = wedge(touched, count, radius * 1.1, centre);
        paintShadow(painter, slice, 10, Qt::black);
        painter.fillPath(slice, sliceColour(touched, count));
    }
    bench::saveImageIfAsked(image);
}

void BM_TouchUpdatePass(benchmark::State& state)
{
    touchUpdatePass(state, bench::pieSegments);
}
BENCHMARK(BM_TouchUpdatePass)->Unit(benchmark::kMillisecond);

void BM_PieTouchUpdatePass(benchmark::State& state)
{
    touchUpdatePass(state, int(state.range(0)));
}
BENCHMARK(BM_PieTouchUpdatePass)->Unit(benchmark::kMillisecond)->Arg(6)->Arg(60)->Arg(600);

// The decorated scene at fixed places: title and subtitle, the plot with
// both grids, axis labels and titles, the marks (bars or a line with point
// markers), the goal and peak markers each labelled in a diamond at its
// middle, the trend line, the extra line with its markers, axis and colour
// dot, the legend and the info box of the touched quarter (Q4).
constexpr std::array<double, 6> targets{1000, 3000, 2000, 4000, 3000, 5000};
const QRectF plot(62, 70, 622, 402);

QPointF valueAt(int point, double value, double highest)
{
    const double slot = plot.width() / 6;
    return {plot.left() + slot * (point + 0.5), plot.bottom() - plot.height() * value / highest};
}

QFont pixelFont(int pixels)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(pixels);
    return font;
}

const QColor markColour(41, 132, 204);
const QColor gridColour = QColor::fromHsvF(0.08f, 0.5f, 0.55f);
const QColor goalColour = QColor::fromHsvF(0.0f, 1, 0.85f);
const QColor peakColour = QColor::fromHsvF(0.83f, 1, 0.8f);
const QColor trendColour = QColor::fromHsvF(0.33f, 1, 0.6f);
const QColor extraColour = QColor::fromHsvF(0.75f, 0.9f, 0.9f);
const QColor extraFill = QColor::fromHsvF(0.15f, 1, 1);
const QColor boxColour = QColor::fromHsvF(0.5f, 0.5f, 0.6f);
const QColor secondary(0, 0, 0, 128);

// `text` in a white diamond bordered 3 wide in `colour`, centred on `centre`.
void diamondLabel(QPainter& painter, const QString& text, QPointF centre, QColor colour)
{
    const QSizeF size = painter.fontMetrics().size(0, text);
    const double w = size.width() + 32, h = size.height() + 32;
    const std::array<QPointF, 4> corners{centre + QPointF(0, -h / 2), centre + QPointF(w / 2, 0),
                                         centre + QPointF(0, h / 2), centre + QPointF(-w / 2, 0)};
    painter.setPen(QPen(colour, 3));
    painter.setBrush(Qt::white);
    painter.drawPolygon(corners.data(), int(corners.size()));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(centre - QPointF(w / 2, h / 2), QSizeF(w, h)), Qt::AlignCenter, text);
}

template <class Marks>
void paintDecorated(QImage& image, const std::array<double, 6>& sales, Marks marks)
{
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    const double highest = *std::max_element(sales.begin(), sales.end());
    const QFont title = pixelFont(15), subtitle = pixelFont(11), caption = pixelFont(10), body = pixelFont(13);
    painter.setFont(title);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(24, 38), "Store sales");
    painter.setFont(subtitle);
    painter.setPen(secondary);
    painter.drawText(QPointF(24, 59), "By quarter");
    // Grids and their labels.
    painter.setPen(QPen(gridColour, 2));
    for (int k = 0; k < 4; ++k) {
        const double y = plot.top() + plot.height() * k / 3;
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        const double x = plot.left() + plot.width() * k / 3;
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    painter.setFont(caption);
    painter.setPen(Qt::black);
    for (int k = 0; k < 5; ++k)
        painter.drawText(QRectF(10, plot.bottom() - plot.height() * k / 4 - 8, 48, 16), Qt::AlignRight,
                         QString::number(std::lround(highest * k / 4)));
    for (int k = 0; k < 3; ++k)
        painter.drawText(QRectF(plot.right() + 5, plot.bottom() - plot.height() * k / 2 - 8, 44, 16), Qt::AlignLeft,
                         QString::number(1000 + 2000 * k));
    for (int p = 0; p < 6; ++p)
        painter.drawText(QRectF(valueAt(p, 0, highest).x() - 20, plot.bottom() + 4, 40, 16), Qt::AlignHCenter,
                         QString("Q%1").arg(p + 1));
    painter.drawText(QRectF(plot.left(), plot.bottom() + 32, plot.width(), 16), Qt::AlignHCenter, "Quarter");
    painter.save();
    painter.translate(35, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-40, -8, 80, 16), Qt::AlignHCenter, "Sales");
    painter.restore();
    painter.save();
    painter.translate(725, plot.center().y());
    painter.rotate(90);
    painter.drawText(QRectF(-50, -8, 100, 16), Qt::AlignHCenter, "Target units");
    painter.restore();
    painter.setPen(Qt::NoPen);
    painter.setBrush(extraColour);
    painter.drawEllipse(QPointF(725, plot.center().y() + 40), 4, 4);
    marks(painter, highest);
    // The trend line, the goal and the peak, labelled in diamonds.
    const double goal = plot.bottom() - plot.height() * 60 / highest;
    const double peak = valueAt(3, 0, highest).x();
    painter.setPen(QPen(trendColour, 3));
    painter.drawLine(QPointF(plot.left(), plot.bottom() - plot.height() * 20 / highest), plot.topRight());
    painter.setPen(QPen(goalColour, 3));
    painter.drawLine(QPointF(plot.left(), goal), QPointF(plot.right(), goal));
    diamondLabel(painter, "60", QPointF(plot.center().x(), goal), goalColour);
    painter.setPen(QPen(peakColour, 3));
    painter.drawLine(QPointF(peak, plot.top()), QPointF(peak, plot.bottom()));
    diamondLabel(painter, "Peak", QPointF(peak, plot.center().y()), peakColour);
    // The extra line and its markers.
    QPolygonF extra;
    for (int p = 0; p < 6; ++p)
        extra << QPointF(valueAt(p, 0, highest).x(),
                         plot.bottom() - plot.height() * (targets[std::size_t(p)] - 1000) / 4000);
    painter.setPen(QPen(extraColour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(extra);
    painter.setPen(QPen(extraColour, 1));
    painter.setBrush(extraFill);
    for (const QPointF& p : extra)
        painter.drawEllipse(p, 4, 4);
    // The legend: the marks' square, the others' lines.
    painter.setFont(caption);
    painter.setPen(Qt::NoPen);
    painter.setBrush(markColour);
    painter.drawRect(QRectF(24, 536, 20, 20));
    painter.setPen(Qt::black);
    painter.drawText(QPointF(52, 550), "Stores");
    int entry = 1;
    for (const auto& [name, colour] :
         {std::pair{"Goal", goalColour}, std::pair{"Peak", peakColour}, std::pair{"Target", extraColour}}) {
        const QPointF at(24 + (entry % 2) * 360, 545 + (entry / 2) * 24);
        painter.setPen(QPen(colour, 3));
        painter.drawLine(at, at + QPointF(40, 0));
        painter.setPen(Qt::black);
        painter.drawText(at + QPointF(48, 4), name);
        ++entry;
    }
    // The info box of the touched quarter.
    painter.setPen(QPen(Qt::gray, 1));
    painter.setBrush(boxColour);
    painter.drawRoundedRect(QRectF(360, 60, 68, 94), 5, 5);
    const double left = 368;
    painter.setFont(caption);
    painter.setPen(secondary);
    painter.drawText(QPointF(left, 78), "Quarter 4");
    painter.setFont(body);
    painter.setPen(Qt::black);
    painter.drawText(QPointF(left, 92), QString::number(sales[3], 'f', 0));
    painter.drawText(QPointF(left, 131), "4000");
    painter.setFont(caption);
    painter.drawText(QPointF(left + 20, 105), "Stores");
    painter.drawText(QPointF(left + 20, 144), "Target");
    painter.setPen(Qt::NoPen);
    painter.setBrush(markColour);
    painter.drawEllipse(QRectF(left, 95, 12, 12));
    painter.setBrush(extraColour);
    painter.drawEllipse(QRectF(left, 134, 12, 12));
}

template <class Marks>
void decoratedUpdate(benchmark::State& state, Marks marks)
{
    QImage image = windowImage(bench::decoratedWindowWidth, bench::decoratedWindowHeight);
    std::array<double, 6> sales{20, 45, 30, 70, 55, 90};
    int i = 0;
    for (auto _ : state) {
        const auto [point, delta] = bench::decoratedChange(i++);
        sales[point] += delta;
        paintDecorated(image, sales, [&](QPainter& painter, double highest) { marks(painter, sales, highest); });
        bench::saveFrameIfAsked(image, i);
    }
    bench::saveImageIfAsked(image);
}

void BM_DecoratedBarChart(benchmark::State& state)
{
    decoratedUpdate(state, [](QPainter& painter, const std::array<double, 6>& sales, double highest) {
        const double slot = plot.width() / 6;
        for (int p = 0; p < 6; ++p) {
            const QPointF top = valueAt(p, sales[std::size_t(p)], highest);
            painter.fillRect(QRectF(top.x() - slot / 4, top.y(), slot / 2, plot.bottom() - top.y()), markColour);
        }
    });
}
BENCHMARK(BM_DecoratedBarChart)->Unit(benchmark::kMillisecond);

void BM_DecoratedLineChart(benchmark::State& state)
{
    decoratedUpdate(state, [](QPainter& painter, const std::array<double, 6>& sales, double highest) {
        // The line's points from the plot's left edge to its right.
        QPolygonF line;
        for (int p = 0; p < 6; ++p)
            line << QPointF(plot.left() + plot.width() * p / 5, valueAt(p, sales[std::size_t(p)], highest).y());
        painter.setPen(QPen(markColour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolyline(line);
        painter.setPen(Qt::NoPen);
        painter.setBrush(markColour);
        for (const QPointF& p : line)
            painter.drawEllipse(p, 3, 3);
    });
}
BENCHMARK(BM_DecoratedLineChart)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runOffscreenWith<QGuiApplication>(argc, argv);
}
