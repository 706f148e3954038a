#include "PhoneList.h"

#include "TextCase.h"

namespace {

const wchar_t kHeader[] = L"LIST OF DEVICES ATTACHED";

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

void TakeField(const std::wstring& word, PhoneEntry& phone)
{
    const std::size_t colon = word.find(L':');
    const std::wstring key = word.substr(0, colon), value = word.substr(colon + 1);
    if (key == L"model") phone.model = value;
    else if (key == L"product") phone.product = value;
    else if (key == L"device") phone.device = value;
    else if (key == L"transport_id") phone.transportId = value;
}

bool ParseLongLine(const std::wstring& line, PhoneEntry& phone)
{
    const std::vector<std::wstring> words = SplitBlanks(line);
    if (words.size() < 2 || IsBlank(line[0])) return false;
    phone.serial = words[0];
    std::size_t i = 1;
    for (; i < words.size() && !IsFieldWord(words[i]); ++i) {
        if (!phone.stateText.empty()) phone.stateText += L' ';
        phone.stateText += words[i];
    }
    for (; i < words.size(); ++i) {
        if (IsFieldWord(words[i])) TakeField(words[i], phone);
    }
    return true;
}

// The short form: everything before the last tab is the serial, as the install reads it.
bool ParseShortLine(const std::wstring& line, PhoneEntry& phone)
{
    const std::size_t tab = line.rfind(L'\t');
    if (tab == std::wstring::npos || tab == 0) return false;
    phone.serial = line.substr(0, tab);
    phone.stateText = line.substr(tab + 1);
    return true;
}

void ParseLine(const std::wstring& line, PhoneList& phones)
{
    PhoneEntry phone;
    const bool parsed = line.find(L'\t') != std::wstring::npos ? ParseShortLine(line, phone) : ParseLongLine(line, phone);
    if (!parsed) return;
    phone.state = StateFromText(phone.stateText);
    phones.push_back(std::move(phone));
}

}  // namespace

bool ParsePhoneList(const std::wstring& output, PhoneList& phones)
{
    const std::size_t header = ToUpperAscii(output).find(kHeader);
    if (header == std::wstring::npos) return false;
    std::size_t pos = header;
    while (pos < output.size() && !IsLineBreak(output[pos])) ++pos;
    while (pos < output.size()) {
        while (pos < output.size() && IsLineBreak(output[pos])) ++pos;
        const std::size_t start = pos;
        while (pos < output.size() && !IsLineBreak(output[pos])) ++pos;
        if (pos > start) ParseLine(output.substr(start, pos - start), phones);
    }
    return true;
}

std::wstring PhoneDisplayName(const PhoneEntry& phone)
{
    if (phone.model.empty()) return phone.serial;
    std::wstring name = phone.model;
    for (wchar_t& c : name) {
        if (c == L'_') c = L' ';
    }
    return name;
}

PhoneList ReadyPhones(const PhoneList& phones)
{
    PhoneList ready;
    for (const PhoneEntry& phone : phones) {
        if (phone.state == DeviceState::Ready) ready.push_back(phone);
    }
    return ready;
}
