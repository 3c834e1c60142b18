#pragma once

namespace kit {

// Qt's raster engine paints a large fill, and converts or scales a large
// image, in pieces on Qt's global thread pool, and waits for every piece.
// When the pool cannot start a thread for a piece (the user's limit of
// processes and threads is reached), the piece is lost and the painting
// thread waits for it forever. holdPaintingThreads() starts the pool's
// threads at once and keeps them for the life of the process: they never
// expire, and the pool is never allowed another, so painting only ever waits
// on threads that run, whatever the limit later.
struct PaintingThreads {
    // The pool threads running and kept.
    int held = 0;
    // A pool thread could not be started after all: the pool waits for it
    // forever, in painting as when it is destroyed.
    bool lost = false;
};

// Starts and keeps up to `wanted` threads of Qt's global thread pool, fewer
// when no more threads can be had (none when not one can). Whether each
// started is read from the process's threads, so call it while no other
// thread of the process starts threads: at the start of main().
PaintingThreads holdPaintingThreads(int wanted);

} // namespace kit
