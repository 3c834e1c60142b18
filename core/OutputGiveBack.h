#pragma once

#include "core/ProcessOutput.h"

#include <cstddef>
#include <mutex>
#include <utility>
#include <vector>

namespace qm {

// Gives a counter's output back to the system as it is done with: a part of
// it once it is both read by the decoder and, when the output is printed,
// printed. Either may run ahead of the other, on any threads.
class OutputGiveBack {
public:
    OutputGiveBack(ProcessOutput& output, bool printed);
    OutputGiveBack(const OutputGiveBack&) = delete;
    OutputGiveBack& operator=(const OutputGiveBack&) = delete;

    // The decoder is done with `length` bytes from `offset`.
    void read(std::size_t offset, std::size_t length);
    // Everything before `offset` is printed.
    void printedTo(std::size_t offset);

private:
    // Gives back what waits as far as it is printed (the mutex held).
    void giveBackPrinted();

    std::mutex mutex_;
    ProcessOutput& output_;
    std::size_t printed_;
    std::vector<std::pair<std::size_t, std::size_t>> waiting_; // read, not yet printed: from, to
};

} // namespace qm
