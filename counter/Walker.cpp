#include "counter/Walker.h"

#include "counter/FileData.h"
#include "counter/IgnoreRules.h"
#include "counter/ReleaseChain.h"
#include "counter/Repository.h"

#include "common/Threads.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <tuple>

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm::counter {

namespace {

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

std::string pathOf(const Place& place)
{
    std::vector<const Place*> chain;
    std::size_t length = 0;
    for (const Place* p = &place; p; p = p->parent.get()) {
        chain.push_back(p);
        length += p->name.size() + 1;
    }
    std::string path;
    path.reserve(length);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (it != chain.rbegin() && (path.empty() || path.back() != '/'))
            path += '/';
        path += (*it)->name;
    }
    return path;
}

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

struct FolderJob {
    std::shared_ptr<OpenFolder> parent; // none for a walk root, which opens by its path
    std::shared_ptr<const Place> place;
    std::shared_ptr<const IgnoreRules> rules; // in force from above
    bool inRepository = false;                // .gitignore files count only inside a git work tree
};

constexpr std::size_t filesPerJob = 8;

struct FileJob {
    std::uint32_t name = 0; // where the name starts in the job's names
    bool link = false;
};

struct Job {
    std::optional<FolderJob> folder;
    std::shared_ptr<OpenFolder> in; // the files' folder; none: their names are paths
    std::string names;              // of the files, each ended by a NUL
    std::array<FileJob, filesPerJob> files{};
    std::size_t fileCount = 0;
    std::string symlocation; // of a file given by its path, a link to this target

    void add(std::string_view name, bool link)
    {
        files[fileCount++] = FileJob{static_cast<std::uint32_t>(names.size()), link};
        names.append(name);
        names.push_back('\0');
    }
};

// What a folder holds for the walk, its ignore rules applied (its files go to the caller
// one by one as they are found).
struct Listing {
    std::vector<std::string> folders;
    std::shared_ptr<const IgnoreRules> rules; // in force inside the folder
    bool inRepository = false;
};

std::string trimTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

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

// The ignore patterns of one folder: the repository's exclude file (when the folder holds
// ".git"), then .gitignore, then .ignore; later files win. As git does, an ignore file that
// is a symbolic link is not read.
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

std::string lastComponent(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

// The job for a walk root. Inside a git work tree it carries the ignore rules of the
// repository's folders above the root: from the folder holding ".git" down to the root's
// parent. The first ".git" met on the way up decides, as for git: a folder that is no
// repository is passed over, but a repository of another user's (or a ".git" file naming
// none) ends the search with no work tree.
FolderJob rootJob(const std::string& root)
{
    FolderJob job{nullptr, std::make_shared<const Place>(nullptr, trimTrailingSlashes(root)), nullptr, false};
    char resolved[PATH_MAX];
    if (!::realpath(root.c_str(), resolved))
        return job;
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
        return job;
    job.inRepository = true;
    if (chain.empty())
        return job;
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
    job.rules = IgnoreRules::inside(rules, lastComponent(resolved));
    return job;
}

// The number of folders the walk keeps open at once: a quarter of the process's file
// descriptors, so that reading files, listing folders and the rest of the process have room.
int openFolderBudget()
{
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 4096;
    return static_cast<int>(std::clamp<rlim_t>(limit.rlim_cur / 4, 4, 4096));
}

// The records of every walk point into its tables: it lasts as long as the process.
const Classifier& sharedClassifier()
{
    static const Classifier classifier;
    return classifier;
}

class Walk {
public:
    explicit Walk(const Options& options) : options_(options), budget_(openFolderBudget())
    {
        for (const auto& language : languages())
            syntaxes_.emplace_back(language);
    }

    WalkResult run()
    {
        const unsigned threads = threads::count(options_.threads);
        perThread_.resize(threads);

        // Each folder or file once, however often or nested it is given: a root met inside
        // another root's walk is left to its own.
        std::vector<std::pair<std::string, struct stat>> roots;
        for (const auto& path : options_.paths) {
            struct stat st {};
            if (::stat(path.c_str(), &st) != 0 || !(S_ISDIR(st.st_mode) || S_ISREG(st.st_mode)))
                continue;
            const bool seen = std::any_of(roots.begin(), roots.end(), [&st](const auto& r) {
                return r.second.st_dev == st.st_dev && r.second.st_ino == st.st_ino;
            });
            if (!seen)
                roots.emplace_back(path, st);
        }
        if (roots.size() > 1)
            for (const auto& [path, st] : roots)
                rootIds_.emplace_back(st.st_dev, st.st_ino);

        for (const auto& [path, st] : roots) {
            if (S_ISDIR(st.st_mode)) {
                Job job;
                job.folder = rootJob(path);
                push(std::move(job));
                continue;
            }
            std::string symlocation;
            struct stat link {};
            char target[PATH_MAX];
            if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode) && ::realpath(path.c_str(), target))
                symlocation = target;
            Job job;
            job.add(path, false);
            job.symlocation = std::move(symlocation);
            push(std::move(job));
        }

        // On as many threads as can be started: each takes jobs until none are left.
        threads::onThreads(threads, [this](unsigned i) { work(perThread_[i]); });

        // Each thread's records stay where it put them.
        WalkResult result;
        result.parts.resize(threads);
        for (unsigned i = 0; i < threads; ++i) {
            result.parts[i] = std::move(perThread_[i].part);
            result.warnings.insert(result.warnings.end(), perThread_[i].warnings.begin(), perThread_[i].warnings.end());
        }
        return result;
    }

private:
    void push(Job job)
    {
        {
            std::lock_guard lock(mutex_);
            jobs_.push_back(std::move(job));
            if (idle_ == 0)
                return;
        }
        wake_.notify_one();
    }

    // What one thread found.
    struct Found {
        WalkResult::Part part;
        std::vector<std::string> warnings;
        std::string location; // room to put a file's location together
    };

    void work(Found& out)
    {
        FileScanner scanner(classifier_, syntaxes_, options_);
        for (;;) {
            Job job;
            {
                std::unique_lock lock(mutex_);
                ++idle_;
                wake_.wait(lock, [this] { return !jobs_.empty() || busy_ == 0; });
                --idle_;
                if (jobs_.empty())
                    break; // nothing queued and nobody left to queue more
                job = std::move(jobs_.back());
                jobs_.pop_back();
                ++busy_;
            }
            if (job.folder)
                listFolder(*job.folder, scanner, out);
            for (std::size_t i = 0; i < job.fileCount; ++i) {
                const FileJob& file = job.files[i];
                const char* name = job.names.c_str() + file.name;
                if (job.in)
                    scanFile(scanner, job.in->fd, job.in->path, name, file.link, out);
                else
                    scanPath(scanner, name, job.symlocation, out);
            }
            job = Job{}; // let go of the folder before saying the work is done
            {
                std::lock_guard lock(mutex_);
                --busy_;
                if (busy_ == 0 && jobs_.empty())
                    wake_.notify_all();
            }
        }
        wake_.notify_all();
        out.part.texts = std::move(scanner.texts());
    }

    // Counts the file `name` of the folder open as `folder`, whose path is `folderPath`.
    static void scanFile(FileScanner& scanner, int folder, const std::string& folderPath, const char* name, bool link,
                         Found& out)
    {
        std::string& location = out.location;
        location.assign(folderPath);
        if (location.empty() || location.back() != '/')
            location += '/';
        const std::size_t nameAt = location.size();
        location += name;
        std::string warning;
        if (auto record = scanner.scan(folder, name, location, std::string_view(location).substr(nameAt), {}, link,
                                       warning))
            out.part.files.push_back(*record);
        else if (!warning.empty())
            out.warnings.push_back(std::move(warning));
    }

    // Counts a file given by its path.
    static void scanPath(FileScanner& scanner, const char* path, const std::string& symlocation, Found& out)
    {
        std::string warning;
        const std::string name = fileNameOf(path);
        if (auto record = scanner.scan(AT_FDCWD, path, path, name, symlocation, false, warning))
            out.part.files.push_back(*record);
        else if (!warning.empty())
            out.warnings.push_back(std::move(warning));
    }

    static std::string fileNameOf(const std::string& path)
    {
        const std::string trimmed = trimTrailingSlashes(path);
        const auto slash = trimmed.rfind('/');
        return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    }

    // Whether an entry of a folder is one of the walk's roots, walked on its own.
    bool isOtherRoot(int folder, std::uint64_t inode, const char* name) const
    {
        if (rootIds_.empty())
            return false;
        const auto ino = static_cast<ino_t>(inode);
        if (std::none_of(rootIds_.begin(), rootIds_.end(), [ino](const auto& id) { return id.second == ino; }))
            return false;
        struct stat st {};
        if (::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        return std::any_of(rootIds_.begin(), rootIds_.end(),
                           [&st](const auto& id) { return id.first == st.st_dev && id.second == st.st_ino; });
    }

    // Reads the folder open as `fd`: its ignore files, then its entries, handing each file
    // to count to `take` (its name and whether it is a link). The entries are read straight
    // from the descriptor, which is left at their end.
    template <class Take>
    void list(int fd, const std::shared_ptr<const IgnoreRules>& rulesFromAbove, bool inRepository, Listing& listing,
              Take take) const
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
                if (isOtherRoot(fd, e->d_ino, name))
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
            listing.rules = IgnoreRules::withPatterns(listing.rules,
                                                      folderPatterns(fd, exclude, hasGitignore, hasIgnore));
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

    void listFolder(FolderJob& folder, FileScanner& scanner, Found& out)
    {
        const Place& place = *folder.place;
        const int fd = folder.parent ? ::openat(folder.parent->fd, place.name.c_str(),
                                                O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)
                                     : ::open(place.name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        folder.parent.reset();
        if (fd < 0) {
            out.warnings.push_back(pathOf(place) + ": " + std::strerror(errno));
            return;
        }
        auto open = std::make_shared<OpenFolder>(fd, openFolders_, std::string());
        Listing listing;
        Job files;
        files.in = open;
        list(fd, folder.rules, folder.inRepository, listing, [&](const char* name, bool link) {
            // The path only once there is a file to show in it: a chain of empty folders
            // however deep costs each folder its own name.
            if (open->path.empty())
                open->path = pathOf(place);
            files.add(name, link);
            if (files.fileCount == filesPerJob) {
                push(std::move(files));
                files = Job{};
                files.in = open;
            }
        });
        if (files.fileCount > 0)
            push(std::move(files));

        if (openFolders_ >= budget_) {
            // Each folder job keeps its parent open: past the budget, this thread walks the
            // subfolders itself, keeping one folder open at a time.
            walkDeep(fd, folder.place, listing, scanner, out);
            return;
        }
        for (auto& name : listing.folders) {
            auto rules = IgnoreRules::inside(listing.rules, name);
            Job job;
            job.folder = FolderJob{open, std::make_shared<const Place>(folder.place, std::move(name)), std::move(rules),
                                   listing.inRepository};
            push(std::move(job));
        }
    }

    // Walks the subfolders of a listed folder (open as `top`) depth first in this thread,
    // with one folder open at a time besides `top`: a folder's own files are counted while
    // it is open, and the walk returns to a parent through "..", checked to be the folder it
    // came from. Time and descriptors stay bounded however deep or wide the tree is.
    void walkDeep(int top, const std::shared_ptr<const Place>& topPlace, Listing& topListing, FileScanner& scanner,
                  Found& out)
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
            out.warnings.push_back(pathOf(*topPlace) + ": " + std::strerror(errno));
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
                            out.warnings.push_back(pathOf(*frames[i].place) + ": changed while being counted");
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
                out.warnings.push_back(pathOf(*place) + ": " + std::strerror(errno));
                continue;
            }
            Listing listing;
            std::string path; // once there is a file to show in it
            list(child, IgnoreRules::inside(frame.rules, name), frame.inRepository, listing,
                 [&](const char* file, bool link) {
                     if (path.empty())
                         path = pathOf(*place);
                     scanFile(scanner, child, path, file, link, out);
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

    const Options& options_;
    const Classifier& classifier_ = sharedClassifier();
    std::vector<Syntax> syntaxes_;
    std::vector<Found> perThread_;
    std::vector<std::pair<dev_t, ino_t>> rootIds_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Job> jobs_;
    int busy_ = 0;
    int idle_ = 0;
    std::atomic<int> openFolders_{0};
    const int budget_;
};

} // namespace

WalkResult walk(const Options& options)
{
    Walk w(options);
    return w.run();
}

} // namespace qm::counter
