// What the installer and the companion application manager agree on: the shared name of
// the manager's mutex and window property, its executable, and how it is started.
#pragma once

#include <string>

// The name of the manager's mutex and of the window property that marks its window.
inline constexpr wchar_t kCompanionSharedName[] = L"Corvale Vexo application manager";

// Beside the installer's own program.
inline constexpr wchar_t kCompanionExecutable[] = L"Helmsway.exe";

// Opens the manager's own installer.
inline constexpr wchar_t kCompanionInstallerSwitch[] = L"-apkinstaller";

// The manager takes the package over when it answers the query with this.
inline constexpr int kCompanionTakesOver = 4;
// QueryCompanionManager's results besides the manager's own answers.
inline constexpr int kCompanionNotFound = 1;
inline constexpr int kCompanionNoAnswer = 100;

// The parameters that hand a package over: the path itself, in double quotes when it holds
// a blank. Other white space does not cause quoting.
std::wstring CompanionHandOverParameters(const std::wstring& packagePath);
