// Reads what the stand-in Helmsway.exe beside the test program recorded: the command
// lines it was started with. Each instance gives the stand-in a private record
// (FAKEHELMSWAY_DIR, inherited by whatever starts it).
#pragma once

#include <string>
#include <vector>

#include "TempDirectory.h"

class CFakeHelmsway {
public:
    CFakeHelmsway();
    ~CFakeHelmsway();
    CFakeHelmsway(const CFakeHelmsway&) = delete;
    CFakeHelmsway& operator=(const CFakeHelmsway&) = delete;

    // The command lines recorded so far.
    std::vector<std::wstring> Launches() const;

    // Waits until at least count launches were recorded (a shell launch does not wait
    // for the program), at most timeoutMs; returns what was recorded.
    std::vector<std::wstring> WaitForLaunches(std::size_t count, unsigned timeoutMs = 10000) const;

    // The text after the program's own name and the blank that follows it.
    static std::wstring Parameters(const std::wstring& commandLine);

private:
    CTempDirectory m_dir{L"helmsway"};
};
