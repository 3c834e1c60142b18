// Functional languages: the ML family, Lisps, Erlang and Elixir, Haskell, Nim.

#include "counter/lang/Families.h"

namespace qm::counter {

std::vector<Language> functionalFamily()
{
    return {
        {
            .name = "F#",
            .extensions = {"fs", "fsi", "fsx"},
            .lineComments = slashes,
            .blockComments = {{"(*", "*)"}},
            .nestedComments = true,
            .strings = {tripleQuoted("\"\"\""), quoted("\"")},
            .complexity = {"if", "elif", "match", "for", "while", "try", "&&", "||", "|"},
        },
        {
            .name = "Haskell",
            .extensions = {"hs"},
            .interpreters = {"runhaskell", "runghc", "stack"},
            .lineComments = {"--"},
            .blockComments = {{"{-", "-}"}},
            .nestedComments = true,
            .strings = {quotedLines("\""), character()},
            .complexity = {"if", "case", "guard", "&&", "||", "|"},
        },
        {
            .name = "OCaml",
            .extensions = {"ml", "mli", "mll", "mly"},
            .interpreters = {"ocaml"},
            .blockComments = {{"(*", "*)"}},
            .nestedComments = true,
            .strings = {quotedLines("\""), character()},
            .complexity = mlComplexity,
        },
        {
            .name = "Elixir",
            .extensions = {"ex", "exs"},
            .interpreters = {"elixir"},
            .lineComments = hash,
            .strings = {tripleQuoted("\"\"\""), tripleQuoted("'''"), quotedLines("\""), quotedLines("'")},
            .complexity = {"if", "unless", "case", "cond", "with", "for", "rescue", "catch", "&&", "||", "and", "or"},
        },
        {
            .name = "Erlang",
            .extensions = {"erl", "hrl"},
            .fileNames = {"rebar.config"},
            .interpreters = {"escript"},
            .lineComments = {"%"},
            .strings = {quotedLines("\"")},
            .complexity = {"if", "case", "receive", "catch", "andalso", "orelse", "when"},
        },
        {
            .name = "Clojure",
            .extensions = {"clj", "cljs", "cljc", "edn"},
            .lineComments = {";"},
            .strings = {quotedLines("\"")},
            .complexity = lispComplexity,
        },
        {
            .name = "Lisp",
            .extensions = {"lisp", "lsp", "el", "asd"},
            .interpreters = {"sbcl", "clisp"},
            .lineComments = {";"},
            .blockComments = {{"#|", "|#"}},
            .nestedComments = true,
            .strings = {quotedLines("\"")},
            .complexity = lispComplexity,
        },
        {
            .name = "Scheme",
            .extensions = {"scm", "ss", "sld", "sls", "rkt"},
            .interpreters = {"guile", "racket", "csi"},
            .lineComments = {";"},
            .blockComments = {{"#|", "|#"}},
            .nestedComments = true,
            .strings = {quotedLines("\"")},
            .complexity = lispComplexity,
        },
        {
            .name = "Nim",
            .extensions = {"nim", "nims", "nimble"},
            .lineComments = hash,
            .blockComments = {{"#[", "]#"}},
            .nestedComments = true,
            .strings = {tripleQuoted("\"\"\""), quoted("\""), character()},
            .complexity = {"if", "elif", "for", "while", "case", "of", "except", "and", "or"},
        },
    };
}

} // namespace qm::counter
