#pragma once

#include "kit/base/Clock.h"
#include "kit/base/RunLoop.h"

#include <gtest/gtest.h>

// A test on the manual clock, starting at time 0 with nothing queued.
class ManualClockTest : public testing::Test {
protected:
    void SetUp() override
    {
        kit::discardPendingWork();
        kit::Clock::useManual(0);
    }
    void TearDown() override
    {
        kit::discardPendingWork();
        kit::Clock::useReal();
    }
};
