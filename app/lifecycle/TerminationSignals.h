#pragma once

#include <chrono>

namespace qm {

// Turns SIGINT, SIGTERM and SIGHUP into an orderly end of the event loop
// (status 128 plus the signal's number), so that quitting by a signal ends
// a running count's counter too, as quitting from the menu does. The process
// ends whatever state it is in: when it has not ended `grace` after the
// first signal (its main thread is held up and never turns the event loop),
// or at a second signal, the counters are ended and the process exits at
// once with that status. Call once, with the application object made.
void quitOnTerminationSignals(std::chrono::seconds grace = std::chrono::seconds(5));

} // namespace qm
