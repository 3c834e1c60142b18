#include "core/CounterOutputReader.h"
#include "core/DecodingKernel.h"
#include "kit/base/Json.h"

#include <cpuid.h>

#include <stdexcept>

namespace qm {

namespace {

// LZCNT, which __builtin_cpu_supports does not know everywhere: CPUID leaf
// 0x80000001, ECX bit 5.
bool hasLzcnt()
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    return __get_cpuid(0x80000001, &eax, &ebx, &ecx, &edx) && (ecx & (1u << 5)) != 0;
}

// Every instruction-set extension the kernel's compiler flags turn on
// (core/CMakeLists.txt): -msse4.2 -mpclmul brings SSE3 to SSE4.2 and
// POPCNT; -mavx2 -mbmi -mpclmul -mlzcnt adds AVX and AVX2 (the check of AVX
// includes the operating system's saving of the AVX registers), BMI and LZCNT.
bool runs(DecodingKernel kernel)
{
    __builtin_cpu_init();
    const bool westmere = __builtin_cpu_supports("sse3") && __builtin_cpu_supports("ssse3") &&
                          __builtin_cpu_supports("sse4.1") && __builtin_cpu_supports("sse4.2") &&
                          __builtin_cpu_supports("popcnt") && __builtin_cpu_supports("pclmul");
    switch (kernel) {
    case DecodingKernel::fallback:
        return true;
    case DecodingKernel::westmere:
        return westmere;
    case DecodingKernel::haswell:
        return westmere && __builtin_cpu_supports("avx") && __builtin_cpu_supports("avx2") &&
               __builtin_cpu_supports("bmi") && hasLzcnt();
    }
    return false;
}

using Reader = bool (*)(const char*, std::size_t, std::size_t, const DoneWithText*, LanguageList*);

Reader readerOf(DecodingKernel kernel)
{
    switch (kernel) {
    case DecodingKernel::westmere:
        return qm_read_counter_output_westmere;
    case DecodingKernel::haswell:
        return qm_read_counter_output_haswell;
    case DecodingKernel::fallback:
        break;
    }
    return qm_read_counter_output_fallback;
}

LanguageList decodeWith(Reader read, std::string_view text, std::size_t capacity, const DoneWithText& doneWith)
{
    LanguageList languages;
    if (read(text.data(), text.size(), capacity, doneWith ? &doneWith : nullptr, &languages))
        return languages;
    return kit::decodeJson<LanguageList>(text);
}

} // namespace

const char* decodingKernelName(DecodingKernel kernel)
{
    switch (kernel) {
    case DecodingKernel::westmere:
        return "westmere";
    case DecodingKernel::haswell:
        return "haswell";
    case DecodingKernel::fallback:
        break;
    }
    return "fallback";
}

bool decodingKernelRuns(DecodingKernel kernel)
{
    static const bool runnable[] = {runs(DecodingKernel::fallback), runs(DecodingKernel::westmere),
                                    runs(DecodingKernel::haswell)};
    return runnable[static_cast<int>(kernel)];
}

std::vector<DecodingKernel> runnableDecodingKernels()
{
    std::vector<DecodingKernel> kernels;
    for (DecodingKernel kernel : {DecodingKernel::fallback, DecodingKernel::westmere, DecodingKernel::haswell})
        if (decodingKernelRuns(kernel))
            kernels.push_back(kernel);
    return kernels;
}

DecodingKernel bestDecodingKernel()
{
    static const DecodingKernel best = runnableDecodingKernels().back();
    return best;
}

LanguageList decodeCounterOutput(std::string_view text, std::size_t capacity, DecodingKernel kernel,
                                 const DoneWithText& doneWith)
{
    if (!decodingKernelRuns(kernel))
        throw std::invalid_argument(std::string("this processor cannot run the ") + decodingKernelName(kernel) +
                                    " kernel");
    return decodeWith(readerOf(kernel), text, capacity, doneWith);
}

LanguageList decodeCounterOutput(std::string_view text, std::size_t capacity, const DoneWithText& doneWith)
{
    static const Reader best = readerOf(bestDecodingKernel());
    return decodeWith(best, text, capacity, doneWith);
}

LanguageList decodeCounterOutput(std::string_view text, std::size_t capacity)
{
    return decodeCounterOutput(text, capacity, DoneWithText{});
}

} // namespace qm
