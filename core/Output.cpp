#include "core/Output.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <iostream>
#include <mutex>

namespace qm {

namespace {

std::ostream* output = nullptr;
std::atomic<bool> counterOutput{true};

std::mutex& outputMutex()
{
    static auto* mutex = new std::mutex; // never destroyed: worker threads may print during exit
    return *mutex;
}

} // namespace

void printLine(std::string_view line)
{
    printLine(line, {});
}

void printLine(std::string_view prefix, std::string_view text)
{
    printLine(prefix, text, {});
}

void printLine(std::string_view prefix, std::string_view text, const std::function<void(std::size_t)>& printed)
{
    constexpr std::size_t part = std::size_t{1} << 20;
    std::lock_guard lock(outputMutex());
    std::ostream& out = output ? *output : std::cout;
    out << prefix;
    // A stream copies what it is given or writes it out before it returns.
    for (std::size_t done = 0; done < text.size();) {
        const std::size_t n = std::min(part, text.size() - done);
        out.write(text.data() + done, static_cast<std::streamsize>(n));
        done += n;
        if (printed)
            printed(done);
    }
    out << '\n';
    out.flush();
}

void setOutputStream(std::ostream* stream)
{
    std::lock_guard lock(outputMutex());
    output = stream;
}

void setCounterOutputPrinted(bool printed)
{
    counterOutput = printed;
}

bool counterOutputPrinted()
{
    return counterOutput;
}

void fatalError(std::string_view message)
{
    std::cerr << "Fatal error: " << message << std::endl;
    std::abort();
}

} // namespace qm
