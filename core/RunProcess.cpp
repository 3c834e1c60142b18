#include "core/RunProcess.h"

#include "core/Output.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace qm {

namespace {

std::string describeStartFailure(const std::string& executable, int error)
{
    return "The process " + executable + " could not be started: " + std::strerror(error);
}

// Starts the child with the write end of `pipe` as its standard output and
// standard error, and /dev/null as its standard input. Returns an errno value.
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
    int error = posix_spawn(&child, executable.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

} // namespace

std::string runProcess(const std::string& executable, const std::vector<std::string>& arguments)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        printLine("ERROR: " + describeStartFailure(executable, errno));
        return "";
    }
    pid_t child = 0;
    int error = spawn(executable, arguments, fds[1], child);
    close(fds[1]);
    if (error != 0) {
        close(fds[0]);
        printLine("ERROR: " + describeStartFailure(executable, error));
        return "";
    }

    std::string output;
    char buffer[65536];
    for (;;) {
        ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n > 0)
            output.append(buffer, static_cast<std::size_t>(n));
        else if (n == 0 || errno != EINTR)
            break;
    }
    close(fds[0]);

    // The end of the output is the end of the run; reap the child so it does
    // not linger, without looking at its status.
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
    return output;
}

} // namespace qm
