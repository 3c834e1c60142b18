#include "counter/Walker.h"

#include "counter/IgnoreRules.h"

#include <climits>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>

#include <dirent.h>
#include <sys/stat.h>

namespace qm::counter {

namespace {

struct FolderJob {
    std::string path;  // as shown in locations
    std::string rel;   // from the walk root, "" or ending in "/"
    std::shared_ptr<const IgnoreRules> rules;
    bool inRepository = false;  // .gitignore files count only inside a git work tree
};

struct FileJob {
    std::string path;
    std::string name;
    std::string symlocation;
};

struct Job {
    std::optional<FolderJob> folder;
    std::vector<FileJob> files;
};

constexpr std::size_t filesPerJob = 16;

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

std::optional<std::string> readSmallFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<IgnorePattern> folderPatterns(const std::string& folder, bool hasGitignore, bool hasIgnore)
{
    std::vector<IgnorePattern> patterns;
    // .ignore comes second, so its patterns win over .gitignore's.
    for (const auto& [present, name] : {std::pair{hasGitignore, ".gitignore"}, std::pair{hasIgnore, ".ignore"}}) {
        if (!present)
            continue;
        if (const auto text = readSmallFile(join(folder, name))) {
            auto more = parseIgnoreFile(*text);
            patterns.insert(patterns.end(), std::make_move_iterator(more.begin()), std::make_move_iterator(more.end()));
        }
    }
    return patterns;
}

bool exists(const std::string& path)
{
    struct stat st{};
    return ::lstat(path.c_str(), &st) == 0;
}

// The job for a walk root. Inside a git work tree it carries the ignore rules of the
// repository's folders above the root: from the folder holding ".git" down to the root's
// parent.
FolderJob rootJob(const std::string& root)
{
    FolderJob job{trimTrailingSlashes(root), "", nullptr, false};
    char resolved[PATH_MAX];
    if (!::realpath(root.c_str(), resolved))
        return job;
    std::string dir = resolved;
    std::vector<std::string> chain;  // root's parent first
    while (dir != "/" && !exists(join(dir, ".git"))) {
        const auto slash = dir.rfind('/');
        dir = slash == 0 ? "/" : dir.substr(0, slash);
        chain.push_back(dir);
    }
    if (dir == "/" && !exists("/.git"))
        return job;
    job.inRepository = true;
    std::shared_ptr<const IgnoreRules> rules;
    const std::string rootPath = resolved;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        auto patterns = folderPatterns(*it, true, true);
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
    Walk(const Options& options) : options_(options)
    {
        for (const auto& language : languages())
            syntaxes_.emplace_back(language);
    }

    WalkResult run()
    {
        unsigned threads = options_.threads ? options_.threads : std::thread::hardware_concurrency();
        threads = std::max(1u, threads);
        perThread_.resize(threads);

        for (const auto& path : options_.paths) {
            struct stat st{};
            if (::stat(path.c_str(), &st) != 0)
                continue;
            if (S_ISDIR(st.st_mode)) {
                push(Job{rootJob(path), {}});
            } else if (S_ISREG(st.st_mode)) {
                const auto slash = trimTrailingSlashes(path).rfind('/');
                std::string symlocation;
                struct stat link{};
                char target[PATH_MAX];
                if (::lstat(path.c_str(), &link) == 0 && S_ISLNK(link.st_mode) && ::realpath(path.c_str(), target))
                    symlocation = target;
                Job job;
                job.files.push_back({path, slash == std::string::npos ? path : path.substr(slash + 1), std::move(symlocation)});
                push(std::move(job));
            }
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
                wake_.wait(lock, [this] { return !jobs_.empty() || busy_ == 0; });
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
                if (auto record = scanner.scan(std::move(file.path), std::move(file.name), std::move(file.symlocation), warning))
                    out.files.push_back(std::move(*record));
                else if (!warning.empty())
                    out.warnings.push_back(std::move(warning));
            }
            {
                std::lock_guard lock(mutex_);
                --busy_;
                if (busy_ == 0 && jobs_.empty()) {
                    wake_.notify_all();
                }
            }
        }
        wake_.notify_all();
    }

    void listFolder(const FolderJob& folder, WalkResult& out)
    {
        DIR* dir = ::opendir(folder.path.c_str());
        if (!dir) {
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
        bool inRepository = folder.inRepository;
        while (const dirent* e = ::readdir(dir)) {
            const char* name = e->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            entries.push_back({name, e->d_type});
            hasGitignore = hasGitignore || std::strcmp(name, ".gitignore") == 0;
            hasIgnore = hasIgnore || std::strcmp(name, ".ignore") == 0;
            inRepository = inRepository || std::strcmp(name, ".git") == 0;
        }
        hasGitignore = hasGitignore && inRepository;
        ::closedir(dir);

        std::shared_ptr<const IgnoreRules> rules = folder.rules;
        if (hasGitignore || hasIgnore) {
            auto patterns = folderPatterns(folder.path, hasGitignore, hasIgnore);
            if (!patterns.empty())
                rules = IgnoreRules::forFolder(rules, folder.rel, std::move(patterns));
        }

        Job files;
        for (auto& entry : entries) {
            std::string path = join(folder.path, entry.name);
            std::string rel = folder.rel + entry.name;
            unsigned char type = entry.type;
            if (type == DT_UNKNOWN) {
                struct stat st{};
                if (::lstat(path.c_str(), &st) != 0)
                    continue;
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : S_ISLNK(st.st_mode) ? DT_LNK : DT_UNKNOWN;
            }
            std::string symlocation;
            if (type == DT_DIR) {
                if (entry.name == ".git" || entry.name == ".hg" || entry.name == ".svn")
                    continue;
                if (IgnoreRules::ignored(rules.get(), rel, true))
                    continue;
                push(Job{FolderJob{std::move(path), rel + "/", rules, inRepository}, {}});
                continue;
            }
            if (type == DT_LNK) {
                // Links to files are counted (with their target); links to folders are not
                // followed, so link loops cannot trap the walk.
                struct stat st{};
                if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
                    continue;
                char target[PATH_MAX];
                if (::realpath(path.c_str(), target))
                    symlocation = target;
            } else if (type != DT_REG) {
                continue;
            }
            if (IgnoreRules::ignored(rules.get(), rel, false))
                continue;
            files.files.push_back({std::move(path), std::move(entry.name), std::move(symlocation)});
            if (files.files.size() == filesPerJob) {
                push(std::move(files));
                files = Job{};
            }
        }
        if (!files.files.empty())
            push(std::move(files));
    }

    const Options& options_;
    Classifier classifier_;
    std::vector<Syntax> syntaxes_;
    std::vector<WalkResult> perThread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Job> jobs_;
    int busy_ = 0;
};

} // namespace

WalkResult walk(const Options& options)
{
    Walk w(options);
    return w.run();
}

} // namespace qm::counter
