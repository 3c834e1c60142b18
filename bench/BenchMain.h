#pragma once

// What every benchmark that paints shares, whatever draws: the main() that
// runs its benchmarks on Qt's offscreen platform, and keeping the last frame
// it painted when asked, so the twins of a workload can be compared by eye.

#include <QImage>
#include <QPainter>
#include <QString>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace bench {

// The iteration whose frame QM_BENCH_FRAME asks for (from 1), or 0.
inline long long askedFrame()
{
    const char* frame = std::getenv("QM_BENCH_FRAME");
    return frame && *frame ? std::atoll(frame) : 0;
}

inline void saveOnWhite(const QImage& image)
{
    const char* file = std::getenv("QM_BENCH_IMAGE");
    if (!file || !*file)
        return;
    QImage onWhite(image.size(), QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    QPainter(&onWhite).drawImage(0, 0, image);
    onWhite.save(QString::fromLocal8Bit(file));
}

// With QM_BENCH_IMAGE naming a PNG file, saves `image` (the last frame a
// benchmark painted) there on white; a run of one benchmark thus keeps its
// frame. With QM_BENCH_FRAME set, the frame saveFrameIfAsked kept stays.
inline void saveImageIfAsked(const QImage& image)
{
    if (askedFrame() == 0)
        saveOnWhite(image);
}

// With QM_BENCH_FRAME=n as well, saves `image` when it is the frame of
// iteration n (`iteration`, from 1): a frame in the middle of a grow-in,
// the first or (n past its end) a later one, or the same frame of runs of
// different lengths.
inline void saveFrameIfAsked(const QImage& image, long long iteration)
{
    if (iteration == askedFrame())
        saveOnWhite(image);
}

// Runs the benchmarks under an application of type `Application` (a
// QGuiApplication, or a QApplication for what needs widgets).
template <class Application>
int runOffscreenWith(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace bench
