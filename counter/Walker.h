#pragma once

#include "counter/FileScanner.h"
#include "counter/Options.h"

#include <string>
#include <vector>

namespace qm::counter {

// What a walk found: the counted files (in no particular order) and the problems met.
struct WalkResult {
    std::vector<FileRecord> files;
    std::vector<std::string> warnings;
};

// Walks the given paths in parallel and counts every file of a known language. Folders
// .git, .hg and .svn are skipped; .ignore files are honoured, and so are .gitignore files
// inside a git work tree (those of the repository's folders above a root too); symbolic
// links to folders are not followed. Every path must exist.
WalkResult walk(const Options& options);

} // namespace qm::counter
