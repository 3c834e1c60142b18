// The floor of counting lines in a tree: walks the folders on every core, opening each
// folder and file relative to its folder (openat), reads every regular file once through a
// buffer per thread and counts its newlines. No languages, no ignore files, no output but
// the totals: what any line counter has to do at least. bench/kernel.sh runs it beside the
// counter.
//
//   walk_floor [--threads N] folder      prints "<files> files, <lines> lines, <bytes> bytes"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Folders still to read, as open descriptors. A thread that finds none waits until the
// last folder being read is done.
class FolderQueue {
public:
    void push(int fd)
    {
        {
            std::lock_guard lock(mutex_);
            folders_.push_back(fd);
        }
        ready_.notify_one();
    }

    // The next folder, or -1 once every folder has been read; `done` says that the
    // thread has finished the folder it took before.
    int take(bool done)
    {
        std::unique_lock lock(mutex_);
        if (done)
            --busy_;
        ready_.wait(lock, [&] { return !folders_.empty() || busy_ == 0; });
        if (folders_.empty()) {
            ready_.notify_all();
            return -1;
        }
        const int fd = folders_.back();
        folders_.pop_back();
        ++busy_;
        return fd;
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::vector<int> folders_;
    int busy_ = 0;
};

struct Totals {
    std::uint64_t files = 0;
    std::uint64_t lines = 0;
    std::uint64_t bytes = 0;
};

std::uint64_t newlines(const char* data, std::size_t size)
{
    std::uint64_t n = 0;
    for (std::size_t i = 0; i < size; ++i)
        n += data[i] == '\n';
    return n;
}

void countFile(int folder, const char* name, std::vector<char>& buffer, Totals& totals)
{
    const int fd = ::openat(folder, name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        ++totals.files;
        for (;;) {
            const ssize_t n = ::read(fd, buffer.data(), buffer.size());
            if (n <= 0)
                break;
            totals.lines += newlines(buffer.data(), static_cast<std::size_t>(n));
            totals.bytes += static_cast<std::uint64_t>(n);
        }
    }
    ::close(fd);
}

void work(FolderQueue& queue, Totals& totals)
{
    std::vector<char> buffer(1 << 18);
    for (int folder = queue.take(false); folder >= 0; folder = queue.take(true)) {
        DIR* dir = ::fdopendir(folder);
        if (!dir) {
            ::close(folder);
            continue;
        }
        while (const dirent* entry = ::readdir(dir)) {
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
                continue;
            unsigned char type = entry->d_type;
            if (type == DT_UNKNOWN) {
                struct stat st {};
                if (::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
                    continue;
                type = S_ISDIR(st.st_mode) ? DT_DIR : S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
            }
            if (type == DT_DIR) {
                const int sub = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
                if (sub >= 0)
                    queue.push(sub);
            } else if (type == DT_REG) {
                countFile(folder, name, buffer, totals);
            }
        }
        ::closedir(dir);
    }
}

} // namespace

int main(int argc, char** argv)
{
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    const char* root = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc)
            threads = static_cast<unsigned>(std::max(1, std::atoi(argv[++i])));
        else
            root = argv[i];
    }
    if (!root) {
        std::fprintf(stderr, "usage: walk_floor [--threads N] folder\n");
        return 2;
    }
    const int fd = ::open(root, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        std::perror(root);
        return 2;
    }
    FolderQueue queue;
    queue.push(fd);
    std::vector<Totals> totals(threads);
    std::vector<std::thread> workers;
    for (unsigned i = 0; i < threads; ++i)
        workers.emplace_back(work, std::ref(queue), std::ref(totals[i]));
    for (auto& worker : workers)
        worker.join();
    Totals all;
    for (const auto& t : totals) {
        all.files += t.files;
        all.lines += t.lines;
        all.bytes += t.bytes;
    }
    std::printf("%llu files, %llu lines, %llu bytes\n", static_cast<unsigned long long>(all.files),
                static_cast<unsigned long long>(all.lines), static_cast<unsigned long long>(all.bytes));
    return 0;
}
