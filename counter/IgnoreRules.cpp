#include "counter/IgnoreRules.h"

#include "counter/ReleaseChain.h"

namespace qm::counter {

namespace {

// Removes trailing spaces that no backslash quotes ("a\ " keeps its space, "a\\ " does not).
void trimTrailingSpaces(std::string& line)
{
    std::size_t keep = line.size();
    bool spaces = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ' ') {
            if (!spaces)
                keep = i;
            spaces = true;
            continue;
        }
        if (line[i] == '\\' && ++i == line.size())
            return; // a trailing backslash: no space to trim
        spaces = false;
    }
    if (spaces)
        line.resize(keep);
}

} // namespace

bool globMatch(std::string_view glob, std::string_view path)
{
    return Glob(glob).matches(path);
}

std::vector<IgnorePattern> parseIgnoreFile(std::string_view text)
{
    IgnoreFileParser parser;
    parser.add(text);
    return parser.finish();
}

void IgnoreFileParser::add(std::string_view piece)
{
    while (!piece.empty()) {
        const auto nl = piece.find('\n');
        const std::string_view part = piece.substr(0, nl);
        if (!cut_) {
            // Git reads a line as a C string: its text ends at a NUL byte.
            const auto nul = part.find('\0');
            line_.append(part.substr(0, nul));
            cut_ = nul != std::string_view::npos;
        }
        if (nl == std::string_view::npos)
            return;
        endLine();
        piece.remove_prefix(nl + 1);
    }
}

void IgnoreFileParser::addNulBytes()
{
    cut_ = true;
}

std::vector<IgnorePattern> IgnoreFileParser::finish()
{
    if (!line_.empty())
        endLine();
    return std::move(patterns_);
}

void IgnoreFileParser::endLine()
{
    std::string line = std::move(line_);
    line_.clear();
    const bool cut = cut_;
    cut_ = false;
    if (first_ && line.starts_with("\xEF\xBB\xBF"))
        line.erase(0, 3); // a byte-order mark, which git passes over
    first_ = false;
    if (!cut && !line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.empty() || line[0] == '#')
        return;
    trimTrailingSpaces(line);
    IgnorePattern pattern;
    if (!line.empty() && line[0] == '!') {
        pattern.negated = true;
        line.erase(0, 1);
    }
    if (!line.empty() && line.back() == '/') {
        pattern.directoryOnly = true;
        line.pop_back();
    }
    pattern.anchored = line.find('/') != std::string::npos;
    if (!line.empty() && line[0] == '/')
        line.erase(0, 1);
    if (line.empty())
        return;
    pattern.matcher = Glob(line);
    pattern.glob = std::move(line);
    patterns_.push_back(std::move(pattern));
}

IgnoreRules::File::~File()
{
    releaseChain(outer, [](const File& file) -> std::shared_ptr<const File>& { return file.outer; });
}

std::shared_ptr<const IgnoreRules> IgnoreRules::withPatterns(std::shared_ptr<const IgnoreRules> outer,
                                                             std::vector<IgnorePattern> patterns)
{
    if (patterns.empty())
        return outer;
    auto file = std::make_shared<File>();
    if (outer)
        file->outer = outer->files_;
    file->patterns = std::move(patterns);
    std::shared_ptr<IgnoreRules> rules(new IgnoreRules);
    for (std::size_t i = file->patterns.size(); i-- > 0;) {
        const IgnorePattern& p = file->patterns[i];
        if (p.anchored)
            rules->live_.push_back(Live{file.get(), static_cast<std::uint32_t>(i), p.matcher.start()});
    }
    if (outer)
        rules->live_.insert(rules->live_.end(), outer->live_.begin(), outer->live_.end());
    rules->files_ = std::move(file);
    return rules;
}

std::shared_ptr<const IgnoreRules> IgnoreRules::inside(const std::shared_ptr<const IgnoreRules>& rules,
                                                       std::string_view name)
{
    if (!rules || rules->live_.empty())
        return rules;
    std::shared_ptr<IgnoreRules> below(new IgnoreRules);
    below->files_ = rules->files_;
    for (const Live& live : rules->live_) {
        const Glob& matcher = live.file->patterns[live.pattern].matcher;
        Glob::State state = live.state;
        matcher.step(state, name);
        matcher.step(state, "/");
        if (state.alive())
            below->live_.push_back(Live{live.file, live.pattern, std::move(state)});
    }
    return below;
}

bool IgnoreRules::ignored(const IgnoreRules* rules, std::string_view name, bool isDirectory)
{
    if (!rules)
        return false;
    std::size_t next = 0; // the next of live_, met in the same order
    for (const File* file = rules->files_.get(); file; file = file->outer.get()) {
        for (std::size_t i = file->patterns.size(); i-- > 0;) {
            const IgnorePattern& p = file->patterns[i];
            const Live* live = nullptr;
            if (p.anchored) {
                if (next == rules->live_.size() || rules->live_[next].file != file || rules->live_[next].pattern != i)
                    continue; // it cannot match below here any more
                live = &rules->live_[next++];
            }
            if (p.directoryOnly && !isDirectory)
                continue;
            if (live ? p.matcher.matchesAfter(live->state, name) : p.matcher.matches(name))
                return !p.negated;
        }
    }
    return false;
}

bool IgnoreRules::ignoredPath(std::shared_ptr<const IgnoreRules> rules, std::string_view path, bool isDirectory)
{
    for (auto slash = path.find('/'); slash != std::string_view::npos; slash = path.find('/')) {
        rules = inside(rules, path.substr(0, slash));
        path.remove_prefix(slash + 1);
    }
    return ignored(rules.get(), path, isDirectory);
}

} // namespace qm::counter
