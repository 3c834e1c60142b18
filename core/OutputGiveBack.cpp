#include "core/OutputGiveBack.h"

#include <algorithm>
#include <limits>

#include <unistd.h>

namespace qm {

namespace {

std::size_t page()
{
    static const auto bytes = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    return bytes;
}

} // namespace

OutputGiveBack::OutputGiveBack(ProcessOutput& output, bool printed)
    : output_(output), printed_(printed ? 0 : std::numeric_limits<std::size_t>::max())
{
}

void OutputGiveBack::read(std::size_t offset, std::size_t length)
{
    std::lock_guard lock(mutex_);
    const std::size_t end = offset + length;
    const std::size_t printedEnd = std::min(end, printed_);
    if (printedEnd > offset)
        output_.giveBack(offset, printedEnd - offset);
    // Only whole pages are given back: what waits starts no later than the
    // page the printing is in, so that page goes too once it is printed.
    if (end > printed_)
        waiting_.emplace_back(std::max(offset, printed_ / page() * page()), end);
}

void OutputGiveBack::printedTo(std::size_t offset)
{
    std::lock_guard lock(mutex_);
    printed_ = std::max(printed_, offset);
    std::erase_if(waiting_, [this](std::pair<std::size_t, std::size_t>& range) {
        auto& [from, to] = range;
        const std::size_t printedEnd = std::min(to, printed_);
        if (printedEnd <= from)
            return false;
        output_.giveBack(from, printedEnd - from);
        if (printedEnd == to)
            return true;
        from = std::max(from, printedEnd / page() * page());
        return false;
    });
}

} // namespace qm
