// File names as the table output shows them: one line each, whatever bytes they hold, and
// cut to their column between characters, never inside one.

#include "counter/report/TerminalText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace qm::counter;

TEST(TerminalText, EscapesWhatCannotBeShownAndCutsBetweenCharacters)
{
    struct Case {
        std::string text;
        std::size_t columns;
        std::string shown;
        std::size_t shownColumns;
        const char* why;
    };
    const std::string cjk = "\xE6\xBC\xA2"; // 漢, two columns
    const std::string ji = "\xE5\xAD\x97";  // 字, two columns
    std::string wide = "./";
    for (int i = 0; i < 6; ++i)
        wide += cjk + ji;
    wide += ".c";
    const std::vector<Case> cases{
        {"./plain.c", 22, "./plain.c", 9, "plain text stands as it is"},
        {"./new\nline.c", 22, "./new\\x0aline.c", 15, "a line end"},
        {"./esc\x1b[1m.c", 22, "./esc\\x1b[1m.c", 14, "an escape that would start a terminal sequence"},
        {"./del\x7f.c", 22, "./del\\x7f.c", 11, "DEL"},
        {"./tab\t.c", 22, "./tab\\x09.c", 11, "a tab"},
        {"./bad\xff.c", 22, "./bad\\xff.c", 11, "a byte that is not UTF-8"},
        {"./c1\xC2\x9B.c", 22, "./c1\\xc2\\x9b.c", 14, "a C1 control (CSI), both its bytes"},
        {"./\xE2\x80\xAEgnp.c", 22, "./\\xe2\\x80\\xaegnp.c", 19, "a right-to-left override"},
        {"./\xE2\x80\xA8x", 22, "./\\xe2\\x80\\xa8x", 15, "a line separator"},
        {"./a\xC3", 22, "./a\\xc3", 7, "a sequence cut short at the end"},
        {"./\xC0\xAF", 22, "./\\xc0\\xaf", 10, "an overlong form, byte by byte"},
        {"./\xED\xA0\x80", 22, "./\\xed\\xa0\\x80", 14, "a surrogate"},
        {"./caf\xC3\xA9.c", 22, "./caf\xC3\xA9.c", 8, "a letter of two bytes takes one column"},
        {"./src/some/deep/folder/file_name.c", 22, "~ep/folder/file_name.c", 22, "a long path keeps its end"},
        {"./" + std::string(20, 'x'), 22, "./" + std::string(20, 'x'), 22, "a name that just fits"},
        {wide, 22, "~" + ji + cjk + ji + cjk + ji + cjk + ji + cjk + ji + ".c", 21,
         "wide characters take two columns and are never split"},
        {"./" + std::string(10, '\n') + "x.c", 22, "~\\x0a\\x0a\\x0a\\x0ax.c", 20, "escapes are never split"},
        {"aaae\xCC\x81"
         "b.c",
         4, "~b.c", 4, "a combining mark does not stand alone after the cut"},
        {"aaae\xCC\x81"
         "b.c",
         5,
         "~e\xCC\x81"
         "b.c",
         5, "nor is it parted from its letter"},
    };
    for (const auto& c : cases) {
        const TerminalText shown = terminalText(c.text, c.columns);
        EXPECT_EQ(shown.text, c.shown) << c.why;
        EXPECT_EQ(shown.columns, c.shownColumns) << c.why;
    }
}
