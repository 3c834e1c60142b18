#pragma once

#include "counter/walk/Glob.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qm::counter {

// One line of a .gitignore or .ignore file.
struct IgnorePattern {
    std::string glob;     // leading "/" and trailing "/" removed
    bool negated = false; // "!pattern" re-includes
    bool directoryOnly = false;
    bool anchored = false; // matched against the whole path below the file's folder, not just the name
    Glob matcher;          // of `glob`
};

// Parses the text of an ignore file, as git reads .gitignore: a UTF-8 byte-order mark at its
// start is passed over, and a line is read up to a NUL byte.
std::vector<IgnorePattern> parseIgnoreFile(std::string_view text);

// The same for a text that comes in pieces, a file read through a fixed buffer however large
// it is: each line is parsed once it is whole, and of a line only its text before a NUL byte
// is kept, so that no more of the file is held than that.
class IgnoreFileParser {
public:
    void add(std::string_view piece);
    // A stretch of NUL bytes (a hole of the file, not read): the line it falls in ends there.
    void addNulBytes();
    std::vector<IgnorePattern> finish();

private:
    void endLine();

    std::string line_;
    bool cut_ = false; // a NUL byte ended the line's text
    bool first_ = true;
    std::vector<IgnorePattern> patterns_;
};

// Git's wildcard match of a path (see Glob).
bool globMatch(std::string_view glob, std::string_view path);

// The ignore patterns in force in one folder of the walk: those of the folder's own ignore
// files and of the folders above it, each anchored pattern already read along the path
// down to this folder, so that an entry is judged by its name alone however deep it lies.
// Shared, immutable once built. What a folder's rules cost does not grow with its depth:
// the patterns above are shared, not copied, and an anchored pattern is read on only while
// folders can still change what it matches (a few folders below its file, for most; a
// "**/x" or "a/**" not at all once it stands at its "**"), so walking a chain of folders
// each with an ignore file costs each folder its own patterns and those still on their way.
// An entry is tried once against each pattern in force.
class IgnoreRules {
public:
    // The rules of a folder with ignore patterns of its own: those in force from above
    // (`outer`, none at the top), then the folder's, which win.
    static std::shared_ptr<const IgnoreRules> withPatterns(std::shared_ptr<const IgnoreRules> outer,
                                                           std::vector<IgnorePattern> patterns);

    // The rules in force from above in the subfolder `name` of a folder with `rules`.
    static std::shared_ptr<const IgnoreRules> inside(const std::shared_ptr<const IgnoreRules>& rules,
                                                     std::string_view name);

    // Whether the entry `name` of the folder is ignored. The deepest ignore file with a
    // matching pattern decides; within a file the last matching pattern does.
    static bool ignored(const IgnoreRules* rules, std::string_view name, bool isDirectory);

    // The same for a path below the folder ("a/b/c.c"), its folders not being judged.
    static bool ignoredPath(std::shared_ptr<const IgnoreRules> rules, std::string_view path, bool isDirectory);

    // How many pattern states this thread has stepped or copied from one folder's rules into
    // another's: the work the rules cost the walk beyond trying entries against patterns.
    static std::uint64_t work();

private:
    // The patterns of one folder's ignore files, and through `outer` those of the folders above.
    struct File {
        mutable std::shared_ptr<const File> outer;
        std::vector<IgnorePattern> patterns;
        std::uint32_t level = 0; // the deeper file wins
        ~File();
    };
    // An anchored pattern that can still match below this folder, and where it stands.
    struct Live {
        const File* file;
        std::uint32_t pattern;
        Glob::State state;
    };
    // Anchored patterns that no folder below can change any more, shared by every folder
    // below the one where they stopped changing; and through `outer` those of the folders above.
    struct Settled {
        mutable std::shared_ptr<const Settled> outer;
        std::vector<Live> patterns;
        ~Settled();
    };

    std::shared_ptr<const File> files_;
    std::shared_ptr<const Settled> settled_;
    std::vector<Live> active_; // anchored patterns still read on, folder by folder
};

} // namespace qm::counter
