// Shells and build files: commands, words and here-documents.

#include "counter/lang/Families.h"

namespace qm::counter {

std::vector<Language> shellFamily()
{
    return {
        {
            .name = "Shell",
            .extensions = {"sh", "bash", "zsh", "ksh", "bats", "d"},
            .fileNames = {".bashrc", ".bash_profile", ".zshrc", ".profile", ".bash_aliases"},
            .checkedExtensions = {"d"},
            .interpreters = {"sh", "bash", "zsh", "ksh", "dash", "ash", "mksh"},
            .lineComments = hash,
            .strings = {quotedLines("\""), raw("'")},
            .complexity = shComplexity,
            .codeEscapes = true,
            .hereDocuments = HereDocuments::Shell,
            .interpolation = "$(",
            .wordStartComments = true,
            .ansiCQuotes = true,
        },
        {
            .name = "PowerShell",
            .extensions = {"ps1", "psm1", "psd1"},
            .interpreters = {"pwsh", "powershell"},
            .lineComments = hash,
            .blockComments = {{"<#", "#>"}},
            .strings = {quotedLines("\""), raw("'")},
            .complexity = {"if", "elseif", "for", "foreach", "while", "switch", "catch", "-and", "-or"},
            .keywordsIgnoreCase = true,
        },
        {
            .name = "Fish",
            .extensions = {"fish"},
            .interpreters = {"fish"},
            .lineComments = hash,
            .strings = {quotedLines("\""), quotedLines("'")},
            .complexity = {"if", "else", "for", "while", "switch", "case", "and", "or", "&&", "||"},
            .codeEscapes = true,
            .wordStartComments = true,
        },
        {
            .name = "C Shell",
            .extensions = {"csh", "tcsh"},
            .fileNames = {".cshrc", ".tcshrc", ".login"},
            .interpreters = {"csh", "tcsh"},
            .lineComments = hash,
            .strings = {rawLine("\""), rawLine("'")},
            .complexity = {"if", "foreach", "while", "switch", "case", "&&", "||"},
            .codeEscapes = true,
            .wordStartComments = true,
        },
        {
            .name = "Batch",
            .extensions = {"bat", "cmd"},
            .lineComments = {"rem ", "REM ", "Rem ", "@rem ", "@REM ", "::"},
            .complexity = {"if", "for"},
            .keywordsIgnoreCase = true,
        },
        {
            .name = "Makefile",
            .extensions = {"mk", "mak", "make", "d"},
            .fileNames = {"makefile", "gnumakefile", "kbuild"},
            .checkedExtensions = {"d"},
            .interpreters = {"make"},
            .lineComments = hash,
            .complexity = {"ifeq", "ifneq", "ifdef", "ifndef", "if", "foreach"},
        },
        {
            .name = "CMake",
            .extensions = {"cmake", "cmake.in"},
            .fileNames = {"cmakelists.txt"},
            .lineComments = hash,
            .strings = {quotedLines("\"")},
            .complexity = {"if", "elseif", "foreach", "while"},
            .keywordsIgnoreCase = true,
            .longBracketComment = "#",
            .longBracketStrings = true,
        },
        {
            .name = "Dockerfile",
            .extensions = {"dockerfile"},
            .fileNames = {"dockerfile", "containerfile"},
            .fileNamePrefixes = {"dockerfile.", "containerfile."},
            .lineComments = hash,
        },
        {
            .name = "Vim Script",
            .extensions = {"vim"},
            .fileNames = {".vimrc", "_vimrc", "vimrc", ".gvimrc", "_gvimrc", "gvimrc", ".exrc"},
            .firstTextComments = {"\""},
            .strings = {quoted("\""), verbatimLine("'", "'")},
            .complexity = {"if", "elseif", "for", "while", "catch", "&&", "||", "?"},
        },
    };
}

} // namespace qm::counter
