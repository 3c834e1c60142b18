// The two decoders of the counter's output on any text: the fast one that reads in place
// (and the same one copying the text first), as chosen for this processor and with each
// kernel the processor runs, must give what the strict decoder gives, the same records or
// the same error (kind, coding path and description), and nothing else. A number that does
// not fit is named as the text wrote it.

#include "core/DecodingKernel.h"
#include "core/LanguageEntry.h"
#include "kit/base/Json.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// A decode's outcome in comparable form: the records as JSON (fresh identities left out),
// or the error.
struct Outcome {
    std::optional<std::string> records;
    std::string error;

    bool operator==(const Outcome&) const = default;
};

template <class Decode>
Outcome outcomeOf(Decode&& decode)
{
    Outcome outcome;
    try {
        const qm::LanguageList list = decode();
        nlohmann::ordered_json json = nlohmann::ordered_json::array();
        for (const auto& language : list)
            json.push_back(language->toJson());
        outcome.records = json.dump();
    } catch (const kit::DecodingError& e) {
        outcome.error = std::to_string(static_cast<int>(e.kind())) + " at " + e.codingPath() + ": " +
                        e.debugDescription();
    }
    return outcome;
}

void expectSame(const char* which, const Outcome& strict, const Outcome& fast)
{
    if (strict == fast)
        return;
    std::fprintf(stderr, "%s differs from the strict decoder\nstrict: %s\n%s: %s\n", which,
                 strict.records ? strict.records->c_str() : strict.error.c_str(), which,
                 fast.records ? fast.records->c_str() : fast.error.c_str());
    std::abort();
}

// "Parsed JSON number <n> does not fit in Int64.": n is a number of the text, as written.
void expectNamedAsWritten(const Outcome& outcome, std::string_view text)
{
    static constexpr std::string_view before = "Parsed JSON number <", after = "> does not fit in Int64.";
    const std::size_t start = outcome.error.find(before);
    const std::size_t end = outcome.error.rfind(after);
    if (start == std::string::npos || end == std::string::npos || end < start + before.size())
        return;
    const std::string number = outcome.error.substr(start + before.size(), end - start - before.size());
    if (text.find(number) != std::string_view::npos)
        return;
    std::fprintf(stderr, "the error names a number the text does not hold: %s\n", outcome.error.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Outcome strict = outcomeOf([text] { return kit::decodeJson<qm::LanguageList>(text); });
    expectNamedAsWritten(strict, text);

    // In place: the padding after the text is readable (and not zero, to catch reads that rely on it).
    std::vector<char> padded(size + qm::counterOutputPadding, '\x7f');
    std::memcpy(padded.data(), data, size);
    const std::string_view inPlace(padded.data(), size);
    expectSame("in place", strict, outcomeOf([&] { return qm::decodeCounterOutput(inPlace, padded.size()); }));
    expectSame("copied", strict, outcomeOf([text] { return qm::decodeCounterOutput(text); }));
    // Giving the text up as it is read: every record checked first, then read
    // again, each part wiped as soon as the reader is done with it.
    std::vector<char> wiped = padded;
    const qm::DoneWithText wipe = [&wiped](std::size_t offset, std::size_t length) {
        std::memset(wiped.data() + offset, 0, length);
    };
    expectSame("in place, giving back", strict, outcomeOf([&] {
                   return qm::decodeCounterOutput(std::string_view(wiped.data(), size), wiped.size(), wipe);
               }));
    static const std::vector<qm::DecodingKernel> kernels = qm::runnableDecodingKernels();
    for (qm::DecodingKernel kernel : kernels) {
        const std::string name = qm::decodingKernelName(kernel);
        expectSame((name + " in place").c_str(), strict,
                   outcomeOf([&] { return qm::decodeCounterOutput(inPlace, padded.size(), kernel); }));
        expectSame((name + " copied").c_str(), strict,
                   outcomeOf([&] { return qm::decodeCounterOutput(text, 0, kernel); }));
    }
    return 0;
}
