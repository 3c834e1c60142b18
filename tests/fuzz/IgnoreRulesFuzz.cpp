// Fuzz target of the counter's .gitignore matcher. An input is a line of an ignore file, a
// newline, and a path. Checked for each input:
// - the matcher gives the answer of a plain reference matcher below (git's rules read
//   directly off the pattern, memoised so that it too ends in time);
// - a path fed in pieces, and through the walk's per-folder rules, gets the whole path's answer;
// - the whole check ends within a time bound, far above what the polynomial matchers need
//   for the longest input on a busy machine, far below what a backtracking one needs.

#include "counter/walk/Glob.h"
#include "counter/walk/IgnoreRules.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace qm::counter;

namespace {

// Git's reading of a pattern, straight from the rules: "\" quotes a byte, a trailing one
// matches nothing; "?" any byte but "/"; "[...]" a set, never "/"; "*" bytes other than "/";
// two or more stars standing as a whole component, or right after the leading plain text,
// any bytes, and "**/" may also stand for nothing at all.
class Reference {
public:
    Reference(std::string_view pattern, std::string_view text)
        : p_(pattern), t_(text), plain_(std::min(pattern.find_first_of("*?[\\"), pattern.size())),
          width_(text.size() + 1), match_(pattern.size() * width_ + width_, -1), inStar_(match_.size(), -1)
    {
    }

    bool matches() { return match(0, 0); }

private:
    std::size_t starEnd(std::size_t p) const
    {
        while (p < p_.size() && p_[p] == '*')
            ++p;
        return p;
    }

    bool anyStar(std::size_t p, std::size_t end) const
    {
        const bool starts = p == 0 || p == plain_ || p_[p - 1] == '/';
        const bool ends = end == p_.size() || p_[end] == '/' ||
                          (p_[end] == '\\' && end + 1 < p_.size() && p_[end + 1] == '/');
        return end - p >= 2 && starts && ends;
    }

    // Whether the set at p_[p] holds `c`; `end` is set past it. False in `valid` when it
    // never closes or names an unknown class.
    bool member(std::size_t p, unsigned char c, std::size_t& end, bool& valid) const
    {
        static const std::vector<std::pair<std::string_view, bool (*)(unsigned char)>> classes = {
            {"alnum", [](unsigned char x) { return (x >= '0' && x <= '9') || ((x | 32) >= 'a' && (x | 32) <= 'z'); }},
            {"alpha", [](unsigned char x) { return (x | 32) >= 'a' && (x | 32) <= 'z'; }},
            {"blank", [](unsigned char x) { return x == ' ' || x == '\t'; }},
            {"cntrl", [](unsigned char x) { return x < 32 || x == 127; }},
            {"digit", [](unsigned char x) { return x >= '0' && x <= '9'; }},
            {"graph", [](unsigned char x) { return x > 32 && x < 127; }},
            {"lower", [](unsigned char x) { return x >= 'a' && x <= 'z'; }},
            {"print", [](unsigned char x) { return x >= 32 && x < 127; }},
            {"punct",
             [](unsigned char x) {
                 return x > 32 && x < 127 && !(x >= '0' && x <= '9') && !((x | 32) >= 'a' && (x | 32) <= 'z');
             }},
            {"space", [](unsigned char x) { return x == ' ' || x == '\t' || x == '\n' || x == '\r'; }},
            {"upper", [](unsigned char x) { return x >= 'A' && x <= 'Z'; }},
            {"xdigit", [](unsigned char x) { return (x >= '0' && x <= '9') || ((x | 32) >= 'a' && (x | 32) <= 'f'); }},
        };
        valid = false;
        std::size_t i = p + 1;
        bool negate = false;
        if (i < p_.size() && (p_[i] == '!' || p_[i] == '^')) {
            negate = true;
            ++i;
        }
        bool hit = false;
        int last = -1; // a byte a "-" may follow to make a range
        for (bool first = true; i < p_.size() && (first || p_[i] != ']'); first = false) {
            unsigned char x = static_cast<unsigned char>(p_[i]);
            if (x == '\\') {
                if (++i == p_.size())
                    return false;
                x = static_cast<unsigned char>(p_[i++]);
                hit = hit || x == c;
                last = x;
            } else if (x == '-' && last >= 0 && i + 1 < p_.size() && p_[i + 1] != ']') {
                unsigned char hi = static_cast<unsigned char>(p_[i + 1]);
                i += 2;
                if (hi == '\\') {
                    if (i == p_.size())
                        return false;
                    hi = static_cast<unsigned char>(p_[i++]);
                }
                hit = hit || (c >= last && c <= hi);
                last = -1;
            } else if (x == '[' && i + 1 < p_.size() && p_[i + 1] == ':') {
                const std::size_t close = p_.find(']', i + 2);
                if (close == std::string_view::npos)
                    return false;
                if (close >= i + 3 && p_[close - 1] == ':') {
                    const std::string_view name = p_.substr(i + 2, close - 1 - (i + 2));
                    bool known = false;
                    for (const auto& [n, test] : classes)
                        if (n == name) {
                            known = true;
                            hit = hit || test(c);
                        }
                    if (!known)
                        return false;
                    i = close + 1;
                    last = -1;
                } else {
                    hit = hit || c == '[';
                    last = '[';
                    ++i;
                }
            } else {
                hit = hit || x == c;
                last = x;
                ++i;
            }
        }
        if (i >= p_.size())
            return false;
        valid = true;
        end = i + 1;
        return hit != negate;
    }

