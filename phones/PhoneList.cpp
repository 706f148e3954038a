#include "PhoneList.h"

std::wstring PhoneDisplayName(const DeviceEntry& phone)
{
    if (phone.model.empty()) return phone.serial;
    std::wstring name = phone.model;
    for (wchar_t& c : name) {
        if (c == L'_') c = L' ';
    }
    return name;
}

DeviceList ReadyPhones(const DeviceList& phones)
{
    DeviceList ready;
    for (const DeviceEntry& phone : phones) {
        if (phone.state == DeviceState::Ready) ready.push_back(phone);
    }
    return ready;
}
