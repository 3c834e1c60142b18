#include "counter/walk/DeepWalk.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm::counter {

void walkDeep(int top, const std::shared_ptr<const Place>& topPlace, Listing& topListing, const RootIds& roots,
              const VisitFile& visit, std::vector<std::string>& warnings)
{
    struct Frame {
        std::shared_ptr<const Place> place;
        std::shared_ptr<const IgnoreRules> rules;
        bool inRepository;
        std::vector<std::string> folders; // still to walk
        dev_t device;
        ino_t inode;
    };
    struct stat st {};
    if (::fstat(top, &st) != 0) {
        warnings.push_back(pathOf(*topPlace) + ": " + std::strerror(errno));
        return;
    }
    std::vector<Frame> frames;
    frames.push_back(Frame{topPlace, topListing.rules, topListing.inRepository, std::move(topListing.folders),
                           st.st_dev, st.st_ino});
    int fd = top; // the folder of the last frame
    const auto leave = [&fd, top] {
        if (fd != top)
            ::close(fd);
    };
    while (!frames.empty()) {
        Frame& frame = frames.back();
        if (frame.folders.empty()) {
            frames.pop_back();
            if (frames.empty())
                break;
            const int up = frames.size() == 1 ? top : ::openat(fd, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            struct stat upSt {};
            const bool same = up >= 0 &&
                              (up == top || (::fstat(up, &upSt) == 0 && upSt.st_dev == frames.back().device &&
                                             upSt.st_ino == frames.back().inode));
            leave();
            fd = up;
            if (!same) {
                // Moved while being walked: what is left of it cannot be reached safely.
                if (up >= 0)
                    ::close(up);
                for (std::size_t i = 1; i < frames.size(); ++i)
                    if (!frames[i].folders.empty())
                        warnings.push_back(pathOf(*frames[i].place) + ": changed while being counted");
                frames.resize(1);
                fd = top;
            }
            continue;
        }
        std::string name = std::move(frame.folders.back());
        frame.folders.pop_back();
        auto place = std::make_shared<const Place>(frame.place, name);
        const int child = ::openat(fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (child < 0) {
            warnings.push_back(pathOf(*place) + ": " + std::strerror(errno));
            continue;
        }
        Listing listing;
        std::string path; // once there is a file to show in it
        listFolder(child, IgnoreRules::inside(frame.rules, name), frame.inRepository, roots, listing,
                   [&](const char* file, bool link) {
                       if (path.empty())
                           path = pathOf(*place);
                       visit(child, path, file, link);
                   });
        struct stat childSt {};
        if (listing.folders.empty() || ::fstat(child, &childSt) != 0) {
            ::close(child);
            continue;
        }
        leave();
        fd = child;
        frames.push_back(Frame{std::move(place), std::move(listing.rules), listing.inRepository,
                               std::move(listing.folders), childSt.st_dev, childSt.st_ino});
    }
    leave();
}

} // namespace qm::counter
