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
    return {q, q, true, multiline, false, false, false};
}
StringSyntax raw(std::string open, std::string close, bool multiline = true)
{
    return {std::move(open), std::move(close), false, multiline, false, false, false};
}
StringSyntax character()
{
    return {"'", "'", true, false, true, false, false};
}
StringSyntax tripleQuoted(std::string q, bool docstring = false)
{
    return {q, q, true, true, false, docstring, false};
}
// No escapes; the closing quote written twice stands for one.
StringSyntax verbatim(std::string open, std::string close = "\"", bool multiline = true)
{
    return {std::move(open), std::move(close), false, multiline, false, false, true};
}

const std::vector<StringSyntax> cStrings{quoted("\""), character()};
const std::vector<StringSyntax> scriptStrings{quoted("\""), quoted("'")};
const std::vector<StringSyntax> jsStrings{quoted("\""), quoted("'"), quoted("`", true)};
const std::vector<StringSyntax> jvmStrings{tripleQuoted("\"\"\""), quoted("\""), character()};

const Strings cComplexity{"if", "for", "while", "switch", "case", "catch", "&&", "||", "?"};
const Strings jsComplexity{"if", "for", "while", "switch", "case", "catch", "&&", "||", "??", "?"};
const Strings pyComplexity{"if", "elif", "for", "while", "except", "case", "and", "or"};
const Strings rubyComplexity{"if",   "elsif",  "unless", "for", "while", "until",
                             "when", "rescue", "&&",     "||",  "and",   "or"};
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

// A language read through the C preprocessor: a line comment ending in a backslash goes on
// over the next line.
Language preprocessed(Language l, RawStrings raw = RawStrings::None)
{
    l.continuedLineComments = true;
    l.rawStrings = raw;
    return l;
}

const Strings jsRegexWords{"return", "typeof", "instanceof", "in", "of",   "new",   "delete",
                           "void",   "throw",  "case",       "do", "else", "yield", "await"};

