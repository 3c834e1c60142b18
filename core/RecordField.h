#pragma once

#include <array>
#include <cstddef>
#include <string_view>
#include <tuple>

namespace qm {

// One field of a counter-output record: its JSON key and the member that
// holds it. A record lists its fields once, in coding order, as
// `static constexpr auto codingKeys()`, their keys taken from the counter's
// output format (common/CounterOutputFormat.h); decoding and encoding
// (RecordCoding.h) both walk that list.
template <class Record, class T>
struct RecordField {
    std::string_view key;
    T Record::*member;
};

// Spelled out for compilers without deduction for aggregates (clang before 17).
template <class Record, class T>
RecordField(std::string_view, T Record::*) -> RecordField<Record, T>;

template <class Record>
concept CodedRecord = requires
{
    Record::codingKeys();
};

// Calls `visit(field)` for every field of the record, in coding order.
template <CodedRecord Record, class Visit>
constexpr void forEachField(Visit&& visit)
{
    std::apply([&](const auto&... field) { (visit(field), ...); }, Record::codingKeys());
}

// Whether the record's fields carry `keys`, all of them and in their order.
template <CodedRecord Record, std::size_t N>
constexpr bool hasKeysInOrder(const std::array<std::string_view, N>& keys)
{
    constexpr auto fields = Record::codingKeys();
    if constexpr (std::tuple_size_v<decltype(fields)> != N) {
        return false;
    } else {
        std::size_t i = 0;
        return std::apply([&](const auto&... field) { return ((field.key == keys[i++]) && ...); }, fields);
    }
}

} // namespace qm
