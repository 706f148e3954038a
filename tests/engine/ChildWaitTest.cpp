#include <gtest/gtest.h>

#include "ChildWait.h"

namespace {

constexpr std::uint32_t kFailed = 0xFFFFFFFF;  // WAIT_FAILED
constexpr std::uint32_t kTimeout = 0x102;      // WAIT_TIMEOUT

}  // namespace

TEST(ClassifyChildWait, WhileThePipeIsOpen)
{
    // process, cancel event, read event
    EXPECT_EQ(ChildWaitOutcome::ChildEnded, ClassifyChildWait(0, 2, true));
    EXPECT_EQ(ChildWaitOutcome::Stop, ClassifyChildWait(1, 2, true)) << "cancelled";
    EXPECT_EQ(ChildWaitOutcome::OutputReady, ClassifyChildWait(2, 2, true));
    EXPECT_EQ(ChildWaitOutcome::Stop, ClassifyChildWait(kTimeout, 2, true));
    EXPECT_EQ(ChildWaitOutcome::Stop, ClassifyChildWait(kFailed, 2, true));
    // process, read event
    EXPECT_EQ(ChildWaitOutcome::OutputReady, ClassifyChildWait(1, 1, true));
}

TEST(ClassifyChildWait, FailedWaitAfterThePipeEndedStopsTheRun)
{
    for (std::uint32_t readIndex : {1u, 2u, 0xFFFFFFFFu}) {
        EXPECT_EQ(ChildWaitOutcome::Stop, ClassifyChildWait(kFailed, readIndex, false)) << readIndex;
        EXPECT_EQ(ChildWaitOutcome::Stop, ClassifyChildWait(kTimeout, readIndex, false)) << readIndex;
        EXPECT_EQ(ChildWaitOutcome::ChildEnded, ClassifyChildWait(0, readIndex, false)) << readIndex;
    }
    EXPECT_EQ(ChildWaitOutcome::Stop, ClassifyChildWait(1, 1, false)) << "no read event any more";
}
