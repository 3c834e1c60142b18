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
    std::vector<IgnorePattern> patterns;
    while (!text.empty()) {
        const auto nl = text.find('\n');
        std::string line(text.substr(0, nl));
        text.remove_prefix(nl == std::string_view::npos ? text.size() : nl + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line.resize(std::min(line.size(), line.find('\0'))); // git reads a line as a C string
        if (line.empty() || line[0] == '#')
            continue;
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
            continue;
        pattern.matcher = Glob(line);
        pattern.glob = std::move(line);
        patterns.push_back(std::move(pattern));
    }
    return patterns;
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
