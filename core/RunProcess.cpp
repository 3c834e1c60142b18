// Running a child process to its end, its output written into a file in memory.
//
// Sections:
//   the running children   Children, the process groups a signal handler ends, spawn
//   ending every run       processGeneration, endRunningProcesses (and from a signal handler)
//   a run                  startChild (files, child, limits), finishChild (waiting, reaping, output)
//   runs started ahead     Ahead (those not taken yet), StartedRun (a taken one, ended when let go)
//   the entry points       runProcessToEnd, startRunAhead, takeRunStartedAhead, endRunsStartedAhead,
//                          runProcess

#include "core/RunProcess.h"

#include "core/Output.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sched.h>
#include <set>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

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

// The running children's process groups again, where a signal handler reads
// them without a lock; a slot holds 0 when free. Children beyond the slots
// are ended by endRunningProcesses() only.
std::array<std::atomic<pid_t>, 256> signalledGroups;
// Signal handlers ending the groups right now.
std::atomic<int> endingFromSignal{0};

void rememberForSignals(pid_t child)
{
    for (auto& slot : signalledGroups) {
        pid_t free = 0;
        if (slot.compare_exchange_strong(free, child))
            return;
    }
}

// Before the child is reaped (its id free for another process): its slot is
// freed, and a handler that may have read it has done its work.
void forgetForSignals(pid_t child)
{
    for (auto& slot : signalledGroups) {
        pid_t held = child;
        if (slot.compare_exchange_strong(held, 0))
            break;
    }
    while (endingFromSignal.load() != 0)
        ::sched_yield();
}

void endGroup(pid_t child)
{
    ::kill(-child, SIGKILL);
}

// Waits for the child to end and reaps it: its status.
int reap(pid_t child)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

std::string describeStartFailure(const std::string& executable, int error)
{
    return "The process " + executable + " could not be started: " + std::strerror(error);
}

// Starts the child, leader of a process group of its own, with `output` as
// its standard output, `errors` as its standard error and /dev/null as its
// standard input. Returns an errno value.
int spawn(const std::string& executable, const std::vector<std::string>& arguments, int output, int errors,
          pid_t& child)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(executable.c_str()));
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errors, STDERR_FILENO);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    int error = posix_spawn(&child, executable.c_str(), &actions, &attributes, argv.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return error;
}

} // namespace

std::uint64_t processGeneration()
{
    std::lock_guard lock(children().mutex);
    return children().generation;
}

void endRunningProcessesFromSignalHandler()
{
    ++endingFromSignal;
    for (auto& slot : signalledGroups)
        if (const pid_t child = slot.load(); child > 0)
            ::kill(-child, SIGKILL);
    --endingFromSignal;
}

void endRunningProcesses()
{
    auto& c = children();
    std::lock_guard lock(c.mutex);
    ++c.generation;
    for (pid_t child : c.running)
        endGroup(child);
}

// Reaches into a started run's child (for the functions below).
struct StartedRunAccess {
    static StartedRun make(pid_t child, int output, int errors, std::uint64_t generation, StartedRun::Request request)
    {
        StartedRun run;
        run.child_ = child;
        run.output_ = output;
        run.errors_ = errors;
        run.generation_ = generation;
        run.request_ = std::move(request);
        return run;
    }
    static std::uint64_t generation(const StartedRun& run) { return run.generation_; }
    static const StartedRun::Request& request(const StartedRun& run) { return run.request_; }
    // The child and its files, handed over: the run no longer holds them.
    static void release(StartedRun& run, pid_t& child, int& output, int& errors, std::uint64_t& generation)
    {
        child = std::exchange(run.child_, 0);
        output = std::exchange(run.output_, -1);
        errors = std::exchange(run.errors_, -1);
        generation = run.generation_;
    }
};

