#include "counter/LineCounter.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <stdexcept>
#include <utility>

namespace qm::counter {

namespace {

constexpr std::array<bool, 256> makeSpaceTable()
{
    std::array<bool, 256> t{};
    t[' '] = t['\t'] = t['\r'] = t['\f'] = t['\v'] = true;
    return t;
}

constexpr std::array<bool, 256> makeWordTable()
{
    std::array<bool, 256> t{};
    for (int c = 'a'; c <= 'z'; ++c)
        t[c] = true;
    for (int c = 'A'; c <= 'Z'; ++c)
        t[c] = true;
    for (int c = '0'; c <= '9'; ++c)
        t[c] = true;
    t['_'] = true;
    for (int c = 0x80; c < 0x100; ++c)
        t[c] = true;
    return t;
}

constexpr auto spaceTable = makeSpaceTable();
constexpr auto wordTable = makeWordTable();

bool isSpace(char c)
{
    return spaceTable[static_cast<unsigned char>(c)];
}
bool isWord(char c)
{
    return wordTable[static_cast<unsigned char>(c)];
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool isOneOf(char c, std::string_view set)
{
    return c != 0 && set.find(c) != std::string_view::npos;
}

unsigned char lower(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

std::string lowered(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(lower(static_cast<unsigned char>(c)));
    return s;
}

std::size_t utf8Length(unsigned char lead)
{
    if (lead < 0xC0)
        return 1;
    if (lead < 0xE0)
        return 2;
    if (lead < 0xF0)
        return 3;
    return 4;
}

unsigned ctz(std::uint64_t bits)
{
    return static_cast<unsigned>(__builtin_ctzll(bits));
}

// The closing bracket of an opening one, or 0.
char closingBracket(char c)
{
    switch (c) {
    case '(':
        return ')';
    case '[':
        return ']';
    case '{':
        return '}';
    case '<':
        return '>';
    default:
        return 0;
    }
}

// What is left of `before` once trailing spaces and tabs are gone.
std::string_view trimmedEnd(std::string_view before)
{
    while (!before.empty() && isBlank(before.back()))
        before.remove_suffix(1);
    return before;
}

// The word at the end of `before`.
std::string_view lastWord(std::string_view before)
{
    std::size_t start = before.size();
    while (start > 0 && isWord(before[start - 1]))
        --start;
    return before.substr(start);
}

void addStop(ByteSet& set, char c)
{
    if (!set.add(static_cast<unsigned char>(c)))
        throw std::logic_error("too many kinds of token start in one language");
}

} // namespace

Counts& Counts::operator+=(const Counts& other)
{
    lines += other.lines;
    code += other.code;
    comment += other.comment;
    blank += other.blank;
    complexity += other.complexity;
    codeBytes += other.codeBytes;
    return *this;
}

Syntax::Syntax(const Language& language) : language_(&language)
{
    const Language& l = language;
    auto stop = [this](char c, Token kind) {
        addStop(codeStops_, c);
        tokens_[static_cast<unsigned char>(c)] |= kind;
    };
    auto first = [&stop](const std::string& token, Token kind) {
        if (!token.empty())
            stop(token[0], kind);
    };
    addStop(codeStops_, '\n');
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
    readsLineEnds_ = l.regexLiterals || l.podDocumentation || l.dataSections || l.blockScalars;
    first(l.longBracketComment, LongBracket);
    if (l.longBracketStrings)
        stop('[', LongBracket);
    if (l.codeEscapes || l.docstringStatements)
        stop('\\', Backslash);
    if (l.docstringStatements)
        for (const char c : std::string_view("()[]{}"))
            stop(c, Bracket);
    // Holes of code in strings: "${ }" in template literals, "$( )" or "#{ }" in double-quoted strings.
    hole_ = l.templateLiterals ? "${" : l.interpolation;
    if (!hole_.empty()) {
        stop(hole_[1], TemplateBrace);
        stop(closingBracket(hole_[1]), TemplateBrace);
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
            keywords_.push_back(key);
            keywordLengths_[static_cast<unsigned char>(key[0])] |= 1u << key.size();
            longestKeyword_ = std::max(longestKeyword_, key.size());
            words_.add(static_cast<unsigned char>(key[0]), key.size() > 1 ? static_cast<unsigned char>(key[1]) : 0,
                       l.keywordsIgnoreCase);
        } else {
            operators_.push_back(token);
            first(token, Operator);
        }
    }
    if (l.quoteOperators)
        for (const char c : std::string_view("qmsty"))
            words_.add(static_cast<unsigned char>(c), 0, false);
    // Longer operators first, so "??" wins over "?".
    std::stable_sort(operators_.begin(), operators_.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });

    addStop(lineEnd_, '\n');
    addStop(commentStops_, '\n');
    if (l.openTags) {
        addStop(commentStops_, '?');
        outputEnds_.add('\n', 0, false);
        outputEnds_.add('<', '?', false);
    }
    if (l.unicodeLineEnds)
        addStop(commentStops_, '\\');
    commentsEndEarly_ = commentStops_.size() > 1;
    if (l.markupTags) {
        rawTextEnds_.add('\n', 0, false);
        rawTextEnds_.add('<', '/', false);
    }
    for (std::size_t i = 0; i < l.strings.size(); ++i) {
        const StringSyntax& s = l.strings[i];
        ByteSet stops;
        addStop(stops, '\n');
        addStop(stops, s.close[0]);
        if (s.escapes)
            addStop(stops, '\\');
        if ((l.templateLiterals && s.open == "`") || (!l.interpolation.empty() && s.open == "\"")) {
            addStop(stops, hole_[0]);
            templateString_ = static_cast<int>(i);
        }
        stringStops_.push_back(stops);
    }
    for (const auto& b : l.blockComments) {
        ByteSet stops;
        addStop(stops, '\n');
        addStop(stops, b.close[0]);
        if (l.nestedComments)
            addStop(stops, b.open[0]);
        blockStops_.push_back(stops);
        // Without nesting, a block ends only where its whole closing pair stands: the
        // scan may pass over its first byte alone ("*" starting the lines of a C comment),
        // which is text of the comment either way.
        BytePairs ends;
        if (!l.nestedComments && b.close.size() == 2 && b.close[0] != '\n') {
            ends.add('\n', 0, false);
            ends.add(static_cast<unsigned char>(b.close[0]), static_cast<unsigned char>(b.close[1]), false);
        }
        blockEnds_.push_back(std::move(ends));
    }
    // Where no token starts with a word byte, a keyword's first bytes inside a longer word
    // need no look: the scan may pass over them.
    wordStartsOnly_ = true;
    for (unsigned c = 0; c < 256; ++c)
        if (codeStops_.contains(static_cast<unsigned char>(c)) && isWord(static_cast<char>(c)))
            wordStartsOnly_ = false;
}

bool Syntax::isKeyword(const char* word, std::size_t length) const
{
    if (length > longestKeyword_)
        return false;
    char buffer[32];
    const char* w = word;
    if (language_->keywordsIgnoreCase) {
        for (std::size_t i = 0; i < length; ++i)
            buffer[i] = static_cast<char>(lower(static_cast<unsigned char>(word[i])));
        w = buffer;
    }
    if (!(keywordLengths_[static_cast<unsigned char>(w[0])] & (1u << length)))
        return false;
    for (const auto& k : keywords_)
        if (k.size() == length && std::memcmp(k.data(), w, length) == 0)
            return true;
    return false;
}

bool Syntax::isRegexWord(std::string_view word) const
{
    const auto& words = language_->regexAfterWords;
    return std::find(words.begin(), words.end(), word) != words.end();
}

LineCounter::LineCounter(const Syntax& syntax)
    : syntax_(syntax), language_(syntax.language()), mode_(language_.openTags ? Mode::Output : Mode::Code)
{
}

bool LineCounter::matches(const char* at, std::string_view token) const
{
    // Tokens are a few bytes long: a plain loop beats a call to memcmp.
    const std::size_t size = token.size();
    if (static_cast<std::size_t>(end_ - at) < size)
        return false;
    for (std::size_t i = 0; i < size; ++i)
        if (at[i] != token[i])
            return false;
    return true;
}

std::string_view LineCounter::behindPieces(const char* at, std::size_t n)
{
    const std::size_t here = static_cast<std::size_t>(at - data_);
    const std::size_t old = std::min(n - here, historyLength_);
    std::memcpy(scratch_.data(), history_.data() + historyLength_ - old, old);
    std::memcpy(scratch_.data() + old, data_, here);
    return {scratch_.data(), old + here};
}

std::string_view LineCounter::lineBefore(const char* at)
{
    std::string_view line = behind(at, Syntax::lookahead);
    if (const auto nl = line.rfind('\n'); nl != std::string_view::npos)
        line.remove_prefix(nl + 1);
    return line;
}

// Length of a character literal starting at the quote `at` ('x', '\n', '\u{1F600}'), or 0
// when the quote starts something else (a lifetime, an attribute, a prime).
std::size_t LineCounter::characterLiteral(const char* at) const
{
    const char* p = at + 1;
    if (p >= end_ || *p == '\n' || *p == '\'')
        return 0;
    if (*p == '\\') {
        // The escaped byte may be a quote ('\''), never a line end.
        for (const char* q = p + 1; q < end_ && q < p + 12; ++q) {
            if (*q == '\n')
                return 0;
            if (*q == '\'' && q > p + 1)
                return static_cast<std::size_t>(q - at + 1);
        }
        return 0;
    }
    // One code point: a lead byte and its continuation bytes (a stray lead byte is no character).
    const std::size_t length = utf8Length(static_cast<unsigned char>(*p));
    if (static_cast<std::size_t>(end_ - p) <= length)
        return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80)
            return 0;
    return p[length] == '\'' ? length + 2 : 0;
}

