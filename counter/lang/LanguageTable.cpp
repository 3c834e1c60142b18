#include "counter/lang/Language.h"

#include "counter/lang/Families.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

namespace qm::counter {

namespace {

// The table's order: a language's place is its index in the output's records, and where
// several languages claim one extension (".h", ".m", ".d", ".ts") they are the file's
// possible languages in this order.
// clang-format off
constexpr std::array<std::string_view, 77> tableOrder{
    "C", "C++", "C Header", "C++ Header", "Objective-C", "Objective-C++", "Swift", "Rust", "Go", "Java",
    "Kotlin", "Scala", "C#", "F#", "Python", "Ruby", "Perl", "PHP", "JavaScript", "TypeScript", "JSX", "TSX",
    "HTML", "CSS", "SCSS", "Shell", "PowerShell", "Makefile", "CMake", "Dockerfile", "YAML", "TOML", "JSON",
    "XML", "Markdown", "SQL", "Lua", "R", "Julia", "Haskell", "OCaml", "Elixir", "Erlang", "Clojure", "Lisp",
    "Scheme", "Dart", "Zig", "Nim", "D", "Fortran", "Ada", "Pascal", "Assembly", "Verilog", "VHDL",
    "Protocol Buffers", "Groovy", "Gradle", "Vue", "Svelte", "TeX", "Plain Text", "MATLAB", "CUDA",
    "Device Tree", "Yacc", "Lex", "AWK", "Batch", "INI", "ReStructuredText", "Diff", "Fish", "C Shell",
    "Vim Script", "ERB",
};
// clang-format on

std::vector<Language> buildTable()
{
    std::vector<Language> all;
    for (auto family : {cFamily, cStyleFamily, scriptingFamily, shellFamily, webFamily, functionalFamily,
                        dataAndTextFamily, engineeringFamily})
        for (Language& language : family())
            all.push_back(std::move(language));
    if (all.size() != tableOrder.size())
        throw std::logic_error("the language table's order does not name every language once");
    std::vector<Language> table;
    table.reserve(all.size());
    for (const std::string_view name : tableOrder) {
        const auto found = std::find_if(all.begin(), all.end(), [name](const Language& l) { return l.name == name; });
        if (found == all.end())
            throw std::logic_error("the language table's order names a language no family has");
        table.push_back(std::move(*found));
        found->name.clear(); // taken
    }
    return table;
}

} // namespace

const std::vector<Language>& languages()
{
    static const std::vector<Language> table = buildTable();
    return table;
}

int languageIndex(std::string_view name)
{
    const auto& table = languages();
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].name == name)
            return static_cast<int>(i);
    return -1;
}

const std::vector<UnreadContent>& unreadContent()
{
    static const std::vector<UnreadContent> list{
        {"HTML", "Embedded scripts"},
        {"Markdown", "Code blocks"},
        {"ERB", "Embedded Ruby"},
    };
    return list;
}

} // namespace qm::counter
