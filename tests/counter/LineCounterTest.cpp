// The lexer on its own: each language's comments, strings and code, line by line, and the
// same figures however the file is read.
//
// Sections:
//   checking a text      syntaxOf, expectCounts
//   C-like languages     comments, nesting, language forms and docstrings, lines at the edges
//   tables of cases      brackets, Python, shell, Perl, Ruby, scripts, raw strings, comments,
//                        PHP, YAML, HTML, and files read as each language's own lexer reads them;
//                        one test for each table
//   however it is read   any pieces, 16- and 32-byte scans, line ends and tokens across reads
//   linear time          many here-documents on one line, brackets deeper than an int holds

#include "counter/lex/LineCounter.h"
#include "CountCases.h"
#include "Pieces.h"
#include "counter/lang/Language.h"
#include "counter/lex/Lanes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>

using namespace qm::counter;
using namespace qm::counter::test;

namespace {

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
    EXPECT_EQ((Figures{c.lines, c.code, c.comment, c.blank, c.complexity}),
              (Figures{e.lines, e.code, e.comment, e.blank, e.complexity}))
        << language << ": " << text;
    EXPECT_EQ(c.lines, c.code + c.comment + c.blank);
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

const std::vector<Case> bracketCases{
    {"CMake", "#[=[ a\nb ]=]\nset(x 1)\n", {3, 1, 2, 0, 0}, "a bracket comment with one '=' runs to ']=]'"},
    {"CMake", "#[==[\nx ]] still\n]==]\nif(A)\n", {4, 1, 3, 0, 1}, "']]' does not close a bracket comment of level 2"},
    {"CMake", "#[[\nblock\n]]\n# line\n", {4, 0, 4, 0, 0}, "level 0 bracket comment"},
    {"CMake", "message([=[\n# not a comment\n]=])\n", {3, 3, 0, 0, 0}, "a bracket argument is a string"},
    {"CMake", "#[x] comment\nset(a)\n", {2, 1, 1, 0, 0}, "'#[' without a second '[' is a line comment"},
    {"Lua",
     "--[==[\n]] not closed\n]==]\nlocal s = [=[\n-- not a comment\n]=]\n",
     {6, 3, 3, 0, 0},
     "long brackets of any level, comments and strings"},
};

const std::vector<Case> pythonCases{
    {"Python",
     "def f():\n    r\"\"\"Raw docstring \\d\n    more\n    \"\"\"\n    return 1\n",
     {5, 2, 3, 0, 0},
     "a raw docstring over several lines"},
    {"Python",
     "u\"\"\"a\"\"\"\nR'''b'''\nrb\"\"\"c\"\"\"\nf\"\"\"d\"\"\"\nBr'''e'''\nFR\"\"\"g\"\"\"\n",
     {6, 0, 6, 0, 0},
     "every prefix, in any case, opens a docstring"},
    {"Python", "x = r\"\"\"doc\"\"\"\nxr = 1\n", {2, 2, 0, 0, 0}, "after code a prefixed string is code"},
    {"Python",
     "x = call(\n    \"\"\"not a docstring\"\"\"\n)\n",
     {3, 3, 0, 0, 0},
     "a string opening a line inside brackets is an argument"},
    {"Python",
     "x = [1,\n    r'''\n    also code\n    ''']\n",
     {4, 4, 0, 0, 0},
     "brackets hold for multi-line strings too"},
    {"Python", "x = \\\n    \"\"\"also code\"\"\"\n", {2, 2, 0, 0, 0}, "a backslash continues the statement"},
    {"Python",
     "a = (1,\n     2)\n\"\"\"doc\"\"\"\n# (\n\"\"\"doc\"\"\"\n",
     {5, 2, 3, 0, 0},
     "once brackets close, and not counting those in comments, docstrings come back"},
};

const std::vector<Case> shellCases{
    {"Shell", "echo it\\'s\n# comment\n", {2, 1, 1, 0, 0}, "a backslash escapes a quote outside quotes"},
    {"Shell", "echo ${#a} \"it's\nmulti\"\n# comment\n", {3, 2, 1, 0, 0}, "'#' inside a word starts no comment"},
    {"Shell", "cat <<EOF\n# not a comment\nit's\nEOF\n# comment\n", {5, 4, 1, 0, 0}, "a here-document's body is code"},
    {"Shell",
     "f() {\n\tcat <<-'END'\n\t# body\n\tEND\n}\n# after\n",
     {6, 5, 1, 0, 0},
     "<<- allows tabs before the quoted terminator"},
    {"Shell", "cat << \"X\"\n\nx\nX\n", {4, 3, 0, 1, 0}, "a blank line in a body is blank"},
    {"Shell", "cat <<\\EOF >out\n'\nEOF\n# c\n", {4, 3, 1, 0, 0}, "<<\\WORD"},
    {"Shell", "cat <<A <<B\na\nA\nb # no\nB\n# c\n", {6, 5, 1, 0, 0}, "two here-documents read one after the other"},
    {"Shell", "x=$((1 << 2))\n# comment\n", {2, 1, 1, 0, 0}, "a shift inside arithmetic"},
    {"Shell", "grep x <<< \"$s\"\n# comment\n", {2, 1, 1, 0, 0}, "a here-string"},
    {"Shell",
     ": <<'COMMENT'\ndocs here\nCOMMENT\necho hi\n",
     {4, 2, 2, 0, 0},
     "a here-document given to ':' is a comment"},
    {"Shell", "echo $'it\\'s'\n# comment\n", {2, 1, 1, 0, 0}, "$'...' holds escapes"},
    {"Shell",
     "EOF=1\ncat <<EOF\n  EOF\nEOF\n# c\n",
     {5, 4, 1, 0, 0},
     "without '-' the terminator stands at the line start"},
};

const std::vector<Case> perlCases{
    {"Perl",
     "print <<\"END\";\n# not a comment\n=pod\nEND\nprint <<'E2', <<~E3;\na\nE2\n    b\n    E3\n# c\n",
     {10, 9, 1, 0, 0},
     "here-documents: quoted, two on a line, indented; POD inside is text"},
    {"Perl", "my $x = 1 << 2; # shift\n# c\n", {2, 1, 1, 0, 0}, "a shift is not a here-document"},
    {"Perl",
     "my @w = qw(a # b\n  c);\nmy $s = q{it's {nested} # x};\n$t =~ s{a}\n  {b}g;\n$u =~ tr/a-z/A-Z/;\n# c\n",
     {7, 6, 1, 0, 0},
     "quote operators with bracket pairs, nested, and in two parts"},
    {"Perl",
     "if ($x =~ m!a#b!) { print qq|it's| }\n$y =~ s#a#b#;\n$z =~ y/a/b/;\n# c\n",
     {4, 3, 1, 0, 1},
     "quote operators with any delimiter"},
    {"Perl",
     "my %h = (s => 1, y => 2);\nprint $h{s} if -s $file;\n$obj->y('x');\n# c\n",
     {4, 3, 1, 0, 1},
     "hash keys, file tests and methods are no quote operators"},
    {"Perl",
     "my $n = $#list / 2; # half\nmy @p = split /'/, $s;\nprint $', \"\\n\" if /x#y/;\n# c\n",
     {4, 3, 1, 0, 1},
     "$# and $' are variables; a regex after an operator, division after a value"},
    {"Perl", "my $v = $a // 'd';\n# c\n", {2, 1, 1, 0, 0}, "'//' after a value is defined-or"},
    {"Perl", "print m,/, ? 1 : 0; # c\n# c\n", {2, 1, 1, 0, 0}, "a comma as delimiter"},
    {"Perl",
     "my @p = split /\\n\\n/, <<'=back';\n\n=over 2\n\nText.\n\n=back\n\nprint 1;\n",
     {9, 2, 3, 4, 0},
     "a here-document closed by a POD command holds POD"},
};

const std::vector<Case> rubyCases{
    {"Ruby",
     "x = <<~EOS\n  # body\n  EOS\ny = <<-'E'\n  e\n  E\nz = [1] << 2 # shift\n# c\n",
     {8, 7, 1, 0, 0},
     "here-documents, indented terminators, and a shift"},
    {"Ruby", "class <<self\n# c\nend\n", {3, 2, 1, 0, 0}, "class <<self is no here-document"},
    {"Ruby",
     "a = %w(it's a)\nb = %q{x # y}\nc = %r{/#}\nd = $' + $\"\n# c\n",
     {5, 4, 1, 0, 0},
     "percent literals and the globals $' and $\""},
    {"Ruby",
     "if x =~ /'/ then y end\nr = a / b # half\n# c\n",
     {3, 2, 1, 0, 1},
     "a regex after an operator, division after a value"},
    {"Ruby",
     "d.chomp(?/) + ?' # c\nx = a ? \"'\" : c\n# c\n",
     {3, 2, 1, 0, 0},
     "?/ and ?' are characters; '?' with a space is a condition"},
};

const std::vector<Case> scriptCases{
    {"JavaScript",
     "const re = /x\\/*/;\nconst y = 1;\n// c\n",
     {3, 2, 1, 0, 0},
     "'/*' inside a regex opens no comment"},
    {"JavaScript",
     "const r = /`/;\nconst s = 1;\n// c\n",
     {3, 2, 1, 0, 0},
     "a backtick inside a regex opens no template"},
    {"TypeScript",
     "const half = total / 2 / 3; /* c\n*/\nif (/[/]'/.test(s)) x = 1;\n",
     {3, 2, 1, 0, 1},
     "division after a value; a '/' inside a class does not end a regex"},
    {"TypeScript", "return /'/.test(s) // q\n// c\n", {2, 1, 1, 0, 0}, "a regex after return"},
    {"JavaScript",
     "const s = `${\"`\"}\n// inside the template\n`;\n// c\n",
     {4, 3, 1, 0, 0},
     "a backtick in a string inside ${ }"},
    {"JavaScript",
     "const s = `a ${b ? `c ${d}\n// in template\n` : '}'} e\n// still\n`;\n// c\n",
     {6, 5, 1, 0, 1},
     "templates nested in ${ }, and a brace in a string"},
    {"TSX", "const t = `${ {a: 1}.a }`; // c\n// c\n", {2, 1, 1, 0, 0}, "braces inside ${ } pair up"},
};

const std::vector<Case> rawStringCases{
    {"Rust",
     "let a = r\"C:\\\";\nlet b = r#\"say \"hi\" // no\"#;\nlet c = br##\"a\"#b\"##; // tail\n// c\n",
     {4, 3, 1, 0, 0},
     "raw strings have no escapes and end at the hashes they opened with"},
    {"Rust", "let x = bar\"; // c\n", {1, 1, 0, 0, 0}, "'r' ending a word opens no raw string"},
    {"C++",
     "auto s = R\"x(\n/* not a comment\n)\" still )x\";\nint y; // c\n// c\n",
     {5, 4, 1, 0, 0},
     "R\"delim( ... )delim\" over several lines"},
    {"C++", "auto t = u8R\"(a\"b)\"; auto u = LR\"--(\")--\"; // c\n// c\n", {2, 1, 1, 0, 0}, "prefixed raw strings"},
    {"C#",
     "var p = @\"C:\\dir\\\";\nvar q = @\"say \"\"hi\"\"\n// still in the string\n\";\n// c\n",
     {5, 4, 1, 0, 0},
     "verbatim strings: no escapes, \"\" for a quote"},
    {"C#",
     "var r = $@\"a \"\"{b}\"\"\n\" + @$\"\n// in\n\";\n// c\n",
     {5, 4, 1, 0, 0},
     "interpolated verbatim strings"},
    {"C#",
     "var s = \"\"\"\"\n  a \"\"\" b\n  \"\"\"\";\n// c\n",
     {4, 3, 1, 0, 0},
     "a raw string opened by four quotes closes at four, not at three"},
    {"C#", "var u = \"\"\"\"\"\n\"\"\"\" // x\n\"\"\"\"\";\n// c\n", {4, 3, 1, 0, 0}, "five quotes close at five"},
    {"C#", "var t = \"\"\"a \"\" b\"\"\"; // c\n// c\n", {2, 1, 1, 0, 0}, "a raw string on one line"},
    {"C#", "var e = \"\"; // c\n// c\n", {2, 1, 1, 0, 0}, "two quotes are an empty string"},
    {"C#",
     "var i = $\"\"\"{x}\"\"\" + @\"\"\"\" + \"\\\"\";\n// c\n",
     {2, 1, 1, 0, 0},
     "interpolated raw strings; @\"\"\"\" is a verbatim string holding a quote"},
};

const std::vector<Case> commentCases{
    {"C",
     "int a; // note \\\n   still comment\nint b;\n",
     {3, 2, 1, 0, 0},
     "a line comment ending in a backslash goes on"},
    {"C++ Header", "// first \\\n\nint c;\n", {3, 1, 1, 1, 0}, "a carried-on comment line may be blank"},
    {"C", "// a \\\r\nb\r\nint c;\r\n", {3, 1, 2, 0, 0}, "with CR LF line ends"},
    {"Java", "int a; // a \\\nint b;\n", {2, 2, 0, 0, 0}, "only where the preprocessor reads the code"},
    {"C", "\xEF\xBB\xBF// comment\nint a;\n", {2, 1, 1, 0, 0}, "a byte-order mark before a comment"},
    {"Python", "\xEF\xBB\xBF\"\"\"doc\"\"\"\n", {1, 0, 1, 0, 0}, "a byte-order mark before a docstring"},
    {"Perl", "\xEF\xBB\xBF=pod\ntext\n=cut\n", {3, 0, 3, 0, 0}, "a byte-order mark before POD"},
    {"C", "\xEF\xBB\xBF", {0, 0, 0, 0, 0}, "a byte-order mark alone"},
    {"Vim Script",
     "\" comment\nlet x = \"str\" \" trailing\necho 'it''s'\n",
     {3, 2, 1, 0, 0},
     "'\"' starts a comment as a line's first text, a string elsewhere"},
    {"Fish", "# c\necho it\\'s #x\nset a b\n", {3, 2, 1, 0, 0}, "fish: escapes outside quotes"},
    {"C Shell", "# c\nset a = \"x\" # y\n", {2, 1, 1, 0, 0}, "csh"},
    {"ERB", "<%# note %>\n<p><%= x %></p>\n<!-- c -->\n", {3, 1, 2, 0, 0}, "ERB comments"},
    {"Diff", "--- a\n+++ b\n@@ -1 +1 @@\n-x\n+y\n\n", {6, 5, 0, 1, 0}, "a patch is all code"},
    {"Java",
     "// a \\u000a int b;\n// c \\u000a\n// d \\\\u000a int e;\n// f \\uuu000D g();\n// h \\\\\\u000a i();\n",
     {5, 3, 2, 0, 0},
     "\\u000a and \\u000d end a line comment, unless the backslash is escaped"},
    {"Java", "// a \\u000a /* b\n c */\n", {2, 0, 2, 0, 0}, "the rest of the line is read as code"},
    {"Java", "// a \\u000b x\n/* \\u000a y */\n", {2, 0, 2, 0, 0}, "other escapes, and block comments, go on"},
};

// PHP: code between its tags, output around them.
const std::vector<Case> phpCases{
    {"PHP", "<?php\n#[Attribute]\nclass A {}\n", {3, 3, 0, 0, 0}, "#[ opens an attribute"},
    {"PHP", "<?php\n# [x] not an attribute\n#x\n$a = 1; # c\n", {4, 2, 2, 0, 0}, "# not followed by [ opens a comment"},
    {"PHP", "<p>Don't</p>\n<?php\n// c\necho 1;\n", {4, 3, 1, 0, 0}, "text before <?php is output"},
    {"PHP", "<?php\n// a ?> b\n# c\n", {3, 3, 0, 0, 0}, "?> ends a line comment, and the code"},
    {"PHP", "<?php\n/* ?> */\n$s = '?>';\n# c\n", {4, 2, 2, 0, 0}, "?> in a block comment or a string ends nothing"},
    {"PHP",
     "<?php $a = 1; ?>\n\n<!-- x -->\n# y\n<?= $a ?>\n<?php\n# c\n",
     {7, 5, 1, 1, 0},
     "output between the code is text, and <?= opens code"},
    {"PHP", "<?xml version=\"1.0\"?>\n# x\n<? # y\n<?phpx # z\n", {4, 4, 0, 0, 0}, "<?xml, <? and <?phpx open no code"},
    {"PHP", "<?PHP\n# c\n", {2, 1, 1, 0, 0}, "<?PHP in capitals"},
    {"PHP", "#!/usr/bin/env php\n<?php\n# c\n", {3, 1, 2, 0, 0}, "a #! first line is a comment"},
    {"PHP", "#!/usr/bin/php ?> x\n# y\n", {2, 1, 1, 0, 0}, "the output goes on after the #! line"},
    {"PHP", "<?php if ($a) { $b = $c ? 1 : 2; } ?>\n", {1, 1, 0, 0, 2}, "the tags are no operators"},
};

// YAML: block scalars and quoted scalars are text, whatever their lines hold.
const std::vector<Case> yamlCases{
    {"YAML", "a: |\n  # text\nb: 1\n", {3, 3, 0, 0, 0}, "a # line in a block scalar is text"},
    {"YAML", "a: \"x\n  # y\"\n", {2, 2, 0, 0, 0}, "a quoted scalar goes on over lines"},
    {"YAML",
     "a: >-\n  text\n\n  # more text\n# x\nb: 1\n",
     {6, 4, 1, 1, 0},
     "a # line less deep than the scalar's ends it and is a comment"},
    {"YAML",
     "key: |2\n    # deeper\n  # at 2\n # at 1\n",
     {4, 3, 1, 0, 0},
     "an indentation indicator sets how deep the lines are"},
    {"YAML", "key: |\n    # deeper\n  # less\n", {3, 2, 1, 0, 0}, "otherwise the first line sets it"},
    {"YAML", "- |\n  # text\n- >\n # text\n-\n  # c\n", {6, 5, 1, 0, 0}, "block scalars as entries of a sequence"},
    {"YAML",
     "- name: |\n    # text\n  other: 1\n  # c\n",
     {4, 3, 1, 0, 0},
     "the scalar of a key inside an entry is deeper than the key"},
    {"YAML", "a: b |\nc: x >\n# c\n  # d\n", {4, 2, 2, 0, 0}, "| and > inside a plain scalar open nothing"},
    {"YAML", "a: !!str |+ # note\n  # text\n", {2, 2, 0, 0, 0}, "a tag, a chomping sign and a comment"},
    {"YAML",
     "a: Don't\n# c\nb: 'it''s\n  # in the string'\nc: \"x\\\"\n  # still\"\n# d\n",
     {7, 5, 2, 0, 0},
     "a quote opens a string only where a value starts; '' and \\\" stand for quotes"},
    {"YAML", "--- |\n# text\n...\n# c\n", {4, 3, 1, 0, 0}, "a document's scalar ends at a document marker"},
    {"YAML", "a: |\nb: 1\n# c\n", {3, 2, 1, 0, 0}, "an empty block scalar"},
    {"YAML", "a: [x, 'y\n  # z']\n", {2, 2, 0, 0, 0}, "a quoted scalar in a flow sequence"},
};

// HTML: comments only in the text between tags.
const std::vector<Case> htmlCases{
    {"HTML",
     "<a title=\"<!--\">x</a>\n<p>y</p>\n<!-- real -->\n",
     {3, 2, 1, 0, 0},
     "<!-- in an attribute value is text"},
    {"HTML",
     "<script>\n<!--\nvar a = 1;\n// -->\n</script>\n<style><!--\np { color: red }\n--></style>\n<!-- c -->\n",
     {9, 8, 1, 0, 0},
     "<!-- --> inside <script> and <style> is their text"},
    {"HTML",
     "<SCRIPT type=\"x\">\n\"</scripts>\" <!--\nx\n</SCRIPT >\n<!-- c -->\n",
     {5, 4, 1, 0, 0},
     "the end tag in any case, and only with the whole name"},
    {"HTML",
     "<p class=a'b title='x>\n<!-- y -->\n'>\n<!-- z -->\n",
     {4, 3, 1, 0, 0},
     "a quote opens an attribute value only after ="},
    {"HTML", "a < b <!-- c -->\n<!-- d -->\n", {2, 1, 1, 0, 0}, "a < before a space opens no tag"},
    {"HTML", "<img\n  alt=\">\"\n  src=x>\n<!-- c -->\n", {4, 3, 1, 0, 0}, "a tag over lines, > in quotes"},
    {"HTML", "<div <!-- x>\ny\n<!-- c -->\n", {3, 2, 1, 0, 0}, "<!-- inside a tag is text"},
};

// Files read as each language's own lexer reads them.
const std::vector<Case> ownLexerCases{
    {"Perl",
     "sub f { 1 }\n\n=back\n\nText.\n\n=cut\n",
     {7, 1, 3, 3, 0},
     "any =word where a statement may start opens POD"},
    {"Perl", "my $x = 1;\n=cut\nstill pod\n=cut\nprint $x;\n", {5, 2, 3, 0, 0}, "a stray =cut skips to the next =cut"},
    {"Perl",
     "1;\n=begin html\n<p>x</p>\n=end html\n=cutting\n=cut\n2;\n",
     {7, 2, 5, 0, 0},
     "=end and =cutting close no POD"},
    {"Perl",
     "1;\n\n=pod\n\n=cut2\nprint 1;\n=pod\n=cut_\nprint 2;\n",
     {9, 3, 4, 2, 0},
     "=cut closes POD unless a letter follows, as perl reads it"},
    {"Perl", "use strict;\n# note\n=head1 NAME\n\n=cut\n", {5, 1, 3, 1, 0}, "POD after a comment line"},
    {"Perl", "print <<EOF;\ntext\nEOF\n=head1 X\n=cut\n", {5, 3, 2, 0, 0}, "POD after a here-document"},
    {"Perl", "my $s = $a .\n=pod\n;\n# c\n", {4, 3, 1, 0, 0}, "after an operator '=' continues the expression"},
    {"Perl", "$x = m/a/s ? 1 : 2;\n# comment\n", {2, 1, 1, 0, 0}, "the flag s after m// opens no substitution"},
    {"Perl", "print 1 if $t =~ /a/s || $u;\nif ($a =~ /x/s && $b) { 1 }\n# c\n", {3, 2, 1, 0, 4}, "/s || and /s &&"},
    {"Perl", "my @l = split(/^/m, $x);\n# c\n", {2, 1, 1, 0, 0}, "split(/^/m, ...)"},
    {"Perl", "$y =~ s{a}{b}s ? 1 : 0;\n# c\n", {2, 1, 1, 0, 0}, "flags after s{}{}"},
    {"Perl",
     "print 1;\n__END__\n# data, not a comment\n\n=head1 NAME\n\nx\n\n=cut\nmore data\n",
     {10, 4, 3, 3, 0},
     "after __END__: data is code, POD is documentation"},
    {"Perl", "__DATA__\n# x\n'\n", {3, 3, 0, 0, 0}, "after __DATA__ nothing opens a comment or string"},
    {"Perl",
     "if ($opt !~ m;^\n  # a comment inside /x\n  (\\w+);x) { 1 }\n# c\n",
     {4, 3, 1, 0, 1},
     "';' right after m delimits it"},
    {"Perl", "my $o = `echo \\\"`;\n# c\n", {2, 1, 1, 0, 0}, "a backtick command is a string"},
    {"Ruby", "a = 1\n/x?/ =~ line\n# c\n", {3, 2, 1, 0, 0}, "a regex at the start of a statement"},
    {"Ruby", "=begin\nx\n=end:\nstill\n=end\ty\nputs 1\n", {6, 1, 5, 0, 0}, "=end closes only before white space"},
    {"Ruby", "puts /'/\nx = 1\n# c\n", {3, 2, 1, 0, 0}, "a regex as a command argument"},
    {"Ruby", "x = a /'/ 2\ny = \"'\"\n# c\n", {3, 2, 1, 0, 0}, "a '/' not closed on its line divides"},
    {"Ruby", "x = [4, 2].reduce(:/)\ny = \"'\"\n# c\n", {3, 2, 1, 0, 0}, ":/ is a symbol"},
    {"Ruby", "def /(other)\n  \"'\"\nend\n# c\n", {4, 3, 1, 0, 0}, "def / names a method"},
    {"Ruby", "x = foo %{\n#{bar}\n}\n# c\n", {4, 3, 1, 0, 0}, "#{} lines inside a %{} argument"},
    {"Ruby", "x = \"#{<<~EOS}\"\n  # body\nEOS\n# c\n", {4, 3, 1, 0, 0}, "a here-document opened inside #{}"},
    {"Ruby", "x = \"a #{\"}\"} b\"\n# c\n", {2, 1, 1, 0, 0}, "a string inside #{}"},
    {"JavaScript", "#!/usr/bin/env node\nconst a = 1;\n", {2, 1, 1, 0, 0}, "a #! first line is a comment"},
    {"JavaScript", "\xEF\xBB\xBF#!/usr/bin/env node\nx;\n", {2, 1, 1, 0, 0}, "after a byte-order mark too"},
    {"JavaScript", "x;\n#!/not/first\n", {2, 2, 0, 0, 0}, "only the first line"},
    {"Lua", "#!/usr/bin/lua\nprint(1)\n", {2, 1, 1, 0, 0}, "a #! first line in Lua"},
    {"Lua",
     "# not a shebang \"\nprint(1)\n-- c\n",
     {3, 1, 2, 0, 0},
     "Lua's loader skips any first line starting with #"},
    {"Lua", "x = #t\n# y\n", {2, 2, 0, 0, 0}, "past the first line # is the length operator"},
    {"JavaScript", "# x\ny;\n", {2, 2, 0, 0, 0}, "in JavaScript only #! opens a first-line comment"},
    {"Lua",
     "local s = \"a\\z\n\n  -- not a comment\"\n-- c\n",
     {4, 2, 1, 1, 0},
     "\\z skips white space and line ends: the string goes on"},
    {"Lua",
     "s = 'a\\z  b\n-- c\n",
     {2, 1, 1, 0, 0},
     "after \\z the first text ends the skip: a line end closes the string"},
    {"Lua", "s = '\\z \\z\n\t\\z\n-- x'\n-- c\n", {4, 3, 1, 0, 0}, "\\z after \\z"},
    {"Shell", "x=\"$( echo '\"' )\"\n# c\n", {2, 1, 1, 0, 0}, "'\"' inside \"$( )\""},
    {"Shell",
     "x=\"a $(echo \"b $(echo ')')\") c\"\ny='\n# in a string\n'\n# c\n",
     {5, 4, 1, 0, 0},
     "\"$( )\" nested, with a ')' in a string"},
};

const std::vector<const std::vector<Case>*> allCases{&bracketCases,  &pythonCases, &shellCases,     &perlCases,
                                                     &rubyCases,     &scriptCases, &rawStringCases, &commentCases,
                                                     &ownLexerCases, &phpCases,    &yamlCases,      &htmlCases};

void expectCases(const std::vector<Case>& cases)
{
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        expectCounts(c.language, c.text, c.expected);
    }
}

} // namespace

