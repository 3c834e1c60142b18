#include "counter/report/JsonOutput.h"

#include "counter/report/Utf8.h"

#include "common/Threads.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace qm::counter {

namespace {

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
