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

// Walks the given paths in parallel and counts every file of a known language, each once
// however often or nested the paths name it. Folders .git, .hg and .svn are skipped;
// .ignore files are honoured, and inside a git work tree so are .gitignore files and the
// repository's .git/info/exclude (those of the repository's folders above a root too);
// symbolic links to folders are not followed. Folders are opened relative to their parent,
// so paths longer than the system's limit are walked too. Every path must exist.
WalkResult walk(const Options& options);

} // namespace qm::counter
