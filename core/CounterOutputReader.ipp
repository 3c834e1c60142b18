// The in-place reader of the counter's output, compiled once per kernel of
// simdjson: core/CMakeLists.txt builds this file with each kernel's
// instruction-set flags and QM_READER_ENTRY naming its entry point (declared
// in core/CounterOutputReader.h). simdjson compiles its On-Demand parser only
// for the one kernel the compiler flags allow (no -mavx2: the portable
// "fallback" one), so reading with the best kernel the processor has means
// building this reader once per kernel and choosing at run time
// (CounterOutputDecoding.cpp).
//
// Why these builds cannot leak into one another. Each is compiled with its
// own flags, so every function it emits may use that kernel's instructions:
// not only its own code, but also every inline function and template it
// instantiates from shared headers (std::string::assign, std::make_shared
// of a FileEntry, a shared_ptr's control block...). Left as they are, such
// instantiations are weak symbols that the linker merges with the same
// names from other files: it could keep the AVX2 copy of, say,
// std::vector<std::string>::_M_realloc_insert for the whole program, which
// then crashes on a processor without AVX2. So after compiling, each build is
// linked on its own into one object (ld -r --force-group-allocation), whose
// symbols are then all made local except its entry point (objcopy
// --keep-global-symbol): whatever the build defined is used by the build
// alone, and the rest of the program keeps its own plainly compiled copies.
// Its references to anything it does not define (the C++ library, simdjson's
// library, qm::freshId...) stay references to the one shared definition.
// Static data of the inline functions it instantiates (a local static, a
// template's static member) becomes its own as well; none of it is state the
// rest of the program relies on sharing. tests/core checks that each object
// defines no global symbol but its entry point.
// Nothing is defined here outside an anonymous namespace but the entry
// point, and nothing global is kept in one build that another could need:
// the types it creates (FileEntry, LanguageEntry, std::string) have the same
// layout whatever the flags, and records made by one build are used and
// released by plainly compiled code, through their own (local) virtual
// functions where they have any.
//
// The counter's output of a large tree is tens of megabytes. It is read in
// place, field by field, straight into the records, with no document tree
// in between. That reader only ever accepts plain, well-formed output; for
// anything else (a missing, null, mistyped or repeated key, a number that is
// not a plain integer, text that is not JSON...) it steps back and the strict
// decoder of kit/base decides, so the result and the error (kind, coding
// path, description) are always exactly the strict decoder's.
//
// Nearly all of the text is file records: the text is cut into them, and
// they are read on several threads, each on its own. A caller that wants the
// text's memory back as it is read is told of each part once it is read; the
// records are then all checked before any is made, so that a text that steps
// back is still whole for the strict decoder. The reader's parts:
//   reader/Fields.h       a record read field by field (and StepBack)
//   reader/RecordArena.h  the records' memory, in huge pages
//   reader/Splitter.h     the text cut at its file records, read on all cores
//                         (common/Threads.h) and joined again

#include "core/CounterOutputReader.h"
#include "core/reader/Fields.h"
#include "core/reader/Splitter.h"

#include <simdjson.h>

#include <optional>
#include <string_view>

#ifndef QM_READER_ENTRY
#error "QM_READER_ENTRY names the entry point of this build of the reader (see core/CMakeLists.txt)"
#endif

namespace qm {

static_assert(counterOutputPadding >= simdjson::SIMDJSON_PADDING);

namespace {

// A text without a single file record is small, or unusual: the whole of it
// is read as one document.
std::optional<LanguageList> readWhole(simdjson::padded_string_view view)
{
    od::parser parser;
    od::document document = take(parser.iterate(view));
    LanguageList languages;
    for (auto element : take(document.get_array()))
        languages.push_back(readRecord<LanguageEntry>(take(std::move(element))));
    // Past the array there may be nothing but whitespace.
    if (document.current_location().error() != simdjson::OUT_OF_BOUNDS)
        return std::nullopt;
    return languages;
}

std::optional<LanguageList> readInPlace(std::string_view text, std::size_t capacity, const DoneWithText* doneWith)
{
    simdjson::padded_string copy;
    if (capacity < text.size() + simdjson::SIMDJSON_PADDING) {
        doneWith = nullptr; // the copy is this reader's own
        copy = simdjson::padded_string(text);
        text = std::string_view(copy.data(), copy.size());
        capacity = copy.size() + simdjson::SIMDJSON_PADDING;
    }
    try {
        if (text.find(kFileStart) == std::string_view::npos)
            return readWhole(simdjson::padded_string_view(text.data(), text.size(), capacity));
        return Pieces(text, capacity, doneWith).read();
    } catch (const StepBack&) {
        return std::nullopt;
    }
}

} // namespace

} // namespace qm

bool QM_READER_ENTRY(const char* text, std::size_t size, std::size_t capacity, const qm::DoneWithText* doneWith,
                     qm::LanguageList* out)
{
    auto languages = qm::readInPlace(std::string_view(text, size), capacity, doneWith);
    if (!languages)
        return false;
    *out = std::move(*languages);
    return true;
}
