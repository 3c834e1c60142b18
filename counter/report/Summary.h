#pragma once

#include "counter/FileScanner.h"
#include "counter/Options.h"
#include "counter/walk/Walker.h"

#include <cstdint>
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

// The name of the language of index `language` in the table.
const std::string& nameOf(int language);

} // namespace qm::counter
