#include "DeviceList.h"

#include "TextCase.h"

namespace {

const wchar_t kHeader[] = L"LIST OF DEVICES ATTACHED";
const std::size_t kHeaderLength = sizeof(kHeader) / sizeof(kHeader[0]) - 1;

bool IsLineBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

DeviceState StateFromText(const std::wstring& text)
{
    if (EqualsIgnoreCaseAscii(text, L"OFFLINE")) return DeviceState::Offline;
    if (EqualsIgnoreCaseAscii(text, L"RECOVERY")) return DeviceState::Recovery;
    if (EqualsIgnoreCaseAscii(text, L"BOOTLOADER")) return DeviceState::Bootloader;
    if (EqualsIgnoreCaseAscii(text, L"DEVICE")) return DeviceState::Ready;
    return DeviceState::Unrecognised;
}

std::vector<std::wstring> SplitBlanks(const std::wstring& line)
{
    std::vector<std::wstring> words;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && IsBlank(line[pos])) ++pos;
        const std::size_t start = pos;
        while (pos < line.size() && !IsBlank(line[pos])) ++pos;
        if (pos > start) words.push_back(line.substr(start, pos - start));
    }
    return words;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.compare(0, std::char_traits<wchar_t>::length(prefix), prefix) == 0;
}

// The fields that follow the state; the state itself may be several words ("no
// permissions (...)"), so it ends where the first of them begins.
bool IsFieldWord(const std::wstring& word)
{
    for (const wchar_t* key : {L"usb:", L"product:", L"model:", L"device:", L"transport_id:"}) {
        if (StartsWith(word, key)) return true;
    }
    return false;
}

void TakeField(const std::wstring& word, DeviceEntry& entry)
{
    const std::size_t colon = word.find(L':');
    const std::wstring key = word.substr(0, colon), value = word.substr(colon + 1);
    if (key == L"model") entry.model = value;
    else if (key == L"product") entry.product = value;
    else if (key == L"device") entry.device = value;
    else if (key == L"transport_id") entry.transportId = value;
}

bool ParseLongLine(const std::wstring& line, DeviceEntry& entry)
{
    const std::vector<std::wstring> words = SplitBlanks(line);
    if (words.size() < 2 || IsBlank(line[0])) return false;
    entry.serial = words[0];
    std::size_t i = 1;
    for (; i < words.size() && !IsFieldWord(words[i]); ++i) {
        if (!entry.stateText.empty()) entry.stateText += L' ';
        entry.stateText += words[i];
    }
    for (; i < words.size(); ++i) {
        if (IsFieldWord(words[i])) TakeField(words[i], entry);
    }
    return true;
}

// Everything before the last tab is the serial, blanks and all: the install passes it back
// to adb as printed.
bool ParseTabbedLine(const std::wstring& line, DeviceEntry& entry)
{
    const std::size_t tab = line.rfind(L'\t');
    if (tab == std::wstring::npos || tab == 0) return false;
    entry.serial = line.substr(0, tab);
    entry.stateText = line.substr(tab + 1);
    return true;
}

void ParseDeviceLine(const std::wstring& line, DeviceListForm form, DeviceList& devices)
{
    DeviceEntry entry;
    if (line.find(L'\t') != std::wstring::npos) {
        if (!ParseTabbedLine(line, entry)) return;
    } else if (form != DeviceListForm::Long || !ParseLongLine(line, entry)) {
        return;
    }
    entry.state = StateFromText(entry.stateText);
    devices.push_back(std::move(entry));
}

}  // namespace

bool ParseDeviceList(const std::wstring& output, DeviceList& devices, DeviceListForm form)
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
        if (pos > start) ParseDeviceLine(output.substr(start, pos - start), form, devices);
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
