// The chart workloads of charts_bar_views.cpp, charts_line_views.cpp,
// kit_pie_animation.cpp and charts_decorated.cpp drawn by Qt Charts, the
// chart library a Qt developer would pick instead: the same window sizes,
// values, changes and marks, under benchmarks of the same names, so
// bench/charts_vs_qtcharts.sh can time each against its twin. Qt Charts has no
// rounded bars, no bar gradients and no slice shadows: it draws the nearest it
// has (square bars, a plain colour, an exploded slice). Its animations run on
// a driver whose clock moves by hand, 1/60 s a frame, like the project's.

#include "BenchMain.h"
#include "ChartWorkloads.h"

#include <QAnimationDriver>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QEasingCurve>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QImage>
#include <QLineSeries>
#include <QPainter>
#include <QPieSeries>
#include <QPieSlice>
#include <QSplineSeries>
#include <QValueAxis>

#include <benchmark/benchmark.h>

#include <array>
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

QBarSeries* standardBars(int round)
{
    auto* set = new QBarSet("Sales");
    set->setColor(Qt::blue);
    set->setPen(Qt::NoPen);
    set->append(barValues(0, bench::standardBars, 1, round));
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

void BM_GroupedBarChart20GrowingFrame(benchmark::State& state)
{
    growingFrame(state, bench::barWindowWidth, bench::barWindowHeight, groupedBars(0));
}
BENCHMARK(BM_GroupedBarChart20GrowingFrame)->Unit(benchmark::kMillisecond);

QSplineSeries* wave()
{
    auto* series = new QSplineSeries;
    QList<QPointF> points;
    points.reserve(bench::linePoints);
    for (int i = 0; i < bench::linePoints; ++i)
        points.append(QPointF(i, bench::waveValue(i)));
    series->replace(points);
    series->setPen(QPen(QBrush(Qt::blue), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    return series;
}

// A point of the line changes: the chart laid out and painted.
void BM_FullUpdateAndPaint(benchmark::State& state)
{
    QSplineSeries* series = wave();
    updateAndPaint(state, bench::lineWindowWidth, bench::lineWindowHeight, series, [series](int i) {
        const int index = i % bench::linePoints;
        const QPointF p = series->at(index);
        series->replace(index, QPointF(p.x(), p.y() + 1));
    });
}
BENCHMARK(BM_FullUpdateAndPaint)->Unit(benchmark::kMillisecond);

void BM_DrawInFrame(benchmark::State& state)
{
    growingFrame(state, bench::lineWindowWidth, bench::lineWindowHeight, wave());
}
BENCHMARK(BM_DrawInFrame)->Unit(benchmark::kMillisecond);

QPieSeries* pie()
{
    auto* series = new QPieSeries;
    series->setPieSize(1.0);
    for (int i = 0; i < bench::pieSegments; ++i) {
        QPieSlice* slice = series->append(QString(), 1);
        slice->setColor(QColor::fromHsvF(float(i) / bench::pieSegments, 0.7f, 0.9f));
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

// The touched slice changes: the slice touched before goes back, the new one
// is pulled out, the chart painted.
void BM_TouchUpdatePass(benchmark::State& state)
{
    QPieSeries* series = pie();
    updateAndPaint(state, bench::pieWindowSize, bench::pieWindowSize, series, [series](int i) {
        series->slices().at((i + bench::pieSegments - 1) % bench::pieSegments)->setExploded(false);
        series->slices().at(i % bench::pieSegments)->setExploded(true);
    });
}
BENCHMARK(BM_TouchUpdatePass)->Unit(benchmark::kMillisecond);

// The decorated scene: title, legend, both axes with titles and grids, two
// points of interest, a trend line, an extra line on an axis of its own with
// markers, and an info box at the touch; `marks` is the bar or line series.
constexpr std::array<double, 6> sales{20, 45, 30, 70, 55, 90};
constexpr std::array<double, 6> targets{1000, 3000, 2000, 4000, 3000, 5000};

QLineSeries* straightLine(const QString& name, QPointF from, QPointF to, QColor colour)
{
    auto* line = new QLineSeries;
    line->setName(name);
    line->append(from);
    line->append(to);
    line->setPen(QPen(colour, 3));
    return line;
}

// A line 3 wide through `values`, one per quarter, with markers.
QLineSeries* markedLine(const QString& name, const std::array<double, 6>& values, QColor colour, double markerSize)
{
    auto* line = new QLineSeries;
    line->setName(name);
    for (std::size_t i = 0; i < values.size(); ++i)
        line->append(double(i), values[i]);
    line->setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    line->setPointsVisible(true);
    line->setMarkerSize(markerSize);
    return line;
}

struct DecoratedScene {
    ChartScene s{bench::decoratedWindowWidth, bench::decoratedWindowHeight, false};
    QGraphicsRectItem* box = new QGraphicsRectItem;
    QGraphicsSimpleTextItem* boxText = new QGraphicsSimpleTextItem;

    explicit DecoratedScene(QAbstractSeries* marks)
    {
        QChart* chart = s.chart;
        chart->setTitle("Store sales");
        chart->legend()->show();
        chart->legend()->setAlignment(Qt::AlignBottom);
        chart->setMargins(QMargins(24, 24, 24, 24));
        auto* x = new QBarCategoryAxis;
        x->append({"Q1", "Q2", "Q3", "Q4", "Q5", "Q6"});
        x->setTitleText("Quarter");
        auto* y = new QValueAxis;
        y->setRange(0, 90);
        y->setTickCount(5);
        y->setLabelFormat("%.0f");
        y->setTitleText("Sales");
        auto* extraAxis = new QValueAxis;
        extraAxis->setRange(1000, 5000);
        extraAxis->setTickCount(3);
        extraAxis->setLabelFormat("%.0f");
        extraAxis->setTitleText("Target units");
        extraAxis->setGridLineVisible(false);
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        chart->addAxis(extraAxis, Qt::AlignRight);
        auto attach = [&](QAbstractSeries* series, QAbstractAxis* valueAxis) {
            chart->addSeries(series);
            series->attachAxis(x);
            series->attachAxis(valueAxis);
        };
        attach(marks, y);
        attach(straightLine("Goal", {-0.5, 60}, {5.5, 60}, Qt::red), y);
        attach(straightLine("Peak", {3, 0}, {3, 90}, Qt::magenta), y);
        attach(straightLine("Trend", {0, 20}, {5, 90}, Qt::darkGreen), y);
        attach(markedLine("Target", targets, QColor(128, 0, 255), 8), extraAxis);
        box->setBrush(QColor(76, 153, 153));
        box->setPen(Qt::NoPen);
        box->setZValue(10);
        boxText->setZValue(11);
        s.scene.addItem(box);
        s.scene.addItem(boxText);
    }

    // The info box shows the touched point's value, at the touch.
    void showInfo(double value)
    {
        boxText->setText(QString("Quarter 3\n%1").arg(value, 0, 'f', 0));
        const QRectF text = boxText->boundingRect();
        boxText->setPos(380 - text.width() / 2, 300 - text.height() - 12);
        box->setRect(boxText->pos().x() - 6, boxText->pos().y() - 4, text.width() + 12, text.height() + 8);
    }
};

template <class Change>
void decoratedUpdate(benchmark::State& state, QAbstractSeries* marks, Change change)
{
    DecoratedScene d(marks);
    d.showInfo(sales[2]);
    d.s.paint();
    int i = 0;
    for (auto _ : state) {
        const auto [point, delta] = bench::decoratedChange(i++);
        change(int(point), delta);
        d.showInfo(sales[2]);
        d.s.paint();
    }
    bench::saveImageIfAsked(d.s.image);
}

void BM_DecoratedBarChart(benchmark::State& state)
{
    auto* set = new QBarSet("Stores");
    set->setColor(QColor(41, 132, 204));
    set->setPen(Qt::NoPen);
    for (double v : sales)
        set->append(v);
    auto* bars = new QBarSeries;
    bars->setBarWidth(0.5);
    bars->append(set);
    decoratedUpdate(state, bars, [set](int point, double delta) { set->replace(point, set->at(point) + delta); });
}
BENCHMARK(BM_DecoratedBarChart)->Unit(benchmark::kMillisecond);

void BM_DecoratedLineChart(benchmark::State& state)
{
    QLineSeries* line = markedLine("Stores", sales, QColor(41, 132, 204), 6);
    decoratedUpdate(state, line, [line](int point, double delta) {
        const QPointF p = line->at(point);
        line->replace(point, QPointF(p.x(), p.y() + delta));
    });
}
BENCHMARK(BM_DecoratedLineChart)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runOffscreenWith<QApplication>(argc, argv);
}
