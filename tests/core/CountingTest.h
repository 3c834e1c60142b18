#pragma once

#include "core/Output.h"
#include "kit/base/RunLoop.h"
#include "tests/support/FakeCounter.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qmtest {

// Counts run the fake counter; the core's printed lines are captured.
class CountingTest : public testing::Test {
protected:
    void SetUp() override
    {
        kit::discardPendingWork();
        qm::setOutputStream(&printed);
    }
    void TearDown() override
    {
        kit::runUntilIdle();
        qm::setOutputStream(nullptr);
    }

    Args lines() const
    {
        Args result;
        std::istringstream in(printed.str());
        for (std::string line; std::getline(in, line);)
            result.push_back(line);
        return result;
    }

    FakeCounter counter;
    std::ostringstream printed;
};

} // namespace qmtest
