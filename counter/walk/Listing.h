#pragma once

#include "counter/walk/IgnoreRules.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <sys/types.h>

namespace qm::counter {

// What a folder holds for the walk, its ignore rules applied (its files go to the caller
// one by one as they are found).
struct Listing {
    std::vector<std::string> folders;
    std::shared_ptr<const IgnoreRules> rules; // in force inside the folder
    bool inRepository = false;
};

// The walk's roots by device and inode, when there are several: an entry of a folder that is
// one of them is left to its own walk. Empty for a single root.
using RootIds = std::vector<std::pair<dev_t, ino_t>>;

// Takes a file to count: its name in the listed folder and whether it is a symbolic link.
using TakeFile = std::function<void(const char* name, bool link)>;

// Reads the folder open as `fd` with getdents64: its ignore files (.gitignore only inside a
// git work tree, `inRepository` saying whether the folder above was in one), then its
// entries, handing each file to count to `take` and keeping its subfolders to walk in
// `listing`. Folders .git, .hg and .svn, pipes, sockets, devices and links to anything but
// a file are left out. The entries are read straight from the descriptor, which is left at
// their end.
void listFolder(int fd, const std::shared_ptr<const IgnoreRules>& rulesFromAbove, bool inRepository,
                const RootIds& roots, Listing& listing, const TakeFile& take);

} // namespace qm::counter