void LineCounter::markCode(const char* at)
{
    if (!hasCode_) {
        hasCode_ = true;
        codeStart_ = offsetOf(at);
    }
    lineHasText_ = true;
}

void LineCounter::countLine(std::uint64_t newlineOffset)
{
    ++counts_.lines;
    if (!lineHasText_) {
        ++counts_.blank;
    } else if (hasCode_ || !hasComment_) {
        ++counts_.code;
        counts_.codeBytes += newlineOffset + 1 - lineStart_;
    } else {
        ++counts_.comment;
    }
    lineStart_ = newlineOffset + 1;
    hasCode_ = hasComment_ = lineHasText_ = false;
}

void LineCounter::readLineEnd(const char* newline)
{
    const bool closedHereDoc = std::exchange(hereDocEnded_, false);
    if (!hasCode_)
        return;
    if (language_.blockScalars) {
        // All YAML takes from a line's end: whether a block scalar's header closes it.
        if (mode_ == Mode::Code || mode_ == Mode::LineComment)
            readBlockScalarHeader(newline);
        return;
    }
    std::string_view line = lineBefore(newline);
    std::string_view code = line; // without a comment closing the line
    if (mode_ == Mode::LineComment)
        code.remove_suffix(std::min<std::uint64_t>(offsetOf(newline) - commentStart_, code.size()));
    code = trimmedEnd(code.substr(0, code.find_last_not_of('\r') + 1));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    // Whether a "/" opening the next line starts a regular expression.
    if (language_.lineEndsStatements)
        regexAtLineStart_ = mode_ != Mode::Code || code.empty() || code.back() != '\\';
    else if (language_.regexLiterals)
        regexAtLineStart_ = mode_ != Mode::Code || regexAllowedAfter(line);
    // Whether a statement may start the next line (where "=word" opens POD). The line
    // closing a here-document says nothing: its opener's line did.
    if (language_.podDocumentation && !closedHereDoc && (mode_ == Mode::Code || mode_ == Mode::LineComment))
        statementAtLineStart_ = !code.empty() && isOneOf(code.back(), ";{}");
    if (language_.dataSections && mode_ == Mode::Code && (code == "__END__" || code == "__DATA__") &&
        offsetOf(newline) - lineStart_ <= code.size() + 2) {
        inData_ = true;
        mode_ = Mode::Data;
    }
}

void LineCounter::readBlockScalarHeader(const char* newline)
{
    // Most lines end in no header: the last bytes of their code tell, where this piece holds
    // them (a "|" or ">" before at most two indentation digits and chomping signs).
    const std::uint64_t codeEnd = mode_ == Mode::LineComment ? commentStart_ : offsetOf(newline);
    if (codeEnd > offset_) {
        const char* end = data_ + (codeEnd - offset_);
        while (end > data_ && isSpace(end[-1]))
            --end;
        const char* indicator = end;
        while (indicator > data_ && end - indicator < 2 &&
               ((indicator[-1] >= '1' && indicator[-1] <= '9') || indicator[-1] == '+' || indicator[-1] == '-'))
            --indicator;
        if (indicator > data_ && indicator[-1] != '|' && indicator[-1] != '>')
            return;
    }
    const std::string_view line = lineBefore(newline);
    std::string_view code = line; // without the comment closing the line
    if (mode_ == Mode::LineComment)
        code.remove_suffix(std::min<std::uint64_t>(offsetOf(newline) - commentStart_, code.size()));
    code = trimmedEnd(code.substr(0, code.find_last_not_of('\r') + 1));
    // "|" or ">", then at most an indentation digit and a chomping sign, in either order.
    const std::size_t blank = code.find_last_of(" \t");
    const std::string_view header = blank == std::string_view::npos ? code : code.substr(blank + 1);
    if (header.empty() || header.size() > 3 || !isOneOf(header[0], "|>"))
        return;
    int digit = 0;
    bool chomping = false;
    for (const char c : header.substr(1)) {
        if (c >= '1' && c <= '9' && digit == 0)
            digit = c - '0';
        else if ((c == '+' || c == '-') && !chomping)
            chomping = true;
        else
            return;
    }
    // Tags and anchors may stand before it ("key: !!str |", "- &a >").
    std::string_view before = trimmedEnd(code.substr(0, code.size() - header.size()));
    for (;;) {
        const std::size_t b = before.find_last_of(" \t");
        const std::string_view last = b == std::string_view::npos ? before : before.substr(b + 1);
        if (last.empty() || !isOneOf(last[0], "!&"))
            break;
        before = trimmedEnd(before.substr(0, before.size() - last.size()));
    }
    // The node holding the scalar, whose indentation its lines go deeper than: a key
    // ("key: |", also after entries: "- key: |"), an entry ("- |", "? |"), the document
    // ("--- |", or the scalar first on its line, the document's only node).
    const std::uint64_t length = offsetOf(newline) - lineStart_;
    std::string_view start = line.substr(0, before.size()); // the line up to what holds the scalar
    std::int64_t parent = 0;
    if (line.size() < length) {
        // A line longer than the look behind: only a key's, at its indentation.
        if (before.empty() || before.back() != ':')
            return;
        parent = static_cast<std::int64_t>(codeStart_ - lineStart_);
    } else {
        // A byte-order mark before the first line is no part of it.
        start.remove_prefix(std::min<std::size_t>(start.size(), line.size() - length));
        std::size_t node = 0;
        while (node < start.size() && start[node] == ' ')
            ++node;
        std::int64_t entry = -1;
        while (node < start.size() && isOneOf(start[node], "-?") &&
               (node + 1 == start.size() || isBlank(start[node + 1]))) {
            entry = static_cast<std::int64_t>(node++);
            while (node < start.size() && isBlank(start[node]))
                ++node;
        }
        if (node == start.size())
            parent = entry >= 0 ? entry : static_cast<std::int64_t>(codeStart_ - lineStart_) - 1;
        else if (start.back() == ':')
            parent = static_cast<std::int64_t>(node);
        else if (start == "---")
            parent = -1;
        else
            return;
    }
    scalarIndentKnown_ = digit != 0;
    scalarIndent_ = static_cast<std::uint64_t>(std::max<std::int64_t>(0, parent + (digit != 0 ? digit : 1)));
    // The next line is the scalar's, after the comment that may end this one.
    if (mode_ == Mode::Code)
        mode_ = Mode::Indented;
    else
        afterComment_ = Mode::Indented;
}

