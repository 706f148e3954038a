#include "PhoneChoice.h"

std::wstring KeepPhoneChoice(const DeviceList& ready, const std::wstring& chosen)
{
    for (const DeviceEntry& phone : ready) {
        if (phone.serial == chosen) return chosen;
    }
    return ready.empty() ? std::wstring() : ready.front().serial;
}

std::wstring NextPhoneChoice(const DeviceList& ready, const std::wstring& chosen)
{
    for (std::size_t i = 0; i < ready.size(); ++i) {
        if (ready[i].serial == chosen) return ready[(i + 1) % ready.size()].serial;
    }
    return ready.empty() ? std::wstring() : ready.front().serial;
}