namespace {

// Starts the child of a run in `generation` (see runProcessToEnd): its output and errors
// files, the child, its limits, and its place among the running children. Fills `result`
// with why it could not start and returns an empty run then.
StartedRun startChild(StartedRun::Request request, std::uint64_t generation, ProcessResult& result)
{
    const auto& [executable, arguments, spare, largestOutput, errorsApart] = request;
    // The child writes into a file in memory rather than a pipe: tens of
    // megabytes written at once go at the speed of a copy instead of in turns
    // with a reader, and are then mapped rather than copied once more. The
    // file is made as large as the output may be and sealed against growing:
    // a child that writes more is refused the extra bytes (its writes fail),
    // so memory stays bounded. Its pages are only taken as they are written.
    const int output = ::memfd_create("process output", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    if (output < 0) {
        result.startErrno = errno;
        result.startError = describeStartFailure(executable, errno);
        return {};
    }
    const std::size_t room = largestOutput + std::max<std::size_t>(spare, 1);
    if (::ftruncate(output, static_cast<off_t>(room)) != 0 || ::fcntl(output, F_ADD_SEALS, F_SEAL_GROW) != 0) {
        result.startErrno = errno;
        result.startError = describeStartFailure(executable, errno);
        close(output);
        return {};
    }
    // Standard error apart grows as written: the counter's warnings are a
    // line per entry it could not read, and the file size limit below ends
    // a child that writes without end.
    const int errors = errorsApart ? ::memfd_create("process errors", MFD_CLOEXEC) : output;
    if (errors < 0) {
        result.startErrno = errno;
        result.startError = describeStartFailure(executable, errno);
        close(output);
        return {};
    }
    pid_t child = 0;
    int error = spawn(executable, arguments, output, errors, child);
    if (error != 0) {
        if (errors != output)
            close(errors);
        close(output);
        result.startErrno = error;
        result.startError = describeStartFailure(executable, error);
        return {};
    }
    // The seal bounds memory whatever the child writes, but a write that
    // would cross it fails whole, leaving no trace of its size. A file size
    // limit of one byte over the largest output cuts such a write short, so
    // the output is seen to be too large (and the child gets SIGXFSZ). The
    // child has only just run exec when posix_spawn returns, long before a
    // counter writes its output.
    const rlimit fileSize{largestOutput + 1, largestOutput + 1}, noCore{0, 0};
    ::prlimit(child, RLIMIT_FSIZE, &fileSize, nullptr);
    ::prlimit(child, RLIMIT_CORE, &noCore, nullptr);
    auto& c = children();
    std::lock_guard lock(c.mutex);
    if (c.generation != generation) {
        endGroup(child); // ended while it was being started
    } else {
        c.running.insert(child);
        rememberForSignals(child);
    }
    return StartedRunAccess::make(child, output, errors, generation, std::move(request));
}

// Takes the child out of the running ones, once it has ended (and before it is reaped, so
// that a signal never reaches a process that took over its id). Whether it was ended by
// endRunningProcesses() since its generation began.
bool leaveRunning(pid_t child, std::uint64_t generation)
{
    auto& c = children();
    std::lock_guard lock(c.mutex);
    c.running.erase(child);
    forgetForSignals(child);
    return c.generation != generation;
}

// Waits for a started child to end, reaps it and reads what it wrote (see runProcessToEnd).
ProcessResult finishChild(StartedRun started, std::size_t spare, std::stop_token stop, std::size_t largestOutput)
{
    ProcessResult result;
    auto& c = children();
    pid_t child = 0;
    int output = -1, errors = -1;
    std::uint64_t generation = 0;
    StartedRunAccess::release(started, child, output, errors, generation);
    {
        // A stop ends the child, if it still runs (a stop requested before
        // this point ends it at once, on this thread).
        std::stop_callback endOnStop(stop, [&c, child] {
            std::lock_guard lock(c.mutex);
            if (c.running.contains(child))
                endGroup(child);
        });

        // The child's end is the end of the run. It is waited for without
        // being reaped, leaves the set of running children, and only then is
        // reaped: a signal never reaches a process that took over its id.
        siginfo_t info{};
        while (waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
        }
        result.ended = leaveRunning(child, generation) || stop.stop_requested();
    }
    const int status = reap(child);
    result.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    result.exitStatus = WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);

    // The child writes through the same open file as this descriptor, so
    // the file's offset is where its output ends (the file itself is
    // larger, holding room for the limit).
    const off_t written = ::lseek(output, 0, SEEK_CUR);
    if (written > 0 && static_cast<std::size_t>(written) > largestOutput)
        result.outputTooLarge = true;
    else if (written > 0)
        result.output = ProcessOutput(output, static_cast<std::size_t>(written), spare);
    close(output);
    if (errors != output) {
        const off_t said = ::lseek(errors, 0, SEEK_CUR);
        if (said > 0)
            result.errors = ProcessOutput(errors, static_cast<std::size_t>(said), 0);
        close(errors);
    }
    return result;
}

// The runs started ahead that no run has taken yet.
struct Ahead {
    std::mutex mutex;
    std::vector<StartedRun> runs;
};

Ahead& ahead()
{
    static auto* a = new Ahead; // never destroyed, as the children above
    return *a;
}

} // namespace