void LineCounter::endLine(const char* newline, bool keepMode)
{
    if (!keepMode && syntax_.readsLineEnds_)
        readLineEnd(newline);
    countLine(offsetOf(newline));
    if (keepMode)
        return;
    continued_ = continuesNext_;
    continuesNext_ = false;
    // Most lines end in code: no mode to leave.
    if (mode_ != Mode::Code)
        leaveAtLineEnd(newline);
    if (mode_ == Mode::Code && !pendingDocs_.empty()) {
        hereDoc_ = std::move(pendingDocs_.front());
        pendingDocs_.pop_front();
        mode_ = Mode::HereDoc;
    }
}

void LineCounter::leaveAtLineEnd(const char* newline)
{
    switch (mode_) {
    case Mode::LineComment: {
        const std::string_view before = behind(newline, 2);
        const bool continues = language_.continuedLineComments && !before.empty() &&
                               (before.back() == '\\' ||
                                (before.size() == 2 && before[0] == '\\' && before[1] == '\r'));
        if (!continues)
            mode_ = std::exchange(afterComment_, Mode::Code);
        break;
    }
    case Mode::String:
        if (!quote_.multiline && !quote_.skipsSpace)
            mode_ = Mode::Code;
        break;
    case Mode::QuoteGap:
        gapComment_ = false;
        break;
    case Mode::HereDoc:
        inIndent_ = false;
        break;
    case Mode::Indented:
        lineIndent_ = 0;
        indentEnded_ = lineInScalar_ = false;
        break;
    case Mode::LineBlock:
        if (closeBlockAtLineEnd_) {
            mode_ = inData_ ? Mode::Data : Mode::Code;
            closeBlockAtLineEnd_ = false;
        }
        break;
    default:
        break;
    }
}

void LineCounter::openTableString(std::size_t index, bool docstring)
{
    const StringSyntax& s = language_.strings[index];
    quote_ = Quote{};
    quote_.stops = &syntax_.stringStops_[index];
    quote_.close = s.close;
    quote_.escapes = s.escapes;
    quote_.multiline = s.multiline;
    quote_.docstring = docstring;
    quote_.doubled = s.doubled;
    quote_.templated = static_cast<int>(index) == syntax_.templateString_;
    inClass_ = false;
    mode_ = Mode::String;
}

void LineCounter::openQuote(std::string close, bool escapes, char opener)
{
    ownedClose_ = std::move(close);
    ownedStops_ = ByteSet{};
    addStop(ownedStops_, '\n');
    addStop(ownedStops_, ownedClose_[0]);
    if (escapes)
        addStop(ownedStops_, '\\');
    if (opener)
        addStop(ownedStops_, opener);
    quote_ = Quote{};
    quote_.stops = &ownedStops_;
    quote_.close = ownedClose_;
    quote_.escapes = escapes;
    quote_.opener = opener;
    inClass_ = false;
    mode_ = Mode::String;
}

void LineCounter::openBlock(std::string_view open, std::string_view close, const ByteSet* stops, bool nested,
                            const BytePairs* ends)
{
    blockEnds_ = ends && !ends->empty() ? ends : nullptr;
    blockOpen_ = open;
    blockClose_ = close;
    blockStops_ = stops;
    blockNests_ = nested;
    depth_ = 1;
    mode_ = Mode::Block;
}

bool LineCounter::commandArgument(std::string_view before, const char* p) const
{
    // "puts /x/", "assert_match /a/, s", "foo %(a b)": a method's name, a space, then a
    // literal starting right away ("a / b" and "a /= b" divide).
    if (!language_.commandArguments || before.empty() || !isBlank(before.back()) || p + 1 >= end_ || isSpace(p[1]) ||
        p[1] == '\n' || p[1] == '=')
        return false;
    const std::string_view trimmed = trimmedEnd(before);
    const std::string_view name = lastWord(trimmed);
    if (name.empty() || isDigit(name[0]))
        return false;
    if (name.size() < trimmed.size() && isOneOf(trimmed[trimmed.size() - name.size() - 1], "@$:"))
        return false; // a variable or a symbol
    for (const std::string_view value : {"end", "self", "nil", "true", "false", "def", "__FILE__", "__LINE__"})
        if (name == value)
            return false;
    if (*p != '/')
        return true;
    // A regex argument closes on its line, within the lookahead.
    const char* const stop = p + std::min<std::size_t>(static_cast<std::size_t>(end_ - p), Syntax::lookahead);
    for (const char* q = p + 1; q < stop && *q != '\n'; ++q) {
        if (*q == '\\')
            ++q;
        else if (*q == '/')
            return true;
    }
    return false;
}

bool LineCounter::regexAllowedAfter(std::string_view before) const
{
    before = trimmedEnd(before);
    if (before.empty())
        return regexAtLineStart_;
    const char last = before.back();
    if (isWord(last))
        return syntax_.isRegexWord(lastWord(before));
    // After a value: a closing bracket or the end of a string.
    return !isOneOf(last, ")]}\"'`");
}

std::size_t LineCounter::feed(const char* data, std::size_t size, bool atEnd)
{
    data_ = data;
    end_ = data + size;
    atEnd_ = atEnd;
    limit_ = atEnd ? end_ : (size > Syntax::lookahead ? end_ - Syntax::lookahead : data);
    const char* p = data;
    if (offset_ == 0 && p < limit_) {
        // A byte-order mark is not part of the first line.
        if (size >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0) {
            p += 3;
            lineStart_ = 3;
        }
        // "#!" opening the file: a comment where the language says so (ECMAScript does); Lua's
        // loader skips any first line starting with "#".
        const std::string& first = language_.firstLineComment;
        if (!first.empty() && matches(p, first)) {
            markComment();
            commentStart_ = offsetOf(p);
            afterComment_ = mode_; // PHP's output goes on after it
            mode_ = Mode::LineComment;
            p += first.size();
        }
    }

    while (p < limit_) {
        if (*p == '\n') {
            endLine(p);
            ++p;
            continue;
        }
        switch (mode_) {
        case Mode::Code:
            p = code(p);
            break;
        case Mode::LineComment:
            p = lineComment(p);
            break;
        case Mode::Block:
            p = block(p);
            break;
        case Mode::String:
            p = string(p);
            break;
        case Mode::LineBlock:
            p = lineBlock(p);
            break;
        case Mode::HereDoc:
            p = hereDoc(p);
            break;
        case Mode::QuoteGap:
            p = quoteGap(p);
            break;
        case Mode::Data:
            p = dataSection(p);
            break;
        case Mode::Output:
            p = output(p);
            break;
        case Mode::Indented:
            p = indented(p);
            break;
        case Mode::Tag:
            p = tagBody(p);
            break;
        case Mode::RawText:
            p = rawText(p);
            break;
        }
    }

    const std::size_t taken = static_cast<std::size_t>(p - data);
    if (taken >= history_.size()) {
        std::memcpy(history_.data(), p - history_.size(), history_.size());
        historyLength_ = history_.size();
    } else {
        const std::size_t keep = std::min(historyLength_, history_.size() - taken);
        std::memmove(history_.data(), history_.data() + historyLength_ - keep, keep);
        std::memcpy(history_.data() + keep, data, taken);
        historyLength_ = keep + taken;
    }
    offset_ += taken;
    return taken;
}

