#include "app/lifecycle/CounterOutputPolicy.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(CounterOutputPolicy, TheOutputIsPrintedWhereSomeoneReadsIt)
{
    struct Case {
        const char* what;
        bool terminal;
        const char* askedFor;
        const char* quitAfterFirstCount;
        bool printed;
    };
    const Case cases[] = {
        {"a desktop's session log", false, nullptr, nullptr, false},
        {"a terminal", true, nullptr, nullptr, true},
        {"asked for", false, "1", nullptr, true},
        {"declined, even on a terminal", true, "0", nullptr, false},
        {"a timing run", false, nullptr, "1", true},
        {"a timing run that declines it", false, "0", "1", false},
        {"anything but 1 or 0 asks nothing", false, "yes", nullptr, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(printsCounterOutput(c.terminal, c.askedFor, c.quitAfterFirstCount), c.printed) << c.what;
}

} // namespace
} // namespace qm
