#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qm::counter {

// Finds a file's language from its name, its extension and, for files without a known
// extension (or without any, whatever the name suggests), its shebang line. Where an
// extension belongs to several languages, a look at the file's first bytes picks one; some
// extensions (".d", ".conf") count only when the content looks like one of their languages.
class Classifier {
public:
    Classifier();

    // The lower-case extension of a file name: what follows its last dot, "" when there is
    // none or the only dot starts the name (".bashrc").
    static std::string extensionOf(std::string_view fileName);

    // Candidate languages (indexes into languages()) by file name or extension, most likely
    // first; empty when the name says nothing. A whole name ("Makefile") or its start
    // ("Dockerfile.dev") wins over a double extension (".cmake.in"), which wins over the last.
    const std::vector<int>& candidates(std::string_view fileName, std::string_view extension) const;

    // The language named by a shebang line ("#!/usr/bin/env python3"), or -1.
    int byShebang(std::string_view head) const;

    // A list of candidates holding only `language`, kept as long as the classifier.
    const std::vector<int>& only(int language) const { return only_[static_cast<std::size_t>(language)]; }

    // Picks one of several candidates by looking at the file's first bytes, or -1 when the
    // extension counts only for content that looks like one of them and none does.
    int choose(const std::vector<int>& candidates, std::string_view extension, std::string_view head) const;

private:
    // Looked up by views as well as by strings.
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    using Table = std::unordered_map<std::string, std::vector<int>, TextHash, std::equal_to<>>;

    Table byFileName_;
    std::vector<std::pair<std::string, std::vector<int>>> byNamePrefix_;
    Table byExtension_;
    std::vector<std::vector<int>> only_;
    std::unordered_map<std::string, int> byInterpreter_;
    std::vector<int> none_;
};

} // namespace qm::counter
