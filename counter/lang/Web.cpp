// The web: JavaScript and its relatives (regular expressions, template literals), markup
// and style sheets.

#include "counter/lang/Families.h"

namespace qm::counter {

std::vector<Language> webFamily()
{
    return {
        {
            .name = "JavaScript",
            .extensions = {"js", "mjs", "cjs"},
            .interpreters = {"node", "nodejs"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = jsStrings,
            .complexity = jsComplexity,
            .regexLiterals = true,
            .regexAfterWords = jsRegexWords,
            .templateLiterals = true,
            .firstLineComment = "#!",
        },
        {
            .name = "TypeScript",
            .extensions = {"ts", "mts", "cts"},
            .interpreters = {"ts-node", "deno", "bun"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = jsStrings,
            .complexity = jsComplexity,
            .regexLiterals = true,
            .regexAfterWords = jsRegexWords,
            .templateLiterals = true,
            .firstLineComment = "#!",
        },
        {
            .name = "JSX",
            .extensions = {"jsx"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = jsStrings,
            .complexity = jsComplexity,
            .regexLiterals = true,
            .regexAfterWords = jsRegexWords,
            .templateLiterals = true,
            .firstLineComment = "#!",
        },
        {
            .name = "TSX",
            .extensions = {"tsx"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = jsStrings,
            .complexity = jsComplexity,
            .regexLiterals = true,
            .regexAfterWords = jsRegexWords,
            .templateLiterals = true,
            .firstLineComment = "#!",
        },
        {
            .name = "Vue",
            .extensions = {"vue"},
            .lineComments = slashes,
            .blockComments = {{"<!--", "-->"}, {"/*", "*/"}},
            .strings = jsStrings,
            .complexity = jsComplexity,
            .regexLiterals = true,
            .regexAfterWords = jsRegexWords,
            .templateLiterals = true,
            .firstLineComment = "#!",
        },
        {
            .name = "Svelte",
            .extensions = {"svelte"},
            .lineComments = slashes,
            .blockComments = {{"<!--", "-->"}, {"/*", "*/"}},
            .strings = jsStrings,
            .complexity = jsComplexity,
            .regexLiterals = true,
            .regexAfterWords = jsRegexWords,
            .templateLiterals = true,
            .firstLineComment = "#!",
        },
        {
            .name = "HTML",
            .extensions = {"html", "htm", "xhtml"},
            .blockComments = {{"<!--", "-->"}},
            .markupTags = true,
        },
        {
            .name = "CSS",
            .extensions = {"css"},
            .blockComments = cBlock,
            .strings = scriptStrings,
        },
        {
            .name = "SCSS",
            .extensions = {"scss"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = scriptStrings,
            .complexity = {"@if", "@else", "@each", "@for", "@while"},
        },
        {
            .name = "ERB",
            .extensions = {"erb", "rhtml"},
            .blockComments = {{"<%#", "%>"}, {"<!--", "-->"}},
        },
    };
}

} // namespace qm::counter
