// Letter-case helpers for adb's output. adb prints its keywords in ASCII, so only ASCII
// letters are folded; every other character keeps its value and its position.
#pragma once

#include <string>

std::wstring ToUpperAscii(std::wstring text);
std::wstring ToLowerAscii(std::wstring text);
bool EqualsIgnoreCaseAscii(const std::wstring& a, const wchar_t* b);
