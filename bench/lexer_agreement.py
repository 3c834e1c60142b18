#!/usr/bin/env python3
"""How closely the counter agrees with a language's own lexer, file by file.

    bench/lexer_agreement.py SCC LANGUAGE FOLDER... -- REFERENCE COMMAND...

Counts the FOLDERs with the counter (SCC, the built executable; files byte-identical to
another counted once), takes the files it calls LANGUAGE, hands their paths (one a line) to
the reference command, which prints "code<TAB>comment<TAB>blank<TAB>path" per file it can
read, and prints both totals, their difference and the files whose figures differ (the
first ten; all of them with --all). The references need Debian's libppi-perl, ruby,
node-acorn, shfmt, lua5.4, php-cli and python3-yaml (bench/lexer_agreement.sh installs them
and runs them all):

    bench/lexer_agreement.py build/libexec/quillmarrow/scc Perl /usr/share/perl/5.36 -- perl bench/perl_lines.pl
    bench/lexer_agreement.py build/libexec/quillmarrow/scc Ruby /usr/lib/ruby -- ruby bench/ruby_lines.rb
    NODE_PATH=/usr/share/nodejs bench/lexer_agreement.py build/libexec/quillmarrow/scc JavaScript \
        /usr/share/nodejs -- node bench/js_lines.mjs
    bench/lexer_agreement.py build/libexec/quillmarrow/scc Shell /usr/share /usr/lib -- python3 bench/shell_lines.py
    bench/lexer_agreement.py build/libexec/quillmarrow/scc Lua /usr/share/lua/5.1 -- lua5.4 bench/lua_lines.lua
    bench/lexer_agreement.py build/libexec/quillmarrow/scc PHP /usr/share -- php bench/php_lines.php
    bench/lexer_agreement.py build/libexec/quillmarrow/scc YAML /usr/share -- /usr/bin/python3 bench/yaml_lines.py
    bench/lexer_agreement.py build/libexec/quillmarrow/scc HTML /usr/share/doc -- python3 bench/html_lines.py"""
import json
import subprocess
import sys


def main():
    args = sys.argv[1:]
    show_all = "--all" in args
    args = [a for a in args if a != "--all"]
    split = args.index("--")
    scc, language, *folders = args[:split]
    reference = args[split + 1:]
    out = subprocess.run([scc, "--by-file", "--format", "json", "--no-duplicates", *folders], check=True,
                         capture_output=True).stdout
    files = {}
    for entry in json.loads(out):
        if entry["Name"] == language:
            for f in entry["Files"]:
                if not f["Binary"]:  # not counted
                    files[f["Location"]] = (f["Code"], f["Comment"], f["Blank"])
    listing = "".join(path + "\n" for path in sorted(files))
    ref = subprocess.run(reference, input=listing.encode(), check=True, capture_output=True).stdout.decode()
    theirs = {}
    for line in ref.splitlines():
        code, comment, blank, path = line.split("\t", 3)
        theirs[path] = (int(code), int(comment), int(blank))
    paths = [p for p in sorted(files) if p in theirs]
    ours_total = [sum(files[p][i] for p in paths) for i in range(3)]
    theirs_total = [sum(theirs[p][i] for p in paths) for i in range(3)]
    differing = [p for p in paths if files[p] != theirs[p]]
    print(f"{language}: {len(paths)} files ({len(files) - len(paths)} the reference could not read)")
    for i, name in enumerate(["code", "comment", "blank"]):
        ours, ref_n = ours_total[i], theirs_total[i]
        share = (ours - ref_n) / ref_n * 100 if ref_n else 0.0
        print(f"  {name:8} counter {ours:9}  lexer {ref_n:9}  {share:+.3f} %")
    print(f"  files differing: {len(differing)} ({len(differing) / max(len(paths), 1) * 100:.2f} %)")
    for p in differing if show_all else differing[:10]:
        print(f"    {p}: counter {files[p]} lexer {theirs[p]}")


main()
