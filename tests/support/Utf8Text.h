// UTF-8 to and from UTF-16, for tests that read what programs print and record.
#pragma once

#include <string>

std::wstring FromUtf8(const std::string& text);
std::string ToUtf8(const std::wstring& text);
