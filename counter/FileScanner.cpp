// Reading one file for the walk: opening it (by a path of any length), classifying it, reading
// it through the scanner's buffer into the lexer, and the record it makes.
//
// Sections:
//   opening and reading   openPath, readFully, the descriptor guard
//   the quick hash        the streaming hash that tells most files apart
//   exclusions            --exclude-ext and the like (excluded)
//   generated files       the leading comments and their markers (leadingComments, hasGeneratedMarker)
//   scanning a file       FileScanner::scan: stat, classify, read, count, the record
//   digests               dataDigest: a file read again for its SHA-256 digest

#include "counter/FileScanner.h"

#include "counter/FileData.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <memory>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qm::counter {

namespace {

constexpr int readFlags = O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;

// Opens a path of any length: one longer than the system's limit is opened a stretch of
// whole folders at a time, each relative to the last.
int openPath(const std::string& path)
{
    int folder = AT_FDCWD;
    std::size_t from = 0;
    while (path.size() - from >= PATH_MAX) {
        const std::size_t cut = path.rfind('/', from + PATH_MAX - 1);
        int next = -1; // a name longer than the limit cannot be
        if (cut != std::string::npos && cut > from)
            next = ::openat(folder, path.substr(from, cut - from).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder != AT_FDCWD)
            ::close(folder);
        if (next < 0)
            return -1;
        folder = next;
        from = cut + 1;
    }
    const int fd = ::openat(folder, path.c_str() + from, readFlags);
    if (folder != AT_FDCWD)
        ::close(folder);
    return fd;
}

// Closes a file descriptor when it goes out of scope.
struct FileHandle {
    int fd;
    FileHandle(int folder, const char* name) : fd(::openat(folder, name, readFlags)) {}
    explicit FileHandle(const std::string& path) : fd(openPath(path)) {}
    explicit FileHandle(std::string_view path) : fd(openPath(std::string(path))) {}
    ~FileHandle()
    {
        if (fd >= 0)
            ::close(fd);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
};

// Reads until `size` bytes are in or the file ends. Returns the count, or -1 on an error.
long long readFully(int fd, char* into, std::size_t size)
{
    std::size_t have = 0;
    while (have < size) {
        const ssize_t n = ::read(fd, into + have, size - have);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return -1;
        }
        if (n == 0)
            break;
        have += static_cast<std::size_t>(n);
    }
    return static_cast<long long>(have);
}

// A streaming 64-bit hash, eight bytes at a time: identical files get identical hashes,
// whatever pieces they are read in. Quick, and easy to make collide: files that agree in it
// are read again for their digest.
class ContentHash {
public:
    void add(const char* data, std::size_t size)
    {
        while (size > 0 && tailLength_ > 0) {
            tail_[tailLength_++] = data[0];
            ++data;
            --size;
            if (tailLength_ == 8) {
                mixWord(tail_);
                tailLength_ = 0;
            }
        }
        for (; size >= 8; data += 8, size -= 8)
            mixWord(data);
        for (; size > 0; ++data, --size)
            tail_[tailLength_++] = *data;
    }

    std::uint64_t value() const
    {
        std::uint64_t h = hash_;
        for (std::size_t i = 0; i < tailLength_; ++i)
            h = (h ^ static_cast<unsigned char>(tail_[i])) * 0x100000001b3ULL;
        return h ^ (h >> 31);
    }

private:
    void mixWord(const char* bytes)
    {
        std::uint64_t word;
        std::memcpy(&word, bytes, 8);
        hash_ = (hash_ ^ word) * 0x9e3779b97f4a7c15ULL;
        hash_ ^= hash_ >> 29;
    }

    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
    char tail_[8] = {};
    std::size_t tailLength_ = 0;
};

} // namespace

FileScanner::FileScanner(const Classifier& classifier, const std::vector<Syntax>& syntaxes, const Options& options,
                         std::size_t bufferSize)
    : classifier_(classifier), syntaxes_(syntaxes), options_(options),
      buffer_(std::max(bufferSize, Syntax::lookahead + 1)) // each read must leave the counter more than it may keep
{
}

bool FileScanner::excluded(const Options& options, std::string_view fileName)
{
    if (options.excludedExtensions.empty())
        return false;
    std::string lower(fileName);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const auto& ext : options.excludedExtensions) {
        // "ts" skips "a.ts"; "d.ts" skips "a.d.ts" but not "a.ts".
        if (lower.size() > ext.size() + 1 && lower.compare(lower.size() - ext.size(), ext.size(), ext) == 0 &&
            lower[lower.size() - ext.size() - 1] == '.')
            return true;
    }
    return false;
}

