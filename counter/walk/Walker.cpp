#include "counter/walk/Walker.h"

#include "counter/walk/DeepWalk.h"
#include "counter/walk/IgnoreFiles.h"
#include "counter/walk/JobPool.h"
#include "counter/walk/Listing.h"
#include "counter/walk/Place.h"

#include "common/Threads.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm::counter {

namespace {

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

std::string trimTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
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
        // another root's walk is left to its own. A file given through a symbolic link is
        // counted as a link, like one met in a walk: the summary keeps each file once, under
        // its own name where that is counted too, so the file it leads to is not left out of
        // a walk for it.
        struct Root {
            std::string path;
            struct stat st;
            bool linkedFile; // a file named through a symbolic link
        };
        std::vector<Root> roots;
        for (const auto& path : options_.paths) {
            struct stat st {};
            if (::stat(path.c_str(), &st) != 0 || !(S_ISDIR(st.st_mode) || S_ISREG(st.st_mode)))
                continue;
            struct stat own {};
            const bool link = S_ISREG(st.st_mode) && ::lstat(path.c_str(), &own) == 0 && S_ISLNK(own.st_mode);
            const bool seen = !link && std::any_of(roots.begin(), roots.end(), [&st](const Root& r) {
                return !r.linkedFile && r.st.st_dev == st.st_dev && r.st.st_ino == st.st_ino;
            });
            if (!seen)
                roots.push_back({path, st, link});
        }
        if (roots.size() > 1)
            for (const Root& root : roots)
                if (!root.linkedFile)
                    rootIds_.emplace_back(root.st.st_dev, root.st.st_ino);

        for (const auto& [path, st, linkedFile] : roots) {
            if (S_ISDIR(st.st_mode)) {
                RootRules above = rulesAboveRoot(path);
                Job job;
                job.folder = FolderJob{nullptr, std::make_shared<const Place>(nullptr, trimTrailingSlashes(path)),
                                       std::move(above.rules), above.inRepository};
                push(std::move(job));
                continue;
            }
            std::string symlocation;
            char target[PATH_MAX];
            if (linkedFile && ::realpath(path.c_str(), target))
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
    void push(Job job) { pool_.push(std::move(job)); }

    // What one thread found.
    struct Found {
        WalkResult::Part part;
        std::vector<std::string> warnings;
        std::string location; // room to put a file's location together
    };

    void work(Found& out)
    {
        FileScanner scanner(classifier_, syntaxes_, options_);
        pool_.work([&](Job& job) {
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
        });
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
        qm::counter::listFolder(fd, folder.rules, folder.inRepository, rootIds_, listing,
                                [&](const char* name, bool link) {
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
            walkDeep(
                fd, folder.place, listing, rootIds_,
                [&](int in, const std::string& path, const char* name, bool link) {
                    scanFile(scanner, in, path, name, link, out);
                },
                out.warnings);
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

    const Options& options_;
    const Classifier& classifier_ = sharedClassifier();
    std::vector<Syntax> syntaxes_;
    std::vector<Found> perThread_;
    RootIds rootIds_;
    JobPool<Job> pool_;
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
