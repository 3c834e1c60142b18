#pragma once

// Fixture trees in temporary folders, and runs of the real counter executable.

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qm::counter::test {

class TempTree {
public:
    TempTree()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "scc-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot make a temporary folder");
        root_ = pattern;
    }
    ~TempTree()
    {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& root() const { return root_; }
    std::string path(const std::string& rel) const { return root_ + "/" + rel; }

    void write(const std::string& rel, const std::string& content) const
    {
        const std::filesystem::path p = path(rel);
        std::filesystem::create_directories(p.parent_path());
        std::ofstream out(p, std::ios::binary);
        out << content;
    }
    void folder(const std::string& rel) const { std::filesystem::create_directories(path(rel)); }
    void link(const std::string& target, const std::string& rel) const
    {
        std::filesystem::create_symlink(target, path(rel));
    }

private:
    std::string root_;
};

// Makes the folder `folder` of the tree ("" for its root) the work tree of a git repository as
// git recognises one: a ".git" folder holding HEAD, objects/ and refs/.
inline void makeRepository(const TempTree& t, const std::string& folder)
{
    const std::string git = folder.empty() ? ".git" : folder + "/.git";
    t.write(git + "/HEAD", "ref: refs/heads/main\n");
    t.folder(git + "/objects");
    t.folder(git + "/refs/heads");
}

// Empties the folder `path`, however deep its tree: each folder's entries are moved up into
// `path` before the folder goes, so no long path is needed, no recursion and few descriptors.
inline void emptyDeepTree(const std::string& path)
{
    const int top = ::open(path.c_str(), O_RDONLY | O_DIRECTORY);
    if (top < 0)
        return;
    const auto names = [](int folder) {
        std::vector<std::string> found;
        if (DIR* dir = ::fdopendir(::dup(folder))) {
            while (const dirent* e = ::readdir(dir))
                if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                    found.emplace_back(e->d_name);
            ::closedir(dir);
        }
        return found;
    };
    std::size_t moved = 0;
    for (auto entries = names(top); !entries.empty(); entries = names(top)) {
        for (const auto& name : entries) {
            struct stat st {};
            if (::fstatat(top, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISDIR(st.st_mode)) {
                ::unlinkat(top, name.c_str(), 0);
                continue;
            }
            ::fchmodat(top, name.c_str(), 0700, 0);
            const int folder = ::openat(top, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
            if (folder >= 0) {
                for (const auto& child : names(folder))
                    ::renameat(folder, child.c_str(), top, ("moved-" + std::to_string(moved++)).c_str());
                ::close(folder);
            }
            if (::unlinkat(top, name.c_str(), AT_REMOVEDIR) != 0)
                ::renameat(top, name.c_str(), top, ("moved-" + std::to_string(moved++)).c_str());
        }
    }
    ::close(top);
}

struct RunResult {
    int status = -1;
    int signal = 0; // the signal that ended it, if one did
    std::string out;
    std::string err;
    bool timedOut = false;
};

// How a run of the counter is set up beyond its arguments.
struct RunSetup {
    int timeoutSeconds = 300;    // a hang guard: the run is killed after this long
    rlim_t openFiles = 0;        // its limit of open file descriptors; 0: the tests' own
    bool closedPipe = false;     // its standard output a pipe whose reading end is closed
    bool ignoresSigpipe = false; // started with SIGPIPE ignored, as some parents leave it
    // Its user may have one process, which it is already: it can start no thread. (Set after
    // becoming nobody, so that other processes of that user cannot stop it from starting.)
    bool noMoreThreads = false;
};

inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline const std::string builtCounter = QM_BUNDLE_DIR "/libexec/quillmarrow/scc";

// The counter as the user nobody runs it: a copy in a temporary folder that everyone may
// enter, since the build folder can lie where that user cannot go (a build under root's home).
inline const std::string& counterForEveryone()
{
    static const TempTree folder;
    static const std::string copy = [] {
        const std::string path = folder.path("scc");
        std::filesystem::copy_file(builtCounter, path);
        ::chmod(folder.root().c_str(), 0755);
        ::chmod(path.c_str(), 0755);
        return path;
    }();
    return copy;
}

// Runs the built counter with `arguments` in the folder `cwd`; `unprivileged`
// runs it as the user nobody when the tests run as root, so that file
// permissions apply to it. A counter that cannot be started gives status 127,
// one killed by a signal or by the hang guard -1 (with the signal).
// `standardOutput` names a file to write to instead of the one read back.
inline RunResult runScc(const std::vector<std::string>& arguments, const std::string& cwd, bool unprivileged = false,
                        const std::string& standardOutput = {}, const RunSetup& setup = {})
{
    const bool drop = unprivileged && ::geteuid() == 0;
    const std::string exe = drop ? counterForEveryone() : builtCounter;
    TempTree outputs;
    const std::string outPath = outputs.path("out"), errPath = outputs.path("err");
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (const auto& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int pipeEnds[2] = {-1, -1};
    if (setup.closedPipe && ::pipe(pipeEnds) == 0)
        ::close(pipeEnds[0]);
    RunResult result;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = setup.closedPipe         ? pipeEnds[1]
                        : standardOutput.empty() ? ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)
                                                 : ::open(standardOutput.c_str(), O_WRONLY);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const rlimit files{setup.openFiles, setup.openFiles};
        const rlimit oneProcess{1, 1};
        if (out >= 0 && err >= 0 && ::dup2(out, STDOUT_FILENO) >= 0 && ::dup2(err, STDERR_FILENO) >= 0 &&
            ::chdir(cwd.c_str()) == 0 && (setup.openFiles == 0 || ::setrlimit(RLIMIT_NOFILE, &files) == 0) &&
            (!drop || (::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0)) &&
            ::signal(SIGPIPE, setup.ignoresSigpipe ? SIG_IGN : SIG_DFL) != SIG_ERR &&
            (!setup.noMoreThreads || ::setrlimit(RLIMIT_NPROC, &oneProcess) == 0))
            ::execve(exe.c_str(), argv.data(), environ);
        ::_exit(127);
    }
    if (pipeEnds[1] >= 0)
        ::close(pipeEnds[1]);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(setup.timeoutSeconds);
    pid_t done = 0;
    while (pid > 0 && (done = ::waitpid(pid, &status, WNOHANG)) == 0 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (pid > 0 && done == 0) {
        ::kill(pid, SIGKILL);
        done = ::waitpid(pid, &status, 0);
        result.timedOut = true;
    }
    if (pid > 0 && done == pid) {
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
    result.out = readFile(outPath);
    result.err = readFile(errPath);
    return result;
}

// Why the counter cannot run as the user nobody in `cwd` ("" when it can).
inline std::string unprivilegedRunProblem(const std::string& cwd)
{
    if (runScc({"--version"}, cwd, true).status == 0)
        return {};
    return "the user nobody cannot run " + counterForEveryone() + " in " + cwd +
           " (a temporary folder that user cannot enter?)";
}

} // namespace qm::counter::test
