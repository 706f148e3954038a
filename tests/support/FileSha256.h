// SHA-256 of a file, as lower-case hex: how the adb stand-in proves which bytes an
// install sent, and how a test knows what they should have been.
#pragma once

#include <string>

// Empty when the file cannot be read.
std::string Sha256OfFile(const std::wstring& path, unsigned long long* size = nullptr);
