#include "ChildWait.h"

ChildWaitOutcome ClassifyChildWait(std::uint32_t result, std::uint32_t readIndex, bool pipeOpen)
{
    constexpr std::uint32_t kFirstObject = 0;  // WAIT_OBJECT_0
    if (result == kFirstObject) return ChildWaitOutcome::ChildEnded;
    // Without a read event no index may stand for it: a failed wait (0xFFFFFFFF) must not
    // pass for one, or the runner would wait again and again on a pipe that has ended.
    if (pipeOpen && result == kFirstObject + readIndex) return ChildWaitOutcome::OutputReady;
    return ChildWaitOutcome::Stop;
}
