#include "core/Output.h"

#include <cstdlib>
#include <iostream>

namespace qm {

namespace {
std::ostream* output = nullptr;
}

void printLine(std::string_view line)
{
    std::ostream& out = output ? *output : std::cout;
    out << line << '\n';
    out.flush();
}

void setOutputStream(std::ostream* stream)
{
    output = stream;
}

void fatalError(std::string_view message)
{
    std::cerr << "Fatal error: " << message << std::endl;
    std::abort();
}

} // namespace qm
