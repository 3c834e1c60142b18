#include "counter/walk/IgnoreRules.h"

#include "counter/walk/ReleaseChain.h"

namespace qm::counter {

namespace {

thread_local std::uint64_t workDone = 0;

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

IgnoreRules::Settled::~Settled()
{
    releaseChain(outer, [](const Settled& settled) -> std::shared_ptr<const Settled>& { return settled.outer; });
}

std::shared_ptr<const IgnoreRules> IgnoreRules::withPatterns(std::shared_ptr<const IgnoreRules> outer,
                                                             std::vector<IgnorePattern> patterns)
{
    if (patterns.empty())
        return outer;
    auto file = std::make_shared<File>();
    std::shared_ptr<IgnoreRules> rules(new IgnoreRules);
    if (outer) {
        file->outer = outer->files_;
        file->level = outer->files_ ? outer->files_->level + 1 : 0;
        rules->settled_ = outer->settled_;
        rules->active_ = outer->active_;
        workDone += outer->active_.size();
    }
    file->patterns = std::move(patterns);
    for (std::size_t i = 0; i < file->patterns.size(); ++i) {
        const IgnorePattern& p = file->patterns[i];
        if (p.anchored)
            rules->active_.push_back(Live{file.get(), static_cast<std::uint32_t>(i), p.matcher.start()});
    }
    rules->files_ = std::move(file);
    return rules;
}

std::shared_ptr<const IgnoreRules> IgnoreRules::inside(const std::shared_ptr<const IgnoreRules>& rules,
                                                       std::string_view name)
{
    if (!rules || rules->active_.empty())
        return rules;
    std::shared_ptr<IgnoreRules> below(new IgnoreRules);
    below->files_ = rules->files_;
    std::vector<Live> settled;
    for (const Live& live : rules->active_) {
        const Glob& matcher = live.file->patterns[live.pattern].matcher;
        Glob::State state = live.state;
        ++workDone;
        matcher.step(state, name);
        matcher.step(state, "/");
        if (!state.alive())
            continue;
        (matcher.settled(state) ? settled : below->active_).push_back(Live{live.file, live.pattern, std::move(state)});
    }
    below->settled_ = rules->settled_;
    if (!settled.empty()) {
        auto more = std::make_shared<Settled>();
        more->outer = rules->settled_;
        more->patterns = std::move(settled);
        below->settled_ = std::move(more);
    }
    return below;
}

bool IgnoreRules::ignored(const IgnoreRules* rules, std::string_view name, bool isDirectory)
{
    if (!rules)
        return false;
    // The pattern that decides: of the deepest file with a match, its last matching pattern.
    bool found = false;
    bool decision = false;
    std::uint64_t best = 0; // level and pattern of the match found so far, in one number
    const auto rank = [](const File* file, std::size_t pattern) {
        return (std::uint64_t{file->level} << 32) | pattern;
    };
    const auto tryLive = [&](const Live& live) {
        const IgnorePattern& p = live.file->patterns[live.pattern];
        const std::uint64_t r = rank(live.file, live.pattern);
        if ((found && r < best) || (p.directoryOnly && !isDirectory) || !p.matcher.matchesAfter(live.state, name))
            return;
        found = true;
        best = r;
        decision = !p.negated;
    };
    for (const Live& live : rules->active_)
        tryLive(live);
    for (const Settled* s = rules->settled_.get(); s; s = s->outer.get())
        for (const Live& live : s->patterns)
            tryLive(live);
    // The patterns read against the name alone, from the deepest file up, until no pattern
    // left could rank above the match found.
    for (const File* file = rules->files_.get(); file; file = file->outer.get()) {
        for (std::size_t i = file->patterns.size(); i-- > 0;) {
            if (found && rank(file, i) < best)
                return decision;
            const IgnorePattern& p = file->patterns[i];
            if (p.anchored || (p.directoryOnly && !isDirectory) || !p.matcher.matches(name))
                continue;
            return !p.negated; // ranks above any match found, or none was
        }
    }
    return found && decision;
}

std::uint64_t IgnoreRules::work()
{
    return workDone;
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
