#include "counter/Report.h"

#include "counter/Language.h"
#include "counter/TerminalText.h"
#include "counter/Utf8.h"

#include "common/Threads.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <numeric>
#include <optional>
#include <tuple>

namespace qm::counter {

namespace {

std::uint64_t figure(const Counts& counts, std::uint64_t files, SortKey key)
{
    switch (key) {
    case SortKey::Files:
        return files;
    case SortKey::Lines:
        return counts.lines;
    case SortKey::Blanks:
        return counts.blank;
    case SortKey::Code:
        return counts.code;
    case SortKey::Comments:
        return counts.comment;
    case SortKey::Complexity:
        return counts.complexity;
    case SortKey::Name:
        break;
    }
    return 0;
}

const std::string& nameOf(int language)
{
    return languages()[static_cast<std::size_t>(language)].name;
}

void appendNumber(JsonText& out, std::uint64_t value)
{
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, static_cast<std::size_t>(end - buffer));
}

void appendKey(JsonText& out, const char* key)
{
    out += '"';
    out += key;
    out += "\":";
}

void appendField(JsonText& out, const char* key, std::uint64_t value)
{
    appendKey(out, key);
    appendNumber(out, value);
    out += ',';
}

void appendField(JsonText& out, const char* key, std::string_view value)
{
    appendKey(out, key);
    appendJsonString(out, value);
    out += ',';
}

// The line figures that file and language records share, in their key order.
void appendCounts(JsonText& out, const Counts& counts)
{
    appendField(out, "Lines", counts.lines);
    appendField(out, "Code", counts.code);
    appendField(out, "Comment", counts.comment);
    appendField(out, "Blank", counts.blank);
    appendField(out, "Complexity", counts.complexity);
}

template <std::size_t N>
void appendLiteral(JsonText& out, const char (&text)[N])
{
    out.append(text, N - 1);
}

void appendFile(JsonText& out, const FileRecord& f)
{
    // The keys and what stands between the values, each appended as one piece.
    appendLiteral(out, "{\"Language\":");
    appendJsonString(out, nameOf(f.language));
    appendLiteral(out, ",\"PossibleLanguages\":[");
    for (std::size_t i = 0; i < f.possibleLanguages.size(); ++i) {
        if (i)
            out += ',';
        appendJsonString(out, nameOf(f.possibleLanguages[i]));
    }
    appendLiteral(out, "],\"Filename\":");
    appendJsonString(out, f.fileName);
    appendLiteral(out, ",\"Extension\":");
    appendJsonString(out, f.extension);
    appendLiteral(out, ",\"Location\":");
    appendJsonString(out, f.location);
    appendLiteral(out, ",\"Symlocation\":");
    appendJsonString(out, f.symlocation);
    appendLiteral(out, ",\"Bytes\":");
    appendNumber(out, f.bytes);
    appendLiteral(out, ",\"Lines\":");
    appendNumber(out, f.counts.lines);
    appendLiteral(out, ",\"Code\":");
    appendNumber(out, f.counts.code);
    appendLiteral(out, ",\"Comment\":");
    appendNumber(out, f.counts.comment);
    appendLiteral(out, ",\"Blank\":");
    appendNumber(out, f.counts.blank);
    appendLiteral(out, ",\"Complexity\":");
    appendNumber(out, f.counts.complexity);
    appendLiteral(out, ",\"WeightedComplexity\":");
    appendNumber(out, weightedComplexity(f.counts));
    out += f.binary ? std::string_view(",\"Binary\":true") : std::string_view(",\"Binary\":false");
    out += f.minified ? std::string_view(",\"Minified\":true") : std::string_view(",\"Minified\":false");
    out += f.generated ? std::string_view(",\"Generated\":true") : std::string_view(",\"Generated\":false");
    appendLiteral(out, ",\"EndPoint\":0}");
}

// Runs task(0) ... task(tasks - 1) on up to `threads` threads.
template <class Task>
void runOnCores(unsigned threads, std::size_t tasks, const Task& task)
{
    threads::parallelFor(tasks, threads, [&task](std::size_t i, unsigned) { task(i); });
}

// The bytes a JSON string holds as they are: printable ASCII but the quote and the backslash.
constexpr std::array<bool, 256> makePlainTable()
{
    std::array<bool, 256> t{};
    for (int c = 0x20; c < 0x80; ++c)
        t[static_cast<std::size_t>(c)] = c != '"' && c != '\\';
    return t;
}
constexpr auto plainTable = makePlainTable();

} // namespace

std::uint64_t weightedComplexity(const Counts& counts)
{
    return counts.code == 0 ? 0 : counts.complexity * 100 / counts.code;
}

