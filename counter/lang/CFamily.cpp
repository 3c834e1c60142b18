// C and the languages read through its preprocessor or built on it: a line comment ending in a
// backslash goes on over the next line.

#include "counter/lang/Families.h"

namespace qm::counter {

std::vector<Language> cFamily()
{
    return {
        {
            .name = "C",
            .extensions = {"c", "ec", "pgc"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = cStrings,
            .complexity = cComplexity,
            .continuedLineComments = true,
        },
        {
            .name = "C++",
            .extensions = {"cpp", "cc", "cxx", "c++", "cp", "tcc"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = cStrings,
            .complexity = cComplexity,
            .rawStrings = RawStrings::Cpp,
            .continuedLineComments = true,
        },
        // ".h" is shared with C++ and Objective-C: the file's first bytes decide (Classifier).
        {
            .name = "C Header",
            .extensions = {"h"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = cStrings,
            .complexity = cComplexity,
            .continuedLineComments = true,
        },
        {
            .name = "C++ Header",
            .extensions = {"hpp", "hh", "hxx", "h++", "inl", "ipp", "h"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = cStrings,
            .complexity = cComplexity,
            .rawStrings = RawStrings::Cpp,
            .continuedLineComments = true,
        },
        {
            .name = "Objective-C",
            .extensions = {"m", "h"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = {quoted("\""), character(), quoted("@\"")},
            .complexity = cComplexity,
            .continuedLineComments = true,
        },
        {
            .name = "Objective-C++",
            .extensions = {"mm"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = cStrings,
            .complexity = cComplexity,
            .rawStrings = RawStrings::Cpp,
            .continuedLineComments = true,
        },
        {
            .name = "CUDA",
            .extensions = {"cu", "cuh"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = cStrings,
            .complexity = cComplexity,
            .rawStrings = RawStrings::Cpp,
            .continuedLineComments = true,
        },
        {
            .name = "Yacc",
            .extensions = {"y", "yy"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = cStrings,
            .complexity = cComplexity,
            .continuedLineComments = true,
        },
        {
            .name = "Lex",
            .extensions = {"l", "lex"},
            .lineComments = slashes,
            .blockComments = cBlock,
            .strings = cStrings,
            .complexity = cComplexity,
            .continuedLineComments = true,
        },
    };
}

} // namespace qm::counter