std::uint64_t Syntax::codeEvents(const char* p, std::uint64_t& text, bool lookBehind) const
{
    (void)lookBehind; // keywords inside words are passed over by the AVX2 form only
#if QM_LANES_X86
    std::uint64_t events = 0;
    std::uint64_t shown = 0;
    const bool anyWords = !words_.empty();
    for (std::size_t i = 0; i < ByteSet::width; i += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        std::uint32_t bits = static_cast<std::uint32_t>(_mm_movemask_epi8(codeStops_.hits16(v)));
        if (anyWords)
            bits |= words_.match16(p + i);
        events |= static_cast<std::uint64_t>(bits) << i;
        shown |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(ByteSet::text16(v)))) << i;
    }
    text = shown;
    return events;
#else
    text = ByteSet::textSome(p, ByteSet::width);
    return codeStops_.matchSome(p, ByteSet::width) |
           (words_.empty() ? 0 : words_.matchSome(p, ByteSet::width, ByteSet::width + 1));
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
    const bool anyWords = !words_.empty();
    // A keyword inside a longer word is no keyword: word() would only skip the rest of it.
    const bool wordStarts = lookBehind && wordStartsOnly_;
    for (std::size_t i = 0; i < ByteSet::width; i += 32) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
        const __m256i low = lanes::low32(v);
        const __m256i high = lanes::high32(v);
        __m256i hits = codeStops_.hits32(v, low, high);
        if (anyWords) {
            const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 1));
            __m256i starts = words_.hits32(low, high, lanes::low32(next), lanes::high32(next));
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

const char* LineCounter::code(const char* p)
{
    const ByteSet& stops = syntax_.codeStops_;
    const BytePairs& words = syntax_.words_;
    const bool anyWords = !words.empty();
    while (p < limit_) {
        // 64 bytes at a time: where the next token may start, and (until the line has
        // code) which bytes are text.
        const char* const base = p;
        const std::size_t left = static_cast<std::size_t>(limit_ - p);
        const std::size_t n = left < ByteSet::width ? left : ByteSet::width;
        const bool whole = static_cast<std::size_t>(end_ - p) > ByteSet::width;
        std::uint64_t shown; // the bytes that are not white space
        std::uint64_t events;
        if (!whole) {
            events = stops.matchSome(p, n) | (anyWords ? words.matchSome(p, n, static_cast<std::size_t>(end_ - p)) : 0);
            shown = ByteSet::textSome(p, n);
        } else {
#if QM_LANES_X86
            events = lanes::avx2 ? syntax_.codeEventsAvx2(p, shown, p > data_)
                                 : syntax_.codeEvents(p, shown, p > data_);
#else
            events = syntax_.codeEvents(p, shown, p > data_);
#endif
        }
        const std::uint64_t inside = ByteSet::first(n);
        events &= inside;
        shown &= inside;
        bool haveText = !hasCode_;
        std::uint64_t text = haveText ? shown : 0;
        for (;;) {
            if (!events) {
                if (text)
                    markCode(base + ctz(text));
                p = base + n;
                break;
            }
            const unsigned at = ctz(events);
            if (const std::uint64_t before = text & ByteSet::first(at))
                markCode(base + ctz(before));
            const char* next;
            if (base[at] == '\n') {
                endLine(base + at);
                next = base + at + 1;
                if (!haveText) {
                    haveText = true;
                    text = shown;
                }
            } else {
                next = codeToken(base + at);
            }
            if (mode_ != Mode::Code)
                return next;
            const std::size_t used = static_cast<std::size_t>(next - base);
            if (used >= n) {
                p = next;
                break;
            }
            const std::uint64_t rest = ~ByteSet::first(used);
            events &= rest;
            text &= rest;
        }
    }
    return p;
}

const char* LineCounter::codeToken(const char* p)
{
    const Language& l = language_;
    const char c = *p;
    const std::uint16_t kinds = syntax_.tokens_[static_cast<unsigned char>(c)];
    const char* q = p;

    if ((kinds & Syntax::Sigil) && p + 1 < end_) {
        if (l.sigilVariables && isOneOf(p[1], "'\"`#/\\")) {
            markCode(p);
            return p + 2;
        }
        if (l.ansiCQuotes && p[1] == '\'') {
            markCode(p);
            openQuote("'", true);
            return p + 2;
        }
    }
    if ((kinds & Syntax::QuestionMark) && p + 1 < end_ && !isSpace(p[1]) && p[1] != '\n') {
        // ?a, ?', ?\n: a character, where an operand may stand ("a ?b : c" is no such place).
        // "?\" before a line end leaves the line end to end the line.
        const std::size_t length = p[1] == '\\' && p + 2 < end_ && p[2] != '\n' && p[2] != '\r' ? 3 : 2;
        const std::string_view before = behind(p, 1);
        if ((p + length >= end_ || !isWord(p[length])) &&
            (before.empty() || !(isWord(before[0]) || isOneOf(before[0], ")]}")))) {
            markCode(p);
            return p + length;
        }
    }
    if ((kinds & Syntax::LineStartBlock) && offsetOf(p) == lineStart_) {
        if (c == '=' && l.podDocumentation && statementAtLineStart_ && (q = podOpener(p)) != p)
            return q;
        for (const auto& opener : l.lineStartComments) {
            if (matches(p, opener)) {
                markComment();
                closeBlockAtLineEnd_ = matches(p, l.lineStartCommentEnd);
                mode_ = Mode::LineBlock;
                return p + opener.size();
            }
        }
    }
    if ((kinds & Syntax::FirstTextComment) && !lineHasText_) {
        for (const auto& t : l.firstTextComments) {
            if (matches(p, t)) {
                markComment();
                mode_ = Mode::LineComment;
                return p + t.size();
            }
        }
    }
    if ((kinds & Syntax::LongBracket) && (q = longBracket(p)) != p)
        return q;
    if (kinds & Syntax::BlockComment) {
        for (std::size_t i = 0; i < l.blockComments.size(); ++i) {
            const Delimiters& b = l.blockComments[i];
            if (matches(p, b.open)) {
                markComment();
                openBlock(b.open, b.close, &syntax_.blockStops_[i], l.nestedComments, &syntax_.blockEnds_[i]);
                return p + b.open.size();
            }
        }
    }
    if ((kinds & Syntax::Tag) && (q = tag(p)) != p)
        return q;
    if (kinds & Syntax::LineComment) {
        for (const auto& t : l.lineComments) {
            if (!matches(p, t))
                continue;
            if (l.wordStartComments) {
                // "#" inside a word ("a#b", "$#", "${#x}") is not a comment.
                const std::string_view before = behind(p, 1);
                if (!before.empty() && !isOneOf(before[0], " \t\r\n;&|()<>"))
                    break;
            }
            // PHP's "#[" opens an attribute, which is code.
            if (!l.attributeOpener.empty() && matches(p, l.attributeOpener))
                break;
            markComment();
            commentStart_ = offsetOf(p);
            mode_ = Mode::LineComment;
            return p + t.size();
        }
    }
    if ((kinds & Syntax::HereDocument) && (q = hereDocOpener(p)) != p)
        return q;
    if ((kinds & Syntax::Regex) && (q = regex(p)) != p)
        return q;
    if ((kinds & Syntax::PercentLiteral) && (q = percentLiteral(p)) != p)
        return q;
    if ((kinds & Syntax::String) && (q = stringOpener(p)) != p)
        return q;
    if (kinds & Syntax::Backslash) {
        markCode(p);
        if (l.docstringStatements) {
            // A backslash that ends the line carries the statement on to the next one.
            if ((p + 1 < end_ && p[1] == '\n') || (p + 2 < end_ && p[1] == '\r' && p[2] == '\n'))
                continuesNext_ = true;
            return p + 1;
        }
        return p + ((p + 1 < end_ && p[1] != '\n') ? 2 : 1);
    }
    if (kinds & Syntax::Bracket) {
        if (isOneOf(c, "([{"))
            ++brackets_;
        else if (brackets_ > 0)
            --brackets_;
    }
    if ((kinds & Syntax::TemplateBrace) && !holes_.empty()) {
        if (c == syntax_.hole_[1]) {
            ++holes_.back();
        } else if (holes_.back() == 0) {
            // The end of a hole: back into its string.
            holes_.pop_back();
            markCode(p);
            openTableString(static_cast<std::size_t>(syntax_.templateString_), false);
            return p + 1;
        } else {
            --holes_.back();
        }
    }
    if (kinds & Syntax::Operator) {
        for (const auto& op : syntax_.operators_) {
            if (matches(p, op)) {
                ++counts_.complexity;
                markCode(p);
                return p + op.size();
            }
        }
    }
    if (isWord(c))
        return word(p);
    markCode(p);
    return p + 1;
}

