#include "counter/report/TerminalText.h"

#include "counter/report/Utf8.h"

#include <algorithm>
#include <clocale>
#include <cwchar>
#include <locale.h>
#include <vector>

namespace qm::counter {

namespace {

// The formatting characters that change the order in which a terminal shows what follows
// them: a name holding one could show the row's figures reversed or in its place.
bool reorders(char32_t c)
{
    return c == 0x061C || c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

// Columns a character takes, from the C library's tables for C.UTF-8 (whatever locale the
// process runs in), or -1 when it cannot be shown.
int columnsOf(char32_t c)
{
    if (c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0) || reorders(c))
        return -1;
    if (c < 0x7F)
        return 1;
    static const locale_t utf8 = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (!utf8)
        return 1; // without the tables, one column each
    const locale_t previous = ::uselocale(utf8);
    const int columns = ::wcwidth(static_cast<wchar_t>(c));
    ::uselocale(previous);
    return columns;
}

// One piece of the shown text: a character or the escape of what cannot be shown.
struct Piece {
    std::size_t from, length; // in the shown text
    std::size_t columns;
};

} // namespace

TerminalText terminalText(std::string_view text, std::size_t columns)
{
    static const char hex[] = "0123456789abcdef";
    TerminalText shown;
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = 0;
        std::size_t length = decodeUtf8(text.substr(i), c);
        const int width = length ? columnsOf(c) : -1;
        const std::size_t from = shown.text.size();
        if (width < 0) {
            length = std::max<std::size_t>(length, 1);
            for (std::size_t k = 0; k < length; ++k) {
                const auto byte = static_cast<unsigned char>(text[i + k]);
                shown.text += "\\x";
                shown.text += hex[byte >> 4];
                shown.text += hex[byte & 15];
            }
        } else {
            shown.text.append(text.substr(i, length));
        }
        const std::size_t pieceColumns = width < 0 ? 4 * length : static_cast<std::size_t>(width);
        pieces.push_back(Piece{from, shown.text.size() - from, pieceColumns});
        shown.columns += pieceColumns;
        i += length;
    }
    if (shown.columns <= columns || columns == 0)
        return shown;

    // The last pieces that fit behind the "~".
    std::size_t kept = 1;
    std::size_t first = pieces.size();
    while (first > 0 && kept + pieces[first - 1].columns <= columns) {
        kept += pieces[first - 1].columns;
        --first;
    }
    // Combining marks left in front would stand on the "~": they go with their character.
    while (first < pieces.size() && pieces[first].columns == 0)
        ++first;
    TerminalText cut;
    cut.text = "~";
    if (first < pieces.size())
        cut.text += shown.text.substr(pieces[first].from);
    cut.columns = 1;
    for (std::size_t p = first; p < pieces.size(); ++p)
        cut.columns += pieces[p].columns;
    return cut;
}

} // namespace qm::counter
