#pragma once

#include "core/FreshId.h"
#include "kit/base/Json.h"
#include "kit/base/UUID.h"

#include <memory>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <vector>

namespace qm {

// One field of a counter-output record: its JSON key and the member that
// holds it. A record lists its fields once, in coding order, as
// `static constexpr auto codingKeys()`; decoding and encoding both walk
// that list, so a key is spelled in one place only.
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

// Reads every field of the record from a keyed container, in coding order:
// the first missing key, null or mistyped value fails the decode.
template <CodedRecord Record>
std::shared_ptr<Record> decodeRecord(const kit::Decoder& d)
{
    auto record = std::make_shared<Record>(freshId());
    forEachField<Record>([&](const auto& field) {
        using T = std::remove_cvref_t<decltype(record.get()->*field.member)>;
        record.get()->*field.member = d.decode<T>(field.key);
    });
    return record;
}

// Values of record fields as JSON: records as objects, lists as arrays.
template <class T>
nlohmann::ordered_json encodeValue(const T& value)
{
    return value;
}
template <CodedRecord Record>
nlohmann::ordered_json encodeValue(const std::shared_ptr<Record>& record);
template <class T>
nlohmann::ordered_json encodeValue(const std::vector<T>& values)
{
    auto array = nlohmann::ordered_json::array();
    for (const auto& value : values)
        array.push_back(encodeValue(value));
    return array;
}

// Writes every field of the record under its key, in coding order.
template <CodedRecord Record>
nlohmann::ordered_json encodeRecord(const Record& record)
{
    auto object = nlohmann::ordered_json::object();
    forEachField<Record>(
        [&](const auto& field) { object[std::string(field.key)] = encodeValue(record.*field.member); });
    return object;
}

template <CodedRecord Record>
nlohmann::ordered_json encodeValue(const std::shared_ptr<Record>& record)
{
    return encodeRecord(*record);
}

} // namespace qm