const char* LineCounter::word(const char* p)
{
    const char* q = p + 1;
    while (q < end_ && isWord(*q))
        ++q;
    markCode(p);
    const std::string_view before = behind(p, 2);
    if (!before.empty() && isWord(before.back()))
        return q; // inside a longer word
    const std::size_t length = static_cast<std::size_t>(q - p);
    if (syntax_.isKeyword(p, length))
        ++counts_.complexity;
    if (language_.quoteOperators && length <= 2) {
        const std::string_view name(p, length);
        for (const std::string_view op : {"q", "qq", "qw", "qr", "m", "s", "tr", "y"}) {
            if (name != op)
                continue;
            // Not a variable ($s, @q, %y), a method (->s), a package (Foo::q) or a file test (-s).
            if (!before.empty() && (isOneOf(before.back(), "$@%&*-") || before == "->" || before == "::"))
                return q;
            return quoteOperator(q, name);
        }
    }
    return q;
}

const char* LineCounter::quoteOperator(const char* p, std::string_view name)
{
    const char* d = p;
    while (d < end_ && isBlank(*d) && d - p < 16)
        ++d;
    if (d >= end_)
        return p;
    const bool spaced = d != p;
    const char c = *d;
    const char next = d + 1 < end_ ? d[1] : 0;
    // A word, a hash key ("s => 1", "{y}"), the end of a statement ("m ;") or list, or a
    // comment after a space. Right after the name ";" is a delimiter: m;^a;x.
    if (isWord(c) || isSpace(c) || c == '\n' || isOneOf(c, ")}") || (c == ';' && spaced) || (c == '#' && spaced) ||
        (c == '=' && (spaced || isOneOf(next, ">=~"))) || (c == '-' && next == '>'))
        return p;
    const char bracket = closingBracket(c);
    openQuote(std::string(1, bracket ? bracket : c), true, bracket ? c : 0);
    quote_.parts = (name == "s" || name == "tr" || name == "y") ? 1 : 0;
    quote_.flags = language_.regexFlags && name != "q" && name != "qq" && name != "qw";
    quote_.bracketed = bracket != 0;
    return d + 1;
}

const char* LineCounter::quoteGap(const char* p)
{
    // Between the bracketed parts of s{...}{...}: white space, comments, then the next part.
    if (gapComment_ || *p == '#') {
        // To the line end, which may lie in a later piece.
        gapComment_ = true;
        markComment();
        const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(limit_ - p));
        return nl ? static_cast<const char*>(nl) : limit_;
    }
    while (p < limit_ && *p != '\n' && isSpace(*p))
        ++p;
    if (p >= limit_ || *p == '\n' || *p == '#')
        return p;
    markCode(p);
    const bool flags = quote_.flags;
    const char bracket = closingBracket(*p);
    openQuote(std::string(1, bracket ? bracket : *p), true, bracket ? *p : 0);
    quote_.flags = flags;
    return p + 1;
}

const char* LineCounter::longBracket(const char* p)
{
    // "[[", "[=[", "[==[" ... closed by "]]", "]=]", "]==]" ...; after the comment prefix a comment.
    const std::string& prefix = language_.longBracketComment;
    const bool comment = !prefix.empty() && matches(p, prefix);
    if (!comment && !(language_.longBracketStrings && *p == '['))
        return p;
    const char* b = comment ? p + prefix.size() : p;
    if (b >= end_ || *b != '[')
        return p;
    const char* e = b + 1;
    while (e < end_ && *e == '=')
        ++e;
    if (e >= end_ || *e != '[')
        return p;
    std::string close(static_cast<std::size_t>(e - b + 1), '=');
    close.front() = close.back() = ']';
    if (comment) {
        markComment();
        ownedClose_ = std::move(close);
        ownedStops_ = ByteSet{};
        addStop(ownedStops_, '\n');
        addStop(ownedStops_, ']');
        openBlock({}, ownedClose_, &ownedStops_, false);
    } else {
        markCode(p);
        openQuote(std::move(close), false);
    }
    return e + 1;
}

