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

// Runs the built counter with `arguments` in the folder `cwd`; `unprivileged`
// runs it as the user nobody when the tests run as root, so that file
// permissions apply to it.
inline RunResult runScc(const std::vector<std::string>& arguments, const std::string& cwd, bool unprivileged = false)
{
    const std::string exe = QM_BUNDLE_DIR "/libexec/quillmarrow/scc";
    TempTree outputs;
    const std::string outPath = outputs.path("out"), errPath = outputs.path("err");
    std::vector<char*> argv{const_cast<char*>(exe.c_str())};
    for (const auto& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const bool drop = unprivileged && ::geteuid() == 0;
    RunResult result;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
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

} // namespace qm::counter::test
