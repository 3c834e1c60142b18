#pragma once

#include <string>

#include <sys/types.h>
#include <unistd.h>

namespace qm::counter {

// What the entry ".git" of a folder makes of the folder, judged as git judges it before it
// reads a repository's ignore files.
struct GitFolder {
    enum class Kind {
        None,     // no ".git", or a ".git" folder that is no repository: git looks further up
        Refused,  // a ".git" file that names no repository, or a repository of another user's:
                  // git stops there and works in no repository
        WorkTree, // the work tree of a repository of the user's (or root's)
    } kind = Kind::None;
    std::string excludeFile; // the repository's info/exclude, relative to the folder or absolute
};

// Reads the ".git" of the folder open as `folder` (any descriptor of it, O_PATH will do).
// A repository is a folder holding HEAD (a link into refs/, "ref: refs/..." or an object
// id), objects/ and refs/ (in the folder its commondir names, for a linked work tree); a
// ".git" file names one by "gitdir: <path>". As git's check of ownership does, the folder,
// its ".git" and the repository it names must each belong to `user` or to root (and, when
// `user` is root, to the user whose sudo started the process): otherwise another user of
// the machine could choose the ignore files, and so the count, of the user's folders.
GitFolder gitFolderOf(int folder, uid_t user = ::geteuid());

} // namespace qm::counter