const char* LineCounter::hereDocOpener(const char* p)
{
    if (!matches(p, "<<"))
        return p;
    // The opener is read within the lookahead, so that where a read ends cannot change it.
    const char* const end = p + std::min<std::size_t>(static_cast<std::size_t>(end_ - p), Syntax::lookahead);
    const char* q = p + 2;
    HereDoc doc;
    const auto identifierStart = [](char c) { return isWord(c) && !isDigit(c); };
    // A quoted word: "END" or 'END'.
    const auto quotedWord = [&doc, end](const char*& at) {
        const char quote = *at;
        const char* r = at + 1;
        while (r < end && *r != quote && *r != '\n' && doc.word.size() <= 64)
            doc.word += *r++;
        if (r >= end || *r != quote)
            return false;
        at = r + 1;
        return true;
    };
    const auto identifier = [&doc, end](const char*& at) {
        while (at < end && isWord(*at) && doc.word.size() <= 64)
            doc.word += *at++;
    };
    const std::string_view line = lineBefore(p);

    switch (language_.hereDocuments) {
    case HereDocuments::None:
        return p;
    case HereDocuments::Shell: {
        if (q < end && *q == '<') {
            markCode(p);
            return q + 1; // "<<<": a here-string
        }
        // "$(( a << b ))" shifts.
        int arithmetic = 0;
        for (std::size_t i = 0; i + 1 < line.size(); ++i) {
            if (line[i] == '(' && line[i + 1] == '(') {
                ++arithmetic;
                ++i;
            } else if (line[i] == ')' && line[i + 1] == ')') {
                --arithmetic;
                ++i;
            }
        }
        if (arithmetic > 0)
            return p;
        if (q < end && *q == '-') {
            doc.indent = Indent::Tabs;
            ++q;
        }
        while (q < end && isBlank(*q))
            ++q;
        // The word, its quotes and backslashes removed: 'EOF', "EOF", \EOF, E"O"F.
        while (q < end && !isSpace(*q) && *q != '\n' && !isOneOf(*q, ";|&<>()") && doc.word.size() <= 64) {
            if (*q == '\'' || *q == '"') {
                if (!quotedWord(q))
                    return p;
            } else if (*q == '\\') {
                ++q;
            } else {
                doc.word += *q++;
            }
        }
        // Given to the no-op command ":", the body is a comment.
        const std::string_view command = trimmedEnd(line);
        doc.comment = !command.empty() && command.back() == ':' &&
                      (command.size() == 1 || isOneOf(command[command.size() - 2], " \t;&|("));
        break;
    }
    case HereDocuments::Perl: {
        if (q < end && *q == '~') {
            doc.indent = Indent::Any;
            ++q;
        }
        const char* r = q;
        while (r < end && isBlank(*r))
            ++r;
        if (r < end && (*r == '"' || *r == '\'')) {
            if (!quotedWord(r))
                return p;
            q = r;
        } else if (q < end && identifierStart(*q)) {
            identifier(q);
        } else {
            return p;
        }
        break;
    }
    case HereDocuments::Ruby: {
        // "a<<b" and "list << item" shift; "class << self" opens a singleton class.
        const std::string_view before = trimmedEnd(line);
        if (!line.empty() && (isWord(line.back()) || isOneOf(line.back(), ")]")))
            return p;
        if (lastWord(before) == "class")
            return p;
        if (q < end && (*q == '~' || *q == '-')) {
            doc.indent = Indent::Any;
            ++q;
        }
        if (q < end && isOneOf(*q, "\"'`")) {
            if (!quotedWord(q))
                return p;
        } else if (q < end && identifierStart(*q)) {
            identifier(q);
        } else {
            return p;
        }
        break;
    }
    case HereDocuments::Php: {
        if (q >= end || *q != '<')
            return p;
        ++q;
        while (q < end && isBlank(*q))
            ++q;
        if (q < end && (*q == '"' || *q == '\'')) {
            if (!quotedWord(q))
                return p;
        } else if (q < end && identifierStart(*q)) {
            identifier(q);
        } else {
            return p;
        }
        doc.indent = Indent::Any;
        doc.wordOnly = true;
        break;
    }
    }
    if (doc.word.empty() || doc.word.size() > 64)
        return p;
    // A body closed by a POD command ("=cut", "=back") is documentation, as POD reads it.
    if (doc.word.size() > 1 && doc.word[0] == '=' && std::isalpha(static_cast<unsigned char>(doc.word[1])))
        doc.comment = true;
    markCode(p);
    pendingDocs_.push_back(std::move(doc));
    return q;
}

const char* LineCounter::hereDoc(const char* p)
{
    if (offsetOf(p) == lineStart_ || inIndent_) {
        // The terminator may follow any indentation, which may go on into the next piece.
        const char* q = p;
        if (hereDoc_.indent == Indent::Tabs)
            while (q < limit_ && *q == '\t')
                ++q;
        else if (hereDoc_.indent == Indent::Any)
            while (q < limit_ && isBlank(*q))
                ++q;
        inIndent_ = q == limit_ && !atEnd_;
        if (inIndent_)
            return q;
        if (matches(q, hereDoc_.word)) {
            const char* r = q + hereDoc_.word.size();
            bool ends;
            if (hereDoc_.wordOnly)
                ends = r >= end_ || !isWord(*r);
            else if (r >= end_)
                ends = atEnd_;
            else
                ends = *r == '\n' || (*r == '\r' && (r + 1 >= end_ ? atEnd_ : r[1] == '\n'));
            if (ends) {
                if (hereDoc_.comment)
                    markComment();
                else
                    markCode(q);
                mode_ = Mode::Code;
                hereDocEnded_ = true;
                return r;
            }
        }
    }
    bool text = false;
    const char* q = syntax_.lineEnd_.find(p, limit_, end_, text);
    if (text) {
        if (hereDoc_.comment)
            markComment();
        else
            markCode(p);
    }
    return q;
}

const char* LineCounter::regex(const char* p)
{
    // Comments ("//", "/*") were ruled out before.
    const std::string_view line = lineBefore(p);
    markCode(p);
    if (language_.symbols && !line.empty() && line.back() == ':' && (line.size() == 1 || line[line.size() - 2] != ':'))
        return p + 1; // ":/", the name of the method
    if (!regexAllowedAfter(line) && !commandArgument(line, p)) {
        // Division; "//" (Perl's defined-or) is one operator.
        return (p + 1 < end_ && p[1] == '/') ? p + 2 : p + 1;
    }
    openQuote("/", true);
    addStop(ownedStops_, '[');
    addStop(ownedStops_, ']');
    quote_.regex = true;
    quote_.flags = language_.regexFlags;
    quote_.multiline = language_.regexesSpanLines;
    return p + 1;
}

const char* LineCounter::percentLiteral(const char* p)
{
    // %q(...), %w[...], %r{...} ... and %(...): delimiters of any kind, brackets nesting.
    const char* d = p + 1;
    const bool letter = d < end_ && isOneOf(*d, "qQwWiIrsx");
    if (letter)
        ++d;
    if (d >= end_)
        return p;
    const char c = *d;
    if (isWord(c) || isSpace(c) || c == '\n' || c == '=')
        return p;
    const std::string_view line = lineBefore(p);
    if (letter) {
        if (!line.empty() && (isWord(line.back()) || isOneOf(line.back(), ")]")))
            return p; // "x%w": a remainder
    } else if (!isOneOf(c, "([{<|!/^") || (!regexAllowedAfter(line) && !commandArgument(line, p))) {
        return p;
    }
    markCode(p);
    const char bracket = closingBracket(c);
    openQuote(std::string(1, bracket ? bracket : c), true, bracket ? c : 0);
    quote_.flags = letter && p[1] == 'r' && language_.regexFlags;
    return d + 1;
}

const char* LineCounter::rawString(const char* p)
{
    // The raw strings of the language, opening at the quote p; p when there is none.
    const RawStrings kind = language_.rawStrings;
    if (kind == RawStrings::CSharp) {
        // Three quotes or more open a raw string, closed by a run of as many; fewer are its text.
        std::size_t quotes = 1;
        while (quotes < Syntax::lookahead && p + quotes < end_ && p[quotes] == '"')
            ++quotes;
        if (quotes >= 3) {
            markCode(p);
            openQuote(std::string(quotes, '"'), false);
            return p + quotes;
        }
    }
    if (kind == RawStrings::Cpp) {
        // R"delim( ... )delim", with u8R, uR, UR or LR.
        const std::string_view before = behind(p, 4);
        if (!before.empty() && before.back() == 'R') {
            std::size_t prefix = 1;
            if (before.size() >= 3 && before.substr(before.size() - 3) == "u8R")
                prefix = 3;
            else if (before.size() >= 2 && isOneOf(before[before.size() - 2], "uUL"))
                prefix = 2;
            if (before.size() == prefix || !isWord(before[before.size() - prefix - 1])) {
                const char* d = p + 1;
                while (d < end_ && d - p <= 17 && !isSpace(*d) && !isOneOf(*d, "()\\\"\n"))
                    ++d;
                if (d < end_ && *d == '(' && d - p <= 17) {
                    markCode(p);
                    std::string close(1, ')');
                    close.append(p + 1, d).push_back('"');
                    openQuote(std::move(close), false);
                    return d + 1;
                }
            }
        }
    }
    if (kind == RawStrings::Rust) {
        // r"...", r#"..."#, br"...", cr"...": no escapes.
        const std::string_view before = behind(p, Syntax::lookahead);
        std::size_t hashes = 0;
        while (hashes < before.size() && before[before.size() - 1 - hashes] == '#')
            ++hashes;
        if (hashes < before.size() && before[before.size() - 1 - hashes] == 'r') {
            std::size_t prefix = hashes + 1;
            if (prefix < before.size() && isOneOf(before[before.size() - 1 - prefix], "bc"))
                ++prefix;
            if (prefix == before.size() || !isWord(before[before.size() - 1 - prefix])) {
                markCode(p);
                std::string close(hashes + 1, '#');
                close.front() = '"';
                openQuote(std::move(close), false);
                return p + 1;
            }
        }
    }
    return p;
}

