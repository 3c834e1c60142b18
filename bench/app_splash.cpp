// One frame of the splash screen's blobs while a first count runs: the four
// translucent layers of moving blobs, laid out and painted at a new clock
// time into an opaque image the size of their widget. /0 on an idle
// machine; /1 with every core kept busy by other threads, as the counter
// keeps them while the splash shows: a painter that hands pieces of a fill
// to other threads then waits for threads that get no core.

#include "OffscreenBench.h"
#include "app/screens/SplashBlobs.h"
#include "app/screens/SplashScreen.h"
#include "kit/base/Clock.h"
#include "kit/base/RunLoop.h"
#include "kit/ui/ViewHost.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <atomic>
#include <thread>
#include <vector>

namespace {

void BM_SplashBlobsFrame(benchmark::State& state)
{
    std::atomic<bool> done{false};
    std::vector<std::jthread> busy;
    if (state.range(0) == 1)
        for (unsigned i = 0; i < std::thread::hardware_concurrency(); ++i)
            busy.emplace_back([&done] {
                volatile unsigned spin = 0;
                while (!done.load(std::memory_order_relaxed))
                    spin = spin + 1;
            });
    kit::Clock::useManual(0);
    const int width = qm::SplashScreen::kLayers[0].width + 2 * qm::SplashScreen::kBlobMargin;
    const int height = qm::SplashScreen::kLayers[0].height + 2 * qm::SplashScreen::kBlobMargin;
    kit::ViewHost host(qm::splashBlobs(kit::Color::rgb(0.36, 0.31, 0.86)), {double(width), double(height)});
    host.update();
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    long long frame = 0;
    for (auto _ : state) {
        kit::Clock::advance(1.0 / 60);
        image.fill(QColor(239, 239, 239)); // the window under the blobs
        {
            QPainter painter(&image);
            host.paint(painter);
        }
        bench::saveFrameIfAsked(image, ++frame);
    }
    done = true;
    bench::saveImageIfAsked(image);
    kit::discardPendingWork();
    kit::Clock::useReal();
}
BENCHMARK(BM_SplashBlobsFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    return bench::runOffscreenWith<QApplication>(argc, argv);
}