    bool match(std::size_t p, std::size_t t)
    {
        signed char& memo = match_[p * width_ + t];
        if (memo < 0)
            memo = compute(p, t);
        return memo;
    }

    // Within the stars at p_[p], with text from t on.
    bool star(std::size_t p, std::size_t t)
    {
        signed char& memo = inStar_[p * width_ + t];
        if (memo >= 0)
            return memo;
        const std::size_t end = starEnd(p);
        const bool crosses = anyStar(p, end);
        bool result = match(end, t) || (t < t_.size() && (crosses || t_[t] != '/') && star(p, t + 1));
        memo = result;
        return result;
    }

    bool compute(std::size_t p, std::size_t t)
    {
        if (p == p_.size())
            return t == t_.size();
        const unsigned char c = static_cast<unsigned char>(p_[p]);
        const bool more = t < t_.size();
        switch (c) {
        case '\\':
            return p + 1 < p_.size() && more && t_[t] == p_[p + 1] && match(p + 2, t + 1);
        case '?':
            return more && t_[t] != '/' && match(p + 1, t + 1);
        case '[': {
            std::size_t end = 0;
            bool valid = false;
            const bool in = member(p, more ? static_cast<unsigned char>(t_[t]) : 0, end, valid);
            return valid && more && t_[t] != '/' && in && match(end, t + 1);
        }
        case '*': {
            const std::size_t end = starEnd(p);
            if (anyStar(p, end) && end < p_.size() && p_[end] == '/' && match(end + 1, t))
                return true; // "**/" standing for nothing
            return star(p, t);
        }
        default:
            return more && static_cast<unsigned char>(t_[t]) == c && match(p + 1, t + 1);
        }
    }

    std::string_view p_;
    std::string_view t_;
    std::size_t plain_;
    std::size_t width_;
    std::vector<signed char> match_;
    std::vector<signed char> inStar_;
};

bool referenceMatch(std::string_view pattern, std::string_view text)
{
    return Reference(pattern, text).matches();
}

[[noreturn]] void fail(const char* what, std::string_view pattern, std::string_view text)
{
    std::fprintf(stderr, "%s\npattern (%zu bytes): %.*s\ntext (%zu bytes): %.*s\n", what, pattern.size(),
                 static_cast<int>(std::min<std::size_t>(pattern.size(), 200)), pattern.data(), text.size(),
                 static_cast<int>(std::min<std::size_t>(text.size(), 200)), text.data());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto newline = input.find('\n');
    if (newline == std::string_view::npos)
        return 0;
    const std::string_view line = input.substr(0, newline);
    const std::string_view path = input.substr(newline + 1);
    if (path.find('\0') != std::string_view::npos)
        return 0; // no path holds one
    const auto started = std::chrono::steady_clock::now();

    // The pattern as it stands, against the whole text and against the text in two pieces.
    const std::string pattern(line.substr(0, line.find('\0')));
    const Glob glob(pattern);
    const bool expected = referenceMatch(pattern, path);
    if (glob.matches(path) != expected)
        fail(expected ? "the matcher misses a match" : "the matcher matches wrongly", pattern, path);
    Glob::State state = glob.start();
    glob.step(state, path.substr(0, path.size() / 2));
    if (glob.matchesAfter(state, path.substr(path.size() / 2)) != expected)
        fail("a path read in two pieces gets another answer", pattern, path);

    // The line as an ignore file holds it, and the path as the walk reads it: a folder at a
    // time, the pattern's own rules deciding between the whole path and the name alone.
    const auto patterns = parseIgnoreFile(line);
    const bool plainPath = !path.empty() && path.front() != '/' && path.back() != '/' &&
                           path.find("//") == std::string_view::npos;
    if (patterns.size() == 1 && plainPath) {
        const IgnorePattern& p = patterns.front();
        const std::string_view name = path.substr(path.rfind('/') + 1);
        for (const bool folder : {false, true}) {
            const bool applies = !p.directoryOnly || folder;
            const bool ignored = applies && !p.negated && referenceMatch(p.glob, p.anchored ? path : name);
            if (IgnoreRules::ignoredPath(IgnoreRules::withPatterns(nullptr, patterns), path, folder) != ignored)
                fail("the walk's rules decide otherwise", line, path);
        }
    }

    // Inputs are at most a few kilobytes: a polynomial matcher needs well under a second.
    if (std::chrono::steady_clock::now() - started > std::chrono::seconds(10))
        fail("matching took over ten seconds", pattern, path);
    return 0;
}