TEST(LineCounter, ReadsBracketCommentsAndStrings)
{
    expectCases(bracketCases);
}
TEST(LineCounter, ReadsPythonStringPrefixesAndDocstringsWhereStatementsStart)
{
    expectCases(pythonCases);
}
TEST(LineCounter, ReadsShellEscapesWordsAndHereDocuments)
{
    expectCases(shellCases);
}
TEST(LineCounter, ReadsPerlHereDocumentsQuoteOperatorsAndRegexes)
{
    expectCases(perlCases);
}
TEST(LineCounter, ReadsRubyHereDocumentsPercentLiteralsAndGlobals)
{
    expectCases(rubyCases);
}
TEST(LineCounter, TellsRegexesFromDivisionAndNestsTemplates)
{
    expectCases(scriptCases);
}
TEST(LineCounter, ReadsRawAndVerbatimStrings)
{
    expectCases(rawStringCases);
}
TEST(LineCounter, ReadsCarriedOnCommentsByteOrderMarksAndNewLanguages)
{
    expectCases(commentCases);
}
TEST(LineCounter, ReadsAsEachLanguagesOwnLexer)
{
    expectCases(ownLexerCases);
}
TEST(LineCounter, ReadsPhpOnlyBetweenItsTags)
{
    expectCases(phpCases);
}
TEST(LineCounter, ReadsYamlBlockScalarsAndQuotedScalarsAsText)
{
    expectCases(yamlCases);
}
TEST(LineCounter, ReadsHtmlCommentsOnlyBetweenTags)
{
    expectCases(htmlCases);
}

