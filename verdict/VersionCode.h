// Version codes as the phone's package manager compares them: one signed 64-bit number,
// versionCodeMajor in the high half and versionCode's 32 bits in the low half.
#pragma once

#include <cstdint>
#include <string>

// The long version code of a package that declares versionCodeMajor (0 when it does not).
std::int64_t LongVersionCode(std::uint32_t major, std::uint32_t code);

// A decimal number as adb prints it (a leading minus allowed, as for a negative
// versionCode of an old package). False when the text is not one number or overflows.
bool ParseVersionNumber(const std::wstring& text, std::int64_t& value);
