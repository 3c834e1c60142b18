// YAML: where a node (and so a quoted scalar) may start, and block scalars, whose header
// ends a line and whose lines are told by their indentation.

#include "counter/lex/LineCounter.h"

#include "counter/lex/ByteClasses.h"

#include <algorithm>

namespace qm::counter {

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
    const char* q = syntax_.lineEnd.find(p, limit_, end_, text);
    if (text)
        markCode(p);
    return q;
}

} // namespace qm::counter
