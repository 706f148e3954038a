// What one wait of the adb runner means. The runner waits at once for the child's process
// (the first handle), the caller's cancel event, and, while the pipe is open, the pipe's
// read event (the last handle). Pure code over the wait's result.
#pragma once

#include <cstdint>

enum class ChildWaitOutcome {
    ChildEnded,   // the process handle was signalled
    OutputReady,  // a read from the pipe has finished
    Stop,         // time-out, cancellation or a failed wait: the run ends here
};

// result is what WaitForMultipleObjects returned; readIndex the read event's index, which
// only counts while pipeOpen.
ChildWaitOutcome ClassifyChildWait(std::uint32_t result, std::uint32_t readIndex, bool pipeOpen);
