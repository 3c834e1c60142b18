#!/usr/bin/env python3
"""Counts the code, comment and blank lines of HTML files as Python's HTML parser reads them
(html.parser: tags with their attribute values, the text of <script> and <style> up to their
end tags, comments in the text between tags), under the counter's rules: a line holding
only white space is blank; a line with text outside a comment is code; a line with only
comment text is a comment.

Prints "code<TAB>comment<TAB>blank<TAB>path" per file named on standard input.
    python3 bench/html_lines.py < list"""
import sys
from html.parser import HTMLParser

SPACE = " \t\r\f\v"  # the counter's white space


class Comments(HTMLParser):
    """Finds where each comment starts and ends in the text."""

    def __init__(self, text):
        super().__init__(convert_charrefs=False)
        self.text = text
        self.line_starts = [0] + [i + 1 for i, c in enumerate(text) if c == "\n"]
        self.spans = []

    def handle_comment(self, data):
        line, column = self.getpos()
        start = self.line_starts[line - 1] + column
        end = self.text.find("-->", start + 4 + len(data))
        self.spans.append((start, len(self.text) if end < 0 else end + 3))


def classify(text):
    parser = Comments(text)
    parser.feed(text)
    parser.close()
    in_comment = bytearray(len(text))
    for start, end in parser.spans:
        in_comment[start:end] = b"\1" * (min(end, len(text)) - start)
    counts = [0, 0, 0]
    offset = 0
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    for line in lines:
        text_at = [offset + i for i, c in enumerate(line) if c not in SPACE]
        offset += len(line) + 1
        if not text_at:
            counts[2] += 1
        else:
            counts[1 if all(in_comment[i] for i in text_at) else 0] += 1
    return counts


def main():
    for path in sys.stdin.read().splitlines():
        with open(path, encoding="utf-8", errors="surrogateescape") as f:
            counts = classify(f.read())
        print("\t".join(map(str, counts)) + "\t" + path)


main()
