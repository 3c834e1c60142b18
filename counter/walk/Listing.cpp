#include "counter/walk/Listing.h"

#include "counter/walk/IgnoreFiles.h"
#include "counter/walk/Repository.h"

#include <algorithm>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm::counter {

namespace {

// Whether an entry of a folder is one of the walk's roots, walked on its own.
bool isOtherRoot(const RootIds& roots, int folder, std::uint64_t inode, const char* name)
{
    if (roots.empty())
        return false;
    const auto ino = static_cast<ino_t>(inode);
    if (std::none_of(roots.begin(), roots.end(), [ino](const auto& id) { return id.second == ino; }))
        return false;
    struct stat st {};
    if (::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    return std::any_of(roots.begin(), roots.end(),
                       [&st](const auto& id) { return id.first == st.st_dev && id.second == st.st_ino; });
}

} // namespace

void listFolder(int fd, const std::shared_ptr<const IgnoreRules>& rulesFromAbove, bool inRepository,
                const RootIds& roots, Listing& listing, const TakeFile& take)
{
    struct Entry {
        std::uint32_t name; // where it starts in `names`
        unsigned char type;
    };
    std::string names; // each ended by a NUL
    std::vector<Entry> entries;
    bool hasGitignore = false;
    bool hasIgnore = false;
    bool hasGit = false;
    alignas(dirent64) char buffer[32 * 1024];
    for (;;) {
        const ssize_t got = ::getdents64(fd, buffer, sizeof buffer);
        if (got <= 0)
            break; // the end, or a folder that went away: what was read is what it holds
        for (ssize_t at = 0; at < got;) {
            const auto* e = reinterpret_cast<const dirent64*>(buffer + at);
            at += e->d_reclen;
            const char* name = e->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            if (isOtherRoot(roots, fd, e->d_ino, name))
                continue;
            entries.push_back({static_cast<std::uint32_t>(names.size()), e->d_type});
            names.append(name).push_back('\0');
            if (name[0] == '.') {
                hasGitignore = hasGitignore || std::strcmp(name, ".gitignore") == 0;
                hasIgnore = hasIgnore || std::strcmp(name, ".ignore") == 0;
                hasGit = hasGit || std::strcmp(name, ".git") == 0;
            }
        }
    }
    const GitFolder git = hasGit ? gitFolderOf(fd) : GitFolder{};
    const bool workTree = git.kind == GitFolder::Kind::WorkTree;
    listing.inRepository = inRepository || workTree;
    hasGitignore = hasGitignore && listing.inRepository;

    listing.rules = rulesFromAbove;
    const std::string& exclude = git.excludeFile;
    if (hasGitignore || hasIgnore || !exclude.empty())
        listing.rules = IgnoreRules::withPatterns(listing.rules, folderPatterns(fd, exclude, hasGitignore, hasIgnore));
    const IgnoreRules* rules = listing.rules.get();

    for (const auto& entry : entries) {
        const char* name = names.c_str() + entry.name;
        unsigned char type = entry.type;
        if (type == DT_UNKNOWN) {
            struct stat st {};
            if (::fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            type = S_ISDIR(st.st_mode)   ? DT_DIR
                   : S_ISREG(st.st_mode) ? DT_REG
                   : S_ISLNK(st.st_mode) ? DT_LNK
                                         : DT_UNKNOWN;
        }
        if (type == DT_DIR) {
            if (std::strcmp(name, ".git") == 0 || std::strcmp(name, ".hg") == 0 || std::strcmp(name, ".svn") == 0)
                continue;
            if (!IgnoreRules::ignored(rules, name, true))
                listing.folders.emplace_back(name);
            continue;
        }
        bool link = false;
        if (type == DT_LNK) {
            // Links to files are counted (with their target); links to folders are not
            // followed, so link loops cannot trap the walk.
            struct stat st {};
            if (::fstatat(fd, name, &st, 0) != 0 || !S_ISREG(st.st_mode))
                continue;
            link = true;
        } else if (type != DT_REG) {
            continue; // pipes, sockets and devices are not files to read
        }
        if (IgnoreRules::ignored(rules, name, false))
            continue;
        take(name, link);
    }
}

} // namespace qm::counter
