// Numeric, hardware and older system languages.

#include "counter/lang/Families.h"

namespace qm::counter {

std::vector<Language> engineeringFamily()
{
    return {
        {
            .name = "Fortran",
            .extensions = {"f", "for", "ftn", "f77", "f90", "f95", "f03", "f08"},
            .lineComments = {"!"},
            .strings = scriptStrings,
            .complexity = {"if", "do", "select", "case", "where", ".and.", ".or."},
            .keywordsIgnoreCase = true,
        },
        {
            .name = "Ada",
            .extensions = {"adb", "ads", "ada"},
            .lineComments = {"--"},
            .strings = {quoted("\""), character()},
            .complexity = {"if", "elsif", "case", "when", "for", "while", "loop", "exception", "and", "or"},
            .keywordsIgnoreCase = true,
        },
        {
            .name = "Pascal",
            .extensions = {"pas", "pp", "dpr", "lpr", "dfm"},
            .lineComments = slashes,
            .blockComments = {{"{", "}"}, {"(*", "*)"}},
            .strings = {rawLine("'")},
            .complexity = {"if", "for", "while", "repeat", "case", "except", "and", "or"},
            .keywordsIgnoreCase = true,
        },
        {
            .name = "Assembly",
            .extensions = {"s", "asm", "nasm"},
            .lineComments = {";", "//", "# ", "#\t"},
            .blockComments = cBlock,
            .strings = {quoted("\"")},
        },
        {
            .name = "VHDL",
            .extensions = {"vhd", "vhdl"},
            .lineComments = {"--"},
            .blockComments = cBlock,
            .strings = {quoted("\"")},
            .complexity = {"if", "elsif", "case", "when", "for", "while", "and", "or"},
            .keywordsIgnoreCase = true,
        },
        {
            .name = "Verilog",
            .extensions = {"v", "vh", "sv", "svh"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = {quoted("\"")},
            .complexity = {"if", "for", "while", "case", "casex", "casez", "&&", "||", "?"},
        },
        {
            .name = "MATLAB",
            .extensions = {"m"},
            .lineComments = {"%"},
            .blockComments = {{"%{", "%}"}},
            .strings = {quoted("\"")},
            .complexity = {"if", "elseif", "for", "while", "switch", "case", "catch", "&&", "||"},
        },
        {
            .name = "Device Tree",
            .extensions = {"dts", "dtsi"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = {quoted("\"")},
        },
    };
}

} // namespace qm::counter
