#pragma once

#include "core/LanguageEntry.h"

#include <cstddef>

// The entry points of the builds of the in-place reader of the counter's
// output, one per kernel of simdjson (CounterOutputReader.ipp says how they
// are built and kept apart). Each reads `size` bytes of `text`, of which
// `capacity` are readable, into `out` and returns true, or returns false
// when the text is anything but plain output, which the strict decoder then
// decides. When `doneWith` is given (and not empty) it is told of the parts
// of the text read, once the whole text is known to be taken (see
// decodeCounterOutput in LanguageEntry.h). A build may only run on a processor that has its instructions
// (decodingKernelRuns).
extern "C" {
bool qm_read_counter_output_fallback(const char* text, std::size_t size, std::size_t capacity,
                                     const qm::DoneWithText* doneWith, qm::LanguageList* out);
bool qm_read_counter_output_westmere(const char* text, std::size_t size, std::size_t capacity,
                                     const qm::DoneWithText* doneWith, qm::LanguageList* out);
bool qm_read_counter_output_haswell(const char* text, std::size_t size, std::size_t capacity,
                                    const qm::DoneWithText* doneWith, qm::LanguageList* out);
}
