// The reader of a file's header comments, which looks there for a generator's marker, on
// any bytes in any language: the first byte of the input picks the language, the rest is
// the head of the file. Whatever the head holds, the reading ends and ends the count of
// nothing: no exception, no read past the head (the sanitizers watch that).

#include "counter/FileScanner.h"
#include "counter/lang/Language.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace qm::counter;
    if (size < 1)
        return 0;
    const Language& language = languages()[data[0] % languages().size()];
    const std::string_view head(reinterpret_cast<const char*>(data + 1), size - 1);
    FileScanner::hasGeneratedMarker(language, head);
    return 0;
}
