#include "core/ProcessOutput.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace qm {

ProcessOutput::ProcessOutput(int fd, std::size_t size, std::size_t spare)
{
    if (size == 0)
        return;
    // Setting the file's length to the text and the room after it gives the
    // zero bytes after the text (nothing was written there); the pages the
    // child wrote are mapped as they are, each when it is first read (the
    // reader reads them on every core; mapping them all here would take
    // milliseconds on this thread alone).
    const std::size_t length = size + spare;
    if (::ftruncate(fd, static_cast<off_t>(length)) != 0)
        return;
    void* mapping = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE, fd, 0);
    if (mapping == MAP_FAILED)
        return;
    data_ = static_cast<const char*>(mapping);
    size_ = size;
    capacity_ = length;
    file_ = ::fcntl(fd, F_DUPFD_CLOEXEC, 0); // for giveBack; without it, nothing is given back
}

ProcessOutput::ProcessOutput(ProcessOutput&& other) noexcept
    : data_(std::exchange(other.data_, "")), size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0)), file_(std::exchange(other.file_, -1))
{
}

ProcessOutput& ProcessOutput::operator=(ProcessOutput&& other) noexcept
{
    if (this != &other) {
        reset();
        data_ = std::exchange(other.data_, "");
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
        file_ = std::exchange(other.file_, -1);
    }
    return *this;
}

ProcessOutput::~ProcessOutput()
{
    reset();
}

void ProcessOutput::giveBack(std::size_t offset, std::size_t length)
{
    // The mapping starts at the file's start, on a page: the text's offsets
    // are the file's. Punching a hole frees the file's pages, and with them
    // the mapping's, which read as zeros from then on.
    const std::size_t page = pageSize();
    if (file_ < 0 || offset >= size_)
        return;
    const std::size_t end = std::min(size_, offset + std::min(length, size_ - offset)) / page * page;
    const std::size_t begin = (offset + page - 1) / page * page;
    if (end > begin)
        ::fallocate(file_, FALLOC_FL_PUNCH_HOLE | FALLOC_FL_KEEP_SIZE, static_cast<off_t>(begin),
                    static_cast<off_t>(end - begin));
}

std::size_t ProcessOutput::pageSize()
{
    static const auto bytes = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    return bytes;
}

void ProcessOutput::reset()
{
    if (capacity_ != 0)
        ::munmap(const_cast<char*>(data_), capacity_);
    if (file_ >= 0)
        ::close(file_);
    data_ = "";
    size_ = capacity_ = 0;
    file_ = -1;
}

} // namespace qm