StartedRun::StartedRun(StartedRun&& other) noexcept
    : child_(std::exchange(other.child_, 0)), output_(std::exchange(other.output_, -1)),
      errors_(std::exchange(other.errors_, -1)), generation_(other.generation_), request_(std::move(other.request_))
{
}

StartedRun& StartedRun::operator=(StartedRun&& other) noexcept
{
    if (this != &other) {
        end();
        child_ = std::exchange(other.child_, 0);
        output_ = std::exchange(other.output_, -1);
        errors_ = std::exchange(other.errors_, -1);
        generation_ = other.generation_;
        request_ = std::move(other.request_);
    }
    return *this;
}

StartedRun::~StartedRun()
{
    end();
}

void StartedRun::end()
{
    if (child_ <= 0)
        return;
    {
        auto& c = children();
        std::lock_guard lock(c.mutex);
        if (c.running.erase(child_) > 0) {
            endGroup(child_);
            forgetForSignals(child_);
        }
    }
    // Out of the running children, it is reaped apart: a child ended while
    // it reads a slow disk may take its time to go, and whoever lets it go
    // (the main thread, at a launch) does not wait for it.
    auto reapAndClose = [child = std::exchange(child_, 0), output = std::exchange(output_, -1),
                         errors = std::exchange(errors_, -1)] {
        reap(child);
        if (errors != output)
            close(errors);
        close(output);
    };
    try {
        std::thread(reapAndClose).detach();
    } catch (const std::system_error&) {
        reapAndClose(); // no thread to spare: here
    }
}

ProcessResult runProcessToEnd(const std::string& executable, const std::vector<std::string>& arguments,
                              std::uint64_t generation, std::size_t spare, std::stop_token stop,
                              std::size_t largestOutput, bool errorsApart, StartedRun started)
{
    if (processGeneration() != generation || stop.stop_requested()) {
        ProcessResult result;
        result.ended = true;
        return result; // (a child started for it is ended with `started`)
    }
    StartedRun::Request request{executable, arguments, spare, largestOutput, errorsApart};
    if (started &&
        (StartedRunAccess::generation(started) != generation || StartedRunAccess::request(started) != request))
        started = {}; // ended by endRunningProcesses() since it started, or not started as this run: a new child runs
    if (!started) {
        ProcessResult failed;
        started = startChild(std::move(request), generation, failed);
        if (!started)
            return failed;
    }
    return finishChild(std::move(started), spare, std::move(stop), largestOutput);
}

void startRunAhead(const std::string& executable, const std::vector<std::string>& arguments, std::size_t spare,
                   std::size_t largestOutput, bool errorsApart)
{
    StartedRun::Request request{executable, arguments, spare, largestOutput, errorsApart};
    const std::uint64_t generation = processGeneration();
    auto& a = ahead();
    std::lock_guard lock(a.mutex);
    // One ended by endRunningProcesses() since it started makes way for a new one.
    std::erase_if(a.runs, [&](const StartedRun& run) { return StartedRunAccess::generation(run) != generation; });
    for (const StartedRun& run : a.runs)
        if (StartedRunAccess::request(run) == request)
            return;
    ProcessResult failed;
    StartedRun started = startChild(std::move(request), generation, failed);
    if (started)
        a.runs.push_back(std::move(started));
}

StartedRun takeRunStartedAhead(const std::string& executable, const std::vector<std::string>& arguments,
                               std::size_t spare, std::size_t largestOutput, bool errorsApart)
{
    const StartedRun::Request request{executable, arguments, spare, largestOutput, errorsApart};
    const std::uint64_t generation = processGeneration();
    auto& a = ahead();
    StartedRun taken;
    std::lock_guard lock(a.mutex);
    for (auto it = a.runs.begin(); it != a.runs.end(); ++it) {
        if (StartedRunAccess::request(*it) == request) {
            if (StartedRunAccess::generation(*it) == generation)
                taken = std::move(*it);
            a.runs.erase(it); // (one ended by endRunningProcesses() is let go here)
            break;
        }
    }
    return taken;
}

void endRunsStartedAhead()
{
    std::vector<StartedRun> left;
    {
        auto& a = ahead();
        std::lock_guard lock(a.mutex);
        left.swap(a.runs);
    }
    left.clear(); // each child ended
}

std::string runProcess(const std::string& executable, const std::vector<std::string>& arguments)
{
    ProcessResult result = runProcessToEnd(executable, arguments, processGeneration());
    if (result.startError)
        printLine("ERROR: " + *result.startError);
    return result.output.str();
}

} // namespace qm
