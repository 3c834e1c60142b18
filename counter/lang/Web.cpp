// The web: JavaScript and its relatives (regular expressions, template literals), markup
// and style sheets.

#include "counter/lang/Families.h"

namespace qm::counter {

namespace {

// JavaScript and its relatives: C's comments (block comments unless the language has its
// own), strings with template literals, regular expressions, and "#!" opening the file.
Language scripted(Language l)
{
    l.lineComments = slashes;
    if (l.blockComments.empty())
        l.blockComments = cBlock;
    l.strings = jsStrings;
    l.complexity = jsComplexity;
    l.regexLiterals = true;
    l.regexAfterWords = jsRegexWords;
    l.templateLiterals = true;
    l.firstLineComment = "#!";
    return l;
}

} // namespace

std::vector<Language> webFamily()
{
    return {
        scripted({
            .name = "JavaScript",
            .extensions = {"js", "mjs", "cjs"},
            .interpreters = {"node", "nodejs"},
        }),
        scripted({
            .name = "TypeScript",
            .extensions = {"ts", "mts", "cts"},
            .interpreters = {"ts-node", "deno", "bun"},
        }),
        scripted({
            .name = "JSX",
            .extensions = {"jsx"},
        }),
        scripted({
            .name = "TSX",
            .extensions = {"tsx"},
        }),
        scripted({
            .name = "Vue",
            .extensions = {"vue"},
            .blockComments = {{"<!--", "-->"}, {"/*", "*/"}},
        }),
        scripted({
            .name = "Svelte",
            .extensions = {"svelte"},
            .blockComments = {{"<!--", "-->"}, {"/*", "*/"}},
        }),
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
