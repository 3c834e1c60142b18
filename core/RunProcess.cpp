#include "core/RunProcess.h"

#include "core/Output.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qm {

namespace {

// The children being read, and the generation runs must belong to. A child
// leaves the set before it is reaped, so a signal never reaches a process
// that took over its id.
struct Children {
    std::mutex mutex;
    std::uint64_t generation = 0;
    std::set<pid_t> running;
};

Children& children()
{
    static auto* c = new Children; // never destroyed: worker threads may still ask at exit
    return *c;
}

void endGroup(pid_t child)
{
    ::kill(-child, SIGKILL);
}

std::string describeStartFailure(const std::string& executable, int error)
{
    return "The process " + executable + " could not be started: " + std::strerror(error);
}

// Starts the child, leader of a process group of its own, with the write end
// of `pipe` as its standard output and standard error and /dev/null as its
// standard input. Returns an errno value.
int spawn(const std::string& executable, const std::vector<std::string>& arguments, int writeEnd, pid_t& child)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(executable.c_str()));
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, writeEnd, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, writeEnd, STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    int error = posix_spawn(&child, executable.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

void readToEnd(int fd, std::string& output, std::size_t spare)
{
    constexpr std::size_t chunk = 1 << 16;
    for (;;) {
        // Grow ahead of the read, keeping room for `spare`, so the text is
        // never copied once more at the end.
        if (output.capacity() < output.size() + chunk + spare)
            output.reserve(std::max(output.capacity() * 2, output.size() + chunk + spare));
        const std::size_t size = output.size();
        output.resize(size + chunk);
        ssize_t n = ::read(fd, output.data() + size, chunk);
        output.resize(size + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
        if (n == 0 || (n < 0 && errno != EINTR))
            break;
    }
}

} // namespace

std::uint64_t processGeneration()
{
    std::lock_guard lock(children().mutex);
    return children().generation;
}

void endRunningProcesses()
{
    auto& c = children();
    std::lock_guard lock(c.mutex);
    ++c.generation;
    for (pid_t child : c.running)
        endGroup(child);
}

ProcessResult runProcessToEnd(const std::string& executable, const std::vector<std::string>& arguments,
                              std::uint64_t generation, std::size_t spare)
{
    ProcessResult result;
    auto& c = children();
    if (processGeneration() != generation) {
        result.ended = true;
        return result;
    }
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        result.startError = describeStartFailure(executable, errno);
        return result;
    }
    // A large pipe lets a counter that writes tens of megabytes at once do so
    // in fewer turns (the system may refuse: then the default stays).
    ::fcntl(fds[0], F_SETPIPE_SZ, 1 << 20);
    pid_t child = 0;
    int error = spawn(executable, arguments, fds[1], child);
    close(fds[1]);
    if (error != 0) {
        close(fds[0]);
        result.startError = describeStartFailure(executable, error);
        return result;
    }
    {
        std::lock_guard lock(c.mutex);
        if (c.generation != generation)
            endGroup(child); // ended while it was being started
        else
            c.running.insert(child);
    }

    readToEnd(fds[0], result.output, spare);
    close(fds[0]);

    {
        std::lock_guard lock(c.mutex);
        c.running.erase(child);
        result.ended = c.generation != generation;
    }
    // The end of the output is the end of the run; reap the child so it does
    // not linger.
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    result.exitStatus = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
    return result;
}

std::string runProcess(const std::string& executable, const std::vector<std::string>& arguments)
{
    ProcessResult result = runProcessToEnd(executable, arguments, processGeneration());
    if (result.startError)
        printLine("ERROR: " + *result.startError);
    return std::move(result.output);
}

} // namespace qm
