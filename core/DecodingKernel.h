#pragma once

#include "core/LanguageEntry.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace qm {

// The builds of the in-place reader of the counter's output, one per kernel
// of its JSON parser (simdjson), plainest first: the portable one, SSE4.2
// with carry-less multiplication, and AVX2 with BMI, LZCNT and carry-less
// multiplication.
enum class DecodingKernel { fallback, westmere, haswell };

// simdjson's name of the kernel.
const char* decodingKernelName(DecodingKernel kernel);

// Whether this processor (and its operating system) can run the kernel.
bool decodingKernelRuns(DecodingKernel kernel);

// The kernels this processor can run, plainest first.
std::vector<DecodingKernel> runnableDecodingKernels();

// The kernel decodeCounterOutput reads with: the best one the processor can run.
DecodingKernel bestDecodingKernel();

// decodeCounterOutput (LanguageEntry.h) reading with the given kernel rather
// than the best one; the same rules and the same outcome. Throws
// std::invalid_argument for a kernel the processor cannot run.
LanguageList decodeCounterOutput(std::string_view text, std::size_t capacity, DecodingKernel kernel,
                                 const DoneWithText& doneWith = {});

} // namespace qm
