// scc: the line counter shipped with Quillmarrow.

#include "counter/Options.h"
#include "counter/report/JsonOutput.h"
#include "counter/report/Summary.h"
#include "counter/report/TableOutput.h"
#include "counter/walk/Walker.h"

#include "common/Threads.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool writeAll(int fd, std::string_view text)
{
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A message as one line: control bytes (a newline or an escape in a file name) are shown
// as "?".
std::string printable(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    return text;
}

int usageError(const std::string& message)
{
    writeAll(STDERR_FILENO, "scc: " + printable(message) + "\n");
    return 2;
}

// Ends the process as a reader's going away ends cat or ls in a pipeline (`scc | head`):
// killed by SIGPIPE, without a word, so that the shell sees the usual quiet end.
[[noreturn]] void endByClosedPipe()
{
    std::signal(SIGPIPE, SIG_DFL);
    sigset_t pipeSignal;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_UNBLOCK, &pipeSignal, nullptr);
    std::raise(SIGPIPE);
    std::_Exit(128 + SIGPIPE); // the status a shell gives that end, should the signal not come
}

// Writes the output; a failure (a full disk) is said on standard error, except a closed pipe.
template <class Text>
int writeOutput(const std::vector<Text>& pieces)
{
    for (const auto& piece : pieces) {
        if (!writeAll(STDOUT_FILENO, std::string_view(piece.data(), piece.size()))) {
            if (errno == EPIPE)
                endByClosedPipe();
            writeAll(STDERR_FILENO, std::string("scc: cannot write the output: ") + std::strerror(errno) + "\n");
            return 1;
        }
    }
    return 0;
}

// A path to count must open: an unreadable one is an error, not an empty count.
bool readable(const std::string& path, bool folder)
{
    if (folder) {
        DIR* dir = ::opendir(path.c_str());
        return dir && ::closedir(dir) == 0;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    return fd >= 0 && ::close(fd) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace qm::counter;
    // A reader that goes away (a closed pipe) makes a write fail rather than end the process
    // wherever it is: only the output's own end goes as SIGPIPE would (writeOutput), while a
    // warning to a closed standard error does not stop the count.
    std::signal(SIGPIPE, SIG_IGN);
    const CommandLine command = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (command.action) {
    case CommandLine::Action::Error:
        return usageError(command.error);
    case CommandLine::Action::Help:
        return writeOutput(std::vector<std::string>{helpText()});
    case CommandLine::Action::Version:
        return writeOutput(std::vector<std::string>{versionText()});
    case CommandLine::Action::Count:
        break;
    }
    const Options& options = command.options;
    for (const auto& path : options.paths) {
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0)
            return usageError(path + ": " + std::strerror(errno));
        if (!S_ISDIR(st.st_mode) && !S_ISREG(st.st_mode))
            return usageError(path + ": not a folder or a regular file");
        if (!readable(path, S_ISDIR(st.st_mode)))
            return usageError(path + ": " + std::strerror(errno));
    }

    WalkResult walked = walk(options);
    if (options.verbose)
        for (const auto& warning : walked.warnings)
            writeAll(STDERR_FILENO, "scc: warning: " + printable(warning) + "\n");
    const auto report = summarize(filterFiles(walked, options), options);
    const unsigned threads = qm::threads::count(options.threads);
    const int status = options.format == OutputFormat::Json
                           ? writeOutput(toJsonPieces(report, options.byFile, threads))
                           : writeOutput(std::vector<std::string>{toTable(report, options.byFile)});
    // The records are many small allocations: the process ends without handing each back.
    std::_Exit(status);
}
