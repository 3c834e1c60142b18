// A row of 200 bars, each a user view given a frame, an implicit animation
// keyed on the data's version and an accessibility label from outside (the
// modifiers wait on each bar and are applied to its body): the cost of one
// update pass after the data change, and of one frame while the bars move.

#include "OffscreenBench.h"
#include "kit/base/Clock.h"
#include "kit/base/Published.h"
#include "kit/base/RunLoop.h"
#include "kit/ui/UI.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int bars = 200;

struct Series : kit::ObservableObject {
    kit::Published<std::vector<double>> values{this, std::vector<double>(bars, 1.0)};
};

struct Bar {
    double fraction = 0;
    kit::State<bool> startAnimation{false};
    auto dynamicFields() { return std::tie(startAnimation); }

    kit::View body() const
    {
        const double f = *startAnimation ? fraction : 0;
        return kit::GeometryReader([f](const kit::GeometryProxy& proxy) {
                   const kit::Size s = proxy.size;
                   return kit::View(kit::RoundedRectangle(4).fill(kit::Color::blue()))
                       .frame(s.width * 0.5, s.height * f)
                       .offset(s.width * 0.25, s.height * (1 - f));
               })
            .onAppear([a = startAnimation] { a = true; });
    }
};

struct Bars {
    kit::ObservedObject<Series> series;
    auto dynamicFields() { return std::tie(series); }

    kit::View body() const
    {
        const std::vector<double>& values = series->values.get();
        return kit::HStack(kit::VerticalAlignment::center, 0, {kit::ForEach(kit::Range{0, bars}, [&](int i) {
                               return kit::View(Bar{values[std::size_t(i)] / 10})
                                   .animation(kit::Animation::easeInOut(0.35), series->values)
                                   .accessibilityLabel(kit::Verbatim{"Bars"});
                           })});
    }
};

void change(Series& series, int i)
{
    series.values.modify([i](std::vector<double>& v) { v[std::size_t(i % bars)] = 1 + i % 9; });
}

void BM_BarsUpdatePass(benchmark::State& state)
{
    kit::Clock::useManual(0);
    auto series = std::make_shared<Series>();
    kit::ViewHost host(Bars{series}, {1000, 400});
    host.update();
    int i = 0;
    for (auto _ : state) {
        change(*series, i++);
        host.update();
        host.displayList();
    }
    kit::discardPendingWork();
    kit::Clock::useReal();
}
BENCHMARK(BM_BarsUpdatePass)->Unit(benchmark::kMillisecond);

void BM_BarsMovingFrame(benchmark::State& state)
{
    kit::Clock::useManual(0);
    auto series = std::make_shared<Series>();
    kit::ViewHost host(Bars{series}, {1000, 400});
    host.update();
    QImage image(1000, 400, QImage::Format_ARGB32_Premultiplied);
    int i = 0;
    for (auto _ : state) {
        if (!host.isAnimating()) {
            state.PauseTiming();
            for (int k = 0; k < bars; ++k)
                change(*series, i++);
            host.update();
            state.ResumeTiming();
        }
        kit::Clock::advance(1.0 / 60);
        bench::paintFrame(host, image);
    }
    kit::discardPendingWork();
    kit::Clock::useReal();
}
BENCHMARK(BM_BarsMovingFrame)->Unit(benchmark::kMillisecond);

} // namespace

QM_OFFSCREEN_BENCHMARK_MAIN()
