#include "PhoneStatus.h"

#include "DeviceOutcome.h"
#include "TextCase.h"
#include "resource.h"

namespace {

bool SamePhone(const DeviceEntry& a, const DeviceEntry& b)
{
    return a.serial == b.serial && a.state == b.state && a.stateText == b.stateText && a.model == b.model;
}

bool SamePhones(const DeviceList& a, const DeviceList& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!SamePhone(a[i], b[i])) return false;
    }
    return true;
}

PhoneStatusKind KindOfFirst(const DeviceEntry& phone)
{
    switch (phone.state) {
    case DeviceState::Offline: return PhoneStatusKind::Offline;
    case DeviceState::Bootloader: return PhoneStatusKind::Booting;
    case DeviceState::Recovery: return PhoneStatusKind::Recovery;
    default: break;
    }
    if (EqualsIgnoreCaseAscii(phone.stateText, L"unauthorized") ||
        EqualsIgnoreCaseAscii(phone.stateText, L"authorizing")) {
        return PhoneStatusKind::Unauthorized;
    }
    return PhoneStatusKind::OtherState;
}

const DeviceEntry* FindSerial(const DeviceList& phones, const std::wstring& serial)
{
    for (const DeviceEntry& phone : phones) {
        if (phone.serial == serial) return &phone;
    }
    return nullptr;
}

}  // namespace

bool PhoneStatus::operator==(const PhoneStatus& other) const
{
    return kind == other.kind && portHolder == other.portHolder && SamePhones(phones, other.phones);
}

PhoneStatus ReadPhoneStatus(bool ran, const std::wstring& output, bool adbExists)
{
    PhoneStatus status;
    if (!ran) {
        status.kind = adbExists ? PhoneStatusKind::AdbCannotRun : PhoneStatusKind::AdbMissing;
        return status;
    }
    // A fight shows even when the list follows: adb won this round by killing the other
    // server, which will kill ours in turn.
    if (ShowsAdbServerConflict(output)) {
        status.kind = PhoneStatusKind::ServerConflict;
        return status;
    }
    if (!ParseDeviceList(output, status.phones, DeviceListForm::Long)) {
        status.kind = PhoneStatusKind::AdbCannotRun;
        return status;
    }
    status.ready = ReadyPhones(status.phones);
    if (!status.ready.empty()) status.kind = PhoneStatusKind::Ready;
    else if (status.phones.empty()) status.kind = PhoneStatusKind::NoPhone;
    else status.kind = KindOfFirst(status.phones.front());
    return status;
}

PhoneLine PhoneStatusLine(const PhoneStatus& status, const std::wstring& chosenSerial)
{
    PhoneLine line;
    switch (status.kind) {
    case PhoneStatusKind::Unknown: break;
    case PhoneStatusKind::Ready: {
        const DeviceEntry* chosen = FindSerial(status.ready, chosenSerial);
        line.textId = IDS_PHONE_WILL_INSTALL_TO;
        line.argument = PhoneDisplayName(chosen ? *chosen : status.ready.front());
        break;
    }
    case PhoneStatusKind::NoPhone: line.textId = IDS_PHONE_CONNECT; break;
    case PhoneStatusKind::Unauthorized: line.textId = IDS_PHONE_ALLOW_DEBUGGING; break;
    case PhoneStatusKind::Offline: line.textId = IDS_PHONE_OFFLINE; break;
    case PhoneStatusKind::Booting: line.textId = IDS_DEVICE_BOOTING; break;
    case PhoneStatusKind::Recovery: line.textId = IDS_DEVICE_RECOVERY; break;
    case PhoneStatusKind::OtherState: line.textId = IDS_PHONE_RECONNECT; break;
    case PhoneStatusKind::AdbMissing: line.textId = IDS_ADB_MISSING; break;
    case PhoneStatusKind::AdbCannotRun: line.textId = IDS_ADB_CANNOT_RUN; break;
    case PhoneStatusKind::ServerConflict:
        line.textId = status.portHolder.empty() ? IDS_ADB_HELD_BY_UNKNOWN : IDS_ADB_HELD_BY_FMT;
        line.argument = status.portHolder;
        break;
    }
    return line;
}

std::wstring FormatPhoneLine(const std::wstring& text, const std::wstring& argument)
{
    const std::size_t at = text.find(L"%s");
    if (at == std::wstring::npos) return text;
    return text.substr(0, at) + argument + text.substr(at + 2);
}
