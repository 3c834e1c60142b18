#pragma once

namespace qm {

// Turns SIGINT, SIGTERM and SIGHUP into an orderly end of the event loop
// (status 128 plus the signal's number), so that quitting by a signal ends
// a running count's counter too, as quitting from the menu does. Call once,
// with the application object made.
void quitOnTerminationSignals();

} // namespace qm
