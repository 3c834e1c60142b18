#pragma once

#include "counter/FileScanner.h"
#include "counter/LargeAllocator.h"
#include "counter/Options.h"
#include "counter/TextStore.h"

#include <string>
#include <vector>

namespace qm::counter {

// What a walk found: the counted files (in no particular order) and the problems met.
struct WalkResult {
    // The records one thread of the walk made, and the store their texts lie in.
    struct Part {
        std::vector<FileRecord, LargeAllocator<FileRecord>> files;
        TextStore texts;
    };
    std::vector<Part> parts;
    std::vector<std::string> warnings;

    std::size_t fileCount() const
    {
        std::size_t n = 0;
        for (const auto& part : parts)
            n += part.files.size();
        return n;
    }
};

// Walks the given paths in parallel and counts every file of a known language, each once
// however often or nested the paths name it. Folders .git, .hg and .svn are skipped;
// .ignore files are honoured, and inside a git work tree so are .gitignore files and the
// repository's .git/info/exclude (those of the repository's folders above a root too);
// symbolic links to folders are not followed. Folders are opened relative to their parent,
// so paths longer than the system's limit are walked too. Every path must exist.
WalkResult walk(const Options& options);

} // namespace qm::counter
