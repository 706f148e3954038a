// Filling the window's text templates ("版本：%s", "安装成功，%d秒后窗口关闭。"). Only
// the first mark is replaced, and the value is never read as a template itself.
#pragma once

#include <string>

std::wstring FormatWithText(const std::wstring& format, const std::wstring& value);
std::wstring FormatWithNumber(const std::wstring& format, int value);
