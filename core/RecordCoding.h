#pragma once

// Decoding and encoding of counter-output records with kit/base's strict JSON
// coding, each field under its key, in coding order (RecordField.h). Only the
// records' own .cpp files code JSON: their headers stay free of it.

#include "core/FreshId.h"
#include "core/RecordField.h"
#include "kit/base/Json.h"

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

namespace qm {

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
