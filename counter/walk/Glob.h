#pragma once

#include <bitset>
#include <climits>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qm::counter {

// A pattern of an ignore file, matched against paths as git matches them: "*", "?" and
// "[...]" (with ranges, "!" or "^" negation and classes like "[:digit:]") never match "/";
// "**" matches across folders where it stands as a whole component ("**/x", "a/**/b",
// "a/**") or right after the pattern's leading plain text ("f**/x" as "f" + "**/x"); a
// backslash quotes the next byte. A pattern with an unclosed bracket, an unknown class or
// a trailing backslash matches nothing.
//
// The pattern is read as a finite automaton whose states are the pattern's positions, so a
// match takes at most (path bytes x pattern length) steps, and a path can be fed in pieces
// (a folder at a time) from a saved state, which holds only the positions reached.
class Glob {
public:
    Glob() = default;
    explicit Glob(std::string_view pattern);

    // Whether the whole of `text` matches.
    bool matches(std::string_view text) const;

    // The positions of the pattern reached after a part of a path.
    class State {
    public:
        bool alive() const;

    private:
        friend class Glob;
        std::vector<std::uint32_t> positions_; // with all those reachable from them without reading
    };

    // Before anything is read.
    State start() const;
    // Reads `text` on.
    void step(State& state, std::string_view text) const;
    // Whether what was read, followed by `rest`, matches.
    bool matchesAfter(const State& state, std::string_view rest) const;
    // Whether no more folders read on ("name/") can change what `state`, reached after a
    // folder ("dir/"), matches: the pattern matches everything from here on (a trailing
    // "**" is reached), or it stands at a "**/" followed by the last component, which no
    // folder gets past ("**/x", "a/**/x" after "a/").
    bool settled(const State& state) const;

private:
    enum class Kind : std::uint8_t {
        Byte,    // one given byte
        AnyByte, // "?"
        Set,     // "[...]"
        Star,    // "*": bytes other than "/"
        AnyStar, // "**" as a component: any bytes
        OrSkip,  // reads nothing; what follows ("**/") may also be passed over as a whole
    };
    struct Token {
        Kind kind = Kind::Byte;
        unsigned char byte = 0;
        std::uint32_t set = 0;
    };

    using SetIndex = std::unordered_map<std::bitset<256>, std::uint32_t>;
    void compile(std::string_view pattern);
    bool parseBracket(std::string_view pattern, std::size_t& i, SetIndex& known);
    void begin(std::vector<std::uint32_t>& positions) const;
    void close(std::vector<std::uint32_t>& positions) const;
    void advance(const std::vector<std::uint32_t>& from, std::vector<std::uint32_t>& to, unsigned char c) const;
    bool run(std::vector<std::uint32_t>& positions, std::string_view text) const;
    bool accepts(const std::vector<std::uint32_t>& positions) const;

    std::vector<Token> tokens_;
    std::vector<std::bitset<256>> sets_; // each distinct set once
    bool never_ = false;
    // The "**" of a settled state's first position (see settled), if the pattern has one; past
    // the end if not.
    std::uint32_t settlesAt_ = UINT32_MAX;
    // Patterns without wildcards, or a "*" followed by plain text, are compared directly.
    enum class Shape : std::uint8_t { General, Literal, Suffix } shape_ = Shape::General;
    std::string plain_;
};

} // namespace qm::counter