void appendJsonString(JsonText& out, std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    out += '"';
    std::size_t i = 0;
    while (i < text.size()) {
        // Most of a name or a path stands for itself: appended a run at a time.
        std::size_t plain = i;
        while (plain < text.size() && plainTable[static_cast<unsigned char>(text[plain])])
            ++plain;
        if (plain > i) {
            out.append(text.data() + i, plain - i);
            i = plain;
            continue;
        }
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            char32_t codePoint = 0;
            const std::size_t length = decodeUtf8(text.substr(i), codePoint);
            if (length == 0) {
                out += "\\ufffd";
                ++i;
            } else {
                out.append(text.data() + i, length);
                i += length;
            }
            continue;
        }
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
        ++i;
    }
    out += '"';
}

namespace {

// Of the files of `files` that `keyed` gives equal keys (each a key and where the file lies;
// a file not named there is like no other), keeps only the first by `before`, the others'
// order unchanged. The keys are sorted, not hashed, so keys an attacker chose cannot make
// it slower than its n log n.
template <class Key, class Before>
void keepFirstOfEach(std::vector<const FileRecord*>& files, std::vector<std::pair<Key, std::size_t>> keyed,
                     const Before& before)
{
    std::sort(keyed.begin(), keyed.end(), [&](const auto& a, const auto& b) {
        if (a.first != b.first)
            return a.first < b.first;
        return before(files[a.second], files[b.second]);
    });
    std::vector<bool> drop(files.size(), false);
    for (std::size_t j = 1; j < keyed.size(); ++j)
        if (keyed[j].first == keyed[j - 1].first)
            drop[keyed[j].second] = true;
    std::size_t out = 0;
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!drop[i])
            files[out++] = files[i];
    files.resize(out);
}

// Leaves each file reached by several names (hard links, symbolic links to it) under one of
// them: its first name by location that is no symbolic link, or its first link when only
// links reach it. Only files with other names, or reached through a link, are looked up.
void countEachFileOnce(std::vector<const FileRecord*>& files)
{
    using Identity = std::pair<std::uint64_t, std::uint64_t>; // device, inode
    std::vector<Identity> named;                              // files with more than one name
    for (const FileRecord* f : files)
        if (f->viaLink || f->hardLinked)
            named.emplace_back(f->device, f->inode);
    if (named.empty())
        return;
    std::sort(named.begin(), named.end());
    std::vector<std::pair<Identity, std::size_t>> keyed;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const Identity id{files[i]->device, files[i]->inode};
        if (std::binary_search(named.begin(), named.end(), id))
            keyed.emplace_back(id, i);
    }
    keepFirstOfEach(files, std::move(keyed), [](const FileRecord* a, const FileRecord* b) {
        return std::tie(a->viaLink, a->location) < std::tie(b->viaLink, b->location);
    });
}

} // namespace

std::vector<const FileRecord*> filterFiles(const WalkResult& walked, const Options& options)
{
    std::vector<const FileRecord*> files;
    files.reserve(walked.fileCount());
    for (const auto& part : walked.parts)
        for (const auto& f : part.files)
            files.push_back(&f);
    countEachFileOnce(files);
    std::erase_if(files, [&options](const FileRecord* f) {
        return (options.skipMinified && f->minified) || (options.skipGenerated && f->generated);
    });
    if (!options.skipDuplicates)
        return files;
    // Byte-identical files: of each such group the file with the smallest location stays.
    // The scan's quick hash (of all of a text file, of the first bytes of a binary one) tells
    // most files apart; those whose size and quick hash agree with another's are read again,
    // each once, for their SHA-256 digest, which no one knows how to make two different files
    // share. Files made to collide under the quick hash cost one more read each, not a
    // comparison with each other.
    std::vector<std::size_t> order(files.size());
    std::iota(order.begin(), order.end(), 0);
    const auto quick = [&files](std::size_t i) { return std::pair(files[i]->bytes, files[i]->contentHash); };
    std::sort(order.begin(), order.end(), [&quick](std::size_t a, std::size_t b) { return quick(a) < quick(b); });
    std::vector<std::size_t> again; // files to read again
    for (std::size_t j = 0; j < order.size(); ++j)
        if ((j > 0 && quick(order[j]) == quick(order[j - 1])) ||
            (j + 1 < order.size() && quick(order[j]) == quick(order[j + 1])))
            again.push_back(order[j]);
    // A thread for each 32 MiB to read, up to one a core: most trees have few duplicates.
    std::uint64_t toRead = 0;
    for (const std::size_t i : again)
        toRead += files[i]->bytes;
    const auto readers =
        static_cast<unsigned>(std::min<std::uint64_t>(threads::count(options.threads), toRead / (32 << 20) + 1));
    std::vector<std::optional<Digest>> digests(again.size());
    runOnCores(readers, again.size(),
               [&](std::size_t k) { digests[k] = dataDigest(files[again[k]]->location, files[again[k]]->bytes); });
    // A file that could not be read again stands alone.
    std::vector<std::pair<std::pair<std::uint64_t, Digest>, std::size_t>> keyed;
    for (std::size_t k = 0; k < again.size(); ++k)
        if (digests[k])
            keyed.push_back({{files[again[k]]->bytes, *digests[k]}, again[k]});
    keepFirstOfEach(files, std::move(keyed),
                    [](const FileRecord* a, const FileRecord* b) { return a->location < b->location; });
    return files;
}

