#include "core/ImpossibleFigures.h"

#include "core/RecordField.h"

#include <tuple>
#include <type_traits>

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

std::optional<std::string> impossibleFiguresOf(const LanguageEntry& language)
{
    const std::string here = language.name + ": ";
    if (auto negative = negativeFigure(language))
        return here + *negative;
    Sums files;
    for (const auto& file : language.files) {
        // Named only when something is wrong: a large tree has tens of thousands of files.
        const auto where = [&] { return language.name + ", " + file->filename + ": "; };
        if (auto negative = negativeFigure(*file))
            return where() + *negative;
        std::int64_t kinds = file->code;
        if (!add(kinds, file->comment) || !add(kinds, file->blank) || kinds != file->lines)
            return where() + "\"Lines\" is " + std::to_string(file->lines) +
                   ", not the sum of \"Code\", \"Comment\" and \"Blank\"";
        // Every line holds at least its line end, but a last line without one.
        if (file->lines > file->bytes)
            return where() + "\"Lines\" is " + std::to_string(file->lines) + ", more than its \"Bytes\", " +
                   std::to_string(file->bytes);
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

} // namespace

std::optional<std::string> impossibleFigures(const LanguageList& languages)
{
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
