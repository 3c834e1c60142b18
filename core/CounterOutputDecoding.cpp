#include "core/LanguageEntry.h"

#include <simdjson.h>

#include <bitset>
#include <cstring>
#include <optional>

// The counter's output of a large tree is tens of megabytes. It is read in
// place, field by field, straight into the records, with no document tree
// in between. That reader only ever accepts plain, well-formed output; for
// anything else (a missing, null, mistyped or repeated key, a number that is
// not a plain integer, text that is not JSON...) it steps back and the strict
// decoder of kit/base decides, so the result and the error (kind, coding
// path, description) are always exactly the strict decoder's.

namespace qm {

static_assert(counterOutputPadding >= simdjson::SIMDJSON_PADDING);

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
std::shared_ptr<Record> readRecord(od::value value);
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
    ((index == I ? (use(std::get<I>(fields)), true) : false) || ...);
}

template <class Record>
std::shared_ptr<Record> readRecord(od::value value)
{
    constexpr auto fields = Record::codingKeys();
    constexpr std::size_t count = std::tuple_size_v<decltype(fields)>;
    static constexpr auto keys = std::apply([](const auto&... field) { return std::array<std::string_view, count>{field.key...}; }, fields);

    auto record = std::make_shared<Record>(freshId());
    std::bitset<count> seen;
    std::size_t next = 0; // the counter writes the keys in coding order: look there first
    for (auto member : take(value.get_object())) {
        auto field = take(std::move(member));
        const std::string_view key = take(field.unescaped_key());
        std::size_t index = next < count && keys[next] == key ? next : count;
        for (std::size_t i = 0; index == count && i < count; ++i)
            if (keys[i] == key)
                index = i;
        if (index == count) {
            validate(std::move(field).value(), 1);
            continue;
        }
        if (seen.test(index))
            throw StepBack{}; // a repeated key: the strict decoder keeps the last
        seen.set(index);
        next = index + 1;
        withField<Record>(index, [&](const auto& f) { read(std::move(field).value(), record.get()->*f.member); },
                          std::make_index_sequence<count>{});
    }
    if (!seen.all())
        throw StepBack{};
    return record;
}

std::optional<LanguageList> readInPlace(std::string_view text, std::size_t capacity)
{
    simdjson::padded_string copy;
    simdjson::padded_string_view view;
    if (capacity >= text.size() + simdjson::SIMDJSON_PADDING) {
        view = simdjson::padded_string_view(text.data(), text.size(), capacity);
    } else {
        copy = simdjson::padded_string(text);
        view = copy;
    }
    try {
        od::parser parser;
        od::document document = take(parser.iterate(view));
        LanguageList languages;
        for (auto element : take(document.get_array()))
            languages.push_back(readRecord<LanguageEntry>(take(std::move(element))));
        // Past the array there may be nothing but whitespace.
        if (document.current_location().error() != simdjson::OUT_OF_BOUNDS)
            return std::nullopt;
        return languages;
    } catch (const StepBack&) {
        return std::nullopt;
    }
}

} // namespace

LanguageList decodeCounterOutput(std::string_view text, std::size_t capacity)
{
    if (auto languages = readInPlace(text, capacity))
        return std::move(*languages);
    return kit::decodeJson<LanguageList>(text);
}

} // namespace qm
