#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm::counter {

// A text as the table output shows it on a terminal, and the columns it takes there.
struct TerminalText {
    std::string text;
    std::size_t columns = 0;
};

// `text` (a file's location: any bytes) made safe to print on one line of a terminal and cut
// to at most `columns` columns. Each byte of what cannot be shown is written `\xNN`: a byte
// that is not part of valid UTF-8, a control character (a line end, an escape, DEL, the C1
// controls), a character the C.UTF-8 tables call unprintable (line separators, unassigned
// code points) and the formatting characters that reorder the text after them (bidirectional
// overrides, embeddings, isolates and marks). A text wider than `columns` keeps its end, the
// file's name, behind a "~", cut between characters (or escapes), never inside one; wide
// characters take two columns, combining marks none.
TerminalText terminalText(std::string_view text, std::size_t columns);

} // namespace qm::counter