TEST(LineCounter, GivesTheSameFiguresWhateverPiecesTheFileComesIn)
{
    std::vector<std::pair<std::string, std::string>> samples{
        {"C", cSample},
        {"Python", pythonSample},
        {"Perl", perlSample},
        {"Lua", "--[[ a ]] x = [[ multi\nline ]] -- c\n"},
    };
    for (const auto* cases : allCases)
        for (const auto& c : *cases)
            samples.emplace_back(c.language, c.text);
    // Random mixes of the tokens that change the counter's state.
    std::mt19937 random(7);
    const std::vector<std::string> cTokens{"/*", "*/", "//",   "\"",  "'",   "\\",    "\n",
                                           " ",  "if", "x",    "&&",  "'a'", "while", std::string(70, 'w'),
                                           "\t", "?",  "R\"(", ")\"", "r#\""};
    const std::vector<std::string> scriptTokens{"<<EOF", "EOF", "\n",   "q{", "}",  "s/",    "/", "'",
                                                "\"",    "#",   "`",    "${", "$'", "%w(",   ")", " ",
                                                "=~",    "x",   "<<~E", "E",  "\\", "\"\"\""};
    static const char* const randomLanguages[] = {"C",     "Rust",       "Perl",   "C++",  "Ruby",
                                                  "Shell", "JavaScript", "Python", "CMake"};
    for (int n = 0; n < 60; ++n) {
        const auto& tokens = n % 3 == 2 ? scriptTokens : cTokens;
        std::string text;
        const int length = std::uniform_int_distribution<int>(1, 400)(random);
        for (int i = 0; i < length; ++i)
            text += tokens[std::uniform_int_distribution<std::size_t>(0, tokens.size() - 1)(random)];
        samples.emplace_back(randomLanguages[n % 9], text);
    }
    // Tags, block scalars, raw strings and escaped line ends.
    const std::vector<std::string> tagTokens{
        "<?php ",   "<?= ", "?>",  "#[",    "#",      "//",       "/*",      "*/",   "<script>",
        "</script", "<!--", "-->", "<a b=", "'",      "\"",       ">",       "\n",   "  ",
        ": |",      "- >2", "---", "x",     "\"\"\"", "\"\"\"\"", "\\u000a", "\\\\", std::string(70, ' ')};
    static const char* const tagLanguages[] = {"PHP", "YAML", "HTML", "C#", "Java"};
    for (int n = 0; n < 50; ++n) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(1, 400)(random);
        for (int i = 0; i < length; ++i)
            text += tagTokens[std::uniform_int_distribution<std::size_t>(0, tagTokens.size() - 1)(random)];
        samples.emplace_back(tagLanguages[n % 5], text);
    }
    for (const auto& [language, text] : samples) {
        const Syntax& syntax = syntaxOf(language);
        const Counts whole = LineCounter::count(syntax, text);
        for (const std::size_t step : {1u, 2u, 3u, 5u, 17u, 64u, 65u, 100u, 129u}) {
            const Counts pieces = countInPieces(syntax, text, step);
            ASSERT_EQ(pieces, whole) << language << " in pieces of " << step << ":\n" << text;
        }
    }
}

