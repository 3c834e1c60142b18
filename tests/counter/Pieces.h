#pragma once

// Feeding a text to the line counter the way the file scanner does, in pieces whose sizes
// the caller chooses, so that a read can end at any byte.

#include "counter/lex/LineCounter.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace qm::counter::test {

// Feeds `text` in pieces of `nextStep()` new bytes (at least 1) each, appended to what the
// counter left over from the piece before, and gives the figures.
template <class NextStep>
Counts countInPieces(const Syntax& syntax, std::string_view text, NextStep&& nextStep)
{
    LineCounter counter(syntax);
    std::string pending;
    std::size_t next = 0;
    for (;;) {
        const std::size_t more = std::min(std::max<std::size_t>(nextStep(), 1), text.size() - next);
        pending.append(text, next, more);
        next += more;
        const bool atEnd = next == text.size();
        const std::size_t taken = counter.feed(pending.data(), pending.size(), atEnd);
        if (atEnd)
            break;
        pending.erase(0, taken);
    }
    return counter.finish();
}

inline Counts countInPieces(const Syntax& syntax, std::string_view text, std::size_t step)
{
    return countInPieces(syntax, text, [step] { return step; });
}

} // namespace qm::counter::test
