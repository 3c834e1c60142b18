#pragma once

#include "core/Output.h"
#include "kit/base/MainQueue.h"
#include "kit/base/RunLoop.h"
#include "tests/support/FakeCounter.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <thread>

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

    // Runs main-queue work as it comes until `done` (ten seconds at most),
    // without waiting for counts that are still running.
    static bool waitFor(const std::function<bool()>& done)
    {
        for (int i = 0; i < 2000; ++i) {
            kit::MainQueue::drain();
            if (done())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
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
