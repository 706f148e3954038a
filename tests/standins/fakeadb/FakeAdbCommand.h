// What a stand-in adb was asked to do, and the text escapes of its scenario files.
#pragma once

#include <string>
#include <vector>

struct FakeAdbCommand {
    std::wstring kind;     // devices, devices_l, getprop_sdk, getInstallLocation, install_r, install_r_s, install_r_f, other
    std::wstring serial;   // after -s, empty without it
    std::wstring package;  // the file an install names
};

FakeAdbCommand ClassifyFakeAdbCommand(const std::vector<std::wstring>& args);

// \r \n \t \0 \\ and \xHH become their bytes; other characters are taken as UTF-8.
std::string UnescapeFakeAdbText(const std::wstring& text);