std::vector<LanguageReport> summarize(const std::vector<const FileRecord*>& files, const Options& options)
{
    const SortKey key = options.sort;
    const bool byFigure = key != SortKey::Name && key != SortKey::Files;
    using Keyed = std::pair<std::uint64_t, const FileRecord*>;
    // Descending by the key, ties by location: a total order, whatever the walk's order.
    const auto before = [](const Keyed& a, const Keyed& b) {
        if (a.first != b.first)
            return a.first > b.first;
        return a.second->location < b.second->location;
    };
    const unsigned threads = threads::count(options.threads);
    const auto onAllCores = [threads](std::size_t tasks, const auto& task) { runOnCores(threads, tasks, task); };

    // Each slice of the files is grouped by language and sorted on a core of its own; the
    // sorted runs of a language are then merged. A language without files stays out.
    const std::size_t languageCount = languages().size();
    const std::size_t sliceCount = files.size() > 5000 ? std::max(1u, threads) : 1;
    struct Slice {
        std::vector<LanguageReport> totals;
        std::vector<std::vector<Keyed>> files; // per language
    };
    std::vector<Slice> slices(sliceCount);
    onAllCores(sliceCount, [&](std::size_t k) {
        Slice& slice = slices[k];
        slice.totals.resize(languageCount);
        slice.files.resize(languageCount);
        const std::size_t first = files.size() * k / sliceCount;
        const std::size_t last = files.size() * (k + 1) / sliceCount;
        for (std::size_t i = first; i < last; ++i) {
            const FileRecord* f = files[i];
            const auto language = static_cast<std::size_t>(f->language);
            LanguageReport& r = slice.totals[language];
            r.bytes += f->bytes;
            r.files += 1;
            r.counts += f->counts;
            slice.files[language].emplace_back(byFigure ? figure(f->counts, 1, key) : 0, f);
        }
        for (auto& list : slice.files)
            std::sort(list.begin(), list.end(), before);
    });

    std::vector<LanguageReport> out;
    for (std::size_t language = 0; language < languageCount; ++language) {
        LanguageReport r;
        r.language = static_cast<int>(language);
        for (const Slice& slice : slices) {
            const LanguageReport& part = slice.totals[language];
            r.bytes += part.bytes;
            r.files += part.files;
            r.counts += part.counts;
        }
        if (r.files > 0)
            out.push_back(std::move(r));
    }
    std::sort(out.begin(), out.end(), [key](const LanguageReport& a, const LanguageReport& b) {
        if (key != SortKey::Name) {
            const auto fa = figure(a.counts, a.files, key);
            const auto fb = figure(b.counts, b.files, key);
            if (fa != fb)
                return fa > fb;
        }
        return nameOf(a.language) < nameOf(b.language);
    });

    // The files of each language, the largest languages first, merged on all cores.
    std::vector<LanguageReport*> bySize;
    for (auto& r : out)
        bySize.push_back(&r);
    std::sort(bySize.begin(), bySize.end(),
              [](const LanguageReport* a, const LanguageReport* b) { return a->files > b->files; });
    onAllCores(bySize.size(), [&](std::size_t i) {
        LanguageReport& r = *bySize[i];
        const auto language = static_cast<std::size_t>(r.language);
        std::vector<Keyed> all;
        all.reserve(r.files);
        std::vector<std::size_t> runs{0}; // where each slice's sorted run starts
        for (const Slice& slice : slices) {
            const auto& list = slice.files[language];
            all.insert(all.end(), list.begin(), list.end());
            runs.push_back(all.size());
        }
        // Neighbouring runs merged, in rounds, until one is left.
        while (runs.size() > 2) {
            std::vector<std::size_t> merged{0};
            for (std::size_t j = 0; j + 1 < runs.size(); j += 2) {
                const std::size_t end = j + 2 < runs.size() ? runs[j + 2] : runs[j + 1];
                if (j + 2 < runs.size())
                    std::inplace_merge(all.begin() + static_cast<std::ptrdiff_t>(runs[j]),
                                       all.begin() + static_cast<std::ptrdiff_t>(runs[j + 1]),
                                       all.begin() + static_cast<std::ptrdiff_t>(end), before);
                merged.push_back(end);
            }
            runs = std::move(merged);
        }
        r.fileRecords.reserve(all.size());
        for (const Keyed& file : all)
            r.fileRecords.push_back(file.second);
    });
    return out;
}

