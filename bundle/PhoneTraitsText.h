// What the phone prints about itself, read into PhoneTraits: getprop's answers and
// `wm density`. Pure code over the texts adb brought back.
#pragma once

#include <string>
#include <vector>

// "arm64-v8a,armeabi-v7a,armeabi" (ro.product.cpu.abilist) or one ABI (ro.product.cpu.abi).
std::vector<std::string> ParseAbiList(const std::string& output);

// `wm density`: "Physical density: 480" and perhaps "Override density: 420", which the
// screen then uses; or getprop ro.sf.lcd_density's bare number. 0 when none is there.
int ParseDensity(const std::string& output);

// persist.sys.locale or ro.product.locale ("zh-CN", "zh-Hans-CN"), or an old phone's
// persist.sys.language ("zh"): the language, lower case; empty when there is none.
std::string ParseLanguage(const std::string& output);
