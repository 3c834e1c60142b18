#pragma once

#include <string>

namespace qm {

// A folder that could not be added because its first count failed, and why.
struct CountFailure {
    std::string path;
    std::string reason;

    friend bool operator==(const CountFailure&, const CountFailure&) = default;
};

} // namespace qm
