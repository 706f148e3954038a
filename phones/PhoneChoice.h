// Which of several ready phones an install goes to: the user's choice while that phone
// stays attached and ready, else the first ready one. Pure code over serials.
#pragma once

#include <string>

#include "PhoneList.h"

// The serial to install to now; empty when no phone is ready.
std::wstring KeepPhoneChoice(const DeviceList& ready, const std::wstring& chosen);

// The ready phone after the chosen one, wrapping round; the first when none is chosen.
std::wstring NextPhoneChoice(const DeviceList& ready, const std::wstring& chosen);
