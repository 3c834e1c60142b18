// The vector scans of the line counter (byte sets and keyword pairs), in their 16-byte
// (SSE2) and 32-byte (AVX2) forms, against plain loops over every byte value.

#include "counter/lex/BytePairs.h"
#include "counter/lex/ByteSet.h"
#include "counter/lex/Lanes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace qm::counter;

namespace {

// Runs `check` with each vector width this processor has.
template <class Check>
void withEachWidth(Check check)
{
    const bool saved = lanes::avx2;
    lanes::avx2 = false;
    {
        SCOPED_TRACE("16 bytes at a time");
        check();
    }
#if QM_LANES_X86
    if (__builtin_cpu_supports("avx2")) {
        lanes::avx2 = true;
        SCOPED_TRACE("32 bytes at a time");
        check();
    }
#endif
    lanes::avx2 = saved;
}

// Every byte value in a shuffled order, then the same again, so that each value stands at
// many offsets of a 64-byte block.
std::string allBytes(unsigned seed)
{
    std::string text;
    for (int c = 0; c < 256; ++c)
        text += static_cast<char>(c);
    std::mt19937 random(seed);
    std::shuffle(text.begin(), text.end(), random);
    return text + text;
}

bool isSpace(unsigned char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

std::vector<std::vector<unsigned char>> sampleSets()
{
    std::vector<std::vector<unsigned char>> sets{
        {'\n'},
        {'\n', '/', '"', '\'', '&', '|', '?'},   // C code
        {'\n', '*'},                             // a C block comment
        {0, 0x7F, ' ', '0', '@', 'P', '`', 'p'}, // a byte of every high half below 0x80
        {'\n', 0x80, 0xFF, 0xC3},                // bytes above 0x7F
        {'a', 'A', 'z', 'Z', '_', '9'},
    };
    std::vector<unsigned char> full; // as many as a set holds, all below 0x80
    for (unsigned c = 1; full.size() < ByteSet::capacity; c += 5)
        full.push_back(static_cast<unsigned char>(c));
    sets.push_back(full);
    std::mt19937 random(3);
    for (int n = 0; n < 40; ++n) {
        std::vector<unsigned char> set;
        const int size = std::uniform_int_distribution<int>(1, static_cast<int>(ByteSet::capacity))(random);
        const int top = n % 2 ? 0x7F : 0xFF;
        for (int i = 0; i < size; ++i)
            set.push_back(static_cast<unsigned char>(std::uniform_int_distribution<int>(0, top)(random)));
        sets.push_back(set);
    }
    return sets;
}

} // namespace

TEST(ByteScan, AByteSetFindsExactlyItsBytesAndTheTextBetween)
{
    withEachWidth([] {
        for (const auto& values : sampleSets()) {
            ByteSet set;
            std::vector<bool> member(256, false);
            for (const unsigned char v : values) {
                ASSERT_TRUE(set.add(v));
                member[v] = true;
            }
            for (int c = 0; c < 256; ++c)
                ASSERT_EQ(set.contains(static_cast<unsigned char>(c)), member[static_cast<std::size_t>(c)]) << c;
            const std::string text = allBytes(static_cast<unsigned>(values.size()));
            for (std::size_t at = 0; at + ByteSet::width <= text.size(); at += 7) {
                const char* p = text.data() + at;
                std::uint64_t inSet = 0;
                std::uint64_t notSpace = 0;
                for (std::size_t i = 0; i < ByteSet::width; ++i) {
                    const auto c = static_cast<unsigned char>(p[i]);
                    inSet |= static_cast<std::uint64_t>(member[c]) << i;
                    notSpace |= static_cast<std::uint64_t>(!isSpace(c)) << i;
                }
                ASSERT_EQ(set.match(p), inSet) << "at " << at;
                ASSERT_EQ(set.matchSome(p, ByteSet::width), inSet) << "at " << at;
                ASSERT_EQ(ByteSet::text(p), notSpace) << "at " << at;
                ASSERT_EQ(ByteSet::textSome(p, ByteSet::width), notSpace) << "at " << at;
            }
            // find() from every offset to every end, reading no further than allowed.
            for (std::size_t from = 0; from < 200; from += 3) {
                for (std::size_t to = from; to <= text.size(); to += 11) {
                    std::size_t expected = from;
                    bool expectedText = false;
                    while (expected < to && !member[static_cast<unsigned char>(text[expected])]) {
                        expectedText = expectedText || !isSpace(static_cast<unsigned char>(text[expected]));
                        ++expected;
                    }
                    const std::vector<char> exact(text.begin() + static_cast<std::ptrdiff_t>(from),
                                                  text.begin() + static_cast<std::ptrdiff_t>(to));
                    bool shown = false;
                    const char* found = set.find(exact.data(), exact.data() + exact.size(), exact.data() + exact.size(),
                                                 shown);
                    ASSERT_EQ(static_cast<std::size_t>(found - exact.data()), expected - from) << from << " to " << to;
                    ASSERT_EQ(shown, expectedText) << from << " to " << to;
                }
            }
        }
    });
}

TEST(ByteScan, KeywordPairsMatchTheirFirstTwoBytesWithAndWithoutCase)
{
    struct Pair {
        unsigned char first;
        unsigned char second;
        bool ignoreCase;
    };
    const std::vector<std::vector<Pair>> tables{
        {{'i', 'f', false}, {'f', 'o', false}, {'w', 'h', false}, {'s', 'w', false}, {'c', 'a', false}},
        {{'i', 'f', true}, {'e', 'l', true}, {'a', 'n', true}, {'o', 'r', true}, {'x', 0, true}},
        // More than eight pairs, some with any second byte, some not letters.
        {{'q', 0, false},
         {'m', 0, false},
         {'s', 0, false},
         {'t', 0, false},
         {'y', 0, false},
         {'i', 'f', false},
         {'u', 'n', false},
         {'w', 'h', false},
         {'e', 'l', false},
         {'r', 'e', false},
         {'_', '_', false},
         {'9', 'Z', true},
         {0x80, 0xFF, false}},
    };
    withEachWidth([&] {
        for (const auto& table : tables) {
            BytePairs pairs;
            for (const auto& p : table)
                pairs.add(p.first, p.second, p.ignoreCase);
            const auto fold = [](unsigned char c, bool ignoreCase) {
                return ignoreCase && (c | 0x20) >= 'a' && (c | 0x20) <= 'z' ? static_cast<unsigned char>(c | 0x20) : c;
            };
            const auto expected = [&](unsigned char c0, unsigned char c1) {
                for (const auto& p : table)
                    if (fold(c0, p.ignoreCase) == fold(p.first, p.ignoreCase) &&
                        (p.second == 0 || fold(c1, p.ignoreCase) == fold(p.second, p.ignoreCase)))
                        return true;
                return false;
            };
            // Every pair of byte values: first bytes a, each followed by every b in turn.
            for (int a = 0; a < 256; ++a) {
                std::string text;
                for (int b = 0; b < 256; ++b) {
                    text += static_cast<char>(a);
                    text += static_cast<char>(b);
                }
                text += static_cast<char>(a);
                for (std::size_t at = 0; at + BytePairs::width + 1 <= text.size(); at += BytePairs::width - 3) {
                    const char* p = text.data() + at;
                    std::uint64_t want = 0;
                    for (std::size_t i = 0; i < BytePairs::width; ++i)
                        want |= static_cast<std::uint64_t>(
                                    expected(static_cast<unsigned char>(p[i]), static_cast<unsigned char>(p[i + 1])))
                                << i;
                    ASSERT_EQ(pairs.match(p), want) << "first byte " << a << " at " << at;
                    ASSERT_EQ(pairs.matchSome(p, BytePairs::width, BytePairs::width + 1), want) << a << " at " << at;
                }
            }
        }
    });
}

TEST(ByteScan, KeywordPairsAreFoundFromAnyStartToAnyEndReadingNoFurther)
{
    // The ends of a C block comment: a line end, or "*" with "/" after it.
    BytePairs ends;
    ends.add('\n', 0, false);
    ends.add('*', '/', false);
    std::mt19937 random(9);
    const std::string alphabet = "  \t\n**/ab\r";
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(random)];
    withEachWidth([&] {
        for (std::size_t from = 0; from < 150; from += 5) {
            for (std::size_t to = from; to <= text.size(); to += 7) {
                for (const std::size_t more : {0u, 1u, 40u}) {
                    const std::size_t readable = std::min(text.size(), to + more);
                    std::size_t expected = from;
                    bool expectedText = false;
                    for (; expected < to; ++expected) {
                        const char c = text[expected];
                        if (c == '\n' || (c == '*' && expected + 1 < readable && text[expected + 1] == '/'))
                            break;
                        expectedText = expectedText || !isSpace(static_cast<unsigned char>(c));
                    }
                    // Exactly the bytes that may be read, so that a read past them shows.
                    const std::vector<char> exact(text.begin() + static_cast<std::ptrdiff_t>(from),
                                                  text.begin() + static_cast<std::ptrdiff_t>(readable));
                    bool shown = false;
                    const char* found = ends.find(exact.data(), exact.data() + (to - from), exact.data() + exact.size(),
                                                  shown);
                    ASSERT_EQ(static_cast<std::size_t>(found - exact.data()), expected - from)
                        << from << " to " << to << ", readable to " << readable;
                    ASSERT_EQ(shown, expectedText) << from << " to " << to << ", readable to " << readable;
                }
            }
        }
    });
}
