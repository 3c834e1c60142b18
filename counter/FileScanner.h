#pragma once

#include "counter/Classifier.h"
#include "counter/ContentDigest.h"
#include "counter/Options.h"
#include "counter/TextStore.h"
#include "counter/lex/LineCounter.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qm::counter {

// What the counter learned about one file. The file's contents are not kept. The texts lie
// in the text store of the scanner that counted the file, the candidate languages in the
// tables of its classifier: a record lasts as long as those.
struct FileRecord {
    int language = -1;
    std::span<const int> possibleLanguages;
    std::string_view location;
    std::string_view fileName;
    std::string_view extension;
    std::string_view symlocation;
    std::uint64_t bytes = 0;
    Counts counts;
    bool binary = false;
    bool minified = false;
    bool generated = false;
    bool viaLink = false;     // reached through a symbolic link
    bool hardLinked = false;  // the file has other names too
    std::uint64_t device = 0; // with the inode, the file itself, whatever the name it was reached by
    std::uint64_t inode = 0;
    // A quick hash of the bytes read (all of a text file, the first of a binary one), only
    // with Options::skipDuplicates: files that agree in it and in size are read again.
    std::uint64_t contentHash = 0;
};

// Reads files one at a time through a fixed buffer and counts them. One per thread.
class FileScanner {
public:
    // Files are read `bufferSize` bytes at a time (at least Syntax::lookahead + 1); tests
    // choose small buffers so that reads end at every byte.
    FileScanner(const Classifier& classifier, const std::vector<Syntax>& syntaxes, const Options& options,
                std::size_t bufferSize = defaultBufferSize);

    static constexpr std::size_t defaultBufferSize = 256 * 1024;

    // Counts the file `name` of the folder open as `folder` (AT_FDCWD: `name` is a path),
    // shown as `location`. For a symbolic link (`link`) without a `symlocation` the link's
    // resolved target is shown. Nothing when the file is not one of the counter's languages,
    // has an excluded extension, or cannot be read (then `warning` says why).
    std::optional<FileRecord> scan(int folder, const char* name, std::string_view location, std::string_view fileName,
                                   std::string_view symlocation, bool link, std::string& warning);

    // Where the texts of the records made so far lie.
    TextStore& texts() { return texts_; }

    // The bytes read from files so far.
    std::uint64_t bytesRead() const { return bytesRead_; }

    // Whether a file name has one of the excluded extensions.
    static bool excluded(const Options& options, std::string_view fileName);

    // Whether a comment in the header of a file carries a "generated" marker.
    static bool hasGeneratedMarker(const Language& language, std::string_view head);

    // The text of the comments (and documentation strings) of a file's header: its first
    // `lines` lines, up to the second line that holds code.
    static std::string leadingComments(const Language& language, std::string_view head, int lines);

    static constexpr std::size_t binaryProbe = 8000;       // bytes looked at for a NUL
    static constexpr std::size_t minifiedLineLength = 255; // average bytes per line

private:
    const Classifier& classifier_;
    const std::vector<Syntax>& syntaxes_;
    const Options& options_;
    std::vector<char> buffer_;
    TextStore texts_;
    std::uint64_t bytesRead_ = 0;
};

// The digest of what the regular file at `path` (of any length) holds of its first `size`
// bytes: each stretch of data after its offset, its holes not read. For the files whose size
// and quick hash agree with another's: nothing when the file cannot be read.
std::optional<Digest> dataDigest(std::string_view path, std::uint64_t size);

} // namespace qm::counter
