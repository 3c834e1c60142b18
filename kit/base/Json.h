#pragma once

#include <nlohmann/json.hpp>

#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

namespace kit {

// Why a strict decode failed, and where: the coding path names the failing
// value, for example "[3].Files[0].Code".
class DecodingError : public std::runtime_error {
public:
    enum class Kind { keyNotFound, valueNotFound, typeMismatch, dataCorrupted };

    DecodingError(Kind kind, std::string codingPath, std::string debugDescription);

    Kind kind() const { return kind_; }
    const std::string& codingPath() const { return codingPath_; }
    const std::string& debugDescription() const { return debugDescription_; }

private:
    Kind kind_;
    std::string codingPath_;
    std::string debugDescription_;
};

// The number literals of a document that are not 64-bit integers ("2.5",
// "1e30", a number of thirty digits), as written, by the coding path of
// their value: a double holds them only rounded, and an error names the
// number the text holds.
using NumberLiterals = std::unordered_map<std::string, std::string>;

// Parses UTF-8 JSON text with nothing but whitespace after the top-level
// value. A number literal whose value is an exact integer ("2.0", "1e2") is
// kept as an integer, parsed from its digits, never through a double; the
// others are kept in `literals` too, when given.
// Throws DecodingError (dataCorrupted) for anything else.
nlohmann::json parseJson(std::string_view text, NumberLiterals* literals = nullptr);

// Reads one JSON value at a coding path, strictly, as typed fields:
//   string   only a JSON string
//   integer  only a number whose value is an exact integer in the type's range
//            ("2.5" and "1e30" are dataCorrupted)
//   double   any number
//   bool     only true or false
//   vector<T>, map<string, T>: every element must decode; the first failure fails all
//   optional<T>: none for null (or, as a field, when missing)
//   shared_ptr<T> and any T with `static T fromJson(const kit::Decoder&)`
//   (or `static std::shared_ptr<T> fromJson(...)`).
// Missing keys are keyNotFound, null is valueNotFound, a wrong JSON type is
// typeMismatch. Unknown keys are ignored.
class Decoder {
public:
    // `literals` (from parseJson, may be none) give the numbers an error names as written.
    explicit Decoder(const nlohmann::json& value, std::string codingPath = {}, const NumberLiterals* literals = nullptr)
        : value_(&value), codingPath_(std::move(codingPath)), literals_(literals)
    {
    }

    const nlohmann::json& json() const { return *value_; }
    const std::string& codingPath() const { return codingPath_; }

    template <class T>
    T decode() const;

    // A required field of this object.
    template <class T>
    T decode(std::string_view key) const
    {
        return field(key).template decode<T>();
    }

    // An optional field: none when missing or null, else decoded strictly.
    template <class T>
    std::optional<T> decodeIfPresent(std::string_view key) const
    {
        const auto& object = requireObject();
        auto it = object.find(key);
        if (it == object.end() || it->is_null())
            return std::nullopt;
        return inner(*it, pathFor(key)).template decode<T>();
    }

    bool contains(std::string_view key) const { return value_->is_object() && value_->contains(key); }

    // The decoder of a required field of this object.
    Decoder field(std::string_view key) const;
    // The decoder of a value inside this one, at `codingPath`.
    Decoder inner(const nlohmann::json& value, std::string codingPath) const
    {
        return Decoder(value, std::move(codingPath), literals_);
    }

    [[noreturn]] void fail(DecodingError::Kind kind, std::string description) const;

private:
    template <class T>
    struct Traits;

    const nlohmann::json& requireObject() const;
    const nlohmann::json& requireArray() const;
    std::string pathFor(std::string_view key) const;
    std::string pathFor(std::size_t index) const;
    void requireNonNull(const char* expected) const;
    void requireType(bool matches, const char* expected) const;
    std::string decodeString() const;
    bool decodeBool() const;
    double decodeDouble() const;
    std::int64_t decodeInt64() const;

