#include "counter/walk/Glob.h"

#include <algorithm>
#include <utility>

namespace qm::counter {

namespace {

bool inRange(unsigned char c, unsigned char lo, unsigned char hi)
{
    return c >= lo && c <= hi;
}

// The bytes of a bracket class, as git's own character tables give them: ASCII only, and
// "space" without vertical tab and form feed.
bool inClass(std::string_view name, unsigned char c, bool& known)
{
    const bool digit = inRange(c, '0', '9');
    const bool upper = inRange(c, 'A', 'Z');
    const bool lower = inRange(c, 'a', 'z');
    known = true;
    if (name == "alnum")
        return digit || upper || lower;
    if (name == "alpha")
        return upper || lower;
    if (name == "blank")
        return c == ' ' || c == '\t';
    if (name == "cntrl")
        return c < 0x20 || c == 0x7f;
    if (name == "digit")
        return digit;
    if (name == "graph")
        return inRange(c, 0x21, 0x7e);
    if (name == "lower")
        return lower;
    if (name == "print")
        return inRange(c, 0x20, 0x7e);
    if (name == "punct")
        return inRange(c, 0x21, 0x7e) && !digit && !upper && !lower;
    if (name == "space")
        return c == ' ' || c == '\t' || c == '\n' || c == '\r';
    if (name == "upper")
        return upper;
    if (name == "xdigit")
        return digit || inRange(c, 'A', 'F') || inRange(c, 'a', 'f');
    known = false;
    return false;
}

} // namespace

Glob::Glob(std::string_view pattern)
{
    compile(pattern);
    if (never_) {
        tokens_.clear();
        return;
    }
    // The last "**" followed by "/" and a last component without "/" and without stars that
    // cross folders.
    for (std::size_t i = tokens_.size(); i-- > 0;) {
        const Token& t = tokens_[i];
        if (t.kind == Kind::AnyStar) {
            if (i + 1 < tokens_.size() && tokens_[i + 1].kind == Kind::Byte && tokens_[i + 1].byte == '/')
                settlesAt_ = static_cast<std::uint32_t>(i);
            break;
        }
        if (t.kind == Kind::OrSkip ||
            (t.kind == Kind::Byte && t.byte == '/' && i > 0 && tokens_[i - 1].kind != Kind::AnyStar))
            break;
    }
    const bool plain = std::all_of(tokens_.begin(), tokens_.end(), [](const Token& t) { return t.kind == Kind::Byte; });
    const bool starThenPlain = !tokens_.empty() && tokens_[0].kind == Kind::Star &&
                               std::all_of(tokens_.begin() + 1, tokens_.end(),
                                           [](const Token& t) { return t.kind == Kind::Byte; });
    if (plain || starThenPlain) {
        shape_ = plain ? Shape::Literal : Shape::Suffix;
        for (const Token& t : tokens_)
            if (t.kind == Kind::Byte)
                plain_ += static_cast<char>(t.byte);
    }
}

// Reads a bracket expression starting at pattern[i] ("[") into a set of bytes and moves i
// past it; false when it never closes or names an unknown class. A "]" first is a member,
// a range's first byte is a member itself (so "[z-a]" holds "z"), "-" first, last or right
// after a range is a member, and "[:" that does not open a class is a "[" member.
bool Glob::parseBracket(std::string_view pattern, std::size_t& i, SetIndex& known)
{
    const std::size_t n = pattern.size();
    std::size_t j = i + 1;
    const bool negated = j < n && (pattern[j] == '!' || pattern[j] == '^');
    if (negated)
        ++j;
    std::bitset<256> members;
    int previous = -1; // a byte that may start a range
    for (bool first = true;; first = false, ++j) {
        if (j >= n)
            return false;
        unsigned char c = static_cast<unsigned char>(pattern[j]);
        if (c == ']' && !first)
            break;
        if (c == '\\') {
            if (++j >= n)
                return false;
            c = static_cast<unsigned char>(pattern[j]);
            members.set(c);
            previous = c;
        } else if (c == '-' && previous >= 0 && j + 1 < n && pattern[j + 1] != ']') {
            unsigned char hi = static_cast<unsigned char>(pattern[++j]);
            if (hi == '\\') {
                if (++j >= n)
                    return false;
                hi = static_cast<unsigned char>(pattern[j]);
            }
            for (int b = previous; b <= hi; ++b)
                members.set(static_cast<std::size_t>(b));
            previous = -1;
        } else if (c == '[' && j + 1 < n && pattern[j + 1] == ':') {
            const std::size_t nameStart = j + 2;
            const std::size_t close = pattern.find(']', nameStart);
            if (close == std::string_view::npos)
                return false;
            if (close < nameStart + 1 || pattern[close - 1] != ':') {
                members.set('[');
                previous = '[';
                continue; // the ":" and what follows are members
            }
            const std::string_view name = pattern.substr(nameStart, close - 1 - nameStart);
            for (int b = 0; b < 256; ++b) {
                bool known = false;
                if (inClass(name, static_cast<unsigned char>(b), known))
                    members.set(static_cast<std::size_t>(b));
                if (!known)
                    return false;
            }
            j = close;
            previous = -1;
        } else {
            members.set(c);
            previous = c;
        }
    }
    if (negated)
        members.flip();
    const auto [at, added] = known.try_emplace(members, static_cast<std::uint32_t>(sets_.size()));
    if (added)
        sets_.push_back(members);
    tokens_.push_back(Token{Kind::Set, 0, at->second});
    i = j + 1;
    return true;
}

void Glob::compile(std::string_view pattern)
{
    const std::size_t n = pattern.size();
    // Git compares a pattern's leading plain text (up to the first "*", "?", "[" or "\")
    // on its own and matches the rest as a pattern of its own: "**" right after that text
    // counts as standing at the start.
    const std::size_t plainLength = std::min(pattern.find_first_of("*?[\\"), n);
    SetIndex known;
    for (std::size_t i = 0; i < n;) {
        const char c = pattern[i];
        if (c == '\\') {
            if (i + 1 == n) {
                never_ = true;
                return;
            }
            tokens_.push_back(Token{Kind::Byte, static_cast<unsigned char>(pattern[i + 1])});
            i += 2;
        } else if (c == '?') {
            tokens_.push_back(Token{Kind::AnyByte});
            ++i;
        } else if (c == '[') {
            if (!parseBracket(pattern, i, known)) {
                never_ = true;
                return;
            }
        } else if (c == '*') {
            std::size_t end = i;
            while (end < n && pattern[end] == '*')
                ++end;
            const bool startsComponent = i == 0 || i == plainLength || pattern[i - 1] == '/';
            const bool endsComponent = end == n || pattern[end] == '/' ||
                                       (pattern[end] == '\\' && end + 1 < n && pattern[end + 1] == '/');
            if (end - i >= 2 && startsComponent && endsComponent) {
                // "**/" matches nothing or anything ending in "/"; "**" at the end, anything.
                if (end < n && pattern[end] == '/') {
                    const bool repeated = tokens_.size() >= 3 && tokens_[tokens_.size() - 3].kind == Kind::OrSkip;
                    if (repeated) {
                        i = end + 1; // "**/**/" reads as "**/"
                        continue;
                    }
                    tokens_.push_back(Token{Kind::OrSkip});
                }
                tokens_.push_back(Token{Kind::AnyStar});
            } else {
                tokens_.push_back(Token{Kind::Star});
            }
            i = end;
        } else {
            tokens_.push_back(Token{Kind::Byte, static_cast<unsigned char>(c)});
            ++i;
        }
    }
}

namespace {

// Marks of the positions met in one step of the automaton, so that each is kept once:
// a mark is the step's number, so nothing needs clearing between steps.
class Marks {
public:
    void begin(std::size_t positions)
    {
        if (stamps_.size() < positions)
            stamps_.resize(positions, 0);
        if (++step_ == 0) {
            std::fill(stamps_.begin(), stamps_.end(), 0);
            step_ = 1;
        }
    }
    bool first(std::uint32_t position)
    {
        if (stamps_[position] == step_)
            return false;
        stamps_[position] = step_;
        return true;
    }

private:
    std::vector<std::uint32_t> stamps_;
    std::uint32_t step_ = 0;
};

thread_local Marks marks;

} // namespace

// Adds the positions reachable without reading from those of `positions` (marked in this
// step): past a star, which may match nothing, and past "**/" as a whole.
void Glob::close(std::vector<std::uint32_t>& positions) const
{
    const std::size_t end = tokens_.size();
    for (std::size_t j = 0; j < positions.size(); ++j) {
        const std::uint32_t i = positions[j];
        if (i == end)
            continue;
        const Kind kind = tokens_[i].kind;
        if (kind != Kind::Star && kind != Kind::AnyStar && kind != Kind::OrSkip)
            continue;
        if (marks.first(i + 1))
            positions.push_back(i + 1);
        if (kind == Kind::OrSkip && marks.first(i + 3))
            positions.push_back(i + 3); // past "**" and its "/"
    }
}

void Glob::advance(const std::vector<std::uint32_t>& from, std::vector<std::uint32_t>& to, unsigned char c) const
{
    marks.begin(tokens_.size() + 1);
    to.clear();
    const auto reach = [&to](std::uint32_t position) {
        if (marks.first(position))
            to.push_back(position);
    };
    for (const std::uint32_t i : from) {
        if (i == tokens_.size())
            continue;
        const Token& t = tokens_[i];
        switch (t.kind) {
        case Kind::Byte:
            if (c == t.byte)
                reach(i + 1);
            break;
        case Kind::AnyByte:
            if (c != '/')
                reach(i + 1);
            break;
        case Kind::Set:
            if (c != '/' && sets_[t.set].test(c))
                reach(i + 1);
            break;
        case Kind::Star:
            if (c != '/')
                reach(i);
            break;
        case Kind::AnyStar:
            reach(i);
            break;
        case Kind::OrSkip:
            break;
        }
    }
    close(to);
}

// Reads `text` on from `positions`; false once no position is left.
bool Glob::run(std::vector<std::uint32_t>& positions, std::string_view text) const
{
    thread_local std::vector<std::uint32_t> next;
    for (std::size_t k = 0; k < text.size() && !positions.empty(); ++k) {
        advance(positions, next, static_cast<unsigned char>(text[k]));
        positions.swap(next);
    }
    return !positions.empty();
}

void Glob::begin(std::vector<std::uint32_t>& positions) const
{
    positions.clear();
    if (never_)
        return;
    marks.begin(tokens_.size() + 1);
    marks.first(0);
    positions.push_back(0);
    close(positions);
}

bool Glob::accepts(const std::vector<std::uint32_t>& positions) const
{
    return std::find(positions.begin(), positions.end(), tokens_.size()) != positions.end();
}

bool Glob::matches(std::string_view text) const
{
    if (never_)
        return false;
    switch (shape_) {
    case Shape::Literal:
        return text == plain_;
    case Shape::Suffix:
        return text.size() >= plain_.size() && text.ends_with(plain_) &&
               text.substr(0, text.size() - plain_.size()).find('/') == std::string_view::npos;
    case Shape::General:
        break;
    }
    thread_local std::vector<std::uint32_t> positions;
    begin(positions);
    return run(positions, text) && accepts(positions);
}

bool Glob::State::alive() const
{
    return !positions_.empty();
}

bool Glob::settled(const State& state) const
{
    const auto& positions = state.positions_;
    if (positions.empty() || tokens_.empty())
        return false;
    // Past a trailing "**" everything matches, whatever follows.
    const std::size_t last = tokens_.size() - 1;
    if (tokens_[last].kind == Kind::AnyStar && std::find(positions.begin(), positions.end(), last) != positions.end())
        return true;
    // At "**/" before the last component, with nothing before it and the last component's
    // start reached: each folder read on leads through the "**" and the "/" back to the same
    // positions, and no further, since nothing of the last component reads a "/". (A "**"
    // before an escaped "/", which cannot be passed over, reaches that start only once a
    // folder is read past it.)
    return *std::min_element(positions.begin(), positions.end()) == settlesAt_ &&
           std::find(positions.begin(), positions.end(), settlesAt_ + 2) != positions.end();
}

Glob::State Glob::start() const
{
    State state;
    begin(state.positions_);
    return state;
}

void Glob::step(State& state, std::string_view text) const
{
    run(state.positions_, text);
}

bool Glob::matchesAfter(const State& state, std::string_view rest) const
{
    thread_local std::vector<std::uint32_t> positions;
    positions = state.positions_;
    return run(positions, rest) && accepts(positions);
}

} // namespace qm::counter
