// The token dispatch of code: each byte that may open a token names the openers it may
// start (Syntax::tokens), and they are tried in their order in the table below, the first
// that takes the bytes winning. Openers of a family of tokens live with that family
// (Literals.cpp, QuoteOperators.cpp, HereDocuments.cpp, Markup.cpp); the small ones are here.

#include "counter/lex/LineCounter.h"

#include "counter/lex/ByteClasses.h"

namespace qm::counter {

// In priority order, one per Syntax::Token bit.
const LineCounter::NamedOpener LineCounter::openers_[Syntax::tokenKinds] = {
    {Syntax::Sigil, &LineCounter::sigil},
    {Syntax::QuestionMark, &LineCounter::questionMarkCharacter},
    {Syntax::LineStartBlock, &LineCounter::lineStartBlock},
    {Syntax::FirstTextComment, &LineCounter::firstTextComment},
    {Syntax::LongBracket, &LineCounter::longBracket},
    {Syntax::BlockComment, &LineCounter::blockComment},
    {Syntax::Tag, &LineCounter::tag},
    {Syntax::LineComment, &LineCounter::lineCommentOpener},
    {Syntax::HereDocument, &LineCounter::hereDocOpener},
    {Syntax::Regex, &LineCounter::regex},
    {Syntax::PercentLiteral, &LineCounter::percentLiteral},
    {Syntax::String, &LineCounter::stringOpener},
    {Syntax::Backslash, &LineCounter::backslash},
    {Syntax::Bracket, &LineCounter::bracket},
    {Syntax::TemplateBrace, &LineCounter::templateBrace},
    {Syntax::Operator, &LineCounter::complexityOperator},
};

const char* LineCounter::codeToken(const char* p)
{
    for (unsigned kinds = syntax_.tokens[static_cast<unsigned char>(*p)]; kinds != 0; kinds &= kinds - 1) {
        const NamedOpener& opener = openers_[ctz(kinds)];
        if (const char* q = (this->*opener.open)(p); q != p)
            return q;
    }
    if (isWord(*p))
        return word(p);
    markCode(p);
    return p + 1;
}

const char* LineCounter::sigil(const char* p)
{
    if (p + 1 >= end_)
        return p;
    if (language_.sigilVariables && isOneOf(p[1], "'\"`#/\\")) {
        markCode(p);
        return p + 2;
    }
    if (language_.ansiCQuotes && p[1] == '\'') {
        markCode(p);
        openQuote("'", true);
        return p + 2;
    }
    return p;
}

const char* LineCounter::questionMarkCharacter(const char* p)
{
    if (p + 1 >= end_ || isSpace(p[1]) || p[1] == '\n')
        return p;
    // ?a, ?', ?\n: a character, where an operand may stand ("a ?b : c" is no such place).
    // "?\" before a line end leaves the line end to end the line.
    const std::size_t length = p[1] == '\\' && p + 2 < end_ && p[2] != '\n' && p[2] != '\r' ? 3 : 2;
    const std::string_view before = behind(p, 1);
    if ((p + length >= end_ || !isWord(p[length])) &&
        (before.empty() || !(isWord(before[0]) || isOneOf(before[0], ")]}")))) {
        markCode(p);
        return p + length;
    }
    return p;
}

const char* LineCounter::lineStartBlock(const char* p)
{
    if (offsetOf(p) != lineStart_)
        return p;
    const char* q;
    if (*p == '=' && language_.podDocumentation && statementAtLineStart_ && (q = podOpener(p)) != p)
        return q;
    for (const auto& opener : language_.lineStartComments) {
        if (matches(p, opener)) {
            markComment();
            closeBlockAtLineEnd_ = matches(p, language_.lineStartCommentEnd);
            mode_ = Mode::LineBlock;
            return p + opener.size();
        }
    }
    return p;
}

const char* LineCounter::firstTextComment(const char* p)
{
    if (lineHasText_)
        return p;
    for (const auto& t : language_.firstTextComments) {
        if (matches(p, t)) {
            markComment();
            mode_ = Mode::LineComment;
            return p + t.size();
        }
    }
    return p;
}

const char* LineCounter::blockComment(const char* p)
{
    const auto& blocks = language_.blockComments;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (matches(p, blocks[i].open)) {
            markComment();
            openBlock(blocks[i].open, blocks[i].close, &syntax_.blockStops[i], language_.nestedComments,
                      &syntax_.blockEnds[i]);
            return p + blocks[i].open.size();
        }
    }
    return p;
}

const char* LineCounter::lineCommentOpener(const char* p)
{
    for (const auto& t : language_.lineComments) {
        if (!matches(p, t))
            continue;
        if (language_.wordStartComments) {
            // "#" inside a word ("a#b", "$#", "${#x}") is not a comment.
            const std::string_view before = behind(p, 1);
            if (!before.empty() && !isOneOf(before[0], " \t\r\n;&|()<>"))
                return p;
        }
        // PHP's "#[" opens an attribute, which is code.
        if (!language_.attributeOpener.empty() && matches(p, language_.attributeOpener))
            return p;
        markComment();
        commentStart_ = offsetOf(p);
        mode_ = Mode::LineComment;
        return p + t.size();
    }
    return p;
}

const char* LineCounter::backslash(const char* p)
{
    markCode(p);
    if (language_.docstringStatements) {
        // A backslash that ends the line carries the statement on to the next one.
        if ((p + 1 < end_ && p[1] == '\n') || (p + 2 < end_ && p[1] == '\r' && p[2] == '\n'))
            continuesNext_ = true;
        return p + 1;
    }
    return p + ((p + 1 < end_ && p[1] != '\n') ? 2 : 1);
}

const char* LineCounter::bracket(const char* p)
{
    // Counted only: the bracket is code as any other byte.
    if (isOneOf(*p, "([{"))
        ++brackets_;
    else if (brackets_ > 0)
        --brackets_;
    return p;
}

const char* LineCounter::templateBrace(const char* p)
{
    if (holes_.empty())
        return p;
    if (*p == syntax_.hole[1]) {
        ++holes_.back();
    } else if (holes_.back() == 0) {
        // The end of a hole: back into its string.
        holes_.pop_back();
        markCode(p);
        openTableString(static_cast<std::size_t>(syntax_.templateString), false);
        return p + 1;
    } else {
        --holes_.back();
    }
    return p;
}

const char* LineCounter::complexityOperator(const char* p)
{
    for (const auto& op : syntax_.operators) {
        if (matches(p, op)) {
            ++counts_.complexity;
            markCode(p);
            return p + op.size();
        }
    }
    return p;
}

} // namespace qm::counter
