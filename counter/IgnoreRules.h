#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qm::counter {

// One line of a .gitignore or .ignore file.
struct IgnorePattern {
    std::string glob;      // leading "/" and trailing "/" removed
    bool negated = false;  // "!pattern" re-includes
    bool directoryOnly = false;
    bool anchored = false;  // matched against the whole path below the file's folder, not just the name
};

// Parses the text of an ignore file, as git reads .gitignore.
std::vector<IgnorePattern> parseIgnoreFile(std::string_view text);

// Git's wildcard match of a path: "*" and "?" and "[...]" stay within one path component,
// "**" spans components where it stands as a whole component.
bool globMatch(std::string_view glob, std::string_view path);

// The ignore files that apply to one folder of the walk: its own patterns and, through
// `parent`, those of the folders above it. Shared, immutable once built.
class IgnoreRules {
public:
    // Rules of a folder below the walk root; `folder` is its path from the root, ending in
    // "/" (or "" for the root itself).
    static std::shared_ptr<const IgnoreRules> forFolder(std::shared_ptr<const IgnoreRules> parent,
                                                        std::string folder,
                                                        std::vector<IgnorePattern> patterns);

    // Rules of a folder above the walk root; `below` is the path from that folder down to
    // the root, ending in "/".
    static std::shared_ptr<const IgnoreRules> forAncestor(std::shared_ptr<const IgnoreRules> parent,
                                                          std::string below,
                                                          std::vector<IgnorePattern> patterns);

    // Whether a path (from the walk root, no leading "/") is ignored. The deepest ignore file
    // with a matching pattern decides; within a file the last matching pattern does.
    static bool ignored(const IgnoreRules* rules, std::string_view path, bool isDirectory);

private:
    std::shared_ptr<const IgnoreRules> parent_;
    std::string strip_;   // removed from the front of a path from the walk root
    std::string prefix_;  // put in front of it
    std::vector<IgnorePattern> patterns_;
};

} // namespace qm::counter
