// apkinstall [--sd] [--serial SERIAL] [--open] PACKAGE | --check PACKAGE | --list
//
// Installs one package, or a bundle of split packages, as the window's Install button
// does: the same worker job, with adb.exe and Helmsway.exe beside this program and the same
// companion rules; with --serial, to that phone only. Prints one line (the window's own text
// after a failure or without a usable phone) and exits with 0 installed, 1 install failed,
// 2 no usable phone, 3 handed over, 64 usage error. With --open it then opens the app on the phone and says
// so (4: installed, not opened).
//
// --check installs nothing: it prints the window's verdict on the attached phone (the
// --serial one, else the one an install would go to) and exits 0 when nothing stands
// against the install, 5 when something does, 2 without a ready phone, 1 when the package
// cannot be read.
//
// --list prints the attached phones, one line each (serial, state, model, tab-separated),
// and exits with 0; when adb cannot list them it prints the window's phone line for that
// instead and exits with 2.
#include <windows.h>

#include <string>
#include <vector>

#include "AdbCommand.h"
#include "AdbRunner.h"
#include "ApkInstallCommand.h"
#include "ApkInstallerThread.h"
#include "ConsoleLine.h"
#include "InstallMessages.h"
#include "InstallProgress.h"
#include "LongPath.h"
#include "PackageFactsReader.h"
#include "PhoneQuery.h"
#include "PhoneStatus.h"
#include "PortOwner.h"
#include "StringResource.h"
#include "resource.h"