const char* LineCounter::stringOpener(const char* p)
{
    const Language& l = language_;
    if (l.nodeStartQuotes && !startsNode(p))
        return p; // a quote inside a plain scalar ("it's")
    const char* q;
    if (*p == '"' && l.rawStrings != RawStrings::None && (q = rawString(p)) != p)
        return q;
    for (std::size_t i = 0; i < l.strings.size(); ++i) {
        const StringSyntax& s = l.strings[i];
        if (!matches(p, s.open))
            continue;
        if (s.character) {
            const std::size_t length = characterLiteral(p);
            if (length == 0)
                return p; // a lone quote: plain code
            markCode(p);
            return p + length;
        }
        bool docstring = false;
        if (s.docstring) {
            bool codeBefore = hasCode_;
            if (codeBefore && !l.stringPrefixes.empty()) {
                // The "r" of r"""...""" belongs to the string.
                const std::string_view before = behind(p, 3);
                std::size_t prefix = 0;
                while (prefix < 2 && prefix < before.size() &&
                       l.stringPrefixes.find(static_cast<char>(
                           lower(static_cast<unsigned char>(before[before.size() - 1 - prefix])))) != std::string::npos)
                    ++prefix;
                if (prefix > 0 && (prefix == before.size() || !isWord(before[before.size() - 1 - prefix])) &&
                    codeStart_ == offsetOf(p) - prefix)
                    codeBefore = false;
            }
            docstring = !codeBefore && (!l.docstringStatements || (brackets_ == 0 && !continued_));
            if (docstring)
                hasCode_ = false; // the prefix was all there was
        }
        if (docstring)
            markComment();
        else
            markCode(p);
        openTableString(i, docstring);
        return p + s.open.size();
    }
    return p;
}

const char* LineCounter::lineComment(const char* p)
{
    if (!hasComment_) {
        // A line that a comment ending in a backslash carried on to: blank or comment.
        bool text = false;
        const char* q = syntax_.lineEnd_.find(p, limit_, end_, text);
        if (text)
            markComment();
        return q;
    }
    if (!syntax_.commentsEndEarly_) {
        const void* nl = std::memchr(p, '\n', static_cast<std::size_t>(limit_ - p));
        return nl ? static_cast<const char*>(nl) : limit_;
    }
    bool text = false;
    const char* q = syntax_.commentStops_.find(p, limit_, end_, text);
    if (q == limit_ || *q == '\n')
        return q;
    if (*q == '?') {
        // PHP's "?>" ends the comment with the code (not the "#!" line before the code).
        if (q + 1 < end_ && q[1] == '>' && afterComment_ != Mode::Output) {
            mode_ = Mode::Code;
            return q;
        }
        return q + 1;
    }
    return escapedLineEnd(q);
}

const char* LineCounter::escapedLineEnd(const char* p)
{
    // Java reads "\u000a" and "\u000d" (with any number of u's) as the line ends they stand
    // for before it looks for comments: one ends a line comment, and the rest of the line is
    // code. "\\" is an escaped backslash, which starts no escape.
    if (p + 1 < end_ && p[1] == '\\')
        return p + 2;
    const char* u = p + 1;
    while (u < end_ && *u == 'u' && u - p < 64)
        ++u;
    if (u == p + 1 || !matches(u, "000") || end_ - u < 4 || !isOneOf(static_cast<char>(lower(u[3])), "ad"))
        return p + 1;
    mode_ = Mode::Code;
    return u + 4;
}

const char* LineCounter::block(const char* p)
{
    bool text = false;
    const char* q = blockEnds_ ? blockEnds_->find(p, limit_, end_, text) : blockStops_->find(p, limit_, end_, text);
    if (text)
        markComment();
    if (q != p)
        return q;
    if (blockNests_ && matches(p, blockOpen_)) {
        ++depth_;
        markComment();
        return p + blockOpen_.size();
    }
    if (matches(p, blockClose_)) {
        markComment();
        if (--depth_ == 0)
            mode_ = Mode::Code;
        return p + blockClose_.size();
    }
    if (!isSpace(*p))
        markComment();
    return p + 1;
}

const char* LineCounter::string(const char* p)
{
    if (quote_.skipsSpace) {
        // After "\z" the string goes on past white space and line ends to its next text.
        while (p < limit_ && isSpace(*p))
            ++p;
        if (p >= limit_ || *p == '\n')
            return p;
        quote_.skipsSpace = false;
    }
    bool text = false;
    const char* q = quote_.stops->find(p, limit_, end_, text);
    if (text)
        markString();
    if (q != p)
        return q;
    const char c = *p;
    if (quote_.escapes && c == '\\') {
        markString();
        // An escaped line end carries the string on to the next line.
        if (p + 1 < end_ && p[1] == '\n') {
            endLine(p + 1, true);
            return p + 2;
        }
        if (p + 2 < end_ && p[1] == '\r' && p[2] == '\n') {
            endLine(p + 2, true);
            return p + 3;
        }
        quote_.skipsSpace = language_.skipSpaceEscapes && p + 1 < end_ && p[1] == 'z';
        return std::min(p + 2, end_);
    }
    if (quote_.regex && (c == '[' || c == ']' || inClass_)) {
        // Inside a character class the closing delimiter is an ordinary character.
        if (c == '[')
            inClass_ = true;
        else if (c == ']')
            inClass_ = false;
        markString();
        return p + 1;
    }
    if (quote_.templated && c == syntax_.hole_[0]) {
        markString();
        if (p + 1 < end_ && p[1] == syntax_.hole_[1]) {
            holes_.push_back(0);
            mode_ = Mode::Code;
            return p + 2;
        }
        return p + 1;
    }
    if (quote_.opener && c == quote_.opener) {
        ++quote_.depth;
        markString();
        return p + 1;
    }
    if (matches(p, quote_.close)) {
        markString();
        p += quote_.close.size();
        if (quote_.doubled && matches(p, quote_.close))
            return p + quote_.close.size();
        if (quote_.depth > 0) {
            --quote_.depth;
        } else if (quote_.parts > 0) {
            --quote_.parts;
            if (quote_.bracketed)
                mode_ = Mode::QuoteGap;
        } else {
            mode_ = Mode::Code;
            // Flags ("/x/i", "s{a}{b}gr") belong to the regex, whatever letters they are.
            for (const char* flags = p;
                 quote_.flags && p < end_ && p - flags < 16 && std::isalpha(static_cast<unsigned char>(*p));)
                ++p;
        }
        return p;
    }
    if (!isSpace(c))
        markString();
    return p + 1;
}

const char* LineCounter::podOpener(const char* p)
{
    // "=" and a letter: POD up to a line starting with "=cut"; a stray "=cut" opens it too.
    if (p + 1 >= end_ || !std::isalpha(static_cast<unsigned char>(p[1])))
        return p;
    markComment();
    closeBlockAtLineEnd_ = false;
    mode_ = Mode::LineBlock;
    return p + 2;
}

