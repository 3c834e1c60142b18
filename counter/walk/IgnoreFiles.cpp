#include "counter/walk/IgnoreFiles.h"

#include "counter/FileData.h"
#include "counter/walk/Repository.h"

#include <array>
#include <climits>
#include <cstdlib>
#include <optional>
#include <tuple>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm::counter {

namespace {

// The patterns of the ignore file `name` of the folder open as `folder`, read whole, as git
// reads it, up to its size when opened, whatever that is: through a fixed buffer, each line
// parsed as it completes, a hole (which reads as NUL bytes) passed over unread. `follow`: a
// symbolic link is read as its target.
std::optional<std::vector<IgnorePattern>> readIgnoreFile(int folder, const std::string& name, bool follow)
{
    const int fd = ::openat(folder, name.c_str(),
                            O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | (follow ? 0 : O_NOFOLLOW));
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    IgnoreFileParser parser;
    std::array<char, 64 * 1024> buffer;
    readData(
        fd, static_cast<std::uint64_t>(st.st_size), buffer,
        [&parser](std::uint64_t, std::string_view piece) { parser.add(piece); },
        [&parser](std::uint64_t, std::uint64_t) { parser.addNulBytes(); });
    ::close(fd);
    return parser.finish();
}

std::string lastComponent(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

} // namespace

std::vector<IgnorePattern> folderPatterns(int folder, const std::string& excludeFile, bool hasGitignore, bool hasIgnore)
{
    std::vector<IgnorePattern> patterns;
    const std::tuple<bool, std::string, bool> files[] = {{!excludeFile.empty(), excludeFile, true},
                                                         {hasGitignore, ".gitignore", false},
                                                         {hasIgnore, ".ignore", false}};
    for (const auto& [present, name, follow] : files) {
        if (!present)
            continue;
        if (auto more = readIgnoreFile(folder, name, follow)) {
            patterns.insert(patterns.end(), std::make_move_iterator(more->begin()),
                            std::make_move_iterator(more->end()));
        }
    }
    return patterns;
}

// The rules of the repository's folders above the root are read from the folder holding
// ".git" down to the root's parent.
RootRules rulesAboveRoot(const std::string& root)
{
    RootRules above;
    char resolved[PATH_MAX];
    if (!::realpath(root.c_str(), resolved))
        return above;
    std::string dir = resolved;
    std::vector<std::string> chain; // root's parent first
    GitFolder git;
    for (;;) {
        const int fd = ::open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            git = gitFolderOf(fd);
            ::close(fd);
        }
        if (git.kind != GitFolder::Kind::None || dir == "/")
            break;
        const auto slash = dir.rfind('/');
        dir = slash == 0 ? "/" : dir.substr(0, slash);
        chain.push_back(dir);
    }
    if (git.kind != GitFolder::Kind::WorkTree)
        return above;
    above.inRepository = true;
    if (chain.empty())
        return above;
    std::shared_ptr<const IgnoreRules> rules;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (it != chain.rbegin())
            rules = IgnoreRules::inside(rules, lastComponent(*it));
        const int fd = ::open(it->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            continue;
        const std::string exclude = *it == dir ? git.excludeFile : std::string();
        rules = IgnoreRules::withPatterns(std::move(rules), folderPatterns(fd, exclude, true, true));
        ::close(fd);
    }
    above.rules = IgnoreRules::inside(rules, lastComponent(resolved));
    return above;
}

} // namespace qm::counter