namespace {

const wchar_t kWindowClass[] = L"ApkInstallConsoleSink";

// The message-only window that the worker reports to; destroyed with this object.
class CMessageWindow {
public:
    CMessageWindow()
    {
        WNDCLASSEXW cls{sizeof(cls)};
        cls.lpfnWndProc = ::DefWindowProcW;
        cls.hInstance = ::GetModuleHandleW(nullptr);
        cls.lpszClassName = kWindowClass;
        ::RegisterClassExW(&cls);
        m_hWnd = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    }
    ~CMessageWindow()
    {
        if (m_hWnd) ::DestroyWindow(m_hWnd);
    }
    CMessageWindow(const CMessageWindow&) = delete;
    CMessageWindow& operator=(const CMessageWindow&) = delete;

    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd = nullptr;
};

bool IsInstallMessage(UINT message)
{
    return message == WM_INSTALL_DONE || message == WM_INSTALL_NO_DEVICE || message == WM_INSTALL_HANDED_OVER;
}

// The job's message; false if the queue ended first.
bool WaitForOutcome(HWND window, MSG& outcome)
{
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.hwnd == window && IsInstallMessage(msg.message)) {
            outcome = msg;
            return true;
        }
        if (msg.hwnd == window && msg.message == WM_INSTALL_PROGRESS && ProgressTextId(msg.wParam) != 0) {
            // A bundle's steps, on standard error: the one line of the outcome stays alone on standard output.
            WriteConsoleLine(STD_ERROR_HANDLE, FormatProgress(LoadStringResource(ProgressTextId(msg.wParam)), msg.wParam,
                                                              msg.lParam));
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return false;
}

int Finish(ApkInstallExit exit, const std::wstring& text)
{
    WriteConsoleLine(exit == ApkInstallExit::Usage ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE, text);
    return int(exit);
}

int ListPhones()
{
    const std::wstring adb = GetAdbPath();
    std::wstring output;
    const bool ran = RunAdbCommand(FormatAdbCommand(kAdbDevicesLong, {adb}), output, kAdbDevicesTimeoutMs);
    const DWORD attributes = ::GetFileAttributesW(adb.c_str());
    PhoneStatus status = ReadPhoneStatus(ran, output, attributes != INVALID_FILE_ATTRIBUTES);
    if (status.kind == PhoneStatusKind::ServerConflict) status.portHolder = PortHolderName(CurrentAdbServerPort(), adb);
    switch (status.kind) {
    case PhoneStatusKind::AdbMissing:
    case PhoneStatusKind::AdbCannotRun:
    case PhoneStatusKind::ServerConflict:
    {
        const PhoneLine line = PhoneStatusLine(status, L"");
        return Finish(ApkInstallExit::NoPhone, FormatPhoneLine(LoadStringResource(line.textId), line.argument));
    }
    default: break;
    }
    for (const DeviceEntry& phone : status.phones) WriteConsoleLine(STD_OUTPUT_HANDLE, PhoneListLine(phone));
    return 0;
}

// The phone named by --serial, else the one an install would go to now.
bool ChoosePhone(const std::wstring& serial, PhoneAddress& phone)
{
    phone = PhoneAddress{GetAdbPath(), serial, nullptr};
    return !serial.empty() || FindReadyPhone(nullptr, phone.serial);
}

int CheckPackage(const std::wstring& package, const std::wstring& serial)
{
    PackageFacts facts;
    if (!ReadPackageFacts(package, facts)) return Finish(ApkInstallExit::Failed, LoadStringResource(IDS_ERR_INVALID_APK));
    PhoneAddress phone;
    if (!ChoosePhone(serial, phone)) return Finish(ApkInstallExit::NoPhone, LoadStringResource(IDS_NO_DEVICE));
    const Verdict verdict = ChooseVerdict(facts, QueryPhoneFacts(phone, facts.packageName));
    const unsigned id = VerdictTextId(verdict.kind);
    if (id == 0) return Finish(ApkInstallExit::Installed, std::wstring());
    const bool doubtful = verdict.kind == VerdictKind::OldAndroid || verdict.kind == VerdictKind::NoMatchingAbi ||
                          verdict.kind == VerdictKind::NewerInstalled || verdict.kind == VerdictKind::LowSpace;
    return Finish(doubtful ? ApkInstallExit::Doubtful : ApkInstallExit::Installed,
                  VerdictText(verdict, LoadStringResource(id)));
}

// After a successful install: the launcher activity, started; monkey on a phone without cmd.
bool OpenInstalledApp(const std::wstring& package, const std::wstring& serial)
{
    PackageFacts facts;
    PhoneAddress phone;
    if (!ReadPackageFacts(package, facts) || !ChoosePhone(serial, phone)) return false;
    bool cmdMissing = false;
    const std::wstring component = ResolveLauncherActivity(phone, facts.packageName, cmdMissing);
    return (!component.empty() || cmdMissing) && OpenAppOnPhone(phone, facts.packageName, component);
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    const ApkInstallArgs args = ParseApkInstallArgs(std::vector<std::wstring>(argv + 1, argv + argc));
    if (args.help) {
        WriteConsoleLine(STD_OUTPUT_HANDLE, kApkInstallUsage);
        return 0;
    }
    if (!args.valid) return Finish(ApkInstallExit::Usage, kApkInstallUsage);
    if (args.list) return ListPhones();
    if (args.check) return CheckPackage(ExactFullPathName(args.package), args.serial);

    const CMessageWindow window;
    CApkInstallerThread worker;
    MSG outcome{};
    // A full path: the companion manager may be started with it, away from our directory.
    // Its last name stays as given: "game.apk." is not "game.apk".
    if (!window.Get() || !worker.Start(window.Get(), ExactFullPathName(args.package), args.installToSd, args.serial, true) ||
        !WaitForOutcome(window.Get(), outcome)) {
        return Finish(ApkInstallExit::Failed, LoadStringResource(IDS_ERR_UNKNOWN));
    }

    // The message is the job's last action: this returns at once.
    worker.Stop();
    const std::wstring copy = worker.TakeTempApkPath();
    if (!copy.empty()) ::DeleteFileW(ExtendedLengthPath(copy).c_str());

    const ApkInstallResult result = ApkInstallResultFor(outcome.message, outcome.wParam);
    std::wstring text = result.textId != 0 ? LoadStringResource(result.textId) : worker.GetError();
    if (text.empty()) text = LoadStringResource(IDS_ERR_UNKNOWN);
    if (result.exit != ApkInstallExit::Installed || !args.open) return Finish(result.exit, text);
    WriteConsoleLine(STD_OUTPUT_HANDLE, text);
    const bool opened = OpenInstalledApp(ExactFullPathName(args.package), args.serial);
    return Finish(opened ? ApkInstallExit::Installed : ApkInstallExit::NotOpened,
                  LoadStringResource(opened ? IDS_OPENED : IDS_OPEN_FAILED));
}
