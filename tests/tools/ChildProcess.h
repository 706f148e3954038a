// Runs a console program to its end and keeps what it printed.
#pragma once

#include <windows.h>

#include <string>

struct ChildRun {
    bool started = false;
    DWORD exitCode = 0;
    std::string out;  // standard output, bytes as printed
    std::string err;  // standard error
};

// commandLine holds the program, quoted, and its arguments; currentDir may be empty.
ChildRun RunChild(const std::wstring& commandLine, const std::wstring& currentDir = std::wstring(),
                  DWORD timeoutMs = 60000);

struct CapturedRun {
    bool started = false;
    DWORD exitCode = 0;
    std::string out;          // standard output and error, bytes as printed
    bool endOfOutput = false; // every writer of the pipe had closed it within the limit
    ULONGLONG msAfterExit = 0; // from the program's exit to the end of its output
};

// Runs a console program as a script that captures its output does: one pipe for standard
// output and error, read until its end, at most limitMs in all.
CapturedRun CaptureUntilEndOfOutput(const std::wstring& commandLine, DWORD limitMs);
