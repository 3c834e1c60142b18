#!/usr/bin/env python3
"""Writes the seed corpus of DecoderFuzz: the counter's output of a small tree (by file and
by language), and malformed variants of it, each of a kind the strict decoder names:
missing, null, mistyped and repeated keys, numbers that are no plain integers, bad
escapes, text after the array, truncation, deep nesting.
Run again after the output's keys change: python3 tests/fuzz/make_decoder_seeds.py"""
import json
import pathlib

here = pathlib.Path(__file__).resolve().parent


def file_record(name, language="C", lines=3):
    return {"Language": language, "PossibleLanguages": [language], "Filename": name, "Extension": "c",
            "Location": "./src/" + name, "Symlocation": "", "Bytes": 38, "Lines": lines, "Code": 1,
            "Comment": 1, "Blank": 1, "Complexity": 0, "WeightedComplexity": 0, "Binary": False,
            "Minified": False, "Generated": False, "EndPoint": 0}


def language_record(name, files):
    return {"Name": name, "Bytes": 41, "CodeBytes": 29, "Lines": 3, "Code": 1, "Comment": 1, "Blank": 1,
            "Complexity": 0, "Count": len(files), "WeightedComplexity": 0, "Files": files}


by_file = [language_record("C", [file_record("main.c"), file_record("odd \"name\"\\\u0001\ufffd.c")]),
           language_record("Python", [file_record("a.py", "Python", 2)])]
by_language = [language_record("C", []), language_record("Shell", [])]

seeds = {
    "valid-by-file": json.dumps(by_file, separators=(",", ":")),
    "valid-by-language": json.dumps(by_language, separators=(",", ":")),
    "valid-pretty": json.dumps(by_file, indent=2),
    "valid-empty": "[]",
    "valid-unknown-keys": json.dumps([dict(by_language[0], Extra={"a": [1, 2.5, None, True, "x"]})]),
    "valid-exact-integers": json.dumps(by_language).replace('"Lines": 3', '"Lines": 3.0').replace('"Code": 1', '"Code": 1e0'),
}
base = json.dumps(by_file, separators=(",", ":"))
malformed = {
    "missing-key": base.replace('"Code":1,', "", 1),
    "missing-file-key": base.replace('"Symlocation":"",', "", 1),
    "null-value": base.replace('"Name":"C"', '"Name":null', 1),
    "string-for-number": base.replace('"Lines":3', '"Lines":"3"', 1),
    "fraction": base.replace('"Blank":1', '"Blank":1.5', 1),
    "too-large": base.replace('"Bytes":41', '"Bytes":1e30', 1),
    "beyond-int64": base.replace('"Bytes":41', '"Bytes":9223372036854775808', 1),
    "beyond-double-digits": base.replace('"Bytes":41', '"Bytes":123456789012345678901234567890', 1),
    "negative": base.replace('"Bytes":41', '"Bytes":-41', 1),
    "repeated-key": base.replace('"Code":1,', '"Code":1,"Code":2,', 1),
    "bool-for-number": base.replace('"Complexity":0', '"Complexity":false', 1),
    "number-for-bool": base.replace('"Binary":false', '"Binary":0', 1),
    "object-for-array": base.replace('"Files":[', '"Files":{"a":', 1).replace("]}]", "}}]", 1),
    "bad-escape": base.replace("main.c", "ma\\qin.c", 1),
    "lone-surrogate": base.replace("main.c", "\\ud800.c", 1),
    "invalid-utf8": base.replace("main.c", "m\udcffain.c", 1),
    "text-after": base + " x",
    "second-value": base + "[]",
    "truncated": base[: len(base) // 2],
    "not-an-array": json.dumps(by_file[0]),
    "deep": "[" * 300 + "]" * 300,
    "deep-unknown": '[{"X":' + "[" * 300 + "]" * 300 + "}]",
    "leading-zero": base.replace('"Bytes":41', '"Bytes":041', 1),
    "trailing-comma": base[:-1] + ",]",
}

corpus = here / "corpus" / "DecoderFuzz"
corpus.mkdir(parents=True, exist_ok=True)
for old in corpus.iterdir():
    old.unlink()
for name, text in {**seeds, **malformed}.items():
    (corpus / name).write_bytes(text.encode("utf-8", "surrogateescape"))