TEST(LineCounter, GivesTheSameFiguresWithSixteenAndThirtyTwoByteScans)
{
    // The cases' figures hold for both scans; random token mixes give both the same figures.
    const bool saved = lanes::avx2;
    lanes::avx2 = false;
    for (const auto* cases : allCases)
        expectCases(*cases);
    expectCases(hostileCases);
    std::mt19937 random(11);
    const std::vector<std::string> tokens{"/*",
                                          "*/",
                                          "//",
                                          "\"",
                                          "'",
                                          "\\",
                                          "\n",
                                          " ",
                                          "if",
                                          "xif",
                                          "_for",
                                          "&&",
                                          "case",
                                          "#",
                                          "<<EOF",
                                          "EOF",
                                          "q{",
                                          "}",
                                          "s/",
                                          "/",
                                          "`",
                                          "${",
                                          "\"\"\"",
                                          "\t",
                                          "é",
                                          std::string(40, 'w'),
                                          std::string(70, ' ')};
    static const char* const randomLanguages[] = {"C",          "Rust",   "Perl", "C++", "Ruby",    "Shell",
                                                  "JavaScript", "Python", "SQL",  "Lua", "Fortran", "Batch"};
    std::vector<std::pair<std::string, std::string>> samples;
    for (int n = 0; n < 120; ++n) {
        std::string text;
        const int length = std::uniform_int_distribution<int>(1, 600)(random);
        for (int i = 0; i < length; ++i)
            text += tokens[std::uniform_int_distribution<std::size_t>(0, tokens.size() - 1)(random)];
        samples.emplace_back(randomLanguages[n % 12], text);
    }
    std::vector<Counts> narrow;
    for (const auto& [language, text] : samples)
        narrow.push_back(LineCounter::count(syntaxOf(language), text));
    lanes::avx2 = saved;
    if (!lanes::avx2)
        GTEST_SKIP() << "no AVX2 on this processor: only the 16-byte scan ran";
    for (std::size_t i = 0; i < samples.size(); ++i)
        ASSERT_EQ(LineCounter::count(syntaxOf(samples[i].first), samples[i].second), narrow[i])
            << samples[i].first << ":\n"
            << samples[i].second;
}

