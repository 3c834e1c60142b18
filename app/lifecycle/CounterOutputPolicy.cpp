#include "app/lifecycle/CounterOutputPolicy.h"

#include <cstdlib>
#include <string_view>
#include <unistd.h>

namespace qm {

bool printsCounterOutput(bool standardOutputIsTerminal, const char* askedFor, const char* quitAfterFirstCount)
{
    if (askedFor && std::string_view(askedFor) == "1")
        return true;
    if (askedFor && std::string_view(askedFor) == "0")
        return false;
    return standardOutputIsTerminal || quitAfterFirstCount != nullptr;
}

bool printsCounterOutput()
{
    return printsCounterOutput(::isatty(STDOUT_FILENO) == 1, std::getenv("QUILLMARROW_PRINT_COUNTER_OUTPUT"),
                               std::getenv("QUILLMARROW_QUIT_AFTER_FIRST_COUNT"));
}

} // namespace qm
