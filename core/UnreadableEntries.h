#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

// The files and folders of a project that its latest count could not read,
// and so left out of its figures: the counter names each on standard error,
// "scc: warning: <path>: <reason>".
struct UnreadableEntries {
    // How many the counter named.
    std::size_t count = 0;
    // The first few of them, "<path>: <reason>", in the counter's order.
    std::vector<std::string> first;

    // How many of them `first` keeps at most.
    static constexpr std::size_t kept = 5;

    friend bool operator==(const UnreadableEntries&, const UnreadableEntries&) = default;
};

// Reads the counter's standard error, which holds nothing but its warnings
// when it succeeds. Nothing when a line is anything else: the counter said
// something the count cannot pass over.
std::optional<UnreadableEntries> unreadableEntries(std::string_view errors);

// The first line of `errors` that is not one of the counter's warnings
// (empty when every line is one).
std::string_view firstOtherLine(std::string_view errors);

} // namespace qm
