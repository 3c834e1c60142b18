// The line counter on any bytes, in any language: the first byte of the input picks the
// language and the second the sizes of the pieces it is read in; the rest is the file.
// Besides the sanitizers' checks, every input must keep three promises:
//   code + comment + blank == lines;
//   lines == the file's line ends, plus one for a last line without one;
//   the figures do not depend on where the reads of the file end.

#include "counter/lang/Language.h"
#include "counter/lex/LineCounter.h"
#include "tests/counter/Pieces.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string_view>
#include <vector>

namespace {

using namespace qm::counter;

const std::vector<Syntax>& syntaxes()
{
    static const std::vector<Syntax> all = [] {
        std::vector<Syntax> s;
        for (const auto& l : languages())
            s.emplace_back(l);
        return s;
    }();
    return all;
}

// The lines a file has, as any editor shows them; a byte-order mark alone is no line.
std::uint64_t linesOf(std::string_view text)
{
    std::uint64_t lines = 0;
    for (const char c : text)
        lines += c == '\n';
    std::string_view last = text.substr(text.rfind('\n') == std::string_view::npos ? 0 : text.rfind('\n') + 1);
    if (last.data() == text.data() && last.starts_with("\xEF\xBB\xBF"))
        last.remove_prefix(3);
    return lines + (last.empty() ? 0 : 1);
}

void fail(const char* promise, const Syntax& syntax, const Counts& c)
{
    std::fprintf(stderr, "%s broken (%s): lines %llu code %llu comment %llu blank %llu\n", promise,
                 syntax.language.name.c_str(), static_cast<unsigned long long>(c.lines),
                 static_cast<unsigned long long>(c.code), static_cast<unsigned long long>(c.comment),
                 static_cast<unsigned long long>(c.blank));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const Syntax& syntax = syntaxes()[data[0] % syntaxes().size()];
    std::minstd_rand steps(data[1]);
    const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

    const Counts whole = LineCounter::count(syntax, text);
    if (whole.code + whole.comment + whole.blank != whole.lines)
        fail("code + comment + blank == lines", syntax, whole);
    if (whole.lines != linesOf(text))
        fail("lines == line ends (+1 for an unended last line)", syntax, whole);
    // Pieces of 1 to 300 new bytes: reads ending anywhere, also right after the lookahead.
    const Counts pieces = qm::counter::test::countInPieces(syntax, text, [&steps] { return 1 + steps() % 300; });
    if (!(pieces == whole))
        fail("the same figures whatever pieces the file comes in", syntax, pieces);
    return 0;
}
