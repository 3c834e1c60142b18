// Compiled languages with C's comments and their own strings.

#include "counter/lang/Families.h"

namespace qm::counter {

std::vector<Language> cStyleFamily()
{
    return {
        {
            .name = "Swift",
            .extensions = {"swift"},
            .interpreters = {"swift"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .nestedComments = true,
            .strings = {tripleQuoted("\"\"\""), quoted("\"")},
            .complexity = {"if", "guard", "for", "while", "switch", "case", "catch", "&&", "||", "??", "?"},
        },
        {
            .name = "Rust",
            .extensions = {"rs"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .nestedComments = true,
            .strings = {quotedLines("\""), character()},
            .complexity = {"if", "match", "for", "while", "loop", "&&", "||", "?"},
            .rawStrings = RawStrings::Rust,
        },
        {
            .name = "Go",
            .extensions = {"go"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = {quoted("\""), raw("`"), character()},
            .complexity = {"if", "for", "switch", "case", "select", "&&", "||"},
        },
        {
            .name = "Java",
            .extensions = {"java"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = jvmStrings,
            .complexity = cComplexity,
            .unicodeLineEnds = true,
        },
        {
            .name = "Kotlin",
            .extensions = {"kt", "kts"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .nestedComments = true,
            .strings = jvmStrings,
            .complexity = {"if", "for", "while", "when", "catch", "&&", "||", "?:"},
        },
        {
            .name = "Scala",
            .extensions = {"scala", "sc"},
            .interpreters = {"scala"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .nestedComments = true,
            .strings = jvmStrings,
            .complexity = {"if", "for", "while", "match", "case", "catch", "&&", "||"},
        },
        // @"verbatim ""quoted""" and @$"..." / $@"..." (the "$" is code); """raw""" strings are
        // read apart, since as many quotes as open one close it.
        {
            .name = "C#",
            .extensions = {"cs", "csx"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = {verbatim("@\""), verbatim("@$\""), quoted("\""), character()},
            .complexity = {"if", "for", "foreach", "while", "switch", "case", "catch", "&&", "||", "??", "?"},
            .rawStrings = RawStrings::CSharp,
        },
        {
            .name = "Dart",
            .extensions = {"dart"},
            .interpreters = {"dart"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .nestedComments = true,
            .strings = {tripleQuoted("\"\"\""), tripleQuoted("'''"), quoted("\""), quoted("'")},
            .complexity = {"if", "for", "while", "switch", "case", "catch", "&&", "||", "??", "?"},
        },
        {
            .name = "Zig",
            .extensions = {"zig"},
            .lineComments = slashes,
            .strings = cStrings,
            .complexity = {"if", "for", "while", "switch", "catch", "orelse", "and", "or"},
        },
        {
            .name = "D",
            .extensions = {"d", "di"},
            .checkedExtensions = {"d"},
            .lineComments = slashes,
            .blockComments = {{"/*", "*/"}, {"/+", "+/"}},
            .nestedComments = true,
            .strings = {quotedLines("\""), raw("`"), character()},
            .complexity = cComplexity,
        },
        {
            .name = "Groovy",
            .extensions = {"groovy", "gvy", "gy", "gsh"},
            .fileNames = {"jenkinsfile"},
            .interpreters = {"groovy"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = {tripleQuoted("\"\"\""), tripleQuoted("'''"), quoted("\""), quoted("'")},
            .complexity = cComplexity,
        },
        {
            .name = "Gradle",
            .extensions = {"gradle"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = {tripleQuoted("\"\"\""), tripleQuoted("'''"), quoted("\""), quoted("'")},
            .complexity = cComplexity,
        },
        {
            .name = "Protocol Buffers",
            .extensions = {"proto"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = scriptStrings,
        },
    };
}

} // namespace qm::counter
