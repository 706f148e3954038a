#include "CompanionManager.h"

#include <shellapi.h>

#include "CompanionCommand.h"
#include "ProgramDir.h"
#include "ScopedHandle.h"

namespace {

// Asks the first top-level window, in the system's order, that carries the property.
int AskCompanionWindow()
{
    for (HWND window = ::GetWindow(::GetDesktopWindow(), GW_CHILD); ::IsWindow(window);
         window = ::GetWindow(window, GW_HWNDNEXT)) {
        if (!::GetPropW(window, kCompanionSharedName)) continue;
        DWORD_PTR reply = 0;
        if (!::SendMessageTimeoutW(window, WM_COMPANION_QUERY, 0, 0, SMTO_BLOCK, kCompanionQueryTimeoutMs, &reply)) {
            return kCompanionNoAnswer;
        }
        return int(reply);
    }
    return kCompanionNotFound;
}

// ShellExecuteW's result above 32 means the program was started; 32 or less is an error.
bool StartCompanion(const std::wstring& parameters, int showCommand)
{
    const std::wstring program = GetProgramDirPath(kCompanionExecutable);
    if (program.empty()) return false;  // a bare name would be searched for along the PATH
    const HINSTANCE started = ::ShellExecuteW(nullptr, L"open", program.c_str(), parameters.c_str(), nullptr, showCommand);
    return reinterpret_cast<INT_PTR>(started) > 32;
}

}  // namespace

int QueryCompanionManager()
{
    CScopedKernelHandle mutex(::CreateMutexW(nullptr, FALSE, kCompanionSharedName));
    const bool existed = ::GetLastError() == ERROR_ALREADY_EXISTS;
    return existed ? AskCompanionWindow() : kCompanionNotFound;
}

bool HandOverToCompanion(const std::wstring& packagePath)
{
    return StartCompanion(CompanionHandOverParameters(packagePath), SW_SHOW);
}

bool IsCompanionBeside()
{
    const std::wstring program = GetProgramDirPath(kCompanionExecutable);
    return !program.empty() && IsFile(program);
}

// Nothing to tell the user when it fails: the button simply does nothing.
void LaunchCompanionInstaller() { StartCompanion(kCompanionInstallerSwitch, SW_SHOWNORMAL); }
