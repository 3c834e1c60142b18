// The chart workloads of charts_bar_views.cpp, charts_line_views.cpp,
// charts_pie_views.cpp and charts_decorated.cpp drawn by Qt Charts, the
// chart library a Qt developer would pick instead: the same window sizes,
// values, changes and marks, under benchmarks of the same names, so
// bench/charts_vs_qtcharts.sh can time each against its twin. Qt Charts has no
// rounded bars and no slice shadows: it draws the nearest it has (square bars,
// an exploded slice); the grouped chart's fifth bars take the same gradient
// over each bar's own box as the project's. Its animations run on
// a driver whose clock moves by hand, 1/60 s a frame, like the project's.
//
// Sections:
//   scenes               ManualAnimationDriver, ChartScene, replaceAll, updateAndPaint
//   bar charts           full updates and growing frames of the standard and grouped charts
//   the line             a full update, a frame drawn in
//   the pie              an animating frame (its grow-in), a touch's update pass
//   decorated charts     DecoratedScene: titles, legend, axes and grids around bars or a line

#include "BenchMain.h"
#include "ChartWorkloads.h"

#include <QAnimationDriver>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QEasingCurve>
#include <QFontMetricsF>
#include <QGraphicsEllipseItem>
#include <QGraphicsPathItem>
#include <QGraphicsPolygonItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPieSeries>
#include <QPieSlice>
#include <QScatterSeries>
#include <QSplineSeries>
#include <QValueAxis>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <memory>
#include <string>

namespace {

// Qt's animations timed by a clock that moves only when told. Qt stops the
// driver when no animation runs and starts it again for the next one, and
// then takes the driver's time as counted from that start: the clock goes
// back to 0 at each start, so every grow-in runs frame by frame, not only
// the first.
class ManualAnimationDriver : public QAnimationDriver {
public:
    qint64 elapsed() const override { return now_; }
    void step(qint64 milliseconds)
    {
        now_ += milliseconds;
        advance();
    }

protected:
    void start() override
    {
        now_ = 0;
        QAnimationDriver::start();
    }

private:
    qint64 now_ = 0;
};

ManualAnimationDriver& animationDriver()
{
    static ManualAnimationDriver* driver = [] {
        auto* d = new ManualAnimationDriver;
        d->install();
        return d;
    }();
    return *driver;
}

constexpr qint64 frameMilliseconds = 17; // 1/60 s, as the project's frames

// A chart in a scene of the window's size, painted into a window-sized image.
struct ChartScene {
    QGraphicsScene scene;
    QChart* chart = new QChart;
    QImage image;

    ChartScene(int width, int height, bool animated) : image(width, height, QImage::Format_ARGB32_Premultiplied)
    {
        chart->setAnimationOptions(animated ? QChart::SeriesAnimations : QChart::NoAnimation);
        chart->setAnimationDuration(1000);
        chart->setAnimationEasingCurve(QEasingCurve::InOutCubic);
        chart->legend()->hide();
        chart->setBackgroundVisible(false);
        chart->setMargins(QMargins());
        scene.addItem(chart);
        chart->setGeometry(0, 0, width, height);
        scene.setSceneRect(0, 0, width, height);
    }