// JavaScript and its relatives: regular expressions and template literals.
Language scripted(Language l)
{
    l.regexLiterals = true;
    l.regexAfterWords = jsRegexWords;
    l.templateLiterals = true;
    l.firstLineComment = "#!";
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
    t.push_back(preprocessed(cLike("C", {"c", "ec", "pgc"})));
    t.push_back(preprocessed(cLike("C++", {"cpp", "cc", "cxx", "c++", "cp", "tcc"}), RawStrings::Cpp));
    t.push_back(preprocessed(cLike("C Header", {"h"})));
    t.push_back(preprocessed(cLike("C++ Header", {"hpp", "hh", "hxx", "h++", "inl", "ipp", "h"}), RawStrings::Cpp));
    t.push_back(
        preprocessed(with(cLike("Objective-C", {"m", "h"}), [](Language& l) { l.strings.push_back(quoted("@\"")); })));
    t.push_back(preprocessed(cLike("Objective-C++", {"mm"}), RawStrings::Cpp));
    t.push_back(with(cLike("Swift", {"swift"},
                           {"if", "guard", "for", "while", "switch", "case", "catch", "&&", "||", "??", "?"}),
                     [](Language& l) {
                         l.nestedComments = true;
                         l.strings = {tripleQuoted("\"\"\""), quoted("\"")};
                         l.interpreters = {"swift"};
                     }));
    t.push_back(with(cLike("Rust", {"rs"}, {"if", "match", "for", "while", "loop", "&&", "||", "?"}), [](Language& l) {
        l.nestedComments = true;
        l.strings = {quoted("\"", true), character()};
        l.rawStrings = RawStrings::Rust;
    }));
    t.push_back(with(cLike("Go", {"go"}, {"if", "for", "switch", "case", "select", "&&", "||"}), [](Language& l) {
        l.strings = {quoted("\""), raw("`", "`"), character()};
    }));
    t.push_back(with(cLike("Java", {"java"}), [](Language& l) {
        l.strings = jvmStrings;
        l.unicodeLineEnds = true;
    }));
    t.push_back(with(cLike("Kotlin", {"kt", "kts"}, {"if", "for", "while", "when", "catch", "&&", "||", "?:"}),
                     [](Language& l) {
                         l.nestedComments = true;
                         l.strings = jvmStrings;
                     }));
    t.push_back(with(cLike("Scala", {"scala", "sc"}, {"if", "for", "while", "match", "case", "catch", "&&", "||"}),
                     [](Language& l) {
                         l.nestedComments = true;
                         l.strings = jvmStrings;
                         l.interpreters = {"scala"};
                     }));
    t.push_back(with(cLike("C#", {"cs", "csx"},
                           {"if", "for", "foreach", "while", "switch", "case", "catch", "&&", "||", "??", "?"}),
                     [](Language& l) {
                         // @"verbatim ""quoted""" and @$"..." / $@"..." (the "$" is code); """raw""" strings
                         // are read apart, since as many quotes as open one close it.
                         l.strings = {verbatim("@\""), verbatim("@$\""), quoted("\""), character()};
                         l.rawStrings = RawStrings::CSharp;
                     }));
    t.push_back(make("F#", {"fs", "fsi", "fsx"}, slashes, {{"(*", "*)"}}, {tripleQuoted("\"\"\""), quoted("\"")},
                     {"if", "elif", "match", "for", "while", "try", "&&", "||", "|"}));
    t.back().nestedComments = true;
    t.push_back(
        with(make("Python", {"py", "pyw", "pyi"}, hash, noBlock,
                  {tripleQuoted("\"\"\"", true), tripleQuoted("'''", true), quoted("\""), quoted("'")}, pyComplexity),
             [](Language& l) {
                 l.interpreters = {"python", "pypy"};
                 l.fileNames = {"sconstruct", "sconscript"};
                 l.stringPrefixes = "rbuf";
                 l.docstringStatements = true;
             }));
    t.push_back(with(make("Ruby", {"rb", "rake", "gemspec", "ru"}, hash, noBlock,
                          {quoted("\"", true), quoted("'", true)}, rubyComplexity),
                     [](Language& l) {
                         l.interpreters = {"ruby", "jruby"};
                         l.fileNames = {"rakefile", "gemfile", "vagrantfile"};
                         l.lineStartComments = {"=begin"};
                         l.lineStartCommentEnd = "=end";
                         l.hereDocuments = HereDocuments::Ruby;
                         l.regexLiterals = true;
                         l.regexesSpanLines = true;
                         l.regexAfterWords = {"if",  "elsif", "unless", "while",  "until", "when",
                                              "and", "or",    "not",    "return", "then",  "else",
                                              "do",  "case",  "in",     "puts",   "print", "yield"};
                         l.percentLiterals = true;
                         l.sigilVariables = true;
                         l.questionMarkCharacters = true;
                         l.interpolation = "#{";
                         l.regexFlags = true;
                         l.lineEndsStatements = true;
                         l.commandArguments = true;
                         l.symbols = true;
                     }));
    t.push_back(with(make("Perl", {"pl", "pm", "pod"}, hash, noBlock,
                          {quoted("\"", true), quoted("'", true), quoted("`", true)},
                          {"if", "elsif", "unless", "for", "foreach", "while", "until", "&&", "||", "and", "or"}),
                     [](Language& l) {
                         l.interpreters = {"perl"};
                         l.podDocumentation = true;
                         l.lineStartCommentEnd = "=cut";
                         l.dataSections = true;
                         l.regexFlags = true;
                         l.hereDocuments = HereDocuments::Perl;
                         l.regexLiterals = true;
                         l.regexesSpanLines = true;
                         l.regexAfterWords = {"split", "grep",   "map",   "join",  "and",    "or",   "not",     "if",
                                              "elsif", "unless", "while", "until", "return", "push", "unshift", "when",
                                              "lt",    "gt",     "le",    "ge",    "eq",     "ne",   "cmp"};
                         l.quoteOperators = true;
                         l.sigilVariables = true;
                     }));
    t.push_back(with(make("PHP", {"php", "phtml", "php3", "php4", "php5", "phps"}, {"//", "#"}, cBlock,
                          {quoted("\"", true), quoted("'", true)},
                          {"if", "elseif", "for", "foreach", "while", "switch", "case", "catch", "match", "&&", "||",
                           "??", "?"}),
                     [](Language& l) {
                         l.interpreters = {"php"};
                         l.hereDocuments = HereDocuments::Php;
                         l.openTags = true;
                         l.attributeOpener = "#[";
                         // The command line's interpreter skips it, as Lua's loader does.
                         l.firstLineComment = "#!";
                     }));
    t.push_back(with(scripted(make("JavaScript", {"js", "mjs", "cjs"}, slashes, cBlock, jsStrings, jsComplexity)),
                     [](Language& l) {
                         l.interpreters = {"node", "nodejs"};
                     }));
    t.push_back(with(scripted(make("TypeScript", {"ts", "mts", "cts"}, slashes, cBlock, jsStrings, jsComplexity)),
                     [](Language& l) {
                         l.interpreters = {"ts-node", "deno", "bun"};
                     }));
    t.push_back(scripted(make("JSX", {"jsx"}, slashes, cBlock, jsStrings, jsComplexity)));
    t.push_back(scripted(make("TSX", {"tsx"}, slashes, cBlock, jsStrings, jsComplexity)));
    t.push_back(with(make("HTML", {"html", "htm", "xhtml"}, {}, {{"<!--", "-->"}}, {}, none),
                     [](Language& l) { l.markupTags = true; }));
    t.push_back(make("CSS", {"css"}, {}, cBlock, scriptStrings, none));
    t.push_back(make("SCSS", {"scss"}, slashes, cBlock, scriptStrings, {"@if", "@else", "@each", "@for", "@while"}));
    t.push_back(with(make("Shell", {"sh", "bash", "zsh", "ksh", "bats", "d"}, hash, noBlock,
                          {quoted("\"", true), raw("'", "'")}, shComplexity),
                     [](Language& l) {
                         l.interpreters = {"sh", "bash", "zsh", "ksh", "dash", "ash", "mksh"};
                         l.fileNames = {".bashrc", ".bash_profile", ".zshrc", ".profile", ".bash_aliases"};
                         l.codeEscapes = true;
                         l.wordStartComments = true;
                         l.ansiCQuotes = true;
                         l.checkedExtensions = {"d"};
                         l.hereDocuments = HereDocuments::Shell;
                         l.interpolation = "$(";
                     }));
    t.push_back(
        with(make("PowerShell", {"ps1", "psm1", "psd1"}, hash, {{"<#", "#>"}}, {quoted("\"", true), raw("'", "'")},
                  {"if", "elseif", "for", "foreach", "while", "switch", "catch", "-and", "-or"}),
             [](Language& l) {
                 l.interpreters = {"pwsh", "powershell"};
                 l.keywordsIgnoreCase = true;
             }));
    t.push_back(with(make("Makefile", {"mk", "mak", "make", "d"}, hash, noBlock, {},
                          {"ifeq", "ifneq", "ifdef", "ifndef", "if", "foreach"}),
                     [](Language& l) {
                         l.checkedExtensions = {"d"};
                         l.fileNames = {"makefile", "gnumakefile", "kbuild"};
                         l.interpreters = {"make"};
                     }));
    t.push_back(with(make("CMake", {"cmake", "cmake.in"}, hash, noBlock, {quoted("\"", true)},
                          {"if", "elseif", "foreach", "while"}),
                     [](Language& l) {
                         l.fileNames = {"cmakelists.txt"};
                         l.keywordsIgnoreCase = true;
                         l.longBracketComment = "#";
                         l.longBracketStrings = true;
                     }));
    t.push_back(with(make("Dockerfile", {"dockerfile"}, hash, noBlock, {}, none), [](Language& l) {
        l.fileNames = {"dockerfile", "containerfile"};
        l.fileNamePrefixes = {"dockerfile.", "containerfile."};
    }));
    // Quoted scalars run over lines; a single-quoted one has no escapes, '' stands for a quote.
    t.push_back(with(make("YAML", {"yaml", "yml"}, hash, noBlock, {quoted("\"", true), verbatim("'", "'")}, none),
                     [](Language& l) {
                         l.blockScalars = true;
                         l.nodeStartQuotes = true;
                     }));
    t.push_back(make("TOML", {"toml"}, hash, noBlock,
                     {tripleQuoted("\"\"\""), raw("'''", "'''"), quoted("\""), raw("'", "'", false)}, none));
    t.push_back(make("JSON", {"json", "geojson", "webmanifest"}, {}, noBlock, {quoted("\"")}, none));
    t.push_back(
        with(make("XML",
                  {"xml", "xsd", "xsl", "xslt", "plist", "xaml", "csproj", "vcxproj", "props", "targets", "ts", "conf"},
                  {}, {{"<!--", "-->"}}, {}, none),
             [](Language& l) { l.checkedExtensions = {"conf"}; }));
    t.push_back(make("Markdown", {"md", "markdown", "mdown", "mkd"}, {}, {{"<!--", "-->"}}, {}, none));
    t.push_back(with(make("SQL", {"sql", "psql", "mysql"}, {"--"}, cBlock, {quoted("'", true), quoted("\"", true)},
                          sqlComplexity),
                     [](Language& l) { l.keywordsIgnoreCase = true; }));
    t.push_back(with(make("Lua", {"lua"}, {"--"}, noBlock, {quoted("\""), quoted("'")},
                          {"if", "elseif", "for", "while", "repeat", "and", "or"}),
                     [](Language& l) {
                         l.interpreters = {"lua", "luajit"};
                         l.firstLineComment = "#";
                         l.skipSpaceEscapes = true;
                         l.longBracketComment = "--";
                         l.longBracketStrings = true;
                     }));
    t.push_back(with(make("R", {"r", "rmd"}, hash, noBlock, {quoted("\"", true), quoted("'", true)},
                          {"if", "for", "while", "repeat", "switch", "&&", "||"}),
                     [](Language& l) { l.interpreters = {"rscript"}; }));
    t.push_back(with(make("Julia", {"jl"}, hash, {{"#=", "=#"}},
                          {tripleQuoted("\"\"\"", true), quoted("\"", true), character()},
                          {"if", "elseif", "for", "while", "catch", "&&", "||", "?"}),
                     [](Language& l) {
                         l.nestedComments = true;
                         l.interpreters = {"julia"};
                     }));
    t.push_back(with(make("Haskell", {"hs"}, {"--"}, {{"{-", "-}"}}, {quoted("\"", true), character()},
                          {"if", "case", "guard", "&&", "||", "|"}),
                     [](Language& l) {
                         l.nestedComments = true;
                         l.interpreters = {"runhaskell", "runghc", "stack"};
                     }));
    t.push_back(with(make("OCaml", {"ml", "mli", "mll", "mly"}, {}, {{"(*", "*)"}}, {quoted("\"", true), character()},
                          mlComplexity),
                     [](Language& l) {
                         l.nestedComments = true;
                         l.interpreters = {"ocaml"};
                     }));
    t.push_back(with(make("Elixir", {"ex", "exs"}, hash, noBlock,
                          {tripleQuoted("\"\"\""), tripleQuoted("'''"), quoted("\"", true), quoted("'", true)},
                          {"if", "unless", "case", "cond", "with", "for", "rescue", "catch", "&&", "||", "and", "or"}),
                     [](Language& l) { l.interpreters = {"elixir"}; }));
    t.push_back(with(make("Erlang", {"erl", "hrl"}, {"%"}, noBlock, {quoted("\"", true)},
                          {"if", "case", "receive", "catch", "andalso", "orelse", "when"}),
                     [](Language& l) {
                         l.interpreters = {"escript"};
                         l.fileNames = {"rebar.config"};
                     }));
    t.push_back(make("Clojure", {"clj", "cljs", "cljc", "edn"}, {";"}, noBlock, {quoted("\"", true)}, lispComplexity));
    t.push_back(
        with(make("Lisp", {"lisp", "lsp", "el", "asd"}, {";"}, {{"#|", "|#"}}, {quoted("\"", true)}, lispComplexity),
             [](Language& l) {
                 l.nestedComments = true;
                 l.interpreters = {"sbcl", "clisp"};
             }));
    t.push_back(with(make("Scheme", {"scm", "ss", "sld", "sls", "rkt"}, {";"}, {{"#|", "|#"}}, {quoted("\"", true)},
                          lispComplexity),
                     [](Language& l) {
                         l.nestedComments = true;
                         l.interpreters = {"guile", "racket", "csi"};
                     }));
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
    t.push_back(with(cLike("D", {"d", "di"}), [](Language& l) {
        l.blockComments = {{"/*", "*/"}, {"/+", "+/"}};
        l.nestedComments = true;
        l.strings = {quoted("\"", true), raw("`", "`"), character()};
        l.checkedExtensions = {"d"};
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
                     [](Language& l) {
                         l.interpreters = {"groovy"};
                         l.fileNames = {"jenkinsfile"};
                     }));
    t.push_back(make("Gradle", {"gradle"}, slashes, cBlock,
                     {tripleQuoted("\"\"\""), tripleQuoted("'''"), quoted("\""), quoted("'")}, cComplexity));
    t.push_back(scripted(make("Vue", {"vue"}, slashes, {{"<!--", "-->"}, {"/*", "*/"}}, jsStrings, jsComplexity)));
    t.push_back(
        scripted(make("Svelte", {"svelte"}, slashes, {{"<!--", "-->"}, {"/*", "*/"}}, jsStrings, jsComplexity)));
    t.push_back(with(make("TeX", {"tex", "sty", "cls", "ltx", "dtx", "bib"}, {"%"}, noBlock, {}, none),
                     [](Language& l) { l.codeEscapes = true; }));
    t.push_back(make("Plain Text", {"txt", "text"}, {}, noBlock, {}, none));
    t.push_back(make("MATLAB", {"m"}, {"%"}, {{"%{", "%}"}}, {quoted("\"")},
                     {"if", "elseif", "for", "while", "switch", "case", "catch", "&&", "||"}));
    t.push_back(preprocessed(cLike("CUDA", {"cu", "cuh"}), RawStrings::Cpp));
    t.push_back(make("Device Tree", {"dts", "dtsi"}, slashes, cBlock, {quoted("\"")}, none));
    t.push_back(preprocessed(cLike("Yacc", {"y", "yy"})));
    t.push_back(preprocessed(cLike("Lex", {"l", "lex"})));
    t.push_back(with(make("AWK", {"awk"}, hash, noBlock, {quoted("\"")}, {"if", "for", "while", "&&", "||", "?"}),
                     [](Language& l) {
                         l.interpreters = {"awk", "gawk", "mawk", "nawk"};
                     }));
    t.push_back(with(make("Batch", {"bat", "cmd"}, {"rem ", "REM ", "Rem ", "@rem ", "@REM ", "::"}, noBlock, {},
                          {"if", "for"}),
                     [](Language& l) { l.keywordsIgnoreCase = true; }));
    t.push_back(with(make("INI", {"ini", "cfg", "conf", "properties"}, {";", "#"}, noBlock, {}, none),
                     [](Language& l) { l.checkedExtensions = {"conf"}; }));
    t.push_back(make("ReStructuredText", {"rst"}, {}, noBlock, {}, none));
    t.push_back(make("Diff", {"diff", "patch"}, {}, noBlock, {}, none));
    t.push_back(with(make("Fish", {"fish"}, hash, noBlock, {quoted("\"", true), quoted("'", true)},
                          {"if", "else", "for", "while", "switch", "case", "and", "or", "&&", "||"}),
                     [](Language& l) {
                         l.interpreters = {"fish"};
                         l.codeEscapes = true;
                         l.wordStartComments = true;
                     }));
    t.push_back(with(make("C Shell", {"csh", "tcsh"}, hash, noBlock, {raw("\"", "\"", false), raw("'", "'", false)},
                          {"if", "foreach", "while", "switch", "case", "&&", "||"}),
                     [](Language& l) {
                         l.interpreters = {"csh", "tcsh"};
                         l.fileNames = {".cshrc", ".tcshrc", ".login"};
                         l.codeEscapes = true;
                         l.wordStartComments = true;
                     }));
    t.push_back(with(make("Vim Script", {"vim"}, {}, noBlock, {quoted("\""), verbatim("'", "'", false)},
                          {"if", "elseif", "for", "while", "catch", "&&", "||", "?"}),
                     [](Language& l) {
                         l.fileNames = {".vimrc", "_vimrc", "vimrc", ".gvimrc", "_gvimrc", "gvimrc", ".exrc"};
                         l.firstTextComments = {"\""};
                     }));
    t.push_back(make("ERB", {"erb", "rhtml"}, {}, {{"<%#", "%>"}, {"<!--", "-->"}}, {}, none));
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
        {"HTML", "Embedded scripts"},
        {"Markdown", "Code blocks"},
        {"ERB", "Embedded Ruby"},
    };
    return list;
}

} // namespace qm::counter
