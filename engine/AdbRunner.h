// Runs adb.exe, found beside the program, as a hidden child process and captures what it
// prints on standard output and standard error together.
#pragma once

#include <windows.h>

#include <string>

// The path of adb.exe beside the program; computed on the first call, then kept.
std::wstring GetAdbPath();

// Runs one command line (its first, quoted token names the program) and waits at most
// timeoutMs (INFINITE for no limit). True when the process started, ended in time and did
// not end with exit code 0xFFFFFFFF; that code is retried once after 50 ms. On every
// false result the output is left empty.
//
// cancelEvent, when given, ends the wait early: the child is terminated and the result is
// false, without a retry. A child that is ended has gone when this returns (see
// EndChildProcess). The child inherits the pipe it writes to and no other handle.
//
// failedRunText, when given, receives what the last run printed when the result is false
// because it ended with 0xFFFFFFFF: adb ends so when it cannot reach the phone, and says why.
bool RunAdbCommand(const std::wstring& commandLine, std::wstring& output, DWORD timeoutMs,
                   HANDLE cancelEvent = nullptr, std::wstring* failedRunText = nullptr);

// Terminates a child and waits, at most about a second, for it to be gone. Termination
// only starts the end: until the process has gone, the files it has open stay open, and an
// abandoned install could not delete its copy. True when the process has ended.
bool EndChildProcess(HANDLE process);
