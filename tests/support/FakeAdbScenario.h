// Drives the stand-in adb.exe that sits beside every Windows test program: writes its
// scenario into a private directory (FAKEADB_DIR, inherited by the stand-in) and reads
// back the command lines it was started with.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "TempDirectory.h"

class CFakeAdbScenario {
public:
    CFakeAdbScenario();
    // Ends any stand-in process of this scenario that still runs.
    ~CFakeAdbScenario();
    CFakeAdbScenario(const CFakeAdbScenario&) = delete;
    CFakeAdbScenario& operator=(const CFakeAdbScenario&) = delete;

    // One key of one section (a command kind such as "devices", or "install_r@SERIAL").
    void Set(const std::wstring& section, const std::wstring& key, const std::wstring& value);

    // Prints exactly these bytes for the command kind.
    void SetOutputBytes(const std::wstring& section, const std::string& bytes);

    // Plays a real capture from the test data for every command kind: its output and its
    // exit code. Captures were made on Linux, where adb's exit(-1) reads 255; on Windows
    // the same exit is 0xFFFFFFFF, so 255 is played as that. A capture that was killed
    // for hanging becomes a run that sleeps for a minute and prints nothing.
    void PlayCapture(const std::string& situation);
    // The same for one command kind only, e.g. ("no_server_install_first", "install_r").
    void PlayCapture(const std::string& situation, const std::string& kind);

    // The phones that `devices` lists, as serial and state text ("device", "offline",
    // "unauthorized", ...), in order, with CR LF line ends as adb prints them on Windows.
    // notes are printed before the header, as adb's server notes are.
    void SetDevices(const std::vector<std::pair<std::wstring, std::wstring>>& phones,
                    const std::string& notes = std::string());

    // The command lines the stand-in was started with, in order.
    std::vector<std::wstring> RecordedCommands() const;

    // What each install found at the path it was given, when it started.
    struct InstalledPackage {
        bool exists = false;
        unsigned long long size = 0;
        std::string sha256;  // lower-case hex
        std::wstring path;
    };
    std::vector<InstalledPackage> RecordedPackages() const;

    // Every stand-in process started for this scenario: each adb run and each server that
    // one started.
    struct Process {
        unsigned long id = 0;
        unsigned long long startTime = 0;  // FILETIME count; tells a reused id apart
        std::wstring role;                 // "adb" or "server"
    };
    std::vector<Process> RecordedProcesses() const;

    // Whether every recorded process of the role has ended, waiting at most withinMs.
    bool ProcessesEnd(const std::wstring& role, unsigned long withinMs) const;

    const CTempDirectory& Dir() const { return m_dir; }

private:
    CTempDirectory m_dir{L"fakeadb"};
    std::wstring m_file;
    int m_outputs = 0;
};