    const nlohmann::json* value_;
    std::string codingPath_;
    const NumberLiterals* literals_;
};

// Parses `text` and decodes the top-level value as T.
template <class T>
T decodeJson(std::string_view text)
{
    NumberLiterals literals;
    auto json = parseJson(text, &literals);
    return Decoder(json, {}, &literals).decode<T>();
}

// ---- implementation ------------------------------------------------------

template <class T>
struct Decoder::Traits {
    static T decode(const Decoder& d)
    {
        if constexpr (requires { T::fromJson(d); }) {
            d.requireNonNull("Dictionary");
            return T::fromJson(d);
        } else {
            static_assert(sizeof(T) == 0,
                          "kit::Decoder cannot decode this type: give it a static fromJson(const kit::Decoder&)");
        }
    }
};

template <>
struct Decoder::Traits<std::string> {
    static std::string decode(const Decoder& d) { return d.decodeString(); }
};

template <>
struct Decoder::Traits<bool> {
    static bool decode(const Decoder& d) { return d.decodeBool(); }
};

template <class T>
requires std::is_floating_point_v<T>
struct Decoder::Traits<T> {
    static T decode(const Decoder& d) { return static_cast<T>(d.decodeDouble()); }
};

template <class T>
requires(std::is_integral_v<T> && !std::is_same_v<T, bool>) struct Decoder::Traits<T> {
    static T decode(const Decoder& d)
    {
        auto value = d.decodeInt64();
        if constexpr (std::is_unsigned_v<T>) {
            if (value < 0 || static_cast<std::uint64_t>(value) > std::numeric_limits<T>::max())
                d.fail(DecodingError::Kind::dataCorrupted,
                       "Number " + std::to_string(value) + " does not fit the field's type.");
        } else if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) {
            d.fail(DecodingError::Kind::dataCorrupted,
                   "Number " + std::to_string(value) + " does not fit the field's type.");
        }
        return static_cast<T>(value);
    }
};

template <class T>
struct Decoder::Traits<std::optional<T>> {
    static std::optional<T> decode(const Decoder& d)
    {
        if (d.json().is_null())
            return std::nullopt;
        return d.template decode<T>();
    }
};

template <class T>
struct Decoder::Traits<std::shared_ptr<T>> {
    static std::shared_ptr<T> decode(const Decoder& d)
    {
        d.requireNonNull("Dictionary");
        if constexpr (requires {
                          {
                              T::fromJson(d)
                              } -> std::same_as<std::shared_ptr<T>>;
                      })
            return T::fromJson(d);
        else
            return std::make_shared<T>(d.template decode<T>());
    }
};

template <class T>
struct Decoder::Traits<std::vector<T>> {
    static std::vector<T> decode(const Decoder& d)
    {
        const auto& array = d.requireArray();
        std::vector<T> result;
        result.reserve(array.size());
        for (std::size_t i = 0; i < array.size(); ++i)
            result.push_back(d.inner(array[i], d.pathFor(i)).template decode<T>());
        return result;
    }
};

template <class Map>
struct MapTraits {
    static Map decode(const Decoder& d, const nlohmann::json& object, auto pathFor)
    {
        Map result;
        for (auto it = object.begin(); it != object.end(); ++it)
            result.emplace(it.key(),
                           d.inner(it.value(), pathFor(it.key())).template decode<typename Map::mapped_type>());
        return result;
    }
};

template <class T>
struct Decoder::Traits<std::map<std::string, T>> {
    static std::map<std::string, T> decode(const Decoder& d)
    {
        return MapTraits<std::map<std::string, T>>::decode(d, d.requireObject(),
                                                           [&](const std::string& k) { return d.pathFor(k); });
    }
};

template <class T>
struct Decoder::Traits<std::unordered_map<std::string, T>> {
    static std::unordered_map<std::string, T> decode(const Decoder& d)
    {
        return MapTraits<std::unordered_map<std::string, T>>::decode(d, d.requireObject(), [&](const std::string& k) {
            return d.pathFor(k);
        });
    }
};

template <class T>
T Decoder::decode() const
{
    return Traits<T>::decode(*this);
}

} // namespace kit
