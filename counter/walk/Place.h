#pragma once

#include "counter/walk/ReleaseChain.h"

#include <atomic>
#include <memory>
#include <string>

#include <unistd.h>

namespace qm::counter {

// A folder of the walk, for the path shown in locations and warnings. The path is put
// together only when it is needed, so walking a chain of folders however deep costs each
// folder its own name, not the path above it.
struct Place {
    mutable std::shared_ptr<const Place> parent; // none for a walk root
    std::string name;                            // in the parent; a walk root's path as given

    Place(std::shared_ptr<const Place> above, std::string own) : parent(std::move(above)), name(std::move(own)) {}
    ~Place()
    {
        releaseChain(parent, [](const Place& p) -> std::shared_ptr<const Place>& { return p.parent; });
    }
};

// The path of a place: its names from the walk root down, joined by "/".
std::string pathOf(const Place& place);

// A folder kept open while jobs below it still need it: files and folders in it are opened
// relative to it, so no path grows past the system's limit. The walk counts them to keep
// within its share of the process's file descriptors.
struct OpenFolder {
    int fd = -1;
    std::atomic<int>& count;
    std::string path; // shown in front of its files' names, once it has some
    OpenFolder(int descriptor, std::atomic<int>& openFolders, std::string shown)
        : fd(descriptor), count(openFolders), path(std::move(shown))
    {
        ++count;
    }
    ~OpenFolder()
    {
        ::close(fd);
        --count;
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
};

} // namespace qm::counter
