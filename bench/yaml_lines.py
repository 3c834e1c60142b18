#!/usr/bin/env python3
"""Counts the code, comment and blank lines of YAML files as libyaml's scanner reads them
(Debian's python3-yaml, run by Debian's /usr/bin/python3), under the counter's rules: a line
holding only white space is blank, inside a scalar too; a line with text of any token (a
scalar, quoted, plain or block, an indicator, a tag, an anchor, a document marker) is code;
a line with other text, which the scanner skips as a comment, is a comment.

Prints "code<TAB>comment<TAB>blank<TAB>path" per file named on standard input; files the
scanner cannot read are named on standard error.
    /usr/bin/python3 bench/yaml_lines.py < list"""
import sys

import yaml

SPACE = " \t\r\f\v"  # the counter's white space


def classify(text):
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    code = [False] * len(lines)
    for token in yaml.scan(text, Loader=yaml.CSafeLoader):
        start, end = token.start_mark, token.end_mark
        if start.index == end.index:  # the scanner's marks of structure, which hold no text
            continue
        for number in range(start.line, min(end.line, len(lines) - 1) + 1):
            first = start.column if number == start.line else 0
            last = end.column if number == end.line else len(lines[number])
            if lines[number][first:last].strip(SPACE):
                code[number] = True
    counts = [0, 0, 0]
    for number, line in enumerate(lines):
        counts[0 if code[number] else 1 if line.strip(SPACE) else 2] += 1
    return counts


def main():
    for path in sys.stdin.read().splitlines():
        try:
            with open(path, encoding="utf-8") as f:
                counts = classify(f.read())
        except (yaml.YAMLError, UnicodeDecodeError, ValueError) as error:
            print(f"{path}: {type(error).__name__}", file=sys.stderr)
            continue
        print("\t".join(map(str, counts)) + "\t" + path)


main()
