#!/usr/bin/env python3
"""Writes the seed corpus of LexerFuzz: small samples of every language and the texts that
once broke the counter. An input is one byte choosing the language (its place in the table
of counter/Language.cpp), one byte seeding the sizes of the pieces it is read in, then the
file. Run again after the language table changes: python3 tests/fuzz/make_lexer_seeds.py"""
import pathlib
import re

here = pathlib.Path(__file__).resolve().parent
table = (here.parent.parent / "counter" / "Language.cpp").read_text()
names = re.findall(r'(?:cLike|make)\("([^"]+)"', table[table.index("buildTable()"):])

# A sample that exercises comments, strings and code in most languages, and one per family.
common = ('// line comment\n/* block\n   comment */\n# hash comment\n-- dash comment\n; semicolon\n'
          'x = "string // not a comment" + \'c\' + `raw`\n\n  \t\nif (a && b || c) { return x ? 1 : 2; }\n'
          '"""doc\nstring"""\n%{ matlab %}\n<!-- markup -->\n{- haskell -} (* ml *) #| lisp |#\n')
samples = {
    "C": "#include <stdio.h>\n/* c */ int main(void) { char q = '\"'; char e = '\\n'; // x\n"
         "  const char *s = \"a\\\"b\"; return s ? 0 : 1; }\n// a \\\n carried on\n",
    "C++": "auto s = R\"x(\n/* raw */\n)x\"; auto t = u8R\"(a)\"; // c\nint y = '\\'';\n",
    "Rust": "/* a /* nested */ b */\nlet r = r#\"raw \"q\"\"#; let c = 'x'; fn f<'a>(x: &'a str) {}\n",
    "Go": "x := `raw\n// not a comment`\nr := '\\u00e9' // c\ny := 'é'\n",
    "Python": "#!/usr/bin/env python3\n\"\"\"Doc.\"\"\"\ndef f(x):\n    r'''doc'''\n    s = (\"\"\"not\ndoc\"\"\")\n"
              "    return x \\\n        and \"# no\"\n",
    "Ruby": "x = <<~EOS\n  # body\n  EOS\n=begin\ndoc\n=end\nr = %r{/#} + ?' + $'\nif x =~ /a/ then y end\n"
            "s = \"#{x}\"\nclass << self\nend\n",
    "Perl": "#!/usr/bin/perl\nmy $x = q{a {b} # c};\n$y =~ s{a}\n  {b}g;\nprint <<\"END\";\n# text\nEND\n"
            "=pod\n\nDocs.\n\n=cut\nmy $n = $#a / 2; # half\n__END__\ndata\n",
    "PHP": "#!/usr/bin/env php\n<p>Don't</p>\n<?php\n$x = <<<EOT\n  text # no\n  EOT;\n# c\n// c ?> out\n<?= $x ?>\n"
           "<?php\n#[Attribute]\n/* c ?> */\n",
    "Java": "// a \\u000a int b;\n// c \\\\u000a\nString s = \"\"\"\n  // text\n  \"\"\";\n",
    "YAML": "a: |\n  # text\nb: >-2\n   # more\n# c\n- name: |\n    x\n  y: 'it''s\n  # in'\nc: \"a\\\"\n # b\"\n"
            "d: Don't\n--- |\n# text\n...\n",
    "HTML": "<a title=\"<!--\">x</a>\n<script>\n<!--\nvar a = '</scripts>';\n// -->\n</SCRIPT>\n"
            "<style><!-- p { } --></style>\n<p class=a'b title='>\n<!-- y -->'>\n<!-- c -->\n",
    "JavaScript": "#!/usr/bin/env node\nconst re = /x\\/*/g; const t = `a ${b ? `c` : '}'} d`;\nconst h = a / b / c; // c\n",
    "Shell": "#!/bin/sh\ncat <<-'EOF'\n\t# body\n\tEOF\necho ${#a} \"it's\" $'q\\'' # c\nx=$((1 << 2))\n"
             ": <<'C'\ncomment\nC\necho \"$( echo '\"' )\" # c\n",
    "Lua": "#!/usr/bin/lua\n--[==[\nlong ]] comment\n]==]\nlocal s = [[ multi\nline ]] -- c\n",
    "CMake": "#[=[ bracket\ncomment ]=]\nset(x [==[ arg ]==]) # c\n",
    "Vim Script": "\" comment\nlet x = \"str\" \" trailing\necho 'it''s'\n",
    "C#": "var p = @\"C:\\dir\\\"; var q = $@\"a \"\"{b}\"\"\"; var r = \"\"\"raw\"\"\"; // c\n"
          "var s = \"\"\"\"\n  a \"\"\" b\n  \"\"\"\";\nvar e = \"\"; var v = @\"\"\"\";\n",
}

