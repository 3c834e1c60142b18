#include "counter/report/JsonOutput.h"

#include "counter/report/Utf8.h"

#include "common/CounterOutputFormat.h"
#include "common/Threads.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string>

namespace qm::counter {

namespace {

void appendNumber(JsonText& out, std::uint64_t value)
{
    char buffer[24];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, static_cast<std::size_t>(end - buffer));
}

void appendBool(JsonText& out, bool value)
{
    out += value ? std::string_view("true") : std::string_view("false");
}

// What stands before each value of a record: "{" or "," and the value's key, in quotes, with
// its colon. Made once from the output's keys, and appended as one piece.
template <std::size_t N>
std::array<std::string, N> joints(const std::array<std::string_view, N>& keys)
{
    std::array<std::string, N> out;
    for (std::size_t i = 0; i < N; ++i)
        out[i] = std::string(i == 0 ? "{\"" : ",\"").append(keys[i]).append("\":");
    return out;
}

const auto languageJoints = joints(counterOutput::languageKeys);
const auto fileJoints = joints(counterOutput::fileKeys);

JsonText& operator<<(JsonText& out, counterOutput::LanguageKey key)
{
    return out += languageJoints[static_cast<std::size_t>(key)];
}
JsonText& operator<<(JsonText& out, counterOutput::FileKey key)
{
    return out += fileJoints[static_cast<std::size_t>(key)];
}

// The line figures that file and language records share, in their key order.
template <class Key>
void appendCounts(JsonText& out, const Counts& counts)
{
    out << Key::Lines;
    appendNumber(out, counts.lines);
    out << Key::Code;
    appendNumber(out, counts.code);
    out << Key::Comment;
    appendNumber(out, counts.comment);
    out << Key::Blank;
    appendNumber(out, counts.blank);
    out << Key::Complexity;
    appendNumber(out, counts.complexity);
}

// A file record, its keys in their order.
void appendFile(JsonText& out, const FileRecord& f)
{
    using Key = counterOutput::FileKey;
    out << Key::Language;
    appendJsonString(out, nameOf(f.language));
    out << Key::PossibleLanguages;
    out += '[';
    for (std::size_t i = 0; i < f.possibleLanguages.size(); ++i) {
        if (i)
            out += ',';
        appendJsonString(out, nameOf(f.possibleLanguages[i]));
    }
    out += ']';
    out << Key::Filename;
    appendJsonString(out, f.fileName);
    out << Key::Extension;
    appendJsonString(out, f.extension);
    out << Key::Location;
    appendJsonString(out, f.location);
    out << Key::Symlocation;
    appendJsonString(out, f.symlocation);
    out << Key::Bytes;
    appendNumber(out, f.bytes);
    appendCounts<Key>(out, f.counts);
    out << Key::WeightedComplexity;
    appendNumber(out, weightedComplexity(f.counts));
    out << Key::Binary;
    appendBool(out, f.binary);
    out << Key::Minified;
    appendBool(out, f.minified);
    out << Key::Generated;
    appendBool(out, f.generated);
    out << Key::EndPoint;
    out += "0}";
}

// A language record up to its list of files, its keys in their order.
void appendLanguageHead(JsonText& out, const LanguageReport& l)
{
    using Key = counterOutput::LanguageKey;
    out << Key::Name;
    appendJsonString(out, nameOf(l.language));
    out << Key::Bytes;
    appendNumber(out, l.bytes);
    out << Key::CodeBytes;
    appendNumber(out, l.counts.codeBytes);
    appendCounts<Key>(out, l.counts);
    out << Key::Count;
    appendNumber(out, l.files);
    out << Key::WeightedComplexity;
    appendNumber(out, weightedComplexity(l.counts));
    out << Key::Files;
    out += '[';
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
        appendLanguageHead(head, l);
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

    threads::parallelFor(runs.size(), threads, [&](std::size_t r, unsigned) {
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

} // namespace qm::counter
