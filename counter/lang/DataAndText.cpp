// Data, configuration, documentation and queries.

#include "counter/lang/Families.h"

namespace qm::counter {

std::vector<Language> dataAndTextFamily()
{
    return {
        // Quoted scalars run over lines; a single-quoted one has no escapes, '' stands for a quote.
        {
            .name = "YAML",
            .extensions = {"yaml", "yml"},
            .lineComments = hash,
            .strings = {quotedLines("\""), verbatim("'", "'")},
            .blockScalars = true,
            .nodeStartQuotes = true,
        },
        {
            .name = "TOML",
            .extensions = {"toml"},
            .lineComments = hash,
            .strings = {tripleQuoted("\"\"\""), raw("'''"), quoted("\""), rawLine("'")},
        },
        {
            .name = "JSON",
            .extensions = {"json", "geojson", "webmanifest"},
            .strings = {quoted("\"")},
        },
        {
            .name = "XML",
            .extensions = {"xml", "xsd", "xsl", "xslt", "plist", "xaml", "csproj", "vcxproj", "props", "targets", "ts",
                           "conf"},
            .checkedExtensions = {"conf"},
            .blockComments = {{"<!--", "-->"}},
        },
        {
            .name = "Markdown",
            .extensions = {"md", "markdown", "mdown", "mkd"},
            .blockComments = {{"<!--", "-->"}},
        },
        {
            .name = "INI",
            .extensions = {"ini", "cfg", "conf", "properties"},
            .checkedExtensions = {"conf"},
            .lineComments = {";", "#"},
        },
        {
            .name = "ReStructuredText",
            .extensions = {"rst"},
        },
        {
            .name = "Diff",
            .extensions = {"diff", "patch"},
        },
        {
            .name = "TeX",
            .extensions = {"tex", "sty", "cls", "ltx", "dtx", "bib"},
            .lineComments = {"%"},
            .codeEscapes = true,
        },
        {
            .name = "Plain Text",
            .extensions = {"txt", "text"},
        },
        {
            .name = "SQL",
            .extensions = {"sql", "psql", "mysql"},
            .lineComments = {"--"},
            .blockComments = cBlock,
            .strings = {quotedLines("'"), quotedLines("\"")},
            .complexity = sqlComplexity,
            .keywordsIgnoreCase = true,
        },
    };
}

} // namespace qm::counter
