#include "counter/Walker.h"

#include "counter/IgnoreRules.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm::counter {

namespace {

// A folder kept open while jobs below it still need it: files and folders in it are opened
// relative to it, so no path grows past the system's limit.
struct OpenFolder {
    int fd = -1;
    explicit OpenFolder(int descriptor) : fd(descriptor) {}
    ~OpenFolder()
    {
        if (fd >= 0)
            ::close(fd);
    }
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;
};

struct FolderJob {
    std::shared_ptr<OpenFolder> parent;  // none for a walk root, which opens by its path
    std::string name;                    // in the parent
    std::string path;                    // as shown in locations
    std::string rel;                     // from the walk root, "" or ending in "/"
    std::shared_ptr<const IgnoreRules> rules;
    bool inRepository = false;  // .gitignore files count only inside a git work tree
};

struct FileJob {
    std::string name;  // in the job's folder, or a path
    std::string location;
    std::string symlocation;
    bool link = false;
};

struct Job {
    std::optional<FolderJob> folder;
    std::shared_ptr<OpenFolder> in;  // the files' folder; none: their names are paths
    std::vector<FileJob> files;
};

constexpr std::size_t filesPerJob = 8;

std::string join(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

std::string trimTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

// The contents of a small file `name` of the folder open as `folder`.
std::optional<std::string> readSmallFile(int folder, const std::string& name)
{
    const int fd = ::openat(folder, name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    std::string text;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0 || text.size() > (1u << 24))
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return text;
}

// Where a repository's own exclude file lies, from the folder holding ".git": inside the
// ".git" folder, or for a linked work tree (".git" a file naming the git folder) in the
// folder it shares with the main work tree.
std::string excludeFileOf(int folder, bool gitIsFile)
{
    if (!gitIsFile)
        return ".git/info/exclude";
    const auto text = readSmallFile(folder, ".git");
    if (!text || text->rfind("gitdir:", 0) != 0)
        return {};
    std::string gitDir = text->substr(7);
    gitDir.erase(0, gitDir.find_first_not_of(" \t"));
    gitDir.erase(gitDir.find_last_not_of(" \t\r\n") + 1);
    if (gitDir.empty())
        return {};
    if (auto common = readSmallFile(folder, gitDir + "/commondir")) {
        common->erase(common->find_last_not_of(" \t\r\n") + 1);
        if (!common->empty())
            return (common->front() == '/' ? *common : gitDir + "/" + *common) + "/info/exclude";
    }
    return gitDir + "/info/exclude";
}

// The ignore patterns of one folder: the repository's exclude file (when the folder holds
// ".git"), then .gitignore, then .ignore; later files win.
std::vector<IgnorePattern> folderPatterns(int folder, const std::string& excludeFile, bool hasGitignore,
                                          bool hasIgnore)
{
    std::vector<IgnorePattern> patterns;
    const std::pair<bool, std::string> files[] = {
        {!excludeFile.empty(), excludeFile}, {hasGitignore, ".gitignore"}, {hasIgnore, ".ignore"}};
    for (const auto& [present, name] : files) {
        if (!present)
            continue;
        if (const auto text = readSmallFile(folder, name)) {
            auto more = parseIgnoreFile(*text);
            patterns.insert(patterns.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
        }
    }
    return patterns;
}

// What ".git" is in a folder: none (0), a folder (S_IFDIR) or a file (S_IFREG).
unsigned gitEntry(const std::string& folder)
{
    struct stat st{};
    if (::lstat(join(folder, ".git").c_str(), &st) != 0)
        return 0;
    return S_ISDIR(st.st_mode) ? S_IFDIR : S_ISREG(st.st_mode) ? S_IFREG : 0;
}

// The job for a walk root. Inside a git work tree it carries the ignore rules of the
// repository's folders above the root: from the folder holding ".git" down to the root's
// parent.
FolderJob rootJob(const std::string& root)
{
    FolderJob job{nullptr, root, trimTrailingSlashes(root), "", nullptr, false};
    char resolved[PATH_MAX];
    if (!::realpath(root.c_str(), resolved))
        return job;
    std::string dir = resolved;
    std::vector<std::string> chain;  // root's parent first
    unsigned git = 0;
    while ((git = gitEntry(dir)) == 0 && dir != "/") {
        const auto slash = dir.rfind('/');
        dir = slash == 0 ? "/" : dir.substr(0, slash);
        chain.push_back(dir);
    }
    if (git == 0)
        return job;
    job.inRepository = true;
    std::shared_ptr<const IgnoreRules> rules;
    const std::string rootPath = resolved;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        const int fd = ::open(it->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            continue;
        const std::string exclude = *it == dir ? excludeFileOf(fd, git == S_IFREG) : std::string();
        auto patterns = folderPatterns(fd, exclude, true, true);
        ::close(fd);
        if (patterns.empty())
            continue;
        std::string below = rootPath.substr(*it == "/" ? 1 : it->size() + 1) + "/";
        rules = IgnoreRules::forAncestor(rules, std::move(below), std::move(patterns));
    }
    job.rules = std::move(rules);
    return job;
}

class Walk {
public:
    explicit Walk(const Options& options) : options_(options)
    {
        for (const auto& language : languages())
            syntaxes_.emplace_back(language);
    }

    WalkResult run()
    {
        unsigned threads = options_.threads ? options_.threads : std::thread::hardware_concurrency();
        threads = std::max(1u, threads);
        perThread_.resize(threads);

        // Each folder or file once, however often or nested it is given: a root met inside
        // another root's walk is left to its own.
        std::vector<std::pair<std::string, struct stat>> roots;
        for (const auto& path : options_.paths) {
            struct stat st{};
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
                push(Job{rootJob(path), nullptr, {}});
                continue;
            }
            std::string symlocation;
            struct stat link{};
            char target[PATH_MAX];
            if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode) && ::realpath(path.c_str(), target))
                symlocation = target;
            Job job;
            job.files.push_back({path, path, std::move(symlocation), false});
            push(std::move(job));
        }

        std::vector<std::thread> workers;
        for (unsigned i = 1; i < threads; ++i)
            workers.emplace_back([this, i] { work(perThread_[i]); });
        work(perThread_[0]);
        for (auto& w : workers)
            w.join();

        WalkResult result;
        for (auto& part : perThread_) {
            result.files.insert(result.files.end(), std::make_move_iterator(part.files.begin()),
                                std::make_move_iterator(part.files.end()));
            result.warnings.insert(result.warnings.end(), part.warnings.begin(), part.warnings.end());
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

    void work(WalkResult& out)
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
                    break;  // nothing queued and nobody left to queue more
                job = std::move(jobs_.back());
                jobs_.pop_back();
                ++busy_;
            }
            if (job.folder)
                listFolder(*job.folder, out);
            for (auto& file : job.files) {
                std::string warning;
                const int folder = job.in ? job.in->fd : AT_FDCWD;
                std::string name = job.in ? file.name : fileNameOf(file.name);
                if (auto record = scanner.scan(folder, file.name, std::move(file.location), std::move(name),
                                               std::move(file.symlocation), file.link, warning))
                    out.files.push_back(std::move(*record));
                else if (!warning.empty())
                    out.warnings.push_back(std::move(warning));
            }
            job = Job{};  // let go of the folder before saying the work is done
            {
                std::lock_guard lock(mutex_);
                --busy_;
                if (busy_ == 0 && jobs_.empty())
                    wake_.notify_all();
            }
        }
        wake_.notify_all();
    }

    static std::string fileNameOf(const std::string& path)
    {
        const std::string trimmed = trimTrailingSlashes(path);
        const auto slash = trimmed.rfind('/');
        return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    }

    // Whether an entry of a folder is one of the walk's roots, walked on its own.
    bool isOtherRoot(int folder, const dirent& entry) const
    {
        if (rootIds_.empty())
            return false;
        const auto ino = static_cast<ino_t>(entry.d_ino);
        if (std::none_of(rootIds_.begin(), rootIds_.end(), [ino](const auto& id) { return id.second == ino; }))
            return false;
        struct stat st{};
        if (::fstatat(folder, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            return false;
        return std::any_of(rootIds_.begin(), rootIds_.end(),
                           [&st](const auto& id) { return id.first == st.st_dev && id.second == st.st_ino; });
    }

    void listFolder(FolderJob& folder, WalkResult& out)
    {
        const int fd = folder.parent
                           ? ::openat(folder.parent->fd, folder.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC)
                           : ::open(folder.path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        folder.parent.reset();
        if (fd < 0) {
            out.warnings.push_back(folder.path + ": " + std::strerror(errno));
            return;
        }
        auto open = std::make_shared<OpenFolder>(fd);
        const int listing = ::dup(fd);
        DIR* dir = listing >= 0 ? ::fdopendir(listing) : nullptr;
        if (!dir) {
            if (listing >= 0)
                ::close(listing);
            out.warnings.push_back(folder.path + ": " + std::strerror(errno));
            return;
        }
        struct Entry {
            std::string name;
            unsigned char type;
        };
        std::vector<Entry> entries;
        bool hasGitignore = false;
        bool hasIgnore = false;
        unsigned char git = DT_UNKNOWN;
        bool hasGit = false;
        bool inRepository = folder.inRepository;
        while (const dirent* e = ::readdir(dir)) {
            const char* name = e->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            if (isOtherRoot(fd, *e))
                continue;
            entries.push_back({name, e->d_type});
            hasGitignore = hasGitignore || std::strcmp(name, ".gitignore") == 0;
            hasIgnore = hasIgnore || std::strcmp(name, ".ignore") == 0;
            if (std::strcmp(name, ".git") == 0) {
                hasGit = true;
                git = e->d_type;
            }
        }
        ::closedir(dir);
        if (hasGit && git == DT_UNKNOWN) {
            struct stat st{};
            git = ::fstatat(fd, ".git", &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) ? DT_REG : DT_DIR;
        }
        inRepository = inRepository || hasGit;
        hasGitignore = hasGitignore && inRepository;

        std::shared_ptr<const IgnoreRules> rules = folder.rules;
        const std::string exclude = hasGit ? excludeFileOf(fd, git == DT_REG) : std::string();
        if (hasGitignore || hasIgnore || !exclude.empty()) {
            auto patterns = folderPatterns(fd, exclude, hasGitignore, hasIgnore);
            if (!patterns.empty())
                rules = IgnoreRules::forFolder(rules, folder.rel, std::move(patterns));
        }

        Job files;
        files.in = open;
        for (auto& entry : entries) {
            std::string rel = folder.rel + entry.name;
            unsigned char type = entry.type;
            if (type == DT_UNKNOWN) {
                struct stat st{};
                if (::fstatat(fd, entry.name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
                    continue;
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : S_ISLNK(st.st_mode) ? DT_LNK : DT_UNKNOWN;
            }
            if (type == DT_DIR) {
                if (entry.name == ".git" || entry.name == ".hg" || entry.name == ".svn")
                    continue;
                if (IgnoreRules::ignored(rules.get(), rel, true))
                    continue;
                std::string path = join(folder.path, entry.name);
                push(Job{FolderJob{open, std::move(entry.name), std::move(path), rel + "/", rules, inRepository}, nullptr, {}});
                continue;
            }
            bool link = false;
            if (type == DT_LNK) {
                // Links to files are counted (with their target); links to folders are not
                // followed, so link loops cannot trap the walk.
                struct stat st{};
                if (::fstatat(fd, entry.name.c_str(), &st, 0) != 0 || !S_ISREG(st.st_mode))
                    continue;
                link = true;
            } else if (type != DT_REG) {
                continue;
            }
            if (IgnoreRules::ignored(rules.get(), rel, false))
                continue;
            std::string location = join(folder.path, entry.name);
            files.files.push_back({std::move(entry.name), std::move(location), {}, link});
            if (files.files.size() == filesPerJob) {
                push(std::move(files));
                files = Job{};
                files.in = open;
            }
        }
        if (!files.files.empty())
            push(std::move(files));
    }

    const Options& options_;
    Classifier classifier_;
    std::vector<Syntax> syntaxes_;
    std::vector<WalkResult> perThread_;
    std::vector<std::pair<dev_t, ino_t>> rootIds_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Job> jobs_;
    int busy_ = 0;
    int idle_ = 0;
};

} // namespace

WalkResult walk(const Options& options)
{
    Walk w(options);
    return w.run();
}

} // namespace qm::counter