std::string FileScanner::leadingComments(const Language& language, std::string_view head, int lines)
{
    std::string text;
    const auto startsAt = [&head](std::size_t at, std::string_view token) {
        return !token.empty() && head.substr(at, token.size()) == token;
    };
    std::string_view closing; // of the block comment or docstring being read
    bool lineHasText = false;
    bool lineHasCode = false;
    int codeLines = 0; // the header ends with the second line of code ("package x", "import y")
    std::size_t i = 0;
    for (int line = 0; line < lines && i < head.size();) {
        if (!closing.empty()) {
            const auto close = head.find(closing, i);
            const auto nl = head.find('\n', i);
            if (close != std::string_view::npos && (nl == std::string_view::npos || close < nl)) {
                text.append(head.substr(i, close - i)).append("\n");
                i = close + closing.size();
                closing = {};
                lineHasText = true;
                continue;
            }
            text.append(head.substr(i, nl - i)).append("\n");
            i = nl == std::string_view::npos ? head.size() : nl + 1;
            ++line;
            continue;
        }
        const char c = head[i];
        if (c == '\n') {
            if (lineHasCode && ++codeLines == 2)
                break;
            ++line;
            ++i;
            lineHasText = lineHasCode = false;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        bool matched = false;
        const auto lineComment = [&](std::string_view token) {
            const auto nl = head.find('\n', i);
            text.append(head.substr(i + token.size(),
                                    nl == std::string_view::npos ? std::string_view::npos : nl - i - token.size()))
                .append("\n");
            i = nl == std::string_view::npos ? head.size() : nl;
            matched = true;
        };
        for (const auto& t : language.lineComments)
            if (!matched && startsAt(i, t))
                lineComment(t);
        for (const auto& t : language.firstTextComments)
            if (!matched && !lineHasText && startsAt(i, t))
                lineComment(t);
        for (const auto& b : language.blockComments) {
            if (!matched && startsAt(i, b.open)) {
                closing = b.close;
                i += b.open.size();
                matched = true;
            }
        }
        for (const auto& s : language.strings) {
            if (matched || !startsAt(i, s.open))
                continue;
            matched = true;
            if (s.docstring && !lineHasText) {
                // A documentation string at the start of a line reads like a comment.
                closing = s.close;
                i += s.open.size();
                continue;
            }
            // Skip the string to its end on this line.
            lineHasCode = true;
            std::size_t j = i + s.open.size();
            // An escaping backslash takes the next byte, if the head has one.
            while (j < head.size() && head[j] != '\n' && !startsAt(j, s.close))
                j = std::min(head.size(), j + ((s.escapes && head[j] == '\\') ? 2 : 1));
            i = std::min(head.size(), startsAt(j, s.close) ? j + s.close.size() : j);
        }
        if (!matched) {
            ++i;
            lineHasCode = true;
        }
        lineHasText = true;
    }
    return text;
}

bool FileScanner::hasGeneratedMarker(const Language& language, std::string_view head)
{
    // Where generators put them: in a comment of the file's header ("// Code generated by x.
    // DO NOT EDIT.", "@generated", "<auto-generated>"), not in prose that mentions a generator.
    static const char* const markers[] = {"do not edit", "@generated", "auto-generated", "autogenerated",
                                          "automatically generated"};
    std::string comments = leadingComments(language, head.substr(0, 16384), 40);
    for (char& c : comments)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return std::any_of(std::begin(markers), std::end(markers),
                       [&comments](const char* m) { return comments.find(m) != std::string::npos; });
}

namespace {

// The path of the file open as `fd`, every link resolved, or "".
std::string resolvedPath(int fd)
{
    char link[32];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    std::string target(4096, '\0');
    const ssize_t n = ::readlink(link, target.data(), target.size());
    if (n <= 0 || static_cast<std::size_t>(n) >= target.size())
        return {};
    target.resize(static_cast<std::size_t>(n));
    return target;
}

} // namespace

std::optional<FileRecord> FileScanner::scan(int folder, const char* name, std::string_view location,
                                            std::string_view fileName, std::string_view symlocation, bool link,
                                            std::string& warning)
{
    if (excluded(options_, fileName))
        return std::nullopt;
    const std::string extension = Classifier::extensionOf(fileName);
    const std::vector<int>* candidates = &classifier_.candidates(fileName, extension);

    FileHandle file(folder, name);
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0) {
        warning = std::string(location) + ": " + std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        warning = std::string(location) + ": not a regular file";
        return std::nullopt;
    }
    // A hole (a stretch the file system does not store, which reads as NUL bytes) makes a file
    // binary wherever it lies: no source file has one, and NUL bytes are what make a file
    // binary. So a file that only says it is large is not read to its end.
    const bool holes = hasHole(file.fd, info);
    // Read up to the size at opening: a file that keeps growing (or a file of /proc, which
    // says it is empty and never ends) cannot keep the count going.
    std::uint64_t left = static_cast<std::uint64_t>(info.st_size);
    const auto readMore = [&](char* into, std::size_t room, bool& atEnd) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(room, left));
        const long long n = readFully(file.fd, into, want);
        if (n >= 0) {
            left -= static_cast<std::uint64_t>(n);
            bytesRead_ += static_cast<std::uint64_t>(n);
            atEnd = static_cast<std::size_t>(n) < room || left == 0;
        }
        return n;
    };
    char* const buffer = buffer_.data();
    bool atEnd = false;
    const long long first = readMore(buffer, buffer_.size(), atEnd);
    if (first < 0) {
        warning = std::string(location) + ": " + std::strerror(errno);
        return std::nullopt;
    }
    std::size_t have = static_cast<std::size_t>(first);
    std::string_view head(buffer, have);
    if (head.starts_with("\xEF\xBB\xBF"))
        head.remove_prefix(3); // a byte-order mark

    // A shebang decides for a file without an extension, whatever its name suggests.
    if (candidates->empty() || extension.empty()) {
        const int language = classifier_.byShebang(head);
        if (language >= 0)
            candidates = &classifier_.only(language);
        else if (candidates->empty())
            return std::nullopt;
    }

    FileRecord record;
    record.language = classifier_.choose(*candidates, extension, head);
    if (record.language < 0)
        return std::nullopt;
    record.possibleLanguages = *candidates;
    // The name ends the location, and the extension (in lower case) mostly ends the name.
    record.location = texts_.keep(location);
    record.fileName = record.location.ends_with(fileName)
                          ? record.location.substr(record.location.size() - fileName.size())
                          : texts_.keep(fileName);
    record.extension = record.fileName.ends_with(extension)
                           ? record.fileName.substr(record.fileName.size() - extension.size())
                           : texts_.keep(extension);
    record.symlocation = texts_.keep(link && symlocation.empty() ? std::string_view(resolvedPath(file.fd))
                                                                 : symlocation);
    record.device = static_cast<std::uint64_t>(info.st_dev);
    record.inode = static_cast<std::uint64_t>(info.st_ino);
    record.viaLink = link || !symlocation.empty();
    record.hardLinked = info.st_nlink > 1;
    record.binary = holes || std::memchr(buffer, 0, std::min(have, binaryProbe)) != nullptr;
    if (options_.markGenerated && !record.binary)
        record.generated = hasGeneratedMarker(languages()[static_cast<std::size_t>(record.language)], head);

    const bool hashing = options_.skipDuplicates;
    ContentHash hash;
    if (hashing)
        hash.add(buffer, have);
    std::uint64_t total = have;

    // A binary file is not counted: its size is enough, and it is read no further (a video
    // named ".ts" need not be read to its end). Its hash is of its first bytes: files whose
    // size and first bytes agree are read whole when duplicates are looked for.
    if (record.binary && !atEnd) {
        record.bytes = static_cast<std::uint64_t>(info.st_size);
        record.contentHash = hashing ? hash.value() : 0;
        return record;
    }

    LineCounter counter(syntaxes_[static_cast<std::size_t>(record.language)]);
    const bool counting = !record.binary;
    for (;;) {
        std::size_t taken = counting ? counter.feed(buffer, have, atEnd) : have;
        if (atEnd)
            break;
        // Keep the unread tail and fill the rest of the buffer.
        std::memmove(buffer, buffer + taken, have - taken);
        have -= taken;
        const long long n = readMore(buffer + have, buffer_.size() - have, atEnd);
        if (n < 0) {
            warning = std::string(record.location) + ": " + std::strerror(errno);
            return std::nullopt;
        }
        if (hashing)
            hash.add(buffer + have, static_cast<std::size_t>(n));
        total += static_cast<std::uint64_t>(n);
        have += static_cast<std::size_t>(n);
    }
    record.bytes = total;
    if (counting)
        record.counts = counter.finish();
    record.contentHash = hashing ? hash.value() : 0;
    if (options_.markMinified && record.counts.lines > 0)
        record.minified = record.bytes / record.counts.lines >= minifiedLineLength;
    return record;
}

std::optional<Digest> dataDigest(std::string_view path, std::uint64_t size)
{
    FileHandle file(path);
    struct stat info {};
    if (file.fd < 0 || ::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    ContentDigest digest;
    constexpr std::size_t bufferSize = 64 * 1024;
    const auto buffer = std::make_unique_for_overwrite<char[]>(bufferSize);
    std::uint64_t next = 0; // where the stretch read last ends
    const bool read = readData(
        file.fd, size, std::span<char>(buffer.get(), bufferSize),
        [&](std::uint64_t offset, std::string_view piece) {
            if (offset != next || offset == 0) {
                // A stretch of its own: its place is part of what the file holds.
                char place[8];
                for (int i = 0; i < 8; ++i)
                    place[i] = static_cast<char>(offset >> (8 * i));
                digest.add(std::string_view(place, 8));
            }
            digest.add(piece);
            next = offset + piece.size();
        },
        [](std::uint64_t, std::uint64_t) {});
    if (!read)
        return std::nullopt;
    return digest.finish();
}

} // namespace qm::counter