TEST(LineCounter, KeepsEveryLineEndAndReadsTokensAcrossReads)
{
    for (const auto& c : hostileCases) {
        SCOPED_TRACE(c.why);
        expectCounts(c.language, c.text, c.expected);
        // The text alone in a buffer of its own size, so that reading past it is caught.
        const std::vector<char> exact(c.text.begin(), c.text.end());
        const Counts alone = LineCounter::count(syntaxOf(c.language), std::string_view(exact.data(), exact.size()));
        EXPECT_EQ(alone.lines, c.expected.lines);
        // Reads ending at every byte.
        for (std::size_t step = 1; step <= c.text.size(); ++step) {
            const Counts pieces = countInPieces(syntaxOf(c.language), c.text, step);
            if (pieces != LineCounter::count(syntaxOf(c.language), c.text)) {
                ADD_FAILURE() << "other figures in pieces of " << step;
                break;
            }
        }
    }
}

TEST(LineCounter, ReadsManyHereDocumentsOnOneLineInTimeLinearInTheirNumber)
{
    // 150,000 openers on one line (600 KB), then their bodies: each a terminator alone.
    constexpr std::size_t documents = 150'000;
    std::string text = "cat";
    for (std::size_t i = 0; i < documents; ++i)
        text += " <<A";
    text += "\n";
    for (std::size_t i = 0; i < documents; ++i)
        text += "A\n";
    text += "# c\n";
    // A hang guard, far above the fraction of a second this takes: reading the openers once
    // took minutes when each body moved all the openers after it.
    const auto start = std::chrono::steady_clock::now();
    const Counts c = LineCounter::count(syntaxOf("Shell"), text);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(60));
    EXPECT_EQ((std::vector<std::uint64_t>{c.lines, c.code, c.comment, c.blank}),
              (std::vector<std::uint64_t>{documents + 2, documents + 1, 1, 0}));
}

