#include "counter/Language.h"
#include "counter/LineCounter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

using namespace qm::counter;

namespace {

struct Expected {
    std::uint64_t lines, code, comment, blank, complexity;
};

const Syntax& syntaxOf(const std::string& name)
{
    static std::vector<Syntax> all = [] {
        std::vector<Syntax> s;
        for (const auto& l : languages())
            s.emplace_back(l);
        return s;
    }();
    const int index = languageIndex(name);
    EXPECT_GE(index, 0) << name;
    return all.at(static_cast<std::size_t>(index));
}

void expectCounts(const std::string& language, const std::string& text, Expected e)
{
    const Counts c = LineCounter::count(syntaxOf(language), text);
    using Figures = std::vector<std::uint64_t>; // lines, code, comment, blank, complexity
    EXPECT_EQ((Figures{c.lines, c.code, c.comment, c.blank, c.complexity}), (Figures{e.lines, e.code, e.comment, e.blank, e.complexity}))
        << language << ": " << text;
    EXPECT_EQ(c.lines, c.code + c.comment + c.blank);
}

// Feeds `text` the way the file scanner does: pieces of `step` new bytes appended to what
// the counter left over.
Counts countInPieces(const Syntax& syntax, const std::string& text, std::size_t step)
{
    LineCounter counter(syntax);
    std::string pending;
    std::size_t next = 0;
    for (;;) {
        const std::size_t more = std::min(step, text.size() - next);
        pending.append(text, next, more);
        next += more;
        const bool atEnd = next == text.size();
        const std::size_t taken = counter.feed(pending.data(), pending.size(), atEnd);
        if (atEnd)
            break;
        pending.erase(0, taken);
    }
    return counter.finish();
}

const std::string cSample = R"(/* header
   comment */
#include <stdio.h>   // trailing comment

int main(void) {
    const char* s = "/* not a comment */ // nor this";
    char q = '"';  /* block */ int x = 1;
    if (x && s) { return 0; }
    /* one for */ /* two */
    return 1; /* open
    still comment
    */
}
)";

const std::string pythonSample = R"(#!/usr/bin/env python3
"""Module docstring
spanning lines.
"""
import os

def f(x):
    '''One-line docstring.'''
    s = """not a
docstring"""
    if x and s: # comment
        return "# not a comment"
    return None
)";

const std::string perlSample = "#!/usr/bin/perl\nuse strict;\n\n=pod\n\nDocs here.\n\n=cut\n\nprint \"x\" if 1;\n";

} // namespace

TEST(LineCounter, CountsCommentsStringsAndCodeOfCLikeLanguages)
{
    expectCounts("C", cSample, {13, 7, 5, 1, 2});
    // C block comments do not nest: after the first "*/" the line has code.
    expectCounts("C", "/* a /* b */ int c;\n", {1, 1, 0, 0, 0});
    // An unterminated string ends at the line end; a comment on the next line is a comment.
    expectCounts("C", "char* s = \"abc\n/* x */\n", {2, 1, 1, 0, 0});
    // An escaped line end continues the string, so its comment marker is code.
    expectCounts("C", "char* s = \"abc\\\n /* x */ \";\n", {2, 2, 0, 0, 0});
    // An unterminated block comment runs to the end of the file.
    expectCounts("C", "int a;\n/* abc\n\n def", {4, 1, 2, 1, 0});
    // Branch keywords count only as whole words, and not inside strings or comments.
    expectCounts("C", "iffy(elif_x, if_);\nx = a ? b : c;\nwhile (1) {} // if\n\"for\";\n", {4, 4, 0, 0, 2});
}

TEST(LineCounter, NestsCommentsWhereTheLanguageDoes)
{
    expectCounts("Rust",
                 "/* outer /* inner */ still outer */\nfn main() {\n    let s = \"// not a comment\";\n"
                 "    let r = 'x'; // char\n    let a: &'static str = \"x\"; /* c */\n}\n",
                 {6, 5, 1, 0, 0});
    expectCounts("Haskell", "{- a {- b -} c -}\nmain = print 1 -- x\n-- only\n", {3, 1, 2, 0, 0});
    expectCounts("OCaml", "(* a (* b *) c *)\nlet x = 1\n", {2, 1, 1, 0, 0});
}

TEST(LineCounter, HandlesLanguageSpecificCommentFormsAndDocstrings)
{
    expectCounts("Python", pythonSample, {13, 7, 5, 1, 2});
    expectCounts("Lua", "--[[ block\ncomment ]]\nlocal s = \"--[[ not ]]\" -- line\n--[==[ another ]==]\nprint(s)\n",
                 {5, 2, 3, 0, 0});
    expectCounts("Perl", perlSample, {10, 2, 4, 4, 1});
    expectCounts("Ruby", "x = 1\n=begin\nnot code\n=end\ny = 2 if x\n", {5, 2, 3, 0, 1});
    expectCounts("TeX", "50\\% done % note\n% only a comment\n", {2, 1, 1, 0, 0});
    expectCounts("HTML", "<p>it's</p>\n<!-- a\nb -->\n", {3, 1, 2, 0, 0});
    expectCounts("Plain Text", "hello\n\n  world  \n", {3, 2, 0, 1, 0});
    expectCounts("SQL", "SELECT 1 -- x\n-- y\nWHERE a AND b\n", {3, 2, 1, 0, 2});
}

TEST(LineCounter, CountsLinesAndBlanksAtTheEdges)
{
    expectCounts("C", "", {0, 0, 0, 0, 0});
    expectCounts("C", "a", {1, 1, 0, 0, 0});
    expectCounts("C", "\n", {1, 0, 0, 1, 0});
    expectCounts("C", "a\n\n", {2, 1, 0, 1, 0});
    expectCounts("C", " \t\r\n\f\v\n", {2, 0, 0, 2, 0});
    expectCounts("C", "int a;\r\n// b\r\n\r\n", {3, 1, 1, 1, 0});
    // A blank line inside a block comment is blank.
    expectCounts("C", "/*\n\n*/\n", {3, 0, 2, 1, 0});
    // Code bytes cover code lines only.
    EXPECT_EQ(LineCounter::count(syntaxOf("C"), "int a;\n// comment\n\nint b;").codeBytes, 7u + 6u);
}

TEST(LineCounter, GivesTheSameFiguresWhateverPiecesTheFileComesIn)
{
    std::vector<std::pair<std::string, std::string>> samples{
        {"C", cSample}, {"Python", pythonSample}, {"Perl", perlSample},
        {"Lua", "--[[ a ]] x = [[ multi\nline ]] -- c\n"},
    };
    // Random mixes of the tokens that change the counter's state.
    std::mt19937 random(7);
    const std::vector<std::string> cTokens{"/*", "*/", "//", "\"", "'", "\\", "\n", " ", "if", "x", "&&", "'a'",
                                           "while", std::string(70, 'w'), "\t", "?"};
    for (int n = 0; n < 40; ++n) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(1, 400)(random);
        for (int i = 0; i < length; ++i)
            text += cTokens[std::uniform_int_distribution<std::size_t>(0, cTokens.size() - 1)(random)];
        samples.emplace_back(n % 2 ? "C" : "Rust", text);
    }
    for (const auto& [language, text] : samples) {
        const Syntax& syntax = syntaxOf(language);
        const Counts whole = LineCounter::count(syntax, text);
        for (const std::size_t step : {1u, 2u, 3u, 5u, 17u, 64u, 65u, 100u}) {
            const Counts pieces = countInPieces(syntax, text, step);
            ASSERT_EQ(pieces, whole) << language << " in pieces of " << step << ":\n" << text;
        }
    }
}
