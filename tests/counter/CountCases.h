#pragma once

// Small files and the figures the counter must give for them, worked out by hand.

#include <cstdint>
#include <string>
#include <vector>

namespace qm::counter::test {

struct Expected {
    std::uint64_t lines, code, comment, blank, complexity;
};

// Small files whose figures follow from the language's own rules: {lines, code, comment,
// blank, complexity}, each with what it pins down.
struct Case {
    const char* language;
    std::string text;
    Expected expected;
    const char* why;
};

// Texts that once broke the counter, each with its figures worked out by hand.
inline const std::vector<Case> hostileCases{
    // A character literal never runs over a line end.
    {"C", "char c = '\\\n';\n// c\n", {3, 2, 1, 0, 0}, "a quote, a backslash and a line end open no character"},
    {"C", "int c = '\xE2\n\x80';\n// c\n", {3, 2, 1, 0, 0}, "a UTF-8 lead byte before a line end"},
    {"Go", "x := '\xC3\n'\n// c\n", {3, 2, 1, 0, 0}, "a stray UTF-8 lead byte in Go"},
    {"Ruby", "x = ?\\\n# c\n", {2, 1, 1, 0, 0}, "?\\ before a line end is no character"},
    {"Ruby", "?\\x", {1, 1, 0, 0, 0}, "?\\x at the very end"},
    // Tokens read across where a read ends.
    {"Perl",
     "$x =~ s{a} # the pattern" + std::string(200, '.') + "\n  {b};\n# c\n",
     {3, 2, 1, 0, 0},
     "a comment between the parts of s{}{}"},
    {"Shell",
     "cat <<" + std::string(100, ' ') + "EOF\n# not a comment\nEOF\n# c\n",
     {4, 3, 1, 0, 0},
     "blanks between << and the word"},
    {"Shell",
     "cat <<" + std::string(200, ' ') + "EOF\n# a comment\nEOF\n",
     {3, 2, 1, 0, 0},
     "an opener longer than 128 bytes is not one"},
    {"Shell",
     "cat <<" + std::string(150, '\\') + "EOF\n# c\nEOF\n",
     {3, 2, 1, 0, 0},
     "backslashes making an opener longer than 128 bytes (found by fuzzing)"},
    {"PHP",
     "<?php\n$x = <<<EOT\n" + std::string(300, '\n') + "EOT;\n# c\n",
     {304, 3, 1, 300, 0},
     "PHP <<< followed by many blank lines"},
    {"PHP",
     "<?php\n$x = <<<" + std::string(200, ' ') + "EOT\n# c\nEOT;\n",
     {4, 3, 1, 0, 0},
     "PHP <<< followed by more blanks than an opener may hold"},
    {"Perl",
     "print <<~EOT;\n  # text\n" + std::string(300, ' ') + "EOT\n# c\n",
     {4, 3, 1, 0, 0},
     "a deeply indented <<~ terminator"},
    {"Shell",
     "f() {\ncat <<-EOF\n# text\n" + std::string(300, '\t') + "EOF\n}\n# c\n",
     {6, 5, 1, 0, 0},
     "a <<- terminator after many tabs"},
};

} // namespace qm::counter::test
