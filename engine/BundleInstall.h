// Installs a bundle of split packages on a ready phone. It asks the phone for its ABIs,
// screen density, language and SDK level, chooses the packages that phone needs, copies
// each out of the bundle into its own numeric temporary file (so that adb's command line
// never holds the user's path), installs them as one app with `install-multiple -r`, then
// pushes each expansion file to the phone's Android/obb/<package>/ and checks its size.
// Every temporary file is deleted before Install returns, whatever happened.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "BundleContents.h"
#include "FileSource.h"
#include "SplitChoice.h"
#include "ZipArchive.h"

class CBundleInstall {
public:
    // A step begins: WM_INSTALL_PROGRESS's wParam and lParam.
    using Progress = std::function<void(WPARAM step, LPARAM detail)>;

    CBundleInstall(std::wstring serial, std::wstring adbPath, HANDLE cancelEvent, Progress progress);

    // Opens the file and tells whether it is a bundle, by what it holds, not by its name.
    // False for a package or anything that is not a ZIP archive.
    bool Open(const std::wstring& path);

    // For an opened bundle. sdParam as for a package: 0 when the SD card was asked for and
    // the phone is older than SDK level 8. False with error set to the user's message, or
    // with error empty when cancelled.
    bool Install(bool installToSd, LPARAM& sdParam, std::wstring& error);

private:
    std::wstring Ask(const wchar_t* commandTemplate, bool* ran = nullptr) const;
    std::string AskText(const wchar_t* commandTemplate) const;
    PhoneTraits ReadPhone() const;
    bool Cancelled() const;
    // Copies one entry into a new numeric temporary file with that extension.
    bool CopyOut(const std::string& entryName, const wchar_t* extension, std::wstring& path) const;
    bool InstallParts(const std::vector<std::wstring>& paths, bool toSd, std::wstring& error) const;
    bool PushExpansions(std::wstring& error) const;
    std::string PackageName() const;

    const std::wstring m_strSerial;
    const std::wstring m_strAdbPath;
    const HANDLE m_hCancel;
    const Progress m_progress;
    mutable CFileSource m_file;  // reads move no state that the install depends on
    CZipArchive m_zip;
    BundleContents m_contents;
};
