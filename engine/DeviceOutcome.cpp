#include "DeviceOutcome.h"

#include "TextCase.h"
#include "resource.h"

namespace {

bool StartsWithIgnoreCase(const std::wstring& text, const wchar_t* prefix)
{
    std::size_t n = 0;
    while (prefix[n] != L'\0') ++n;
    return text.size() >= n && EqualsIgnoreCaseAscii(text.substr(0, n), prefix);
}

}  // namespace

NoDeviceCode NoDeviceCodeForEntry(const DeviceEntry& entry)
{
    switch (entry.state) {
    case DeviceState::Offline: return NoDeviceCode::Offline;
    case DeviceState::Bootloader: return NoDeviceCode::Bootloader;
    case DeviceState::Recovery: return NoDeviceCode::Recovery;
    default: break;
    }
    const std::wstring& text = entry.stateText;
    if (EqualsIgnoreCaseAscii(text, L"unauthorized")) return NoDeviceCode::Unauthorized;
    if (EqualsIgnoreCaseAscii(text, L"authorizing")) return NoDeviceCode::Authorizing;
    if (EqualsIgnoreCaseAscii(text, L"connecting")) return NoDeviceCode::Connecting;
    // adb follows these words with a hint of its own, e.g. about udev rules.
    if (StartsWithIgnoreCase(text, L"no permissions")) return NoDeviceCode::NoPermissions;
    return NoDeviceCode::UnknownState;
}

DeviceOutcome DecideDeviceOutcome(const DeviceList& devices)
{
    DeviceOutcome outcome;
    const DeviceEntry* chosen = ChooseDevice(devices);
    if (!chosen) return outcome;
    if (chosen->state == DeviceState::Ready) {
        outcome.action = DeviceOutcome::Action::Install;
        outcome.serial = chosen->serial;
    } else {
        outcome.action = DeviceOutcome::Action::ReportNoDevice;
        outcome.code = NoDeviceCodeForEntry(*chosen);
    }
    return outcome;
}

DeviceOutcome DecideDevicesOutput(const std::wstring& output, const std::wstring& preferredSerial)
{
    DeviceList devices;
    if (ParseDeviceList(output, devices)) {
        for (const DeviceEntry& entry : devices) {
            if (!preferredSerial.empty() && entry.serial == preferredSerial && entry.state == DeviceState::Ready) {
                DeviceOutcome outcome;
                outcome.action = DeviceOutcome::Action::Install;
                outcome.serial = entry.serial;
                return outcome;
            }
        }
        return DecideDeviceOutcome(devices);
    }
    DeviceOutcome outcome;
    outcome.action = DeviceOutcome::Action::ReportNoDevice;
    outcome.code = ShowsAdbServerConflict(output) ? NoDeviceCode::AdbServerHeld : NoDeviceCode::AdbCannotRun;
    return outcome;
}

bool ShowsAdbServerConflict(const std::wstring& output)
{
    const std::wstring text = ToLowerAscii(output);
    for (const wchar_t* sign : {L"doesn't match this client", L"cannot connect to daemon", L"failed to start daemon",
                                L"could not read ok from adb server", L"protocol fault"}) {
        if (text.find(sign) != std::wstring::npos) return true;
    }
    return false;
}

DeviceOutcome DecideOutcomeForSerial(const std::wstring& output, const std::wstring& serial)
{
    DeviceList devices;
    if (!ParseDeviceList(output, devices)) return DecideDevicesOutput(output);
    DeviceList named;
    for (const DeviceEntry& entry : devices) {
        if (entry.serial == serial) named.push_back(entry);
    }
    DeviceOutcome outcome = DecideDeviceOutcome(named);
    if (outcome.action == DeviceOutcome::Action::AskCompanion) outcome.action = DeviceOutcome::Action::ReportNoDevice;
    return outcome;
}

NoDeviceCode NoDeviceCodeWithoutCompanion(bool adbExists)
{
    return adbExists ? NoDeviceCode::NoDevice : NoDeviceCode::AdbMissing;
}

unsigned NoDeviceMessageId(std::int32_t code)
{
    switch (NoDeviceCode(code)) {
    case NoDeviceCode::NoDevice: return IDS_NO_PHONE_STEPS;  // what to do, not only that none was found
    case NoDeviceCode::Offline: return IDS_DEVICE_OFFLINE;
    case NoDeviceCode::Bootloader: return IDS_DEVICE_BOOTING;
    case NoDeviceCode::Recovery: return IDS_DEVICE_RECOVERY;
    case NoDeviceCode::AdbMissing: return IDS_ADB_MISSING;
    case NoDeviceCode::Unauthorized: return IDS_DEVICE_UNAUTHORIZED;
    case NoDeviceCode::Authorizing: return IDS_DEVICE_AUTHORIZING;
    case NoDeviceCode::Connecting: return IDS_DEVICE_CONNECTING;
    case NoDeviceCode::NoPermissions: return IDS_DEVICE_NO_PERMISSIONS;
    case NoDeviceCode::UnknownState: return IDS_DEVICE_UNKNOWN_STATE;
    case NoDeviceCode::AdbCannotRun: return IDS_ADB_CANNOT_RUN;
    case NoDeviceCode::AdbServerHeld: return IDS_ADB_HELD_BY_UNKNOWN;
    }
    return 0;
}
