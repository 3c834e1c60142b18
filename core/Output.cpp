#include "core/Output.h"

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
    std::lock_guard lock(outputMutex());
    std::ostream& out = output ? *output : std::cout;
    out << prefix << text << '\n';
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
