#pragma once

#include "counter/LargeAllocator.h"
#include "counter/report/Summary.h"

#include <string>
#include <string_view>
#include <vector>

namespace qm::counter {

// Text of the JSON output: its pieces are large, and filled once.
using JsonText = std::basic_string<char, std::char_traits<char>, LargeAllocator<char>>;

// The JSON output (an array of language records, each with its file records when `byFile`)
// in pieces to be written one after the other, the file records formatted by up to
// `threads` threads.
std::vector<JsonText> toJsonPieces(const std::vector<LanguageReport>& languages, bool byFile, unsigned threads);

// The same text whole.
std::string toJson(const std::vector<LanguageReport>& languages, bool byFile);

// Appends `text` as a JSON string: quotes, backslashes and control characters escaped,
// bytes that are not UTF-8 replaced by U+FFFD.
void appendJsonString(JsonText& out, std::string_view text);

} // namespace qm::counter
