// The Android release that an API level means, as the short text the window shows
// after "系统：" ("Android 4.2+").
#pragma once

#include <string>

class CAndroidVersion {
public:
    // The release of a known level; empty for levels below 1 or beyond the table.
    static std::string ReleaseOf(int apiLevel);

    // "Android 4.2+" for a known level, "API 40+" for a level newer than the table,
    // "Android Q+" for a codename (any text that is not a number).
    static std::u16string SystemText(const std::u16string& minSdkText, int apiLevel);
};
