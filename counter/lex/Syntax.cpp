#include "counter/lex/Syntax.h"

#include "counter/lex/ByteClasses.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace qm::counter {

void addStop(ByteSet& set, char c)
{
    if (!set.add(static_cast<unsigned char>(c)))
        throw std::logic_error("too many kinds of token start in one language");
}

Syntax::Syntax(const Language& language) : language(language)
{
    const Language& l = language;
    auto stop = [this](char c, Token kind) {
        addStop(codeStops, c);
        tokens[static_cast<unsigned char>(c)] |= kind;
    };
    auto first = [&stop](const std::string& token, Token kind) {
        if (!token.empty())
            stop(token[0], kind);
    };
    addStop(codeStops, '\n');
    for (const auto& t : l.lineComments)
        first(t, LineComment);
    for (const auto& t : l.firstTextComments)
        first(t, FirstTextComment);
    for (const auto& b : l.blockComments)
        first(b.open, BlockComment);
    for (const auto& s : l.strings)
        first(s.open, String);
    if (l.rawStrings != RawStrings::None)
        stop('"', String);
    for (const auto& t : l.lineStartComments)
        first(t, LineStartBlock);
    if (l.podDocumentation)
        stop('=', LineStartBlock);
    readsLineEnds = l.regexLiterals || l.podDocumentation || l.dataSections || l.blockScalars;
    first(l.longBracketComment, LongBracket);
    if (l.longBracketStrings)
        stop('[', LongBracket);
    if (l.codeEscapes || l.docstringStatements)
        stop('\\', Backslash);
    if (l.docstringStatements)
        for (const char c : std::string_view("()[]{}"))
            stop(c, Bracket);
    // Holes of code in strings: "${ }" in template literals, "$( )" or "#{ }" in double-quoted strings.
    hole = l.templateLiterals ? "${" : l.interpolation;
    if (!hole.empty()) {
        stop(hole[1], TemplateBrace);
        stop(closingBracket(hole[1]), TemplateBrace);
    }
    if (l.hereDocuments != HereDocuments::None)
        stop('<', HereDocument);
    if (l.regexLiterals)
        stop('/', Regex);
    if (l.percentLiterals)
        stop('%', PercentLiteral);
    if (l.sigilVariables || l.ansiCQuotes)
        stop('$', Sigil);
    if (l.questionMarkCharacters)
        stop('?', QuestionMark);
    if (l.openTags)
        stop('?', Tag);
    if (l.markupTags)
        stop('<', Tag);

    for (const auto& token : l.complexity) {
        if (token.empty())
            continue;
        const bool word = std::all_of(token.begin(), token.end(), [](char c) { return isWord(c); });
        if (word && token.size() < 32) {
            const std::string key = l.keywordsIgnoreCase ? lowered(token) : token;
            keywords.push_back(key);
            keywordLengths[static_cast<unsigned char>(key[0])] |= 1u << key.size();
            longestKeyword = std::max(longestKeyword, key.size());
            words.add(static_cast<unsigned char>(key[0]), key.size() > 1 ? static_cast<unsigned char>(key[1]) : 0,
                      l.keywordsIgnoreCase);
        } else {
            operators.push_back(token);
            first(token, Operator);
        }
    }
    if (l.quoteOperators)
        for (const char c : std::string_view("qmsty"))
            words.add(static_cast<unsigned char>(c), 0, false);
    // Longer operators first, so "??" wins over "?".
    std::stable_sort(operators.begin(), operators.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });

    addStop(lineEnd, '\n');
    addStop(commentStops, '\n');
    if (l.openTags) {
        addStop(commentStops, '?');
        outputEnds.add('\n', 0, false);
        outputEnds.add('<', '?', false);
    }
    if (l.unicodeLineEnds)
        addStop(commentStops, '\\');
    commentsEndEarly = commentStops.size() > 1;
    if (l.markupTags) {
        rawTextEnds.add('\n', 0, false);
        rawTextEnds.add('<', '/', false);
    }
    for (std::size_t i = 0; i < l.strings.size(); ++i) {
        const StringSyntax& s = l.strings[i];
        ByteSet stops;
        addStop(stops, '\n');
        addStop(stops, s.close[0]);
        if (s.escapes)
            addStop(stops, '\\');
        if ((l.templateLiterals && s.open == "`") || (!l.interpolation.empty() && s.open == "\"")) {
            addStop(stops, hole[0]);
            templateString = static_cast<int>(i);
        }
        stringStops.push_back(stops);
    }
    for (const auto& b : l.blockComments) {
        ByteSet stops;
        addStop(stops, '\n');
        addStop(stops, b.close[0]);
        if (l.nestedComments)
            addStop(stops, b.open[0]);
        blockStops.push_back(stops);
        // Without nesting, a block ends only where its whole closing pair stands: the
        // scan may pass over its first byte alone ("*" starting the lines of a C comment),
        // which is text of the comment either way.
        BytePairs ends;
        if (!l.nestedComments && b.close.size() == 2 && b.close[0] != '\n') {
            ends.add('\n', 0, false);
            ends.add(static_cast<unsigned char>(b.close[0]), static_cast<unsigned char>(b.close[1]), false);
        }
        blockEnds.push_back(std::move(ends));
    }
    // Where no token starts with a word byte, a keyword's first bytes inside a longer word
    // need no look: the scan may pass over them.
    wordStartsOnly = true;
    for (unsigned c = 0; c < 256; ++c)
        if (codeStops.contains(static_cast<unsigned char>(c)) && isWord(static_cast<char>(c)))
            wordStartsOnly = false;
}

