#include "ApkInstallCommand.h"

#include "DeviceOutcome.h"
#include "InstallMessages.h"
#include "resource.h"

ApkInstallArgs ParseApkInstallArgs(const std::vector<std::wstring>& args)
{
    ApkInstallArgs parsed;
    if (args.size() == 1 && (args[0] == L"--help" || args[0] == L"-h")) {
        parsed.help = true;
        return parsed;
    }
    std::size_t next = 0;
    for (; next < args.size(); ++next) {
        bool* flag = args[next] == L"--sd" ? &parsed.installToSd
                     : args[next] == L"--open" ? &parsed.open
                     : args[next] == L"--check" ? &parsed.check
                                                : nullptr;
        if (!flag) break;
        if (*flag) return parsed;  // given twice
        *flag = true;
    }
    // --check installs nothing, so the install's options make no sense beside it.
    if (parsed.check && (parsed.installToSd || parsed.open)) return parsed;
    // Exactly one package, and not an option that this tool does not know.
    if (args.size() != next + 1 || args[next].empty() || args[next][0] == L'-') return parsed;
    parsed.package = args[next];
    parsed.valid = true;
    return parsed;
}

ApkInstallResult ApkInstallResultFor(unsigned message, std::uintptr_t wParam)
{
    switch (message) {
    case WM_INSTALL_DONE:
        if (wParam != 0) return {ApkInstallExit::Installed, IDS_CONSOLE_INSTALLED};
        return {ApkInstallExit::Failed, 0};
    case WM_INSTALL_NO_DEVICE: {
        const unsigned id = NoDeviceMessageId(std::int32_t(wParam));
        return {ApkInstallExit::NoPhone, id != 0 ? id : unsigned(IDS_NO_DEVICE)};
    }
    case WM_INSTALL_HANDED_OVER:
        return {ApkInstallExit::HandedOver, IDS_CONSOLE_HANDED_OVER};
    default:
        return {ApkInstallExit::Failed, IDS_ERR_UNKNOWN};
    }
}
