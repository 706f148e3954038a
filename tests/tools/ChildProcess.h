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
