// Decoding the counter's output of a large tree into records: the in-place
// reader (with the kernel chosen for this processor, then with each kernel the
// processor runs) against the strict document decoder it steps back to. The output
// is made up to look like the Linux kernel's (74,000 files in 60 languages,
// about 27 MB); BENCH_COUNTER_OUTPUT=<file> decodes a real one instead.
// inPlaceGivingBack reads as the application does, giving the text back as it
// goes (checking every record before making any).

#include "core/DecodingKernel.h"
#include "core/ImpossibleFigures.h"
#include "core/LanguageEntry.h"
#include "kit/base/Json.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string madeUpOutput()
{
    constexpr int languages = 60, files = 74000;
    std::string text = "[";
    for (int l = 0; l < languages; ++l) {
        const std::string name = "Language " + std::to_string(l);
        text +=
            (l ? "," : "") + std::string(R"({"Name":")") + name +
            R"(","Bytes":123456789,"CodeBytes":98765432,"Lines":4567890,"Code":3456789,"Comment":456789,"Blank":345678,)"
            R"("Complexity":234567,"Count":1233,"WeightedComplexity":0,"Files":[)";
        for (int f = 0; f < files / languages; ++f) {
            const std::string file = "file_" + std::to_string(f) + ".c";
            text +=
                (f ? "," : "") + std::string(R"({"Language":")") + name + R"(","PossibleLanguages":[")" + name +
                R"("],"Filename":")" + file +
                R"(","Extension":"c","Location":"/usr/src/linux-source-6.1/drivers/net/ethernet/)" + file +
                R"(","Symlocation":"","Bytes":34567,"Lines":1234,"Code":987,"Comment":123,"Blank":124,)"
                R"("Complexity":87,"WeightedComplexity":0,"Binary":false,"Minified":false,"Generated":false,"EndPoint":0})";
        }
        text += "]}";
    }
    return text + "]";
}

const std::string& output()
{
    static const std::string text = [] {
        if (const char* file = std::getenv("BENCH_COUNTER_OUTPUT")) {
            std::ifstream in(file, std::ios::binary);
            std::ostringstream all;
            all << in.rdbuf();
            return all.str();
        }
        return madeUpOutput();
    }();
    return text;
}

// The output with room after it to be read in place.
std::string paddedOutput()
{
    std::string text = output();
    text.reserve(text.size() + qm::counterOutputPadding);
    return text;
}

void inPlace(benchmark::State& state)
{
    std::string text = paddedOutput();
    for (auto _ : state)
        benchmark::DoNotOptimize(qm::decodeCounterOutput(text, text.capacity()));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(inPlace)->Unit(benchmark::kMillisecond);

// The same, told of the text it is done with, as the application is to give
// its memory back: every record is checked before any is made.
void inPlaceGivingBack(benchmark::State& state)
{
    std::string text = paddedOutput();
    std::size_t given = 0;
    const qm::DoneWithText doneWith = [&given](std::size_t, std::size_t length) { given += length; };
    for (auto _ : state)
        benchmark::DoNotOptimize(qm::decodeCounterOutput(text, text.capacity(), doneWith));
    benchmark::DoNotOptimize(given);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(inPlaceGivingBack)->Unit(benchmark::kMillisecond);

void inPlaceWith(benchmark::State& state, qm::DecodingKernel kernel)
{
    std::string text = paddedOutput();
    for (auto _ : state)
        benchmark::DoNotOptimize(qm::decodeCounterOutput(text, text.capacity(), kernel));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}

const bool kernelsRegistered = [] {
    for (qm::DecodingKernel kernel : qm::runnableDecodingKernels())
        benchmark::RegisterBenchmark((std::string("inPlace/") + qm::decodingKernelName(kernel)).c_str(), inPlaceWith,
                                     kernel)
            ->Unit(benchmark::kMillisecond);
    return true;
}();

void strictDocument(benchmark::State& state)
{
    const std::string& text = output();
    for (auto _ : state)
        benchmark::DoNotOptimize(kit::decodeJson<qm::LanguageList>(text));
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(text.size()));
}
BENCHMARK(strictDocument)->Unit(benchmark::kMillisecond);

// The check of the decoded figures a count makes before it shows them.
void figuresChecked(benchmark::State& state)
{
    std::string text = paddedOutput();
    const qm::LanguageList languages = qm::decodeCounterOutput(text, text.capacity());
    for (auto _ : state)
        benchmark::DoNotOptimize(qm::impossibleFigures(languages));
}
BENCHMARK(figuresChecked)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
