#include "core/ImpossibleFigures.h"

#include "core/RecordField.h"

#include "common/Threads.h"

#include <algorithm>
#include <cstddef>
#include <tuple>
#include <type_traits>
#include <vector>

namespace qm {

namespace {

// The first negative figure of a record: its key and value.
template <CodedRecord Record>
std::optional<std::string> negativeFigure(const Record& record)
{
    std::optional<std::string> found;
    forEachField<Record>([&](const auto& field) {
        using T = std::remove_cvref_t<decltype(record.*field.member)>;
        if constexpr (std::is_same_v<T, std::int64_t>) {
            if (!found && record.*field.member < 0)
                found = "\"" + std::string(field.key) + "\" is " + std::to_string(record.*field.member);
        }
    });
    return found;
}

// Adds `value` to `sum`; false when the sum leaves the 64-bit range.
bool add(std::int64_t& sum, std::int64_t value)
{
    return !__builtin_add_overflow(sum, value, &sum);
}

// The figures a language shares with its files, which add up to it.
struct Sums {
    std::int64_t bytes = 0, lines = 0, code = 0, comment = 0, blank = 0;

    template <class Record>
    bool add(const Record& r)
    {
        return qm::add(bytes, r.bytes) && qm::add(lines, r.lines) && qm::add(code, r.code) &&
               qm::add(comment, r.comment) && qm::add(blank, r.blank);
    }
};

std::string mismatch(const char* key, std::int64_t stated, const char* what, std::int64_t sum)
{
    return "\"" + std::string(key) + "\" is " + std::to_string(stated) + ", not " + what + " " + std::to_string(sum);
}

// What breaks a rule in a file's own figures, or nothing.
std::optional<std::string> fileProblem(const FileEntry& file)
{
    if (auto negative = negativeFigure(file))
        return negative;
    std::int64_t kinds = file.code;
    if (!add(kinds, file.comment) || !add(kinds, file.blank) || kinds != file.lines)
        return "\"Lines\" is " + std::to_string(file.lines) + ", not the sum of \"Code\", \"Comment\" and \"Blank\"";
    // Every line holds at least its line end, but a last line without one.
    if (file.lines > file.bytes)
        return "\"Lines\" is " + std::to_string(file.lines) + ", more than its \"Bytes\", " +
               std::to_string(file.bytes);
    return std::nullopt;
}

std::optional<std::string> impossibleFiguresOf(const LanguageEntry& language)
{
    const std::string here = language.name + ": ";
    if (auto negative = negativeFigure(language))
        return here + *negative;
    Sums files;
    for (const auto& file : language.files) {
        // Named only when something is wrong: a large tree has tens of thousands of files.
        if (auto problem = fileProblem(*file))
            return language.name + ", " + file->filename + ": " + *problem;
        if (!files.add(*file))
            return here + "its files' figures add up to more than 64 bits hold";
    }
    const auto count = static_cast<std::int64_t>(language.files.size());
    if (language.count != count)
        return here + mismatch("Count", language.count, "its number of files,", count);
    for (const auto& [key, stated, sum] :
         {std::tuple{"Bytes", language.bytes, files.bytes}, std::tuple{"Lines", language.lines, files.lines},
          std::tuple{"Code", language.code, files.code}, std::tuple{"Comment", language.comment, files.comment},
          std::tuple{"Blank", language.blank, files.blank}}) {
        if (stated != sum)
            return here + mismatch(key, stated, "the sum of its files',", sum);
    }
    return std::nullopt;
}

// A run of one language's files, checked on its own, and the figures its
// files share with the language, added up without a limit (they are checked
// not to be negative first).
struct Run {
    std::size_t language, begin, end;
    bool broken = false;
    __int128 bytes = 0, lines = 0, code = 0, comment = 0, blank = 0;
};

// Whether no rule is broken, decided on all cores: the files are checked in
// runs side by side, the runs' sums then added up language by language. Only
// the answer yes is final; otherwise the figures are gone through again in
// order, to name the first one that breaks a rule. A sum of figures none of
// which is negative that comes out as its language's figure never went
// beyond 64 bits on the way.
bool nothingImpossible(const LanguageList& languages)
{
    constexpr std::size_t runLength = 4096;
    std::vector<Run> runs;
    for (std::size_t l = 0; l < languages.size(); ++l)
        for (std::size_t begin = 0; begin < languages[l]->files.size(); begin += runLength)
            runs.push_back({l, begin, std::min(languages[l]->files.size(), begin + runLength)});
    threads::parallelFor(runs.size(), threads::count(), [&](std::size_t i, unsigned) {
        Run& run = runs[i];
        const auto& files = languages[run.language]->files;
        for (std::size_t f = run.begin; f < run.end && !run.broken; ++f) {
            const FileEntry& file = *files[f];
            run.broken = fileProblem(file).has_value();
            run.bytes += file.bytes;
            run.lines += file.lines;
            run.code += file.code;
            run.comment += file.comment;
            run.blank += file.blank;
        }
    });
    Sums project;
    auto run = runs.begin();
    for (std::size_t l = 0; l < languages.size(); ++l) {
        const LanguageEntry& language = *languages[l];
        if (negativeFigure(language))
            return false;
        Run total{l, 0, 0};
        for (; run != runs.end() && run->language == l; ++run) {
            if (run->broken)
                return false;
            total.bytes += run->bytes;
            total.lines += run->lines;
            total.code += run->code;
            total.comment += run->comment;
            total.blank += run->blank;
        }
        if (language.count != static_cast<std::int64_t>(language.files.size()) || total.bytes != language.bytes ||
            total.lines != language.lines || total.code != language.code || total.comment != language.comment ||
            total.blank != language.blank || !project.add(language))
            return false;
    }
    return true;
}

} // namespace

std::optional<std::string> impossibleFigures(const LanguageList& languages)
{
    if (nothingImpossible(languages))
        return std::nullopt;
    Sums project;
    for (const auto& language : languages) {
        if (auto problem = impossibleFiguresOf(*language))
            return problem;
        if (!project.add(*language))
            return std::string("the project's totals add up to more than 64 bits hold");
    }
    return std::nullopt;
}

} // namespace qm
