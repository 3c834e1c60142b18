// A 60-segment pie growing in with staggered springs, made of the view
// layer's own views (no chart library): the cost of one animation frame
// (display list at the new clock time, painted into an image the size of a
// window) and of one update pass after a model change. One frame must stay
// well under 1/60 s for the chart to animate at 60 fps. The chart library's
// own pie chart, which the application shows, is timed by
// charts_pie_views.cpp beside its twins.

#include "ChartWorkloads.h"
#include "OffscreenBench.h"
#include "kit/base/Clock.h"
#include "kit/base/Published.h"
#include "kit/base/RunLoop.h"
#include "kit/ui/UI.h"
#include "tests/kit/ui/Wedge.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <string>

namespace {

constexpr int segments = bench::pieSegments;

struct Slices : kit::ObservableObject {
    kit::Published<int> touched{this, -1};
};

struct Pie {
    kit::ObservedObject<Slices> slices;
    kit::State<bool> startAnimation{false};
    auto dynamicFields() { return std::tie(slices, startAnimation); }

    kit::View body() const
    {
        const double s = *startAnimation ? 1.0 : 0.001;
        const int touched = slices->touched.get();
        return kit::GeometryReader([s, touched](const kit::GeometryProxy&) {
                   const double amount = 2 * std::numbers::pi / segments;
                   return kit::ZStack({kit::ForEach(kit::Range{0, segments}, [=](int i) {
                       kit::View segment = Wedge(-std::numbers::pi / 2 + i * amount, amount)
                                               .fill(kit::Color::hsb(double(i) / segments, 0.7, 0.9))
                                               .scaleEffect(s)
                                               .opacity(s)
                                               .transaction([i](kit::Transaction& t) {
                                                   if (!t.disablesAnimations)
                                                       t.animation = kit::Animation::spring(0.5, 1.0).delay(0.06 * i);
                                               });
                       if (i == touched)
                           segment = segment.scaleEffect(1.1).zIndex(1).shadow(kit::Color::primary(), 10);
                       return segment.accessibilityLabel(kit::Verbatim{"Code breakdown"});
                   })});
               })
            .onAppear([a = startAnimation] { kit::withAnimation(kit::Animation::easeInOut(0.3), [&] { a = true; }); });
    }
};

void BM_AnimatingFrame(benchmark::State& state)
{
    kit::Clock::useManual(0);
    auto slices = std::make_shared<Slices>();
    kit::ViewHost host(Pie{slices}, {bench::pieWindowSize, bench::pieWindowSize});
    host.update();
    QImage image(bench::pieWindowSize, bench::pieWindowSize, QImage::Format_ARGB32_Premultiplied);
    long long frame = 0;
    for (auto _ : state) {
        kit::Clock::advance(1.0 / 60);
        bench::paintFrame(host, image);
        bench::saveFrameIfAsked(image, ++frame);
        if (!host.isAnimating()) { // replay the grow-in
            state.PauseTiming();
            host.setVisible(false);
            host.setVisible(true);
            kit::runUntilIdle();
            state.ResumeTiming();
        }
    }
    state.counters["frames_per_second"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
    bench::saveImageIfAsked(image);
    kit::discardPendingWork();
    kit::Clock::useReal();
}
BENCHMARK(BM_AnimatingFrame)->Unit(benchmark::kMillisecond);

void BM_TouchUpdatePass(benchmark::State& state)
{
    kit::Clock::useManual(0);
    auto slices = std::make_shared<Slices>();
    kit::ViewHost host(Pie{slices}, {bench::pieWindowSize, bench::pieWindowSize});
    host.update();
    kit::Clock::advance(10);
    QImage image(bench::pieWindowSize, bench::pieWindowSize, QImage::Format_ARGB32_Premultiplied);
    bench::paintFrame(host, image); // shown before the first touch
    int i = 0;
    for (auto _ : state) {
        slices->touched = i++ % segments;
        host.update();
        bench::paintFrame(host, image);
    }
    bench::saveImageIfAsked(image);
    kit::discardPendingWork();
    kit::Clock::useReal();
}
BENCHMARK(BM_TouchUpdatePass)->Unit(benchmark::kMillisecond);

// A table-like column of 200 text rows re-evaluated after a model change:
// the cost of one update pass (layout measures each text several times).
struct Rows {
    kit::ObservedObject<Slices> slices;
    auto dynamicFields() { return std::tie(slices); }
    kit::View body() const
    {
        const int touched = slices->touched.get();
        return kit::VStack(kit::HorizontalAlignment::leading, 2, {kit::ForEach(kit::Range{0, 200}, [touched](int i) {
                               return kit::HStack(
                                   {kit::Text(kit::Verbatim{"Language number " + std::to_string(i)}), kit::Spacer(),
                                    kit::Text(kit::Verbatim{std::to_string(i == touched ? 0 : i * 1234)})});
                           })});
    }
};

void BM_TextRowsUpdatePass(benchmark::State& state)
{
    kit::Clock::useManual(0);
    auto slices = std::make_shared<Slices>();
    kit::ViewHost host(Rows{slices}, {400, 4000});
    host.update();
    int i = 0;
    for (auto _ : state) {
        slices->touched = i++ % 200;
        host.update();
    }
    kit::discardPendingWork();
    kit::Clock::useReal();
}
BENCHMARK(BM_TextRowsUpdatePass)->Unit(benchmark::kMillisecond);

} // namespace

QM_OFFSCREEN_BENCHMARK_MAIN()
