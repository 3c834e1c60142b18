#pragma once

#include <cstdint>

namespace qm {

// The four line totals the project screens show.
struct Totals {
    std::int64_t lines = 0;
    std::int64_t blank = 0;
    std::int64_t comment = 0;
    std::int64_t code = 0;
    bool operator==(const Totals&) const = default;

    // Sums the entries' counts; a sum beyond the 64-bit range stays at its limit.
    template <class Range>
    static Totals of(const Range& entries)
    {
        Totals t;
        for (const auto& e : entries) {
            add(t.lines, e->lines);
            add(t.blank, e->blank);
            add(t.comment, e->comment);
            add(t.code, e->code);
        }
        return t;
    }

    static void add(std::int64_t& sum, std::int64_t value)
    {
        if (__builtin_add_overflow(sum, value, &sum))
            sum = value < 0 ? INT64_MIN : INT64_MAX;
    }
};

} // namespace qm
