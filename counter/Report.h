#pragma once

#include "counter/FileScanner.h"
#include "counter/LargeAllocator.h"
#include "counter/Options.h"
#include "counter/walk/Walker.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm::counter {

// The totals of one language and its files, in output order.
struct LanguageReport {
    int language = -1;
    std::uint64_t bytes = 0;
    std::uint64_t files = 0;
    Counts counts;
    std::vector<const FileRecord*> fileRecords;
};

// The files of a walk, each file once however many names reached it (by its first name in
// order of location that is no symbolic link), less what the options exclude (minified and
// generated files, duplicates), in no particular order. Of byte-identical files the one
// with the smallest location stays.
std::vector<const FileRecord*> filterFiles(const WalkResult& walked, const Options& options);

// Groups files by language and orders languages and files by the sort key (descending,
// ties by name, so output does not depend on the walk's order).
std::vector<LanguageReport> summarize(const std::vector<const FileRecord*>& files, const Options& options);

// Complexity per hundred code lines.
std::uint64_t weightedComplexity(const Counts& counts);

std::string toJson(const std::vector<LanguageReport>& languages, bool byFile);

// Text of the JSON output: its pieces are large, and filled once.
using JsonText = std::basic_string<char, std::char_traits<char>, LargeAllocator<char>>;

// The same text in pieces to be written one after the other, the file records formatted by
// up to `threads` threads.
std::vector<JsonText> toJsonPieces(const std::vector<LanguageReport>& languages, bool byFile, unsigned threads);
std::string toTable(const std::vector<LanguageReport>& languages, bool byFile);

// Appends `text` as a JSON string: quotes, backslashes and control characters escaped,
// bytes that are not UTF-8 replaced by U+FFFD.
void appendJsonString(JsonText& out, std::string_view text);

} // namespace qm::counter
