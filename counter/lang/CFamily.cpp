// C and the languages read through its preprocessor or built on it: a line comment ending in a
// backslash goes on over the next line.

#include "counter/lang/Families.h"

namespace qm::counter {

namespace {

// C's comments, strings (unless the language has its own) and branch words, read through the
// preprocessor: a line comment ending in a backslash goes on over the next line.
Language preprocessed(Language l)
{
    l.lineComments = slashes;
    l.blockComments = cBlock;
    if (l.strings.empty())
        l.strings = cStrings;
    l.complexity = cComplexity;
    l.continuedLineComments = true;
    return l;
}

} // namespace

std::vector<Language> cFamily()
{
    return {
        preprocessed({
            .name = "C",
            .extensions = {"c", "ec", "pgc"},
        }),
        preprocessed({
            .name = "C++",
            .extensions = {"cpp", "cc", "cxx", "c++", "cp", "tcc"},
            .rawStrings = RawStrings::Cpp,
        }),
        // ".h" is shared with C++ and Objective-C: the file's first bytes decide (Classifier).
        preprocessed({
            .name = "C Header",
            .extensions = {"h"},
        }),
        preprocessed({
            .name = "C++ Header",
            .extensions = {"hpp", "hh", "hxx", "h++", "inl", "ipp", "h"},
            .rawStrings = RawStrings::Cpp,
        }),
        preprocessed({
            .name = "Objective-C",
            .extensions = {"m", "h"},
            .strings = {quoted("\""), character(), quoted("@\"")},
        }),
        preprocessed({
            .name = "Objective-C++",
            .extensions = {"mm"},
            .rawStrings = RawStrings::Cpp,
        }),
        preprocessed({
            .name = "CUDA",
            .extensions = {"cu", "cuh"},
            .rawStrings = RawStrings::Cpp,
        }),
        preprocessed({
            .name = "Yacc",
            .extensions = {"y", "yy"},
        }),
        preprocessed({
            .name = "Lex",
            .extensions = {"l", "lex"},
        }),
    };
}

} // namespace qm::counter
