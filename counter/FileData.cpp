#include "counter/FileData.h"

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <unistd.h>

namespace qm::counter {

namespace {

// Where the file's data goes on from `at` (SEEK_DATA, `size` when only a hole is left) and
// where it stops again (SEEK_HOLE). Without either (a file system that does not tell), all
// is data.
void nextData(int fd, std::uint64_t at, std::uint64_t size, std::uint64_t& data, std::uint64_t& end)
{
    data = at;
    end = size;
    const off_t found = ::lseek(fd, static_cast<off_t>(at), SEEK_DATA);
    if (found < 0) {
        if (errno == ENXIO)
            data = size; // a hole up to the end
        return;
    }
    data = std::min(static_cast<std::uint64_t>(found), size);
    const off_t hole = ::lseek(fd, found, SEEK_HOLE);
    if (hole > found)
        end = std::min(static_cast<std::uint64_t>(hole), size); // else the file changed meanwhile: all is read
}

} // namespace

bool hasHole(int fd, const struct stat& info)
{
    if (info.st_size <= 0 ||
        static_cast<std::uint64_t>(info.st_blocks) * 512 >= static_cast<std::uint64_t>(info.st_size))
        return false;
    const off_t hole = ::lseek(fd, 0, SEEK_HOLE);
    const bool found = hole >= 0 && hole < info.st_size;
    ::lseek(fd, 0, SEEK_SET); // the reads that follow start at the beginning
    return found;
}

bool readData(int fd, std::uint64_t size, std::span<char> buffer,
              const std::function<void(std::uint64_t offset, std::string_view piece)>& data,
              const std::function<void(std::uint64_t offset, std::uint64_t length)>& hole)
{
    struct stat info {};
    const bool sparse = ::fstat(fd, &info) == 0 && hasHole(fd, info);
    std::uint64_t at = 0;
    while (at < size) {
        std::uint64_t from = at;
        std::uint64_t end = size;
        if (sparse)
            nextData(fd, at, size, from, end);
        if (from > at) {
            hole(at, from - at);
            at = from;
            continue;
        }
        while (at < end) {
            const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), end - at));
            const ssize_t n = ::pread(fd, buffer.data(), want, static_cast<off_t>(at));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            if (n == 0)
                return true; // the file ended sooner
            data(at, std::string_view(buffer.data(), static_cast<std::size_t>(n)));
            at += static_cast<std::uint64_t>(n);
        }
    }
    return true;
}

} // namespace qm::counter
