#!/usr/bin/env python3
"""Counts the code, comment and blank lines of shell files as shfmt (a full POSIX, bash and
mksh parser, Debian's shfmt) parses them, under the counter's rules: a line holding only
white space is blank, inside a string or here-document too; a line whose first text is a
comment the parser found is a comment; the body and terminator of a here-document given to
the no-op command ":" are comments; any other line is code.

Prints "code<TAB>comment<TAB>blank<TAB>path" per file named on standard input; files shfmt
cannot parse are named on standard error, with their number at the end.
    python3 bench/shell_lines.py < list"""
import json
import subprocess
import sys

SPACE = b" \t\r\f\v"  # the counter's white space


def nodes(tree):
    stack = [tree]
    while stack:
        n = stack.pop()
        if isinstance(n, dict):
            yield n
            stack.extend(n.values())
        elif isinstance(n, list):
            stack.extend(n)


def is_colon(command):
    # The no-op command ":" as the statement's command name.
    if not command or command.get("Type") != "CallExpr" or not command.get("Args"):
        return False
    parts = command["Args"][0].get("Parts") or []
    return len(parts) == 1 and parts[0].get("Type") == "Lit" and parts[0].get("Value") == ":"


def classify(path, text):
    run = subprocess.run(["shfmt", "--to-json", "--filename", path], input=text, capture_output=True)
    if run.returncode != 0:
        return None
    comment_starts = set()  # byte offsets of the "#" of every comment
    comment_lines = set()   # 1-based lines of here-document bodies given to ":"
    for n in nodes(json.loads(run.stdout)):
        if "Hash" in n:  # a comment (its "Text" is left out when empty)
            comment_starts.add(n["Hash"]["Offset"])
        elif "Redirs" in n and is_colon(n.get("Cmd")):
            for r in n["Redirs"] or []:
                doc = r.get("Hdoc")
                if doc:  # from the body's first line to the terminator's
                    comment_lines.update(range(doc["Pos"]["Line"], doc["End"]["Line"] + 1))
    lines = text.split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()
    code = comment = blank = 0
    offset = 0
    for number, line in enumerate(lines, 1):
        stripped = line.lstrip(SPACE)
        if not stripped:
            blank += 1
        elif number in comment_lines or offset + len(line) - len(stripped) in comment_starts:
            comment += 1
        else:
            code += 1
        offset += len(line) + 1
    return code, comment, blank


def main():
    failed = 0
    for path in sys.stdin.read().splitlines():
        with open(path, "rb") as f:
            text = f.read()
        counts = classify(path, text)
        if counts is None:
            failed += 1
            print(f"shfmt failed: {path}", file=sys.stderr)
            continue
        print(f"{counts[0]}\t{counts[1]}\t{counts[2]}\t{path}")
    print(f"shfmt could not parse {failed} files", file=sys.stderr)


main()
