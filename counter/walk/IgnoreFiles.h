#pragma once

#include "counter/walk/IgnoreRules.h"

#include <memory>
#include <string>
#include <vector>

namespace qm::counter {

// The ignore patterns of one folder, open as `folder`: the repository's exclude file
// `excludeFile` (when the folder holds ".git"; empty for none), then .gitignore, then
// .ignore; later files win. As git does, an ignore file that is a symbolic link is not read.
std::vector<IgnorePattern> folderPatterns(int folder, const std::string& excludeFile, bool hasGitignore,
                                          bool hasIgnore);

// What holds for a walk root from the folders above it.
struct RootRules {
    std::shared_ptr<const IgnoreRules> rules; // in force at the root, from above it
    bool inRepository = false;                // .gitignore files count only inside a git work tree
};

// The first ".git" met on the way up from the root decides, as for git: a folder that is no
// repository is passed over, but a repository of another user's (or a ".git" file naming
// none) ends the search with no work tree.
RootRules rulesAboveRoot(const std::string& root);

} // namespace qm::counter
