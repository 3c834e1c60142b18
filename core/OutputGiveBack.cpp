#include "core/OutputGiveBack.h"

#include <algorithm>
#include <limits>

namespace qm {

OutputGiveBack::OutputGiveBack(ProcessOutput& output, bool printed)
    : output_(output), printed_(printed ? 0 : std::numeric_limits<std::size_t>::max())
{
}

void OutputGiveBack::read(std::size_t offset, std::size_t length)
{
    std::lock_guard lock(mutex_);
    waiting_.emplace_back(offset, offset + length);
    giveBackPrinted();
}

void OutputGiveBack::printedTo(std::size_t offset)
{
    std::lock_guard lock(mutex_);
    printed_ = std::max(printed_, offset);
    giveBackPrinted();
}

void OutputGiveBack::giveBackPrinted()
{
    const std::size_t page = ProcessOutput::pageSize();
    std::erase_if(waiting_, [this, page](std::pair<std::size_t, std::size_t>& range) {
        auto& [from, to] = range;
        const std::size_t printedEnd = std::min(to, printed_);
        if (printedEnd <= from)
            return false;
        output_.giveBack(from, printedEnd - from);
        if (printedEnd == to)
            return true;
        // Only whole pages are given back: what waits starts no later than
        // the page the printing is in, so that page goes too once printed.
        from = std::max(from, printedEnd / page * page);
        return false;
    });
}

} // namespace qm
