#include "counter/walk/Repository.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

#include <fcntl.h>
#include <sys/stat.h>

namespace qm::counter {

namespace {

// A small file's text (up to `limit` bytes; more makes it no file git reads), or nothing.
bool readText(int folder, const std::string& path, std::string& text, std::size_t limit = 4096)
{
    const int fd = ::openat(folder, path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) <= limit;
    text.assign(ok ? static_cast<std::size_t>(st.st_size) : 0, '\0');
    std::size_t have = 0;
    while (ok && have < text.size()) {
        const ssize_t n = ::read(fd, text.data() + have, text.size() - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        have += static_cast<std::size_t>(n);
    }
    ::close(fd);
    text.resize(have);
    return ok;
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

bool isHex(std::string_view text, std::size_t count)
{
    if (text.size() < count)
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        const char c = text[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')))
            return false;
    }
    return true;
}

// Whether HEAD is one git accepts: a link into refs/, a file "ref: refs/...", or a file
// starting with an object id (a detached HEAD; SHA-1 or SHA-256).
bool validHead(int folder, const std::string& head)
{
    struct stat st {};
    if (::fstatat(folder, head.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    if (S_ISLNK(st.st_mode)) {
        char target[256];
        const ssize_t n = ::readlinkat(folder, head.c_str(), target, sizeof target);
        return n > 0 && std::string_view(target, static_cast<std::size_t>(n)).starts_with("refs/");
    }
    std::string text;
    if (!readText(folder, head, text))
        return false;
    if (text.starts_with("ref:")) {
        const auto ref = text.find_first_not_of(" \t", 4);
        return ref != std::string::npos && std::string_view(text).substr(ref).starts_with("refs/");
    }
    return isHex(text, 40);
}

std::string joined(const std::string& folder, const std::string& name)
{
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

// The repository's folder that holds objects/, refs/ and info/: its own, or for a linked
// work tree the one its commondir names.
std::string commonDirOf(int folder, const std::string& gitDir)
{
    std::string common;
    if (!readText(folder, joined(gitDir, "commondir"), common))
        return gitDir;
    common = trimmed(common);
    if (common.empty())
        return gitDir;
    return common.front() == '/' ? common : joined(gitDir, common);
}

bool isRepository(int folder, const std::string& gitDir, std::string& commonDir)
{
    if (!validHead(folder, joined(gitDir, "HEAD")))
        return false;
    commonDir = commonDirOf(folder, gitDir);
    return ::faccessat(folder, joined(commonDir, "objects").c_str(), X_OK, 0) == 0 &&
           ::faccessat(folder, joined(commonDir, "refs").c_str(), X_OK, 0) == 0;
}

// Whether a file of `owner`'s may choose what the count of `user` holds.
bool trusted(uid_t owner, uid_t user)
{
    if (owner == user || owner == 0)
        return true;
    if (user != 0)
        return false;
    // Root through sudo: the user who asked, as git allows.
    const char* sudoUser = std::getenv("SUDO_UID");
    if (!sudoUser || !*sudoUser)
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long id = std::strtoul(sudoUser, &end, 10);
    return errno == 0 && *end == '\0' && id == owner;
}

} // namespace

GitFolder gitFolderOf(int folder, uid_t user)
{
    GitFolder result;
    struct stat entry {};
    if (::fstatat(folder, ".git", &entry, AT_SYMLINK_NOFOLLOW) != 0)
        return result;
    struct stat target = entry; // what a link leads to
    if (S_ISLNK(entry.st_mode) && ::fstatat(folder, ".git", &target, 0) != 0)
        return result;

    std::string gitDir;
    std::string commonDir;
    if (S_ISDIR(target.st_mode)) {
        gitDir = ".git";
        if (!isRepository(folder, gitDir, commonDir))
            return result;
    } else if (S_ISREG(target.st_mode)) {
        std::string text;
        result.kind = GitFolder::Kind::Refused;
        if (!readText(folder, ".git", text, 1 << 20) || !text.starts_with("gitdir:"))
            return result;
        gitDir = trimmed(std::string_view(text).substr(7));
        if (gitDir.empty() || !isRepository(folder, gitDir, commonDir))
            return result;
    } else {
        return result;
    }

    result.kind = GitFolder::Kind::Refused;
    struct stat here {};
    struct stat repository {};
    if (::fstat(folder, &here) != 0 || ::fstatat(folder, gitDir.c_str(), &repository, 0) != 0)
        return result;
    if (!trusted(here.st_uid, user) || !trusted(entry.st_uid, user) || !trusted(target.st_uid, user) ||
        !trusted(repository.st_uid, user))
        return result;
    result.kind = GitFolder::Kind::WorkTree;
    result.excludeFile = joined(commonDir, "info/exclude");
    return result;
}

} // namespace qm::counter
