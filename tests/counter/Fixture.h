#pragma once

// Fixture trees in temporary folders, and runs of the real counter executable.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <grp.h>
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

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
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
// permissions apply to it. A counter that cannot be started gives status 127.
// `standardOutput` names a file to write to instead of the one read back.
inline RunResult runScc(const std::vector<std::string>& arguments, const std::string& cwd, bool unprivileged = false,
                        const std::string& standardOutput = {})
{
    const bool drop = unprivileged && ::geteuid() == 0;
    const std::string exe = drop ? counterForEveryone() : builtCounter;
    TempTree outputs;
    const std::string outPath = outputs.path("out"), errPath = outputs.path("err");
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (const auto& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    RunResult result;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = standardOutput.empty() ? ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)
                                               : ::open(standardOutput.c_str(), O_WRONLY);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (out >= 0 && err >= 0 && ::dup2(out, STDOUT_FILENO) >= 0 && ::dup2(err, STDERR_FILENO) >= 0 && ::chdir(cwd.c_str()) == 0 &&
            (!drop || (::setgroups(0, nullptr) == 0 && ::setgid(65534) == 0 && ::setuid(65534) == 0)))
            ::execve(exe.c_str(), argv.data(), environ);
        ::_exit(127);
    }
    int status = 0;
    if (pid > 0 && ::waitpid(pid, &status, 0) == pid)
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
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
