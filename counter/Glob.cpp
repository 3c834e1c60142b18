#include "counter/Glob.h"

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

void set(std::uint64_t* bits, std::size_t i)
{
    bits[i / 64] |= std::uint64_t{1} << (i % 64);
}

bool test(const std::uint64_t* bits, std::size_t i)
{
    return (bits[i / 64] >> (i % 64)) & 1;
}

} // namespace

Glob::Glob(std::string_view pattern)
{
    compile(pattern);
    if (never_) {
        tokens_.clear();
        return;
    }
    for (std::size_t i = 0; i < tokens_.size(); ++i)
        if (tokens_[i].kind == Kind::Star || tokens_[i].kind == Kind::AnyStar || tokens_[i].kind == Kind::OrSkip)
            passable_.push_back(static_cast<std::uint32_t>(i));
    const bool plain = std::all_of(tokens_.begin(), tokens_.end(), [](const Token& t) { return t.kind == Kind::Byte; });
    const bool starThenPlain = !tokens_.empty() && tokens_[0].kind == Kind::Star &&
                               std::all_of(tokens_.begin() + 1, tokens_.end(), [](const Token& t) { return t.kind == Kind::Byte; });
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
bool Glob::parseBracket(std::string_view pattern, std::size_t& i)
{
    const std::size_t n = pattern.size();
    std::size_t j = i + 1;
    const bool negated = j < n && (pattern[j] == '!' || pattern[j] == '^');
    if (negated)
        ++j;
    std::bitset<256> members;
    int previous = -1;  // a byte that may start a range
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
                continue;  // the ":" and what follows are members
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
    tokens_.push_back(Token{Kind::Set, 0, static_cast<std::uint32_t>(sets_.size())});
    sets_.push_back(members);
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
            if (!parseBracket(pattern, i)) {
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
                        i = end + 1;  // "**/**/" reads as "**/"
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

// Adds the positions reachable without reading: past a star (which may match nothing), and
// past "**/" as a whole. Every such step goes forward, so one pass in order finds them all.
void Glob::close(std::uint64_t* bits) const
{
    for (const std::uint32_t i : passable_) {
        if (!test(bits, i))
            continue;
        set(bits, i + 1);
        if (tokens_[i].kind == Kind::OrSkip)
            set(bits, i + 3);  // past "**" and its "/"
    }
}

void Glob::advance(const std::uint64_t* from, std::uint64_t* to, unsigned char c) const
{
    const std::size_t count = words();
    std::fill(to, to + count, 0);
    const std::size_t end = tokens_.size();
    for (std::size_t w = 0; w < count; ++w) {
        for (std::uint64_t bits = from[w]; bits; bits &= bits - 1) {
            const std::size_t i = w * 64 + static_cast<std::size_t>(__builtin_ctzll(bits));
            if (i >= end)
                continue;
            const Token& t = tokens_[i];
            switch (t.kind) {
            case Kind::Byte:
                if (c == t.byte)
                    set(to, i + 1);
                break;
            case Kind::AnyByte:
                if (c != '/')
                    set(to, i + 1);
                break;
            case Kind::Set:
                if (c != '/' && sets_[t.set].test(c))
                    set(to, i + 1);
                break;
            case Kind::Star:
                if (c != '/')
                    set(to, i);
                break;
            case Kind::AnyStar:
                set(to, i);
                break;
            case Kind::OrSkip:
                break;
            }
        }
    }
    close(to);
}

// Reads `text` from the positions in `bits`, using `spare` as room; the positions reached
// end up in `bits`. False once none is left.
bool Glob::run(std::uint64_t* bits, std::uint64_t* spare, std::string_view text) const
{
    const std::size_t count = words();
    std::uint64_t* from = bits;
    std::uint64_t* to = spare;
    bool alive = std::any_of(from, from + count, [](std::uint64_t w) { return w != 0; });
    for (std::size_t k = 0; k < text.size() && alive; ++k) {
        advance(from, to, static_cast<unsigned char>(text[k]));
        std::swap(from, to);
        alive = std::any_of(from, from + count, [](std::uint64_t w) { return w != 0; });
    }
    if (from != bits)
        std::copy(from, from + count, bits);
    return alive;
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
    thread_local std::vector<std::uint64_t> bits;
    thread_local std::vector<std::uint64_t> spare;
    bits.assign(words(), 0);
    spare.resize(bits.size());
    set(bits.data(), 0);
    close(bits.data());
    return run(bits.data(), spare.data(), text) && test(bits.data(), tokens_.size());
}

bool Glob::State::alive() const
{
    return std::any_of(bits_.begin(), bits_.end(), [](std::uint64_t w) { return w != 0; });
}

Glob::State Glob::start() const
{
    State state;
    state.bits_.assign(words(), 0);
    if (!never_) {
        set(state.bits_.data(), 0);
        close(state.bits_.data());
    }
    return state;
}

void Glob::step(State& state, std::string_view text) const
{
    thread_local std::vector<std::uint64_t> spare;
    spare.resize(words());
    run(state.bits_.data(), spare.data(), text);
}

bool Glob::matchesAfter(const State& state, std::string_view rest) const
{
    thread_local std::vector<std::uint64_t> bits;
    thread_local std::vector<std::uint64_t> spare;
    bits.assign(state.bits_.begin(), state.bits_.end());
    spare.resize(bits.size());
    return run(bits.data(), spare.data(), rest) && test(bits.data(), tokens_.size());
}

} // namespace qm::counter
