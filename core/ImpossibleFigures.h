#pragma once

#include "core/LanguageEntry.h"

#include <optional>
#include <string>

namespace qm {

// Why a count's figures cannot be true, or nothing when they can. Every
// figure of a record is a number of lines, bytes or files, or a count of
// branches, so none is negative; every line of a file is code, comment or
// blank, so a file's lines are the sum of the three; a language's files,
// lines, code, comments, blank lines and bytes are those of its files added
// up; and the project's totals, which the screens add up, fit in 64 bits.
// The text names the first figure that breaks a rule, for example
// `Go, a.go: "Code" is -5`.
std::optional<std::string> impossibleFigures(const LanguageList& languages);

} // namespace qm
