#pragma once

#include "kit/base/Hashing.h"

#include <compare>

namespace kit {

// A point in time: seconds since 2001-01-01T00:00:00Z.
struct Date {
    static constexpr double unixOffset = 978307200.0;

    double secondsSinceReferenceDate = 0;

    // Reads the system clock (not the kit animation clock).
    static Date now();
    static Date fromUnixTime(double seconds) { return Date{seconds - unixOffset}; }
    double unixTime() const { return secondsSinceReferenceDate + unixOffset; }

    friend bool operator==(const Date&, const Date&) = default;
    friend auto operator<=>(const Date&, const Date&) = default;
};

} // namespace kit

template <>
struct std::hash<kit::Date> {
    std::size_t operator()(const kit::Date& date) const { return kit::hashDouble(date.secondsSinceReferenceDate); }
};