const char* LineCounter::dataSection(const char* p)
{
    // After __END__ or __DATA__: data, read as code, and POD.
    const char* q;
    if (offsetOf(p) == lineStart_ && language_.podDocumentation && *p == '=' && (q = podOpener(p)) != p)
        return q;
    bool text = false;
    q = syntax_.lineEnd_.find(p, limit_, end_, text);
    if (text)
        markCode(p);
    return q;
}

const char* LineCounter::lineBlock(const char* p)
{
    // Perl's "=cut" closes POD unless a letter follows ("=cut2" does, "=cutting" does not);
    // Ruby's "=end" closes only before white space or the line's end.
    const std::string_view end = language_.lineStartCommentEnd;
    if (offsetOf(p) == lineStart_ && matches(p, end)) {
        const char next = p + end.size() < end_ ? p[end.size()] : '\n';
        if (language_.podDocumentation ? !std::isalpha(static_cast<unsigned char>(next))
                                       : isSpace(next) || next == '\n' || isOneOf(next, "\004\032") || next == 0)
            closeBlockAtLineEnd_ = true;
    }
    bool text = false;
    const char* q = syntax_.lineEnd_.find(p, limit_, end_, text);
    if (text)
        markComment();
    return q;
}

const char* LineCounter::output(const char* p)
{
    // PHP's output around its code: plain lines of text up to "<?php" or "<?=".
    bool text = false;
    const char* q = syntax_.outputEnds_.find(p, limit_, end_, text);
    if (text)
        markCode(p);
    if (q == limit_ || *q == '\n')
        return q;
    markCode(q);
    if (q + 2 < end_ && q[2] == '=') {
        mode_ = Mode::Code;
        return q + 3;
    }
    // "<?php" in any case, then a blank, a line end or the file's end ("<?xml" is text).
    if (end_ - q >= 5 && lower(static_cast<unsigned char>(q[2])) == 'p' &&
        lower(static_cast<unsigned char>(q[3])) == 'h' && lower(static_cast<unsigned char>(q[4])) == 'p' &&
        (end_ - q == 5 || isOneOf(q[5], " \t\r\n"))) {
        mode_ = Mode::Code;
        return q + 5;
    }
    return q + 2;
}

const char* LineCounter::indented(const char* p)
{
    // A block scalar's line is its text when it opens with as many spaces as the scalar's
    // lines do (its first line sets how many: more than the node holding it has); a line of
    // white space alone is blank; a line less deep, or a document marker, ends the scalar
    // and is read as code.
    if (!lineInScalar_) {
        if (!indentEnded_) {
            const char* spaces = p;
            while (p < limit_ && *p == ' ')
                ++p;
            lineIndent_ += static_cast<std::uint64_t>(p - spaces);
            indentEnded_ = p < limit_;
        }
        while (p < limit_ && *p != '\n' && isSpace(*p))
            ++p;
        if (p == limit_ || *p == '\n')
            return p;
        const bool marker = lineIndent_ == 0 && (matches(p, "---") || matches(p, "...")) &&
                            (static_cast<std::size_t>(end_ - p) == 3 ? atEnd_ : (isSpace(p[3]) || p[3] == '\n'));
        if (lineIndent_ < scalarIndent_ || marker) {
            mode_ = Mode::Code;
            lineIndent_ = 0;
            indentEnded_ = false;
            return p;
        }
        if (!scalarIndentKnown_) {
            scalarIndent_ = lineIndent_;
            scalarIndentKnown_ = true;
        }
        lineInScalar_ = true;
    }
    bool text = false;
    const char* q = syntax_.lineEnd_.find(p, limit_, end_, text);
    if (text)
        markCode(p);
    return q;
}

bool LineCounter::namesElement(const char* at, std::string_view name) const
{
    // The name in any case, ended as a tag's name ends.
    if (static_cast<std::size_t>(end_ - at) < name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (lower(static_cast<unsigned char>(at[i])) != static_cast<unsigned char>(name[i]))
            return false;
    const char* after = at + name.size();
    return after == end_ ? atEnd_ : isOneOf(*after, " \t\n\f\r/>");
}

const char* LineCounter::tag(const char* p)
{
    if (*p == '?') {
        // PHP's "?>": the code ends and its output goes on. A here-document opened on the
        // line was none, since its opener ends a line.
        if (p + 1 >= end_ || p[1] != '>')
            return p;
        markCode(p);
        pendingDocs_.clear();
        mode_ = Mode::Output;
        return p + 2;
    }
    // "<name" or "</name" opens a tag; a "<" before anything else is text.
    const char* name = p + 1;
    const bool endTag = name < end_ && *name == '/';
    if (endTag)
        ++name;
    if (name >= end_ || !std::isalpha(static_cast<unsigned char>(*name)))
        return p;
    markCode(p);
    rawTextElement_ = {};
    if (!endTag)
        for (const std::string_view element : {"script", "style"})
            if (namesElement(name, element))
                rawTextElement_ = element;
    tagQuote_ = 0;
    afterEquals_ = false;
    mode_ = Mode::Tag;
    return name;
}

const char* LineCounter::tagBody(const char* p)
{
    // Up to the tag's ">", except inside an attribute value in quotes (a quote right after
    // "=" opens one), which may hold anything ("<!--", ">") over any number of lines.
    while (p < limit_ && *p != '\n') {
        if (tagQuote_ != 0) {
            const char* q = p;
            while (q < limit_ && *q != tagQuote_ && *q != '\n')
                ++q;
            for (const char* r = p; r < q && !hasCode_; ++r)
                if (!isSpace(*r))
                    markCode(r);
            if (q < limit_ && *q == tagQuote_) {
                markCode(q);
                tagQuote_ = 0;
                ++q;
            }
            p = q;
            continue;
        }
        const char c = *p;
        if (!isSpace(c)) {
            markCode(p);
            if (c == '>') {
                mode_ = rawTextElement_.empty() ? Mode::Code : Mode::RawText;
                return p + 1;
            }
            if (afterEquals_ && (c == '"' || c == '\''))
                tagQuote_ = c;
            afterEquals_ = c == '=';
        }
        ++p;
    }
    return p;
}

const char* LineCounter::rawText(const char* p)
{
    // The text of <script> or <style>, code whatever it holds ("<!--" too), up to the
    // element's end tag.
    bool text = false;
    const char* q = syntax_.rawTextEnds_.find(p, limit_, end_, text);
    if (text)
        markCode(p);
    if (q == limit_ || *q == '\n')
        return q;
    if (namesElement(q + 2, rawTextElement_))
        return tag(q);
    markCode(q);
    return q + 2;
}

bool LineCounter::startsNode(const char* p)
{
    // Where a value may start: first on its line, after "[", "{", "," or ":", or after an
    // entry's "- " or "? ", "--- ", a tag or an anchor.
    const std::string_view line = lineBefore(p);
    const std::string_view before = trimmedEnd(line);
    if (before.empty())
        return !hasCode_; // unless more than the look behind lies before the blanks
    if (isOneOf(before.back(), "[{,:"))
        return true;
    if (before.size() == line.size())
        return false;
    const std::size_t blank = before.find_last_of(" \t");
    const std::string_view token = blank == std::string_view::npos ? before : before.substr(blank + 1);
    return token == "-" || token == "?" || token == "---" || isOneOf(token[0], "!&");
}

Counts LineCounter::finish()
{
    if (offset_ > lineStart_) {
        // The last line has no line end: count it as a line of its own.
        countLine(offset_ - 1);
    }
    return counts_;
}

Counts LineCounter::count(const Syntax& syntax, std::string_view text)
{
    LineCounter counter(syntax);
    counter.feed(text.data(), text.size(), true);
    return counter.finish();
}

} // namespace qm::counter
