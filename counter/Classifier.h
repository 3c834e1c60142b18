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

    // Picks one of several candidates by looking at the file's first bytes, or -1 when the
    // extension counts only for content that looks like one of them and none does.
    int choose(const std::vector<int>& candidates, std::string_view extension, std::string_view head) const;

private:
    std::unordered_map<std::string, std::vector<int>> byFileName_;
    std::vector<std::pair<std::string, std::vector<int>>> byNamePrefix_;
    std::unordered_map<std::string, std::vector<int>> byExtension_;
    std::unordered_map<std::string, int> byInterpreter_;
    std::vector<int> none_;
};

} // namespace qm::counter
