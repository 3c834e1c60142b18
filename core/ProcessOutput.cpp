#include "core/ProcessOutput.h"

#include <sys/mman.h>
#include <unistd.h>

#include <utility>

namespace qm {

ProcessOutput::ProcessOutput(int fd, std::size_t size, std::size_t spare)
{
    if (size == 0)
        return;
    // Setting the file's length to the text and the room after it gives the
    // zero bytes after the text (nothing was written there); the pages the
    // child wrote are mapped as they are.
    const std::size_t length = size + spare;
    if (::ftruncate(fd, static_cast<off_t>(length)) != 0)
        return;
    void* mapping = ::mmap(nullptr, length, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (mapping == MAP_FAILED)
        return;
    data_ = static_cast<const char*>(mapping);
    size_ = size;
    capacity_ = length;
}

ProcessOutput::ProcessOutput(ProcessOutput&& other) noexcept
    : data_(std::exchange(other.data_, "")), size_(std::exchange(other.size_, 0)),
      capacity_(std::exchange(other.capacity_, 0))
{
}

ProcessOutput& ProcessOutput::operator=(ProcessOutput&& other) noexcept
{
    if (this != &other) {
        reset();
        data_ = std::exchange(other.data_, "");
        size_ = std::exchange(other.size_, 0);
        capacity_ = std::exchange(other.capacity_, 0);
    }
    return *this;
}

ProcessOutput::~ProcessOutput()
{
    reset();
}

void ProcessOutput::reset()
{
    if (capacity_ != 0)
        ::munmap(const_cast<char*>(data_), capacity_);
    data_ = "";
    size_ = capacity_ = 0;
}

} // namespace qm
