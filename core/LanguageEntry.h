#pragma once

#include "core/FileEntry.h"

#include <cstddef>
#include <functional>
#include <string_view>

namespace qm {

// One language of the counter's output, with its files in the counter's order.
class LanguageEntry : public kit::ObservableObject {
public:
    LanguageEntry() = default;
    explicit LanguageEntry(kit::UUID identity) : id(identity) {}

    kit::UUID id; // fresh for every decoded record
    std::string name;
    std::int64_t bytes = 0;
    std::int64_t codeBytes = 0;
    std::int64_t lines = 0;
    std::int64_t code = 0;
    std::int64_t comment = 0;
    std::int64_t blank = 0;
    std::int64_t complexity = 0;
    std::int64_t count = 0;
    std::int64_t weightedComplexity = 0;
    std::vector<std::shared_ptr<FileEntry>> files;

    // The JSON key of every field but `id`, in coding order: the counter's.
    static constexpr auto codingKeys()
    {
        using K = counterOutput::LanguageKey;
        return std::tuple{
            RecordField{key(K::Name), &LanguageEntry::name},
            RecordField{key(K::Bytes), &LanguageEntry::bytes},
            RecordField{key(K::CodeBytes), &LanguageEntry::codeBytes},
            RecordField{key(K::Lines), &LanguageEntry::lines},
            RecordField{key(K::Code), &LanguageEntry::code},
            RecordField{key(K::Comment), &LanguageEntry::comment},
            RecordField{key(K::Blank), &LanguageEntry::blank},
            RecordField{key(K::Complexity), &LanguageEntry::complexity},
            RecordField{key(K::Count), &LanguageEntry::count},
            RecordField{key(K::WeightedComplexity), &LanguageEntry::weightedComplexity},
            RecordField{key(K::Files), &LanguageEntry::files},
        };
    }

    static std::shared_ptr<LanguageEntry> fromJson(const kit::Decoder& d);
    nlohmann::ordered_json toJson() const;
};

static_assert(hasKeysInOrder<LanguageEntry>(counterOutput::languageKeys));

using LanguageList = std::vector<std::shared_ptr<LanguageEntry>>;

// Bytes past the end of the text that decodeCounterOutput may read without
// making a copy of the text (their values do not matter).
inline constexpr std::size_t counterOutputPadding = 64;

// Decodes the counter's output: a JSON array of language records. Any
// missing key, null or mistyped value fails the whole list (kit::DecodingError,
// naming the coding path of the first bad value). The text is read in place
// when `capacity` (the bytes readable from its start) leaves
// counterOutputPadding bytes after it; otherwise it is copied first.
LanguageList decodeCounterOutput(std::string_view text, std::size_t capacity = 0);

// Told of bytes of the text (an offset and a length, whole pages of memory
// when the text starts on one) that a decoding reads no more: their memory
// may be given back while the rest is read.
using DoneWithText = std::function<void(std::size_t offset, std::size_t length)>;

// The same, read in place, giving `doneWith` the parts of the text it has
// read: every record is checked before any is made, so that the text is only
// given up once it is known to be taken whole, and a text that is not taken is
// still there, whole, for the strict decoder. Nothing is given up of a text
// that is copied first, or read as one small document.
LanguageList decodeCounterOutput(std::string_view text, std::size_t capacity, const DoneWithText& doneWith);

} // namespace qm
