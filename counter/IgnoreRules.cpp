#include "counter/IgnoreRules.h"

namespace qm::counter {

namespace {

// Matches a bracket expression at glob[i] ("[a-z]", "[!0-9]", "[^abc]") against `c`. Sets
// `next` to the index after the closing bracket; returns false for an unclosed bracket.
bool bracketMatch(std::string_view glob, std::size_t i, char c, bool& matched, std::size_t& next)
{
    std::size_t j = i + 1;
    bool negate = false;
    if (j < glob.size() && (glob[j] == '!' || glob[j] == '^')) {
        negate = true;
        ++j;
    }
    bool hit = false;
    bool first = true;
    while (j < glob.size() && (first || glob[j] != ']')) {
        first = false;
        char lo = glob[j];
        if (lo == '\\' && j + 1 < glob.size())
            lo = glob[++j];
        char hi = lo;
        if (j + 2 < glob.size() && glob[j + 1] == '-' && glob[j + 2] != ']') {
            hi = glob[j + 2];
            if (hi == '\\' && j + 3 < glob.size()) {
                hi = glob[j + 3];
                ++j;
            }
            j += 2;
        }
        if (static_cast<unsigned char>(c) >= static_cast<unsigned char>(lo) &&
            static_cast<unsigned char>(c) <= static_cast<unsigned char>(hi))
            hit = true;
        ++j;
    }
    if (j >= glob.size())
        return false;
    next = j + 1;
    matched = hit != negate;
    return true;
}

bool matchFrom(std::string_view glob, std::size_t g, std::string_view path, std::size_t p)
{
    while (g < glob.size()) {
        const char c = glob[g];
        if (c == '*') {
            const bool wholeComponent = (g == 0 || glob[g - 1] == '/') && g + 1 < glob.size() && glob[g + 1] == '*' &&
                                        (g + 2 == glob.size() || glob[g + 2] == '/');
            if (wholeComponent) {
                if (g + 2 == glob.size())
                    return true;  // "**" at the end: everything below
                // "**/": zero or more whole components.
                const std::size_t rest = g + 3;
                if (matchFrom(glob, rest, path, p))
                    return true;
                for (std::size_t i = p; i < path.size(); ++i)
                    if (path[i] == '/' && matchFrom(glob, rest, path, i + 1))
                        return true;
                return false;
            }
            while (g < glob.size() && glob[g] == '*')
                ++g;
            if (g == glob.size())
                return path.find('/', p) == std::string_view::npos;
            for (std::size_t i = p; i <= path.size(); ++i) {
                if (matchFrom(glob, g, path, i))
                    return true;
                if (i < path.size() && path[i] == '/')
                    break;
            }
            return false;
        }
        if (p >= path.size())
            return false;
        if (c == '?') {
            if (path[p] == '/')
                return false;
            ++g;
            ++p;
        } else if (c == '[') {
            bool matched = false;
            std::size_t next = 0;
            if (!bracketMatch(glob, g, path[p], matched, next)) {
                // An unclosed bracket is a plain character.
                if (path[p] != '[')
                    return false;
                ++g;
                ++p;
                continue;
            }
            if (!matched || path[p] == '/')
                return false;
            g = next;
            ++p;
        } else {
            char literal = c;
            if (c == '\\' && g + 1 < glob.size())
                literal = glob[++g];
            if (path[p] != literal)
                return false;
            ++g;
            ++p;
        }
    }
    return p == path.size();
}

} // namespace

bool globMatch(std::string_view glob, std::string_view path)
{
    return matchFrom(glob, 0, path, 0);
}

std::vector<IgnorePattern> parseIgnoreFile(std::string_view text)
{
    std::vector<IgnorePattern> patterns;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        std::string line(text.substr(0, nl));
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        // Trailing spaces go, unless escaped with a backslash.
        while (!line.empty() && line.back() == ' ' && !(line.size() >= 2 && line[line.size() - 2] == '\\'))
            line.pop_back();
        IgnorePattern pattern;
        if (line[0] == '!') {
            pattern.negated = true;
            line.erase(0, 1);
        }
        if (!line.empty() && line.back() == '/') {
            pattern.directoryOnly = true;
            line.pop_back();
        }
        if (line.empty())
            continue;
        pattern.anchored = line.find('/') != std::string::npos;
        if (line[0] == '/')
            line.erase(0, 1);
        if (line.empty())
            continue;
        pattern.glob = std::move(line);
        patterns.push_back(std::move(pattern));
    }
    return patterns;
}

std::shared_ptr<const IgnoreRules> IgnoreRules::forFolder(std::shared_ptr<const IgnoreRules> parent, std::string folder,
                                                          std::vector<IgnorePattern> patterns)
{
    auto rules = std::make_shared<IgnoreRules>();
    rules->parent_ = std::move(parent);
    rules->strip_ = std::move(folder);
    rules->patterns_ = std::move(patterns);
    return rules;
}

std::shared_ptr<const IgnoreRules> IgnoreRules::forAncestor(std::shared_ptr<const IgnoreRules> parent,
                                                            std::string below, std::vector<IgnorePattern> patterns)
{
    auto rules = std::make_shared<IgnoreRules>();
    rules->parent_ = std::move(parent);
    rules->prefix_ = std::move(below);
    rules->patterns_ = std::move(patterns);
    return rules;
}

bool IgnoreRules::ignored(const IgnoreRules* rules, std::string_view path, bool isDirectory)
{
    std::string joined;
    for (const IgnoreRules* r = rules; r; r = r->parent_.get()) {
        if (r->patterns_.empty() || path.substr(0, r->strip_.size()) != r->strip_)
            continue;
        std::string_view local = path.substr(r->strip_.size());
        if (!r->prefix_.empty()) {
            joined = r->prefix_;
            joined += local;
            local = joined;
        }
        const auto slash = local.rfind('/');
        const std::string_view name = slash == std::string_view::npos ? local : local.substr(slash + 1);
        for (auto it = r->patterns_.rbegin(); it != r->patterns_.rend(); ++it) {
            if (it->directoryOnly && !isDirectory)
                continue;
            if (globMatch(it->glob, it->anchored ? local : name))
                return !it->negated;
        }
    }
    return false;
}

} // namespace qm::counter