    void paint()
    {
        // What the chart posted while it changed (its layout) is done first.
        QCoreApplication::sendPostedEvents();
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        scene.render(&painter, image.rect(), image.rect());
    }
};

QList<qreal> barValues(int first, int count, int stride, int round)
{
    QList<qreal> values;
    values.reserve(count);
    for (int i = 0; i < count; ++i)
        values.append(bench::barValue(first + i * stride, round));
    return values;
}

// Replaces every value of `set` at once (one change for the whole set; Qt
// Charts has no bulk replace, and a replace per value is slower still).
void replaceAll(QBarSet* set, const QList<qreal>& values)
{
    set->remove(0, set->count());
    set->append(values);
}

QBarSeries* standardBars(int round, int count = bench::standardBars)
{
    auto* set = new QBarSet("Sales");
    set->setColor(Qt::blue);
    set->setPen(Qt::NoPen);
    set->append(barValues(0, count, 1, round));
    auto* series = new QBarSeries;
    series->setBarWidth(0.8);
    series->append(set);
    return series;
}

QBarSeries* groupedBars(int round)
{
    const std::array<QColor, 5> colours{Qt::red, Qt::green, Qt::blue, QColor(255, 165, 0), QColor(128, 0, 128)};
    const std::array<const char*, 5> names{"North", "East", "South", "West", "Centre"};
    auto* series = new QBarSeries;
    series->setBarWidth(0.8);
    for (int k = 0; k < bench::barsPerGroup; ++k) {
        auto* set = new QBarSet(names[std::size_t(k)]);
        set->setColor(colours[std::size_t(k)]);
        if (k == bench::barsPerGroup - 1) {
            // The fifth bar of each group from purple at its foot to pink at its top, as
            // the project and the floor fill it: a gradient over each bar's own box.
            QLinearGradient gradient(0, 1, 0, 0);
            gradient.setCoordinateMode(QGradient::ObjectMode);
            gradient.setColorAt(0, QColor(128, 0, 128));
            gradient.setColorAt(1, QColor(255, 192, 203));
            set->setBrush(gradient);
        }
        set->setPen(Qt::NoPen);
        set->append(barValues(k, bench::barGroups, bench::barsPerGroup, round));
        series->append(set);
    }
    return series;
}

// A series shown in a chart of `width` × `height`, then changed by
// `change(i)` at each iteration i, laid out and painted.
template <class Series, class Change>
void updateAndPaint(benchmark::State& state, int width, int height, Series* series, Change change)
{
    ChartScene s(width, height, false);
    s.chart->addSeries(series);
    s.paint();
    int i = 0;
    for (auto _ : state) {
        change(i++);
        s.paint();
    }
    bench::saveImageIfAsked(s.image);
}

// One full update: every bar's value new, the chart laid out and painted.
void barsFullUpdate(benchmark::State& state, QBarSeries* series, int stride)
{
    updateAndPaint(state, bench::barWindowWidth, bench::barWindowHeight, series, [series, stride](int i) {
        const QList<QBarSet*> sets = series->barSets();
        for (int k = 0; k < sets.size(); ++k)
            replaceAll(sets[k], barValues(k, sets[k]->count(), stride, i + 1));
    });
}

void BM_BarChart500FullUpdate(benchmark::State& state)
{
    barsFullUpdate(state, standardBars(0), 1);
}
BENCHMARK(BM_BarChart500FullUpdate)->Unit(benchmark::kMillisecond);

// The same at each of the scaling sizes (the bar count the argument).
void BM_BarChartFullUpdate(benchmark::State& state)
{
    barsFullUpdate(state, standardBars(0, int(state.range(0))), 1);
}
BENCHMARK(BM_BarChartFullUpdate)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500)->Arg(5000);

void BM_GroupedBarChart20FullUpdate(benchmark::State& state)
{
    barsFullUpdate(state, groupedBars(0), bench::barsPerGroup);
}
BENCHMARK(BM_GroupedBarChart20FullUpdate)->Unit(benchmark::kMillisecond);