bool Syntax::isKeyword(const char* word, std::size_t length) const
{
    if (length > longestKeyword)
        return false;
    char buffer[32];
    const char* w = word;
    if (language.keywordsIgnoreCase) {
        for (std::size_t i = 0; i < length; ++i)
            buffer[i] = static_cast<char>(lower(static_cast<unsigned char>(word[i])));
        w = buffer;
    }
    if (!(keywordLengths[static_cast<unsigned char>(w[0])] & (1u << length)))
        return false;
    // Keywords are a few bytes long: compared a byte at a time, without a call.
    for (const auto& k : keywords) {
        if (k.size() != length)
            continue;
        std::size_t i = 0;
        while (i < length && k[i] == w[i])
            ++i;
        if (i == length)
            return true;
    }
    return false;
}

bool Syntax::isRegexWord(std::string_view word) const
{
    const auto& after = language.regexAfterWords;
    return std::find(after.begin(), after.end(), word) != after.end();
}

std::uint64_t Syntax::codeEvents(const char* p, std::uint64_t& text, bool lookBehind) const
{
    (void)lookBehind; // keywords inside words are passed over by the AVX2 form only
#if QM_LANES_X86
    std::uint64_t events = 0;
    std::uint64_t shown = 0;
    const bool anyWords = !words.empty();
    for (std::size_t i = 0; i < ByteSet::width; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        std::uint32_t bits = static_cast<std::uint32_t>(_mm_movemask_epi8(codeStops.hits16(v)));
        if (anyWords)
            bits |= words.match16(p + i);
        events |= static_cast<std::uint64_t>(bits) << i;
        shown |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(ByteSet::text16(v)))) << i;
    }
    text = shown;
    return events;
#else
    text = ByteSet::textSome(p, ByteSet::width);
    return codeStops.matchSome(p, ByteSet::width) |
           (words.empty() ? 0 : words.matchSome(p, ByteSet::width, ByteSet::width + 1));
#endif
}

#if QM_LANES_X86
namespace {

// The word bytes (isWord) as two 16-entry tables, as a ByteSet keeps them: bit k of
// wordLow[c & 15] is set when 16 * k + (c & 15) is a word byte below 0x80, bit 0 stands
// for the bytes from 0x80 up (no word byte lies below 0x10).
struct WordTables {
    std::uint8_t low[16] = {};
    std::uint8_t high[16] = {};
    WordTables()
    {
        for (unsigned c = 0; c < 0x80; ++c) {
            if (!isWord(static_cast<char>(c)))
                continue;
            low[c & 15] = static_cast<std::uint8_t>(low[c & 15] | (1u << (c >> 4)));
            high[c >> 4] = static_cast<std::uint8_t>(1u << (c >> 4));
        }
        for (unsigned h = 8; h < 16; ++h)
            high[h] = 1;
        for (auto& l : low)
            l = static_cast<std::uint8_t>(l | 1);
    }
};
const WordTables wordTables;

QM_AVX2_INLINE __m256i wordBytes32(__m256i v)
{
    const __m256i shared = _mm256_and_si256(_mm256_shuffle_epi8(lanes::table32(wordTables.low), lanes::low32(v)),
                                            _mm256_shuffle_epi8(lanes::table32(wordTables.high), lanes::high32(v)));
    return _mm256_xor_si256(_mm256_cmpeq_epi8(shared, _mm256_setzero_si256()), _mm256_set1_epi8(-1));
}

} // namespace

QM_AVX2 std::uint64_t Syntax::codeEventsAvx2(const char* p, std::uint64_t& text, bool lookBehind) const
{
    std::uint64_t events = 0;
    std::uint64_t shown = 0;
    const bool anyWords = !words.empty();
    // A keyword inside a longer word is no keyword: word() would only skip the rest of it.
    const bool wordStarts = lookBehind && wordStartsOnly;
    for (std::size_t i = 0; i < ByteSet::width; i += 32) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
        const __m256i low = lanes::low32(v);
        const __m256i high = lanes::high32(v);
        __m256i hits = codeStops.hits32(v, low, high);
        if (anyWords) {
            const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 1));
            __m256i starts = words.hits32(low, high, lanes::low32(next), lanes::high32(next));
            if (wordStarts)
                starts =
                    _mm256_andnot_si256(wordBytes32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i - 1))),
                                        starts);
            hits = _mm256_or_si256(hits, starts);
        }
        events |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(hits))) << i;
        shown |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm256_movemask_epi8(ByteSet::text32(v)))) << i;
    }
    text = shown;
    return events;
}
#endif

} // namespace qm::counter