TEST(LineCounter, CountsBracketsDeeperThanAnIntHolds)
{
#ifndef __OPTIMIZE__
    GTEST_SKIP() << "reads 4 GiB: run in an optimised build";
#else
    // 2^31 "(" and as many ")", fed through one buffer, then a docstring: the brackets are
    // closed again, so it stands where a statement starts.
    const Syntax& python = syntaxOf("Python");
    LineCounter counter(python);
    const std::size_t size = std::size_t{1} << 24;
    const std::string opening = "x = " + std::string(size, '('), closing(size, ')');
    const std::string last = "\n\"\"\"doc\"\"\"\n";
    std::string pending;
    const auto feed = [&](const std::string& more, bool atEnd) {
        pending += more;
        pending.erase(0, counter.feed(pending.data(), pending.size(), atEnd));
    };
    for (std::size_t i = 0; i < (std::size_t{1} << 31) / size; ++i)
        feed(i == 0 ? opening : std::string(size, '('), false);
    for (std::size_t i = 0; i < (std::size_t{1} << 31) / size; ++i)
        feed(closing, false);
    feed(last, true);
    const Counts c = counter.finish();
    EXPECT_EQ((std::vector<std::uint64_t>{c.lines, c.code, c.comment}), (std::vector<std::uint64_t>{2, 1, 1}));
#endif
}