// One frame of a series' one-second grow-in: the animation clock moves on
// 1/60 s, the paint. The series is added again (not counted) whenever it has
// grown in.
template <class Series>
void growingFrame(benchmark::State& state, int width, int height, Series* series)
{
    ManualAnimationDriver& driver = animationDriver();
    ChartScene s(width, height, true);
    s.chart->addSeries(series);
    qint64 shown = 0;
    long long frame = 0;
    for (auto _ : state) {
        driver.step(frameMilliseconds);
        shown += frameMilliseconds;
        s.paint();
        bench::saveFrameIfAsked(s.image, ++frame);
        if (shown > 1000 + 2 * frameMilliseconds) {
            state.PauseTiming();
            s.chart->removeSeries(series);
            s.chart->addSeries(series);
            shown = 0;
            state.ResumeTiming();
        }
    }
    state.counters["frames_per_second"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    bench::saveImageIfAsked(s.image);
}

void BM_BarChart500GrowingFrame(benchmark::State& state)
{
    growingFrame(state, bench::barWindowWidth, bench::barWindowHeight, standardBars(0));
}
BENCHMARK(BM_BarChart500GrowingFrame)->Unit(benchmark::kMillisecond);

void BM_BarChartGrowingFrame(benchmark::State& state)
{
    growingFrame(state, bench::barWindowWidth, bench::barWindowHeight, standardBars(0, int(state.range(0))));
}
BENCHMARK(BM_BarChartGrowingFrame)->Unit(benchmark::kMillisecond)->Arg(50)->Arg(500)->Arg(5000);

void BM_GroupedBarChart20GrowingFrame(benchmark::State& state)
{
    growingFrame(state, bench::barWindowWidth, bench::barWindowHeight, groupedBars(0));
}
BENCHMARK(BM_GroupedBarChart20GrowingFrame)->Unit(benchmark::kMillisecond);

QSplineSeries* wave(int count = bench::linePoints)
{
    auto* series = new QSplineSeries;
    QList<QPointF> points;
    points.reserve(count);
    for (int i = 0; i < count; ++i)
        points.append(QPointF(i, bench::waveValue(i, count)));
    series->replace(points);
    series->setPen(QPen(QBrush(Qt::blue), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    return series;
}

// A point of the line changes: the chart laid out and painted.
void lineUpdateAndPaint(benchmark::State& state, int count)
{
    QSplineSeries* series = wave(count);
    updateAndPaint(state, bench::lineWindowWidth, bench::lineWindowHeight, series, [series, count](int i) {
        const int index = i % count;
        const QPointF p = series->at(index);
        series->replace(index, QPointF(p.x(), p.y() + 1));
    });
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

void BM_DrawInFrame(benchmark::State& state)
{
    growingFrame(state, bench::lineWindowWidth, bench::lineWindowHeight, wave());
}
BENCHMARK(BM_DrawInFrame)->Unit(benchmark::kMillisecond);

void BM_LineDrawInFrame(benchmark::State& state)
{
    growingFrame(state, bench::lineWindowWidth, bench::lineWindowHeight, wave(int(state.range(0))));
}
BENCHMARK(BM_LineDrawInFrame)->Unit(benchmark::kMillisecond)->Arg(100)->Arg(1000)->Arg(10000)->Arg(100000);

QPieSeries* pie(int count = bench::pieSegments)
{
    auto* series = new QPieSeries;
    series->setPieSize(1.0);
    for (int i = 0; i < count; ++i) {
        QPieSlice* slice = series->append(QString(), 1);
        slice->setColor(QColor::fromHsvF(float(i) / float(count), 0.7f, 0.9f));
        slice->setBorderColor(Qt::transparent);
        slice->setBorderWidth(0);
        slice->setExplodeDistanceFactor(0.1);
    }
    return series;
}

void BM_AnimatingFrame(benchmark::State& state)
{
    growingFrame(state, bench::pieWindowSize, bench::pieWindowSize, pie());
}
BENCHMARK(BM_AnimatingFrame)->Unit(benchmark::kMillisecond);

// The same at each of the scaling sizes (the slice count the argument).
void BM_PieAnimatingFrame(benchmark::State& state)
{
    growingFrame(state, bench::pieWindowSize, bench::pieWindowSize, pie(int(state.range(0))));
}
BENCHMARK(BM_PieAnimatingFrame)->Unit(benchmark::kMillisecond)->Arg(6)->Arg(60)->Arg(600);

// The touched slice changes: the slice touched before goes back, the new one
// is pulled out, the chart painted.
void touchUpdatePass(benchmark::State& state, int count)
{
    QPieSeries* series = pie(count);
    updateAndPaint(state, bench::pieWindowSize, bench::pieWindowSize, series, [series, count](int i) {
        series->slices().at((i + count - 1) % count)->setExploded(false);
        series->slices().at(i % count)->setExploded(true);
    });
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

// The decorated scene as the project draws it: title and subtitle, a legend
// of the marks, the goal, the peak and the extra line, both axes with
// titles and grids (the value axis up to the highest value, following it),
// the goal (a value marker) and the peak (a point marker), each labelled in
// a diamond at its middle, a trend line, an extra line on an axis of its
// own with its markers and a colour dot by its title, and the info box of
// the touched quarter (Q4: its name, its value and the series', the extra
// line's value and name, each value with a dot of its colour); `marks` is
// the bar or line series. What Qt Charts has not (a subtitle, the diamonds,
// the info box, the dot) are items of the chart's scene, placed where the
// chart maps the values they stand at.
constexpr std::array<double, 6> sales{20, 45, 30, 70, 55, 90};
constexpr std::array<double, 6> targets{1000, 3000, 2000, 4000, 3000, 5000};
constexpr std::size_t touchedQuarter = 3;

const QColor markColour(41, 132, 204);
const QColor gridColour = QColor::fromHsvF(0.08f, 0.5f, 0.55f);
const QColor goalColour = QColor::fromHsvF(0.0f, 1, 0.85f);
const QColor peakColour = QColor::fromHsvF(0.83f, 1, 0.8f);
const QColor trendColour = QColor::fromHsvF(0.33f, 1, 0.6f);
const QColor extraColour = QColor::fromHsvF(0.75f, 0.9f, 0.9f);
const QColor extraFill = QColor::fromHsvF(0.15f, 1, 1);
const QColor boxColour = QColor::fromHsvF(0.5f, 0.5f, 0.6f);

QFont pixelFont(int pixels)
{
    QFont font;
    font.setPixelSize(pixels);
    return font;
}

QLineSeries* straightLine(const QString& name, QPointF from, QPointF to, QColor colour)
{
    auto* line = new QLineSeries;
    line->setName(name);
    line->append(from);
    line->append(to);
    line->setPen(QPen(colour, 3));
    return line;
}

// A line 3 wide through `values`, one per quarter.
QLineSeries* joinedLine(const QString& name, const std::array<double, 6>& values, QColor colour)
{
    auto* line = new QLineSeries;
    line->setName(name);
    for (std::size_t i = 0; i < values.size(); ++i)
        line->append(double(i), values[i]);
    line->setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    return line;
}

// The markers of a line: circles `size` across filled with `fill`, bordered
// `border` wide in `borderColour` (none for 0).
QScatterSeries* markers(const QLineSeries* line, double size, QColor fill, double border, QColor borderColour)
{
    auto* points = new QScatterSeries;
    points->append(line->points());
    points->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    points->setMarkerSize(size);
    points->setBrush(fill);
    points->setPen(border > 0 ? QPen(borderColour, border) : QPen(Qt::NoPen));
    return points;
}

// A label in a diamond bordered 3 wide in `colour`, centred where it is put.
struct DiamondLabel {
    QGraphicsPolygonItem* diamond = new QGraphicsPolygonItem;
    QGraphicsSimpleTextItem* text = new QGraphicsSimpleTextItem;

    DiamondLabel(QGraphicsScene& scene, const QString& label, QColor colour)
    {
        text->setText(label);
        text->setFont(pixelFont(10));
        const QRectF box = text->boundingRect();
        const double w = box.width() + 32, h = box.height() + 32;
        diamond->setPolygon(QPolygonF({{0, -h / 2}, {w / 2, 0}, {0, h / 2}, {-w / 2, 0}}));
        diamond->setBrush(Qt::white);
        diamond->setPen(QPen(colour, 3));
        diamond->setZValue(10);
        text->setZValue(11);
        scene.addItem(diamond);
        scene.addItem(text);
    }

    void place(QPointF centre)
    {
        diamond->setPos(centre);
        const QRectF box = text->boundingRect();
        text->setPos(centre - QPointF(box.width() / 2, box.height() / 2));
    }
};

// The floating info box: a rounded box with a grey border holding, one under
// the other, the quarter's name, its value, a dot and the series' name, and
// the extra line's value, a dot and its name.
struct InfoBox {
    QGraphicsPathItem* box = new QGraphicsPathItem;
    std::array<QGraphicsSimpleTextItem*, 6> texts{};
    std::array<QGraphicsEllipseItem*, 2> dots{};

    explicit InfoBox(QGraphicsScene& scene)
    {
        box->setBrush(boxColour);
        box->setPen(QPen(Qt::gray, 1));
        box->setZValue(20);
        scene.addItem(box);
        const std::array<int, 6> sizes{10, 13, 10, 10, 13, 10};
        for (std::size_t i = 0; i < texts.size(); ++i) {
            texts[i] = new QGraphicsSimpleTextItem;
            texts[i]->setFont(pixelFont(sizes[i]));
            texts[i]->setZValue(21);
            scene.addItem(texts[i]);
        }
        texts[0]->setBrush(QColor(0, 0, 0, 128));
        texts[3]->setBrush(QColor(0, 0, 0, 128));
        const std::array<QColor, 2> colours{markColour, extraColour};
        for (std::size_t i = 0; i < dots.size(); ++i) {
            dots[i] = new QGraphicsEllipseItem(0, 0, 12, 12);
            dots[i]->setBrush(colours[i]);
            dots[i]->setPen(Qt::NoPen);
            dots[i]->setZValue(21);
            scene.addItem(dots[i]);
        }
    }

    // Shows `value` of the touched quarter, the box centred on `x` with its
    // top at `top`.
    void show(double value, double x, double top)
    {
        texts[0]->setText("Quarter 4");
        texts[1]->setText(QString::number(value, 'f', 0));
        texts[2]->setText("Stores");
        texts[3]->setText("");
        texts[4]->setText(QString::number(targets[touchedQuarter], 'f', 0));
        texts[5]->setText("Target");
        double width = 0;
        for (const QGraphicsSimpleTextItem* text : texts)
            width = std::max(width, text->boundingRect().width());
        width = std::max({width, 20 + texts[2]->boundingRect().width(), 20 + texts[5]->boundingRect().width()});
        const double left = x - width / 2 - 8;
        double y = top + 8;
        auto line = [&](QGraphicsSimpleTextItem* text, QGraphicsEllipseItem* dot) {
            const double height = QFontMetricsF(text->font()).height();
            if (dot) {
                dot->setPos(left + 8, y + (height - 12) / 2);
                text->setPos(left + 28, y);
            } else {
                text->setPos(left + 8, y);
            }
            y += height;
        };
        line(texts[0], nullptr);
        line(texts[1], nullptr);
        line(texts[2], dots[0]);
        line(texts[3], nullptr);
        line(texts[4], nullptr);
        line(texts[5], dots[1]);
        QPainterPath rounded;
        rounded.addRoundedRect(QRectF(left, top, width + 16, y + 8 - top), 5, 5);
        box->setPath(rounded);
    }
};

struct DecoratedScene {
    ChartScene s{bench::decoratedWindowWidth, bench::decoratedWindowHeight, false};
    QValueAxis* y = new QValueAxis;
    QLineSeries* peak = straightLine("Peak", {3, 0}, {3, 90}, peakColour);
    QGraphicsSimpleTextItem* subtitle = new QGraphicsSimpleTextItem("By quarter");
    QGraphicsEllipseItem* extraDot = new QGraphicsEllipseItem(0, 0, 8, 8);
    DiamondLabel goalLabel{s.scene, "60", goalColour};
    DiamondLabel peakLabel{s.scene, "Peak", peakColour};
    InfoBox info{s.scene};
    QAbstractSeries* marks;

    // `marks` and the series that draw their markers, if any.
    DecoratedScene(QAbstractSeries* marks, QAbstractSeries* marksPoints) : marks(marks)
    {
        QChart* chart = s.chart;
        chart->setTitle("Store sales");
        chart->setTitleFont(pixelFont(15));
        chart->legend()->show();
        chart->legend()->setAlignment(Qt::AlignBottom);
        chart->legend()->setFont(pixelFont(10));
        chart->setMargins(QMargins(24, 40, 24, 24));
        auto* x = new QBarCategoryAxis;
        x->append({"Q1", "Q2", "Q3", "Q4", "Q5", "Q6"});
        x->setTitleText("Quarter");
        for (QAbstractAxis* axis : std::initializer_list<QAbstractAxis*>{x, y}) {
            axis->setGridLinePen(QPen(gridColour, 2));
            axis->setLabelsFont(pixelFont(10));
            axis->setTitleFont(pixelFont(10));
        }
        y->setRange(0, 90);
        y->setTickCount(5);
        y->setLabelFormat("%.0f");
        y->setTitleText("Sales");
        auto* extraAxis = new QValueAxis;
        extraAxis->setRange(1000, 5000);
        extraAxis->setTickCount(3);
        extraAxis->setLabelFormat("%.0f");
        extraAxis->setTitleText("Target units");
        extraAxis->setLabelsFont(pixelFont(10));
        extraAxis->setTitleFont(pixelFont(10));
        extraAxis->setGridLineVisible(false);
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        chart->addAxis(extraAxis, Qt::AlignRight);
        auto attach = [&](QAbstractSeries* series, QAbstractAxis* valueAxis, bool inLegend) {
            chart->addSeries(series);
            series->attachAxis(x);
            series->attachAxis(valueAxis);
            if (!inLegend)
                for (QLegendMarker* marker : chart->legend()->markers(series))
                    marker->setVisible(false);
        };
        QLineSeries* target = joinedLine("Target", targets, extraColour);
        attach(marks, y, true);
        if (marksPoints)
            attach(marksPoints, y, false);
        attach(straightLine("Goal", {-0.5, 60}, {5.5, 60}, goalColour), y, true);
        attach(peak, y, true);
        attach(straightLine("Trend", {-0.5, 20}, {5.5, 90}, trendColour), y, false);
        attach(target, extraAxis, true);
        attach(markers(target, 8, extraFill, 1, extraColour), extraAxis, false);
        subtitle->setFont(pixelFont(11));
        subtitle->setBrush(QColor(0, 0, 0, 128));
        subtitle->setPos(24, 49);
        s.scene.addItem(subtitle);
        extraDot->setBrush(extraColour);
        extraDot->setPen(Qt::NoPen);
        s.scene.addItem(extraDot);
    }

    // The chart shows `values`: the value axis and the peak up to the
    // highest, the labels and the info box at the values' places.
    void show(const std::array<double, 6>& values)
    {
        const double highest = *std::max_element(values.begin(), values.end());
        y->setRange(0, highest);
        peak->replace(1, QPointF(3, highest));
        QCoreApplication::sendPostedEvents(); // the chart laid out for the new range
        goalLabel.place(s.chart->mapToPosition({2.5, 60}, marks));
        peakLabel.place(s.chart->mapToPosition({3, highest / 2}, marks));
        const QRectF plot = s.chart->plotArea();
        info.show(values[touchedQuarter], 380, plot.top() - 10);
        extraDot->setPos(plot.right() + 52, plot.center().y() + 40);
    }
};

// The scene touched at Q4; each iteration changes a quarter's value as
// bench::decoratedChange says, shows the values and paints.
template <class Change>
void decoratedUpdate(benchmark::State& state, QAbstractSeries* marks, QAbstractSeries* marksPoints, Change change)
{
    DecoratedScene d(marks, marksPoints);
    std::array<double, 6> values = sales;
    d.show(values);
    d.s.paint();
    int i = 0;
    for (auto _ : state) {
        const auto [point, delta] = bench::decoratedChange(i++);
        values[point] += delta;
        change(int(point), values[point]);
        d.show(values);
        d.s.paint();
        bench::saveFrameIfAsked(d.s.image, i);
    }
    bench::saveImageIfAsked(d.s.image);
}

void BM_DecoratedBarChart(benchmark::State& state)
{
    auto* set = new QBarSet("Stores");
    set->setColor(markColour);
    set->setPen(Qt::NoPen);
    for (double v : sales)
        set->append(v);
    auto* bars = new QBarSeries;
    bars->setBarWidth(0.5);
    bars->append(set);
    decoratedUpdate(state, bars, nullptr, [set](int point, double value) { set->replace(point, value); });
}
BENCHMARK(BM_DecoratedBarChart)->Unit(benchmark::kMillisecond);

void BM_DecoratedLineChart(benchmark::State& state)
{
    QLineSeries* line = joinedLine("Stores", sales, markColour);
    QScatterSeries* points = markers(line, 6, markColour, 0, markColour);
    decoratedUpdate(state, line, points, [line, points](int point, double value) {
        line->replace(point, QPointF(point, value));
        points->replace(point, QPointF(point, value));
    });
}
BENCHMARK(BM_DecoratedLineChart)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runOffscreenWith<QApplication>(argc, argv);
}
