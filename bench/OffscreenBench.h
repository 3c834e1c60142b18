#pragma once

// What the benchmarks of views share: painting a frame into an image, starting
// an appearance animation again, and the main() that runs them on Qt's
// offscreen platform.

#include "BenchMain.h"
#include "kit/base/Clock.h"
#include "kit/base/RunLoop.h"
#include "kit/ui/ViewHost.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace bench {

// Clears the image and paints the host's display list into it.
inline void paintFrame(kit::ViewHost& host, QImage& image)
{
    image.fill(Qt::transparent);
    QPainter painter(&image);
    host.paint(painter);
}

// Once an appearance animation has ended, hides the host and shows it again
// `hidden` seconds later (once what disappearing moves has come to rest), so
// the next frames animate once more from the start; the time this takes is
// not counted.
inline void restartAppearanceWhenSettled(benchmark::State& state, kit::ViewHost& host, double hidden = 2)
{
    if (host.isAnimating())
        return;
    state.PauseTiming();
    host.setVisible(false);
    kit::runUntilIdle();
    kit::Clock::advance(hidden);
    host.setVisible(true);
    kit::runUntilIdle();
    state.ResumeTiming();
}

inline int runOffscreen(int argc, char** argv)
{
    return runOffscreenWith<QGuiApplication>(argc, argv);
}

} // namespace bench

#define QM_OFFSCREEN_BENCHMARK_MAIN() \
    int main(int argc, char** argv) \
    { \
        return bench::runOffscreen(argc, argv); \
    }
