#include "DeviceList.h"

#include "TextCase.h"

namespace {

const wchar_t kHeader[] = L"LIST OF DEVICES ATTACHED";
const std::size_t kHeaderLength = sizeof(kHeader) / sizeof(kHeader[0]) - 1;

bool IsLineBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }

DeviceState StateFromText(const std::wstring& text)
{
    if (EqualsIgnoreCaseAscii(text, L"OFFLINE")) return DeviceState::Offline;
    if (EqualsIgnoreCaseAscii(text, L"RECOVERY")) return DeviceState::Recovery;
    if (EqualsIgnoreCaseAscii(text, L"BOOTLOADER")) return DeviceState::Bootloader;
    if (EqualsIgnoreCaseAscii(text, L"DEVICE")) return DeviceState::Ready;
    return DeviceState::Unrecognised;
}

void ParseDeviceLine(const std::wstring& line, DeviceList& devices)
{
    const std::size_t tab = line.rfind(L'\t');
    if (tab == std::wstring::npos || tab == 0) return;
    DeviceEntry entry;
    entry.serial = line.substr(0, tab);
    entry.stateText = line.substr(tab + 1);
    entry.state = StateFromText(entry.stateText);
    devices.push_back(std::move(entry));
}

}  // namespace

bool ParseDeviceList(const std::wstring& output, DeviceList& devices)
{
    const std::size_t header = ToUpperAscii(output).find(kHeader);
    if (header == std::wstring::npos) return false;

    // adb before 2016 printed a blank after the header, newer ones print none: skip
    // whatever is left of the header line, never into the first serial.
    std::size_t pos = header + kHeaderLength;
    while (pos < output.size() && !IsLineBreak(output[pos])) ++pos;

    while (pos < output.size()) {
        while (pos < output.size() && IsLineBreak(output[pos])) ++pos;
        const std::size_t start = pos;
        while (pos < output.size() && !IsLineBreak(output[pos])) ++pos;
        if (pos > start) ParseDeviceLine(output.substr(start, pos - start), devices);
    }
    return true;
}

const DeviceEntry* ChooseDevice(const DeviceList& devices)
{
    if (devices.empty()) return nullptr;
    for (const DeviceEntry& entry : devices) {
        if (entry.state == DeviceState::Ready) return &entry;
    }
    return &devices.front();
}
