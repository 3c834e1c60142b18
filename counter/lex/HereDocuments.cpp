// Here-documents of shell, Perl, Ruby and PHP: an opener ("<<WORD" and its forms) queues a
// body, which starts at the next line end and runs to a line holding the word.

#include "counter/lex/LineCounter.h"

#include "counter/lex/ByteClasses.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace qm::counter {

namespace {

// The longest terminating word read; a longer one opens no here-document.
constexpr std::size_t longestWord = 64;

bool identifierStart(char c)
{
    return isWord(c) && !isDigit(c);
}

// A quoted word at `at`: "END" or 'END'. Moves `at` past its closing quote.
bool quotedWord(const char*& at, const char* end, std::string& word)
{
    const char quote = *at;
    const char* r = at + 1;
    while (r < end && *r != quote && *r != '\n' && word.size() <= longestWord)
        word += *r++;
    if (r >= end || *r != quote)
        return false;
    at = r + 1;
    return true;
}

void identifier(const char*& at, const char* end, std::string& word)
{
    while (at < end && isWord(*at) && word.size() <= longestWord)
        word += *at++;
}

// The word at q: quoted with one of `quotes`, or an identifier. False when neither stands
// there, or a quote is not closed within the lookahead.
bool quotedOrIdentifier(const char*& q, const char* end, std::string_view quotes, std::string& word)
{
    if (q < end && isOneOf(*q, quotes))
        return quotedWord(q, end, word);
    if (q < end && identifierStart(*q)) {
        identifier(q, end, word);
        return true;
    }
    return false;
}

// The word of an opener after "<<" at q, each language's forms; `line` holds the line before
// the opener. False when the bytes are no opener (a shift, a word too long to read).
bool shellWord(const char*& q, const char* end, std::string_view line, HereDoc& doc)
{
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
        return false;
    if (q < end && *q == '-') {
        doc.indent = HereDoc::Indent::Tabs;
        ++q;
    }
    while (q < end && isBlank(*q))
        ++q;
    // The word, its quotes and backslashes removed: 'EOF', "EOF", \EOF, E"O"F.
    while (q < end && !isSpace(*q) && *q != '\n' && !isOneOf(*q, ";|&<>()") && doc.word.size() <= longestWord) {
        if (*q == '\'' || *q == '"') {
            if (!quotedWord(q, end, doc.word))
                return false;
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
    return true;
}

bool perlWord(const char*& q, const char* end, HereDoc& doc)
{
    if (q < end && *q == '~') {
        doc.indent = HereDoc::Indent::Any;
        ++q;
    }
    // A quoted word may stand after blanks ("<< 'END'"), a bare word right after "<<".
    const char* r = q;
    while (r < end && isBlank(*r))
        ++r;
    if (r < end && (*r == '"' || *r == '\'')) {
        q = r;
        return quotedWord(q, end, doc.word);
    }
    return quotedOrIdentifier(q, end, "", doc.word);
}

bool rubyWord(const char*& q, const char* end, std::string_view line, HereDoc& doc)
{
    // "a<<b" and "list << item" shift; "class << self" opens a singleton class.
    const std::string_view before = trimmedEnd(line);
    if (!line.empty() && (isWord(line.back()) || isOneOf(line.back(), ")]")))
        return false;
    if (lastWord(before) == "class")
        return false;
    if (q < end && (*q == '~' || *q == '-')) {
        doc.indent = HereDoc::Indent::Any;
        ++q;
    }
    return quotedOrIdentifier(q, end, "\"'`", doc.word);
}

bool phpWord(const char*& q, const char* end, HereDoc& doc)
{
    if (q >= end || *q != '<')
        return false;
    ++q;
    while (q < end && isBlank(*q))
        ++q;
    doc.indent = HereDoc::Indent::Any;
    doc.wordOnly = true;
    return quotedOrIdentifier(q, end, "\"'", doc.word);
}

} // namespace

const char* LineCounter::hereDocOpener(const char* p)
{
    if (!matches(p, "<<"))
        return p;
    // The opener is read within the lookahead, so that where a read ends cannot change it.
    const char* const end = p + std::min<std::size_t>(static_cast<std::size_t>(end_ - p), Syntax::lookahead);
    const char* q = p + 2;
    HereDoc doc;
    const std::string_view line = lineBefore(p);
    bool read = false;
    switch (language_.hereDocuments) {
    case HereDocuments::None:
        return p;
    case HereDocuments::Shell:
        if (q < end && *q == '<') {
            markCode(p);
            return q + 1; // "<<<": a here-string
        }
        read = shellWord(q, end, line, doc);
        break;
    case HereDocuments::Perl:
        read = perlWord(q, end, doc);
        break;
    case HereDocuments::Ruby:
        read = rubyWord(q, end, line, doc);
        break;
    case HereDocuments::Php:
        read = phpWord(q, end, doc);
        break;
    }
    if (!read || doc.word.empty() || doc.word.size() > longestWord)
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
        if (hereDoc_.indent == HereDoc::Indent::Tabs)
            while (q < limit_ && *q == '\t')
                ++q;
        else if (hereDoc_.indent == HereDoc::Indent::Any)
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
    const char* q = syntax_.lineEnd.find(p, limit_, end_, text);
    if (text) {
        if (hereDoc_.comment)
            markComment();
        else
            markCode(p);
    }
    return q;
}

} // namespace qm::counter
