#include "kit/base/Json.h"

#include <algorithm>
#include <optional>

namespace kit {

namespace {

using nlohmann::json;

const char* kindName(DecodingError::Kind kind)
{
    switch (kind) {
    case DecodingError::Kind::keyNotFound:
        return "keyNotFound";
    case DecodingError::Kind::valueNotFound:
        return "valueNotFound";
    case DecodingError::Kind::typeMismatch:
        return "typeMismatch";
    case DecodingError::Kind::dataCorrupted:
        return "dataCorrupted";
    }
    return "";
}

std::string describe(DecodingError::Kind kind, const std::string& path, const std::string& description)
{
    return std::string(kindName(kind)) + " at " + (path.empty() ? "the top level" : path) + ": " + description;
}

// The exact integer a number literal stands for, when it is one that fits
// 64 bits ("2.0", "1e2", "-0"), worked out from its digits.
std::optional<json> exactInteger(const std::string& literal)
{
    std::size_t i = 0;
    bool negative = i < literal.size() && literal[i] == '-';
    if (negative)
        ++i;
    std::string digits;
    long long fractionDigits = 0;
    bool inFraction = false;
    for (; i < literal.size() && literal[i] != 'e' && literal[i] != 'E'; ++i) {
        if (literal[i] == '.') {
            inFraction = true;
            continue;
        }
        digits += literal[i];
        fractionDigits += inFraction ? 1 : 0;
    }
    long long exponent = 0;
    if (i < literal.size()) {
        ++i;
        bool negativeExponent = i < literal.size() && literal[i] == '-';
        if (i < literal.size() && (literal[i] == '-' || literal[i] == '+'))
            ++i;
        for (; i < literal.size(); ++i)
            exponent = std::min(exponent * 10 + (literal[i] - '0'), 1000000LL);
        if (negativeExponent)
            exponent = -exponent;
    }
    exponent -= fractionDigits;
    digits.erase(0, std::min(digits.find_first_not_of('0'), digits.size()));
    if (digits.empty())
        return json(std::int64_t{0});
    while (digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    if (exponent < 0 || static_cast<long long>(digits.size()) + exponent > 20)
        return std::nullopt;
    digits.append(static_cast<std::size_t>(exponent), '0');
    unsigned __int128 magnitude = 0;
    for (char c : digits)
        magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
    constexpr auto int64Max = static_cast<unsigned __int128>(std::numeric_limits<std::int64_t>::max());
    if (negative) {
        if (magnitude > int64Max + 1)
            return std::nullopt;
        return json(static_cast<std::int64_t>(-static_cast<__int128>(magnitude)));
    }
    if (magnitude <= int64Max)
        return json(static_cast<std::int64_t>(magnitude));
    if (magnitude <= std::numeric_limits<std::uint64_t>::max())
        return json(static_cast<std::uint64_t>(magnitude));
    return std::nullopt;
}

// Builds the document from parser events, keeping integral literals exact
// and, when asked, the others as written.
class StrictBuilder : public nlohmann::json_sax<json> {
public:
    StrictBuilder(json& root, NumberLiterals* literals) : root_(root), literals_(literals) {}

    bool null() override { return put(nullptr) != nullptr; }
    bool boolean(bool value) override { return put(value) != nullptr; }
    bool number_integer(number_integer_t value) override { return put(value) != nullptr; }
    bool number_unsigned(number_unsigned_t value) override { return put(value) != nullptr; }
    bool number_float(number_float_t value, const string_t& literal) override
    {
        auto integer = exactInteger(literal);
        if (literals_ && !(integer && integer->is_number_integer() && !integer->is_number_unsigned()))
            (*literals_)[pathOfNext()] = literal;
        if (integer)
            return put(std::move(*integer)) != nullptr;
        return put(value) != nullptr;
    }
    bool string(string_t& value) override { return put(std::move(value)) != nullptr; }
    bool binary(binary_t& value) override { return put(json::binary(std::move(value))) != nullptr; }
    bool start_object(std::size_t) override { return open(json::object()); }
    bool key(string_t& key) override
    {
        key_ = std::move(key);
        return true;
    }
    bool end_object() override { return close(); }
    bool start_array(std::size_t) override { return open(json::array()); }
    bool end_array() override { return close(); }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception& error) override
    {
        error_ = error.what();
        return false;
    }

    const std::string& error() const { return error_; }

private:
    // The coding path of the value about to be put, written as Decoder writes
    // it. Worked out from the open containers only when a literal is kept
    // (rarely): each stands in its parent at an index or under a key, found
    // by its address, since a parent does not grow while a child is open.
    std::string pathOfNext() const
    {
        std::string path;
        auto appendIndex = [&path](std::size_t index) { path += "[" + std::to_string(index) + "]"; };
        auto appendKey = [&path](const std::string& key) { path += (path.empty() ? "" : ".") + key; };
        for (std::size_t i = 1; i < open_.size(); ++i) {
            const json& parent = *open_[i - 1];
            if (parent.is_array()) {
                appendIndex(static_cast<std::size_t>(open_[i] - parent.get_ref<const json::array_t&>().data()));
                continue;
            }
            for (const auto& [key, value] : parent.items())
                if (&value == open_[i])
                    appendKey(key);
        }
        if (!open_.empty()) {
            if (open_.back()->is_array())
                appendIndex(open_.back()->size());
            else
                appendKey(key_);
        }
        return path;
    }
    json* put(json value)
    {
        if (open_.empty()) {
            root_ = std::move(value);
            return &root_;
        }
        json& parent = *open_.back();
        if (parent.is_array()) {
            parent.push_back(std::move(value));
            return &parent.back();
        }
        json& slot = parent[key_]; // a repeated key: the last one wins
        slot = std::move(value);
        return &slot;
    }
    bool open(json container)
    {
        open_.push_back(put(std::move(container)));
        return true;
    }
    bool close()
    {
        open_.pop_back();
        return true;
    }

    json& root_;
    NumberLiterals* literals_;
    std::vector<json*> open_; // only the innermost open container ever grows
    std::string key_;
    std::string error_;
};

const char* jsonTypeName(const json& value)
{
    switch (value.type()) {
    case json::value_t::null:
        return "null";
    case json::value_t::object:
        return "a dictionary";
    case json::value_t::array:
        return "an array";
    case json::value_t::string:
        return "a string";
    case json::value_t::boolean:
        return "a boolean";
    case json::value_t::number_integer:
    case json::value_t::number_unsigned:
    case json::value_t::number_float:
        return "a number";
    default:
        return "an unexpected value";
    }
}

} // namespace

DecodingError::DecodingError(Kind kind, std::string codingPath, std::string debugDescription)
    : std::runtime_error(describe(kind, codingPath, debugDescription)), kind_(kind), codingPath_(std::move(codingPath)),
      debugDescription_(std::move(debugDescription))
{
}

nlohmann::json parseJson(std::string_view text, NumberLiterals* literals)
{
    json root;
    StrictBuilder builder(root, literals);
    bool ok = json::sax_parse(text.begin(), text.end(), &builder, json::input_format_t::json, /*strict=*/true);
    if (!ok)
        throw DecodingError(DecodingError::Kind::dataCorrupted, "",
                            "The given data was not valid JSON. " + builder.error());
    return root;
}

void Decoder::fail(DecodingError::Kind kind, std::string description) const
{
    throw DecodingError(kind, codingPath_, std::move(description));
}

std::string Decoder::pathFor(std::string_view key) const
{
    return codingPath_.empty() ? std::string(key) : codingPath_ + "." + std::string(key);
}

std::string Decoder::pathFor(std::size_t index) const
{
    return codingPath_ + "[" + std::to_string(index) + "]";
}

void Decoder::requireNonNull(const char* expected) const
{
    if (value_->is_null())
        fail(DecodingError::Kind::valueNotFound,
             std::string("Expected ") + expected + " value but found null instead.");
}

void Decoder::requireType(bool matches, const char* expected) const
{
    requireNonNull(expected);
    if (!matches)
        fail(DecodingError::Kind::typeMismatch,
             std::string("Expected to decode ") + expected + " but found " + jsonTypeName(*value_) + " instead.");
}

const nlohmann::json& Decoder::requireObject() const
{
    requireType(value_->is_object(), "Dictionary");
    return *value_;
}

const nlohmann::json& Decoder::requireArray() const
{
    requireType(value_->is_array(), "Array");
    return *value_;
}

Decoder Decoder::field(std::string_view key) const
{
    const auto& object = requireObject();
    auto it = object.find(key);
    if (it == object.end())
        throw DecodingError(DecodingError::Kind::keyNotFound, pathFor(key),
                            "No value associated with key \"" + std::string(key) + "\".");
    return inner(*it, pathFor(key));
}

std::string Decoder::decodeString() const
{
    requireType(value_->is_string(), "String");
    return value_->get<std::string>();
}

bool Decoder::decodeBool() const
{
    requireType(value_->is_boolean(), "Bool");
    return value_->get<bool>();
}

double Decoder::decodeDouble() const
{
    requireType(value_->is_number(), "Double");
    return value_->get<double>();
}

std::int64_t Decoder::decodeInt64() const
{
    requireType(value_->is_number(), "Int64");
    if (value_->is_number_integer() && !value_->is_number_unsigned())
        return value_->get<std::int64_t>();
    if (value_->is_number_unsigned() &&
        value_->get<std::uint64_t>() <= static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return static_cast<std::int64_t>(value_->get<std::uint64_t>());
    // As the text wrote it: "1e30", not "1e+30"; thirty digits, not the double nearest to them.
    const auto literal = literals_ ? literals_->find(codingPath_) : NumberLiterals::const_iterator{};
    const bool written = literals_ && literal != literals_->end();
    fail(DecodingError::Kind::dataCorrupted,
         "Parsed JSON number <" + (written ? literal->second : value_->dump()) + "> does not fit in Int64.");
}

} // namespace kit
