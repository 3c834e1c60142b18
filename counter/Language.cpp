#include "counter/Language.h"

namespace qm::counter {

namespace {

using Strings = std::vector<std::string>;

const std::vector<Delimiters> cBlock{{"/*", "*/"}};
const std::vector<Delimiters> noBlock{};
const Strings slashes{"//"};
const Strings hash{"#"};

StringSyntax quoted(std::string q, bool multiline = false)
{
    return {q, q, true, multiline, false, false};
}
StringSyntax raw(std::string open, std::string close, bool multiline = true)
{
    return {std::move(open), std::move(close), false, multiline, false, false};
}
StringSyntax character()
{
    return {"'", "'", true, false, true, false};
}
StringSyntax tripleQuoted(std::string q, bool docstring = false)
{
    return {q, q, true, true, false, docstring};
}

const std::vector<StringSyntax> cStrings{quoted("\""), character()};
const std::vector<StringSyntax> scriptStrings{quoted("\""), quoted("'")};
const std::vector<StringSyntax> jsStrings{quoted("\""), quoted("'"), quoted("`", true)};
const std::vector<StringSyntax> jvmStrings{tripleQuoted("\"\"\""), quoted("\""), character()};

const Strings cComplexity{"if", "for", "while", "switch", "case", "catch", "&&", "||", "?"};
const Strings jsComplexity{"if", "for", "while", "switch", "case", "catch", "&&", "||", "??", "?"};
const Strings pyComplexity{"if", "elif", "for", "while", "except", "case", "and", "or"};
const Strings rubyComplexity{"if", "elsif", "unless", "for", "while", "until", "when", "rescue", "&&", "||", "and", "or"};
const Strings shComplexity{"if", "elif", "for", "while", "until", "case", "&&", "||"};
const Strings mlComplexity{"if", "match", "when", "with", "while", "for", "try", "&&", "||"};
const Strings lispComplexity{"if", "when", "unless", "cond", "case", "and", "or", "loop"};
const Strings sqlComplexity{"case", "when", "and", "or", "where", "join", "if"};
const Strings none{};

Language cLike(std::string name, Strings exts, Strings complexity = cComplexity)
{
    Language l;
    l.name = std::move(name);
    l.extensions = std::move(exts);
    l.lineComments = slashes;
    l.blockComments = cBlock;
    l.strings = cStrings;
    l.complexity = std::move(complexity);
    return l;
}

Language make(std::string name, Strings exts, Strings lineComments, std::vector<Delimiters> blocks,
              std::vector<StringSyntax> strings, Strings complexity)
{
    Language l;
    l.name = std::move(name);
    l.extensions = std::move(exts);
    l.lineComments = std::move(lineComments);
    l.blockComments = std::move(blocks);
    l.strings = std::move(strings);
    l.complexity = std::move(complexity);
    return l;
}

template <typename F>
Language with(Language l, F change)
{
    change(l);
    return l;
}

std::vector<Language> buildTable()
{
    std::vector<Language> t;
    t.push_back(cLike("C", {"c", "ec", "pgc"}));
    t.push_back(cLike("C++", {"cpp", "cc", "cxx", "c++", "cp", "tcc"}));
    t.push_back(cLike("C Header", {"h"}));
    t.push_back(cLike("C++ Header", {"hpp", "hh", "hxx", "h++", "inl", "ipp", "h"}));
    t.push_back(with(cLike("Objective-C", {"m", "h"}), [](Language& l) { l.strings.push_back(quoted("@\"")); }));
    t.push_back(cLike("Objective-C++", {"mm"}));
    t.push_back(with(cLike("Swift", {"swift"}, {"if", "guard", "for", "while", "switch", "case", "catch", "&&", "||", "??", "?"}),
                     [](Language& l) {
                         l.nestedComments = true;
                         l.strings = {tripleQuoted("\"\"\""), quoted("\"")};
                         l.interpreters = {"swift"};
                     }));
    t.push_back(with(cLike("Rust", {"rs"}, {"if", "match", "for", "while", "loop", "&&", "||", "?"}),
                     [](Language& l) { l.nestedComments = true; l.strings = {quoted("\"", true), character()}; }));
    t.push_back(with(cLike("Go", {"go"}, {"if", "for", "switch", "case", "select", "&&", "||"}),
                     [](Language& l) { l.strings = {quoted("\""), raw("`", "`"), character()}; }));
    t.push_back(with(cLike("Java", {"java"}), [](Language& l) { l.strings = jvmStrings; }));
    t.push_back(with(cLike("Kotlin", {"kt", "kts"}, {"if", "for", "while", "when", "catch", "&&", "||", "?:"}),
                     [](Language& l) { l.nestedComments = true; l.strings = jvmStrings; }));
    t.push_back(with(cLike("Scala", {"scala", "sc"}, {"if", "for", "while", "match", "case", "catch", "&&", "||"}),
                     [](Language& l) { l.nestedComments = true; l.strings = jvmStrings; l.interpreters = {"scala"}; }));
    t.push_back(with(cLike("C#", {"cs", "csx"}, {"if", "for", "foreach", "while", "switch", "case", "catch", "&&", "||", "??", "?"}),
                     [](Language& l) { l.strings = {tripleQuoted("\"\"\""), raw("@\"", "\""), quoted("\""), character()}; }));
    t.push_back(make("F#", {"fs", "fsi", "fsx"}, slashes, {{"(*", "*)"}}, {tripleQuoted("\"\"\""), quoted("\"")},
                     {"if", "elif", "match", "for", "while", "try", "&&", "||", "|"}));
    t.back().nestedComments = true;
    t.push_back(with(make("Python", {"py", "pyw", "pyi"}, hash, noBlock,
                          {tripleQuoted("\"\"\"", true), tripleQuoted("'''", true), quoted("\""), quoted("'")}, pyComplexity),
                     [](Language& l) {
                         l.interpreters = {"python", "pypy"};
                         l.fileNames = {"sconstruct", "sconscript"};
                     }));
    t.push_back(with(make("Ruby", {"rb", "rake", "gemspec", "ru"}, hash, noBlock,
                          {quoted("\"", true), quoted("'", true)}, rubyComplexity),
                     [](Language& l) {
                         l.interpreters = {"ruby", "jruby"};
                         l.fileNames = {"rakefile", "gemfile", "vagrantfile"};
                         l.lineStartComments = {"=begin"};
                         l.lineStartCommentEnd = "=end";
                     }));
    t.push_back(with(make("Perl", {"pl", "pm", "pod"}, hash, noBlock, {quoted("\"", true), quoted("'", true)},
                          {"if", "elsif", "unless", "for", "foreach", "while", "until", "&&", "||", "and", "or"}),
                     [](Language& l) {
                         l.interpreters = {"perl"};
                         l.lineStartComments = {"=pod", "=head", "=over", "=item", "=begin", "=for", "=encoding", "=cut"};
                         l.lineStartCommentEnd = "=cut";
                     }));
    t.push_back(with(make("PHP", {"php", "phtml", "php3", "php4", "php5", "phps"}, {"//", "#"}, cBlock,
                          {quoted("\"", true), quoted("'", true)},
                          {"if", "elseif", "for", "foreach", "while", "switch", "case", "catch", "match", "&&", "||", "??", "?"}),
                     [](Language& l) { l.interpreters = {"php"}; }));
    t.push_back(with(make("JavaScript", {"js", "mjs", "cjs"}, slashes, cBlock, jsStrings, jsComplexity),
                     [](Language& l) { l.interpreters = {"node", "nodejs"}; }));
    t.push_back(with(make("TypeScript", {"ts", "mts", "cts"}, slashes, cBlock, jsStrings, jsComplexity),
                     [](Language& l) { l.interpreters = {"ts-node", "deno", "bun"}; }));
    t.push_back(make("JSX", {"jsx"}, slashes, cBlock, jsStrings, jsComplexity));
    t.push_back(make("TSX", {"tsx"}, slashes, cBlock, jsStrings, jsComplexity));
    t.push_back(make("HTML", {"html", "htm", "xhtml"}, {}, {{"<!--", "-->"}}, {}, none));
    t.push_back(make("CSS", {"css"}, {}, cBlock, scriptStrings, none));
    t.push_back(make("SCSS", {"scss"}, slashes, cBlock, scriptStrings, {"@if", "@else", "@each", "@for", "@while"}));
    t.push_back(with(make("Shell", {"sh", "bash", "zsh", "ksh", "bats"}, hash, noBlock,
                          {quoted("\"", true), raw("'", "'")}, shComplexity),
                     [](Language& l) {
                         l.interpreters = {"sh", "bash", "zsh", "ksh", "dash", "ash", "mksh"};
                         l.fileNames = {".bashrc", ".bash_profile", ".zshrc", ".profile", ".bash_aliases"};
                     }));
    t.push_back(with(make("PowerShell", {"ps1", "psm1", "psd1"}, hash, {{"<#", "#>"}},
                          {quoted("\"", true), raw("'", "'")},
                          {"if", "elseif", "for", "foreach", "while", "switch", "catch", "-and", "-or"}),
                     [](Language& l) { l.interpreters = {"pwsh", "powershell"}; l.keywordsIgnoreCase = true; }));
    t.push_back(with(make("Makefile", {"mk", "mak", "make"}, hash, noBlock, {},
                          {"ifeq", "ifneq", "ifdef", "ifndef", "if", "foreach"}),
                     [](Language& l) {
                         l.fileNames = {"makefile", "gnumakefile", "kbuild"};
                         l.interpreters = {"make"};
                     }));
    t.push_back(with(make("CMake", {"cmake"}, hash, {{"#[[", "]]"}}, {quoted("\"", true)},
                          {"if", "elseif", "foreach", "while"}),
                     [](Language& l) { l.fileNames = {"cmakelists.txt"}; l.keywordsIgnoreCase = true; }));
    t.push_back(with(make("Dockerfile", {"dockerfile"}, hash, noBlock, {}, none),
                     [](Language& l) { l.fileNames = {"dockerfile", "containerfile"}; }));
    t.push_back(make("YAML", {"yaml", "yml"}, hash, noBlock, scriptStrings, none));
    t.push_back(make("TOML", {"toml"}, hash, noBlock,
                     {tripleQuoted("\"\"\""), raw("'''", "'''"), quoted("\""), raw("'", "'", false)}, none));
    t.push_back(make("JSON", {"json", "geojson", "webmanifest"}, {}, noBlock, {quoted("\"")}, none));
    t.push_back(make("XML", {"xml", "xsd", "xsl", "xslt", "plist", "xaml", "csproj", "vcxproj", "props", "targets", "ts"},
                     {}, {{"<!--", "-->"}}, {}, none));
    t.push_back(make("Markdown", {"md", "markdown", "mdown", "mkd"}, {}, {{"<!--", "-->"}}, {}, none));
    t.push_back(with(make("SQL", {"sql", "psql", "mysql"}, {"--"}, cBlock, {quoted("'", true), quoted("\"", true)},
                          sqlComplexity),
                     [](Language& l) { l.keywordsIgnoreCase = true; }));
    t.push_back(with(make("Lua", {"lua"}, {"--"}, {{"--[[", "]]"}, {"--[==[", "]==]"}, {"--[=[", "]=]"}},
                          {raw("[[", "]]"), quoted("\""), quoted("'")},
                          {"if", "elseif", "for", "while", "repeat", "and", "or"}),
                     [](Language& l) { l.interpreters = {"lua", "luajit"}; }));
    t.push_back(with(make("R", {"r", "rmd"}, hash, noBlock, {quoted("\"", true), quoted("'", true)},
                          {"if", "for", "while", "repeat", "switch", "&&", "||"}),
                     [](Language& l) { l.interpreters = {"rscript"}; }));
    t.push_back(with(make("Julia", {"jl"}, hash, {{"#=", "=#"}},
                          {tripleQuoted("\"\"\"", true), quoted("\"", true), character()},
                          {"if", "elseif", "for", "while", "catch", "&&", "||", "?"}),
                     [](Language& l) { l.nestedComments = true; l.interpreters = {"julia"}; }));
    t.push_back(with(make("Haskell", {"hs"}, {"--"}, {{"{-", "-}"}}, {quoted("\"", true), character()},
                          {"if", "case", "guard", "&&", "||", "|"}),
                     [](Language& l) { l.nestedComments = true; l.interpreters = {"runhaskell", "runghc", "stack"}; }));
    t.push_back(with(make("OCaml", {"ml", "mli", "mll", "mly"}, {}, {{"(*", "*)"}}, {quoted("\"", true), character()},
                          mlComplexity),
                     [](Language& l) { l.nestedComments = true; l.interpreters = {"ocaml"}; }));
    t.push_back(with(make("Elixir", {"ex", "exs"}, hash, noBlock,
                          {tripleQuoted("\"\"\""), tripleQuoted("'''"), quoted("\"", true), quoted("'", true)},
                          {"if", "unless", "case", "cond", "with", "for", "rescue", "catch", "&&", "||", "and", "or"}),
                     [](Language& l) { l.interpreters = {"elixir"}; }));
    t.push_back(with(make("Erlang", {"erl", "hrl"}, {"%"}, noBlock, {quoted("\"", true)},
                          {"if", "case", "receive", "catch", "andalso", "orelse", "when"}),
                     [](Language& l) { l.interpreters = {"escript"}; l.fileNames = {"rebar.config"}; }));
    t.push_back(make("Clojure", {"clj", "cljs", "cljc", "edn"}, {";"}, noBlock, {quoted("\"", true)}, lispComplexity));
    t.push_back(with(make("Lisp", {"lisp", "lsp", "el", "asd"}, {";"}, {{"#|", "|#"}}, {quoted("\"", true)},
                          lispComplexity),
                     [](Language& l) { l.nestedComments = true; l.interpreters = {"sbcl", "clisp"}; }));
    t.push_back(with(make("Scheme", {"scm", "ss", "sld", "sls", "rkt"}, {";"}, {{"#|", "|#"}}, {quoted("\"", true)},
                          lispComplexity),
                     [](Language& l) { l.nestedComments = true; l.interpreters = {"guile", "racket", "csi"}; }));
    t.push_back(with(cLike("Dart", {"dart"}, {"if", "for", "while", "switch", "case", "catch", "&&", "||", "??", "?"}),
                     [](Language& l) {
                         l.nestedComments = true;
                         l.strings = {tripleQuoted("\"\"\""), tripleQuoted("'''"), quoted("\""), quoted("'")};
                         l.interpreters = {"dart"};
                     }));
    t.push_back(with(cLike("Zig", {"zig"}, {"if", "for", "while", "switch", "catch", "orelse", "and", "or"}),
                     [](Language& l) { l.blockComments = {}; }));
    t.push_back(with(make("Nim", {"nim", "nims", "nimble"}, hash, {{"#[", "]#"}},
                          {tripleQuoted("\"\"\""), quoted("\""), character()},
                          {"if", "elif", "for", "while", "case", "of", "except", "and", "or"}),
                     [](Language& l) { l.nestedComments = true; }));
    t.push_back(with(cLike("D", {"d", "di"}),
                     [](Language& l) {
                         l.blockComments = {{"/*", "*/"}, {"/+", "+/"}};
                         l.nestedComments = true;
                         l.strings = {quoted("\"", true), raw("`", "`"), character()};
                     }));
    t.push_back(with(make("Fortran", {"f", "for", "ftn", "f77", "f90", "f95", "f03", "f08"}, {"!"}, noBlock,
                          scriptStrings, {"if", "do", "select", "case", "where", ".and.", ".or."}),
                     [](Language& l) { l.keywordsIgnoreCase = true; }));
    t.push_back(with(make("Ada", {"adb", "ads", "ada"}, {"--"}, noBlock, {quoted("\""), character()},
                          {"if", "elsif", "case", "when", "for", "while", "loop", "exception", "and", "or"}),
                     [](Language& l) { l.keywordsIgnoreCase = true; }));
    t.push_back(with(make("Pascal", {"pas", "pp", "dpr", "lpr", "dfm"}, slashes, {{"{", "}"}, {"(*", "*)"}},
                          {raw("'", "'", false)}, {"if", "for", "while", "repeat", "case", "except", "and", "or"}),
                     [](Language& l) { l.keywordsIgnoreCase = true; }));
    t.push_back(make("Assembly", {"s", "asm", "nasm"}, {";", "//", "# ", "#\t"}, cBlock, {quoted("\"")}, none));
    t.push_back(make("Verilog", {"v", "vh", "sv", "svh"}, slashes, cBlock, {quoted("\"")},
                     {"if", "for", "while", "case", "casex", "casez", "&&", "||", "?"}));
    t.push_back(with(make("VHDL", {"vhd", "vhdl"}, {"--"}, cBlock, {quoted("\"")},
                          {"if", "elsif", "case", "when", "for", "while", "and", "or"}),
                     [](Language& l) { l.keywordsIgnoreCase = true; }));
    t.push_back(make("Protocol Buffers", {"proto"}, slashes, cBlock, scriptStrings, none));
    t.push_back(with(make("Groovy", {"groovy", "gvy", "gy", "gsh"}, slashes, cBlock,
                          {tripleQuoted("\"\"\""), tripleQuoted("'''"), quoted("\""), quoted("'")}, cComplexity),
                     [](Language& l) { l.interpreters = {"groovy"}; l.fileNames = {"jenkinsfile"}; }));
    t.push_back(make("Gradle", {"gradle"}, slashes, cBlock,
                     {tripleQuoted("\"\"\""), tripleQuoted("'''"), quoted("\""), quoted("'")}, cComplexity));
    t.push_back(make("Vue", {"vue"}, slashes, {{"<!--", "-->"}, {"/*", "*/"}}, jsStrings, jsComplexity));
    t.push_back(make("Svelte", {"svelte"}, slashes, {{"<!--", "-->"}, {"/*", "*/"}}, jsStrings, jsComplexity));
    t.push_back(with(make("TeX", {"tex", "sty", "cls", "ltx", "dtx", "bib"}, {"%"}, noBlock, {}, none),
                     [](Language& l) { l.codeEscapes = true; }));
    t.push_back(make("Plain Text", {"txt", "text"}, {}, noBlock, {}, none));
    t.push_back(make("MATLAB", {"m"}, {"%"}, {{"%{", "%}"}}, {quoted("\"")},
                     {"if", "elseif", "for", "while", "switch", "case", "catch", "&&", "||"}));
    t.push_back(cLike("CUDA", {"cu", "cuh"}));
    t.push_back(make("Device Tree", {"dts", "dtsi"}, slashes, cBlock, {quoted("\"")}, none));
    t.push_back(cLike("Yacc", {"y", "yy"}));
    t.push_back(cLike("Lex", {"l", "lex"}));
    t.push_back(with(make("AWK", {"awk"}, hash, noBlock, {quoted("\"")},
                          {"if", "for", "while", "&&", "||", "?"}),
                     [](Language& l) { l.interpreters = {"awk", "gawk", "mawk", "nawk"}; }));
    t.push_back(with(make("Batch", {"bat", "cmd"}, {"rem ", "REM ", "Rem ", "@rem ", "@REM ", "::"}, noBlock, {}, {"if", "for"}),
                     [](Language& l) { l.keywordsIgnoreCase = true; }));
    t.push_back(make("INI", {"ini", "cfg", "conf", "properties"}, {";", "#"}, noBlock, {}, none));
    t.push_back(make("ReStructuredText", {"rst"}, {}, noBlock, {}, none));
    return t;
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
        {"C++", "Raw strings"},
        {"Rust", "Raw strings"},
        {"Shell", "Here documents"},
        {"Perl", "Here documents"},
        {"Perl", "Regular expressions"},
        {"Ruby", "Here documents"},
        {"Ruby", "Regular expressions"},
        {"PHP", "Here documents"},
        {"JavaScript", "Regular expressions"},
        {"TypeScript", "Regular expressions"},
        {"JSX", "Regular expressions"},
        {"TSX", "Regular expressions"},
        {"HTML", "Embedded scripts"},
        {"Markdown", "Code blocks"},
    };
    return list;
}

} // namespace qm::counter
