#pragma once

// The counter's JSON output, spelled once: the keys of its language and file records, in
// the order the counter writes them. The counter's writer (counter/report/JsonOutput.cpp),
// the application's strict decoder (the records' codingKeys in core/) and its fast reader
// (core/CounterOutputReader.ipp, which finds records by the bytes they start with) all take
// them from here.
//
//   [{"Name":"C",...,"Files":[{"Language":"C",...},{"Language":"C",...}]},{"Name":"Go",...}]

#include <array>
#include <cstddef>
#include <string_view>

namespace qm::counterOutput {

// The keys of a language record; "Files" last, holding its file records.
enum class LanguageKey : std::size_t {
    Name,
    Bytes,
    CodeBytes,
    Lines,
    Code,
    Comment,
    Blank,
    Complexity,
    Count,
    WeightedComplexity,
    Files,
};
inline constexpr std::array<std::string_view, 11> languageKeys{
    "Name",       "Bytes", "CodeBytes",          "Lines", "Code", "Comment", "Blank",
    "Complexity", "Count", "WeightedComplexity", "Files",
};

// The keys of a file record.
enum class FileKey : std::size_t {
    Language,
    PossibleLanguages,
    Filename,
    Extension,
    Location,
    Symlocation,
    Bytes,
    Lines,
    Code,
    Comment,
    Blank,
    Complexity,
    WeightedComplexity,
    Binary,
    Minified,
    Generated,
    EndPoint,
};
inline constexpr std::array<std::string_view, 17> fileKeys{
    "Language",
    "PossibleLanguages",
    "Filename",
    "Extension",
    "Location",
    "Symlocation",
    "Bytes",
    "Lines",
    "Code",
    "Comment",
    "Blank",
    "Complexity",
    "WeightedComplexity",
    "Binary",
    "Minified",
    "Generated",
    "EndPoint",
};

constexpr std::string_view key(LanguageKey k)
{
    return languageKeys[static_cast<std::size_t>(k)];
}
constexpr std::string_view key(FileKey k)
{
    return fileKeys[static_cast<std::size_t>(k)];
}

namespace detail {

// A short text put together at compile time.
struct Joined {
    std::array<char, 32> chars{};
    std::size_t size = 0;
    constexpr std::string_view view() const { return {chars.data(), size}; }
};

constexpr Joined join(std::string_view before, std::string_view key, std::string_view after)
{
    Joined j;
    for (const std::string_view part : {before, std::string_view("\""), key, std::string_view("\":"), after})
        for (const char c : part)
            j.chars[j.size++] = c;
    return j;
}

inline constexpr Joined fileRecordStart = join("{", fileKeys.front(), "");
inline constexpr Joined filesStart = join("", languageKeys.back(), "[");

} // namespace detail

// The first bytes of every file record as the counter writes it, without spaces:
// `{"Language":`. They stand nowhere else in valid JSON but at the start of an object.
inline constexpr std::string_view fileRecordStart = detail::fileRecordStart.view();

// The last key of a language record and the opening of its list of files: `"Files":[`.
inline constexpr std::string_view filesStart = detail::filesStart.view();

} // namespace qm::counterOutput
