#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

// Everything a child process wrote, read straight from the file in memory it
// wrote to: the file is mapped, not copied, so tens of megabytes of output
// cost no second copy. Zero bytes follow the text up to capacity(), so a
// reader that looks a little past the end (a vectorised parser) may.
class ProcessOutput {
public:
    ProcessOutput() = default;
    // Takes the first `size` bytes of the file `fd` (which stays the caller's)
    // with `spare` readable zero bytes after them. Stays empty when the file
    // cannot be read.
    ProcessOutput(int fd, std::size_t size, std::size_t spare);
    ProcessOutput(ProcessOutput&& other) noexcept;
    ProcessOutput& operator=(ProcessOutput&& other) noexcept;
    ProcessOutput(const ProcessOutput&) = delete;
    ProcessOutput& operator=(const ProcessOutput&) = delete;
    ~ProcessOutput();

    std::string_view view() const { return {data_, size_}; }
    operator std::string_view() const { return view(); }
    std::string str() const { return std::string(view()); }
    const char* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // The bytes readable from data(): the text and the zero bytes after it.
    std::size_t capacity() const { return capacity_; }
    // Gives back the memory of the whole pages among `length` bytes of the
    // text from `offset`, which read as zero bytes afterwards; for a reader
    // done with them while it reads the rest.
    void giveBack(std::size_t offset, std::size_t length);
    // The size of the pages giveBack gives back whole.
    static std::size_t pageSize();
    // Gives the memory back; the output is empty afterwards.
    void reset();

    friend bool operator==(const ProcessOutput& output, std::string_view text) { return output.view() == text; }

private:
    const char* data_ = "";
    std::size_t size_ = 0;
    std::size_t capacity_ = 0; // the length of the mapping of data_; 0 when nothing is mapped
    int file_ = -1;            // the file mapped, while it is
};

} // namespace qm