# Texts that once broke the counter: a line end swallowed, figures that changed with where
# a read ended, time that grew faster than the input.
reproducers = [
    ("C", "char c = '\\\n';\n// c\n"),
    ("C", "int c = '\xe2\n\x80';\n// c\n"),
    ("Go", "x := '\xc3\n'\n// c\n"),
    ("Ruby", "x = ?\\\n# c\n"),
    ("Ruby", "?\\x"),
    ("Perl", "$x =~ s{a} # the pattern" + "." * 200 + "\n  {b};\n# c\n"),
    ("Shell", "cat <<" + " " * 200 + "EOF\n# a comment\nEOF\n"),
    ("Shell", "cat" + " <<A" * 200 + "\n" + "A\n" * 200),
    ("PHP", "<?php\n$x = <<<EOT\n" + "\n" * 300 + "EOT;\n# c\n"),
    ("PHP", "<?php\n$x = <<<" + " " * 200 + "EOT\n# c\nEOT;\n"),
    ("Perl", "print <<~EOT;\n  # text\n" + " " * 300 + "EOT\n# c\n"),
    ("Shell", "f() {\ncat <<-EOF\n# text\n" + "\t" * 300 + "EOF\n}\n# c\n"),
    ("Python", "x = " + "(" * 300 + ")" * 300 + "\n\"\"\"doc\"\"\"\n"),
    # Read as each language's own lexer reads them.
    ("Perl", "sub f { 1 }\n\n=back\n\nText.\n\n=cut\n"),
    ("Perl", "my $x = 1;\n=cut\nstill pod\n=cut\n$x = m/a/s ? 1 : 2;\n# comment\n__END__\n# data\n=pod\n\n=cut\n"),
    ("Perl", "if ($opt !~ m;^\n  # in /x\n  (\\w+);x) { `echo \\\"` }\n"),
    ("Ruby", "a = 1\n/x?/ =~ line\n# c\nputs /'/\nx = [4, 2].reduce(:/)\ndef /(o)\nend\nx = foo %{\n#{bar}\n}\n"
             "y = \"#{<<~EOS}\"\n  # body\nEOS\n"),
    ("JavaScript", "#!/usr/bin/env node\nconst a = 1;\n"),
    ("Lua", "#!/usr/bin/lua\nprint(1)\n"),
    ("Lua", "# not a shebang \"\ns = 'a\\z\n\n  -- not a comment\\z \\z\n\t\\z\nb'\n-- c\n"),
    ("Shell", "x=\"$( echo '\"' )\"\ny=\"a $(echo \"b $(echo ')')\") c\"\n# c\n"),
    ("Perl", "1;\n\n=pod\n\n=cut2\nprint 1;\n=pod\n=cut_\nprint 2;\n=pod\n=cutting\n=cut"),
    ("Ruby", "=begin\nx\n=end:\nstill\n=end\ty\nputs 1\n=begin\n=end"),
    ("PHP", "<?php\n#[Attribute]\nclass A {}\n# [x]\n// a ?> b\n# c\n<?xml ?>\n<? # y\n<?PHP\n/* ?> */ $s = '?>';\n<?php"),
    ("PHP", "#!/usr/bin/php ?> x\n# y\n<?= $a ?>\n<?php $x = <<<EOT ?>\nEOT;\n# c\n"),
    ("YAML", "a: |\n  # text\nb: 1\nc: \"x\n  # y\"\nkey: |2\n    # deeper\n  # at 2\n # at 1\n- |\n  # t\n- >\n # t\n-\n  # c\n"),
    ("YAML", "a: !!str |+ # note\n  # text\n" + " " * 200 + "long: |\n  # x\n--- |\n# text\n...\na: [x, 'y\n  # z']\n|"),
    ("HTML", "<a title=\"<!--\">x</a>\n<SCRIPT type=\"x\">\n\"</scripts>\" <!--\nx\n</SCRIPT >\n<div <!-- x>\ny\n<!-- c -->\n<style"),
    ("C#", "var s = \"\"\"\"\n  a \"\"\" b\n  \"\"\"\";\nvar u = \"\"\"\"\"\n\"\"\"\" // x\n\"\"\"\"\";\n" + '"' * 200 + "\n// c\n"),
    ("Java", "// a \\u000a int b;\n// f \\uuu000D g();\n// h \\\\\\u000a i();\n// a \\u000a /* b\n c */\n// \\" + "u" * 100 + "000a x\n"),
]

corpus = here / "corpus" / "LexerFuzz"
corpus.mkdir(parents=True, exist_ok=True)
# Inputs a fuzz run found ("found-*") stay.
for old in [*corpus.glob("sample-*"), *corpus.glob("reproducer-*")]:
    old.unlink()


def write(name, language, seed, text):
    data = bytes([names.index(language), seed]) + text.encode("latin-1" if "\xe2" in text or "\xc3" in text else "utf-8")
    (corpus / name).write_bytes(data)


def slug(language):
    # "C", "C++" and "C#" each get a name of their own.
    named = language.replace("+", "p").replace("#", "sharp")
    return re.sub(r"[^A-Za-z0-9]+", "_", named).strip("_").lower() or "x"


for i, language in enumerate(names):
    write(f"sample-{slug(language)}", language, i, samples.get(language, common))
for i, (language, text) in enumerate(reproducers):
    write(f"reproducer-{i:02d}-{slug(language)}", language, 17 * i % 256, text)
