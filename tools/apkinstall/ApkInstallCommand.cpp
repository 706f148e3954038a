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
    if (args.size() == 1 && args[0] == L"--list") {
        parsed.list = parsed.valid = true;
        return parsed;
    }
    std::size_t next = 0;
    for (bool more = true; more && next < args.size();) {
        const std::wstring& arg = args[next];
        bool* flag = arg == L"--sd" ? &parsed.installToSd
                     : arg == L"--open" ? &parsed.open
                     : arg == L"--check" ? &parsed.check
                                         : nullptr;
        if (flag && !*flag) {
            *flag = true;
            ++next;
        } else if (arg == L"--serial" && parsed.serial.empty() && next + 1 < args.size() && !args[next + 1].empty()) {
            parsed.serial = args[next + 1];
            next += 2;
        } else {
            more = false;  // a flag given twice stops here and makes the package missing
        }
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
        return {ApkInstallExit::NoPhone, id != 0 ? id : unsigned(IDS_NO_PHONE_STEPS)};
    }
    case WM_INSTALL_HANDED_OVER:
        return {ApkInstallExit::HandedOver, IDS_CONSOLE_HANDED_OVER};
    default:
        return {ApkInstallExit::Failed, IDS_ERR_UNKNOWN};
    }
}

std::wstring PhoneListLine(const DeviceEntry& phone)
{
    return phone.serial + L'\t' + phone.stateText + L'\t' + (phone.model.empty() ? std::wstring() : PhoneDisplayName(phone));
}