std::vector<JsonText> toJsonPieces(const std::vector<LanguageReport>& languages, bool byFile, unsigned threads)
{
    // The file records, in output order, are written in parallel: each thread formats a run
    // of them into a piece of its own; the language records go between those runs.
    struct Run {
        std::size_t language;
        std::size_t first, last; // files [first, last) of the language
    };
    std::size_t fileCount = 0;
    for (const auto& l : languages)
        fileCount += byFile ? l.fileRecords.size() : 0;
    threads = std::max(1u, std::min<unsigned>(threads, static_cast<unsigned>(fileCount / 2000 + 1)));
    const std::size_t perPiece = (fileCount + threads - 1) / threads;

    std::vector<JsonText> pieces;                  // language heads, file runs, language tails, alternating
    std::vector<std::pair<std::size_t, Run>> runs; // piece index, files
    JsonText head = "[";
    for (std::size_t i = 0; i < languages.size(); ++i) {
        const LanguageReport& l = languages[i];
        if (i)
            head += ',';
        head += '{';
        appendField(head, "Name", std::string_view(nameOf(l.language)));
        appendField(head, "Bytes", l.bytes);
        appendField(head, "CodeBytes", l.counts.codeBytes);
        appendCounts(head, l.counts);
        appendField(head, "Count", l.files);
        appendField(head, "WeightedComplexity", weightedComplexity(l.counts));
        appendKey(head, "Files");
        head += '[';
        const std::size_t files = byFile ? l.fileRecords.size() : 0;
        for (std::size_t first = 0; first < files; first += perPiece) {
            if (first)
                head += ',';
            pieces.push_back(std::move(head));
            head.clear();
            runs.emplace_back(pieces.size(), Run{i, first, std::min(files, first + perPiece)});
            pieces.emplace_back();
        }
        head += "]}";
    }
    head += "]\n";
    pieces.push_back(std::move(head));

    runOnCores(threads, runs.size(), [&](std::size_t r) {
        const auto& [piece, run] = runs[r];
        JsonText& out = pieces[piece];
        const auto& records = languages[run.language].fileRecords;
        out.reserve(600 * (run.last - run.first));
        for (std::size_t j = run.first; j < run.last; ++j) {
            if (j > run.first)
                out += ',';
            appendFile(out, *records[j]);
        }
    });
    return pieces;
}

std::string toJson(const std::vector<LanguageReport>& languages, bool byFile)
{
    std::string out;
    for (const auto& piece : toJsonPieces(languages, byFile, 1))
        out.append(piece.data(), piece.size());
    return out;
}

std::string toTable(const std::vector<LanguageReport>& languages, bool byFile)
{
    std::string out;
    const std::string rule(79, '-');
    char line[512];
    auto row = [&](std::string_view name, std::uint64_t files, const Counts& c, std::size_t indent = 0) {
        // A name shows safely on its one line, padded to its column by what a terminal shows
        // of it; a long path keeps its end, the file name.
        const TerminalText shown = terminalText(name, 24 - indent);
        out.append(indent, ' ');
        out += shown.text;
        out.append(24 - indent - std::min<std::size_t>(shown.columns, 24 - indent), ' ');
        std::snprintf(line, sizeof line, " %7llu %9llu %8llu %9llu %9llu %10llu\n",
                      static_cast<unsigned long long>(files), static_cast<unsigned long long>(c.lines),
                      static_cast<unsigned long long>(c.blank), static_cast<unsigned long long>(c.comment),
                      static_cast<unsigned long long>(c.code), static_cast<unsigned long long>(c.complexity));
        out += line;
    };
    out += rule + "\n";
    std::snprintf(line, sizeof line, "%-24s %7s %9s %8s %9s %9s %10s\n", "Language", "Files", "Lines", "Blanks",
                  "Comments", "Code", "Complexity");
    out += line;
    out += rule + "\n";
    Counts total;
    std::uint64_t totalFiles = 0;
    for (const auto& l : languages) {
        row(nameOf(l.language), l.files, l.counts);
        total += l.counts;
        totalFiles += l.files;
        if (byFile) {
            for (const FileRecord* f : l.fileRecords)
                row(f->location, 1, f->counts, 2);
            out += rule + "\n";
        }
    }
    if (!byFile)
        out += rule + "\n";
    row("Total", totalFiles, total);
    out += rule + "\n";
    return out;
}

} // namespace qm::counter
