#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <variant>
#include <vector>

namespace kit {

// The active string table: the program's one lookup seam for translations.
// It starts empty, so every key shows as itself.
class StringTable {
public:
    using Entries = std::unordered_map<std::string, std::string>;
    static void setActive(Entries entries);
    static std::string lookup(std::string_view key);
    // Bumped by each setActive: texts measured before may read otherwise.
    static std::uint64_t generation();
};

// The translation of `key`, or `key` itself when there is none.
std::string localized(std::string_view key);

// One argument of a text format: a string or an integer.
struct FormatArgument {
    FormatArgument(std::string text) : value(std::move(text)) {}
    FormatArgument(std::string_view text) : value(std::string(text)) {}
    FormatArgument(const char* text) : value(std::string(text)) {}
    template <class I>
    requires std::is_integral_v<I> &&(!std::is_same_v<I, bool>)FormatArgument(I number)
        : value(static_cast<std::int64_t>(number))
    {
    }
    std::variant<std::string, std::int64_t> value;
};

// Fills a text format: "%@" takes the next argument verbatim, "%n$@" takes
// argument n (from 1), "%d", "%i", "%ld" and "%lld" take the next argument
// as an integer, "%%" is a percent sign. A missing argument gives "".
std::string formatText(std::string_view format, const std::vector<FormatArgument>& arguments);

// Looks `key` up, then fills it as formatText does.
template <class... Args>
std::string localizedFormat(std::string_view key, const Args&... args)
{
    return formatText(localized(key), {FormatArgument(args)...});
}

// Unicode normalisation form C; texts that must match by meaning compare after it.
std::string nfc(std::string_view text);
bool equalAfterNFC(std::string_view a, std::string_view b);

} // namespace kit
