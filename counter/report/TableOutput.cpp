#include "counter/report/TableOutput.h"

#include "counter/report/TerminalText.h"

#include <algorithm>
#include <cstdio>

namespace qm::counter {

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
