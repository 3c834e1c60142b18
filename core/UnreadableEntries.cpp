#include "core/UnreadableEntries.h"

namespace qm {

namespace {

constexpr std::string_view kWarning = "scc: warning: ";

// Calls `use` with each line of `text`, without its line end; false as soon as `use` is.
template <class Use>
bool eachLine(std::string_view text, Use&& use)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (!use(text.substr(0, end)))
            return false;
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return true;
}

// A warning names an entry and why it could not be read, after the counter's prefix.
bool isWarning(std::string_view line)
{
    return line.starts_with(kWarning) && line.size() > kWarning.size();
}

} // namespace

std::optional<UnreadableEntries> unreadableEntries(std::string_view errors)
{
    UnreadableEntries entries;
    const bool allWarnings = eachLine(errors, [&entries](std::string_view line) {
        if (!isWarning(line))
            return false;
        if (entries.first.size() < UnreadableEntries::kept)
            entries.first.emplace_back(line.substr(kWarning.size()));
        ++entries.count;
        return true;
    });
    if (!allWarnings)
        return std::nullopt;
    return entries;
}

std::string_view firstOtherLine(std::string_view errors)
{
    std::string_view other;
    eachLine(errors, [&other](std::string_view line) {
        if (isWarning(line))
            return true;
        other = line;
        return false;
    });
    return other;
}

} // namespace qm
