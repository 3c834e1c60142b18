#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include <sys/stat.h>

namespace qm::counter {

// Whether the file open as `fd` (described by `info`) has a hole before its end: a stretch
// the file system does not store, which reads as NUL bytes. Only a file that takes fewer
// blocks than its size can have one, so most files cost no more than their fstat.
bool hasHole(int fd, const struct stat& info);

// Reads the first `size` bytes of the file open as `fd`, through `buffer`, without reading
// its holes: `data` gets each piece the file holds, with its offset; `hole` each stretch it
// does not store, which is passed over. So reading a file costs what its disk holds, however
// large its size says it is. A file that ends sooner ends the reading. False on an error
// (errno says which).
bool readData(int fd, std::uint64_t size, std::span<char> buffer,
              const std::function<void(std::uint64_t offset, std::string_view piece)>& data,
              const std::function<void(std::uint64_t offset, std::uint64_t length)>& hole);

} // namespace qm::counter
