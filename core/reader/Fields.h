#pragma once

// The reader's fields: a record read in place, field by field, straight into its members
// (RecordField.h lists them), by simdjson's On-Demand parser. Anything but plain, well-formed
// output steps back (StepBack), leaving the text to the strict decoder. A part of the
// counter output reader (CounterOutputReader.ipp), built with each of its kernels.

#include "core/FreshId.h"
#include "core/LanguageEntry.h"

#include <simdjson.h>

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace qm {

namespace {

namespace od = simdjson::ondemand;

// The fast reader leaves this text to the strict decoder.
struct StepBack {};

void check(simdjson::error_code error)
{
    if (error)
        throw StepBack{};
}

template <class T>
T take(simdjson::simdjson_result<T>&& result)
{
    T value;
    check(std::move(result).get(value));
    return value;
}

// Nesting beyond this in keys the records do not know is left to the strict decoder.
constexpr int kDeepestUnknownValue = 256;

// Reads a value nobody asks for to its end, so that malformed JSON inside it
// is noticed as the strict decoder notices it.
void validate(od::value value, int depth)
{
    if (depth > kDeepestUnknownValue)
        throw StepBack{};
    switch (take(value.type())) {
    case od::json_type::array:
        for (auto element : take(value.get_array()))
            validate(take(std::move(element)), depth + 1);
        return;
    case od::json_type::object:
        for (auto field : take(value.get_object())) {
            auto member = take(std::move(field));
            take(member.unescaped_key());
            validate(std::move(member).value(), depth + 1);
        }
        return;
    case od::json_type::number:
        take(value.get_number());
        return;
    case od::json_type::string:
        take(value.get_string());
        return;
    case od::json_type::boolean:
        take(value.get_bool());
        return;
    case od::json_type::null:
        if (!take(value.is_null()))
            throw StepBack{};
        return;
    }
    throw StepBack{};
}

template <class Record>
std::shared_ptr<Record> readRecord(od::value value, std::size_t* lastField = nullptr,
                                   std::shared_ptr<Record> record = nullptr);
template <class T>
void read(od::value value, std::vector<T>& out);
template <CodedRecord Record>
void read(od::value value, std::shared_ptr<Record>& out);

void read(od::value value, std::string& out)
{
    out.assign(take(value.get_string()));
}

void read(od::value value, std::int64_t& out)
{
    // Only plain integer literals: "2.0" or "1e2" go to the strict decoder.
    out = take(value.get_int64());
}

void read(od::value value, bool& out)
{
    out = take(value.get_bool());
}

template <class T>
void read(od::value value, std::vector<T>& out)
{
    for (auto element : take(value.get_array()))
        read(take(std::move(element)), out.emplace_back());
}

template <CodedRecord Record>
void read(od::value value, std::shared_ptr<Record>& out)
{
    out = readRecord<Record>(value);
}

// Calls `use(field)` with the record's field number `index`.
template <class Record, class Use, std::size_t... I>
void withField(std::size_t index, Use&& use, std::index_sequence<I...>)
{
    constexpr auto fields = Record::codingKeys();
    (void)((index == I ? (use(std::get<I>(fields)), true) : false) || ...);
}

// Reads one record, into `record` when one is given; `lastField`, when asked
// for, is the number of the field of the record's last key, or the number of
// fields when that key is one the record does not know.
template <class Record>
std::shared_ptr<Record> readRecord(od::value value, std::size_t* lastField, std::shared_ptr<Record> record)
{
    constexpr auto fields = Record::codingKeys();
    constexpr std::size_t count = std::tuple_size_v<decltype(fields)>;
    static constexpr auto keys =
        std::apply([](const auto&... field) { return std::array<std::string_view, count>{field.key...}; }, fields);

    if (!record)
        record = std::make_shared<Record>(freshId());
    std::bitset<count> seen;
    std::size_t next = 0; // the counter writes the keys in coding order: look there first
    std::size_t last = count;
    for (auto member : take(value.get_object())) {
        auto field = take(std::move(member));
        const std::string_view key = take(field.unescaped_key());
        std::size_t index = next < count && keys[next] == key ? next : count;
        for (std::size_t i = 0; index == count && i < count; ++i)
            if (keys[i] == key)
                index = i;
        last = index;
        if (index == count) {
            validate(std::move(field).value(), 1);
            continue;
        }
        if (seen.test(index))
            throw StepBack{}; // a repeated key: the strict decoder keeps the last
        seen.set(index);
        next = index + 1;
        withField<Record>(
            index, [&](const auto& f) { read(std::move(field).value(), record.get()->*f.member); },
            std::make_index_sequence<count>{});
    }
    if (!seen.all())
        throw StepBack{};
    if (lastField)
        *lastField = last;
    return record;
}

} // namespace

} // namespace qm
