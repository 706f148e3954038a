// Everything read from one package, as plain data: what the library's record is filled
// from and what the apkinfo tool prints.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "IconChooser.h"

struct ApkSummary {
    bool parsed = false;          // the manifest was readable
    std::uint64_t fileSize = 0;
    std::optional<std::u16string> packageName;
    std::optional<std::u16string> versionName;  // resolved
    std::optional<std::u16string> versionCode;  // as decimal text
    std::optional<std::u16string> label;         // for the asked locale
    std::optional<std::u16string> labelDefault;  // for no particular locale
    int minSdk = 1;                              // 1 when absent
    std::u16string minSdkCodename;               // set instead of a number for previews
    std::optional<ApkIcon> icon;
    std::vector<std::u16string> permissions;    // asked for with uses-permission
    std::vector<std::u16string> access;         // special access declared, our own names
    // The phase that the read's budget stopped ("icon", ...), when one did.
    std::optional<std::string> cut;

    // The record's permission names: the special access first, so that it leads among
    // equal levels, then the permissions.
    std::vector<std::u16string> RecordNames() const;

    // The record's texts.
    std::u16string VersionText() const;   // versionName, else versionCode, else empty
    std::u16string AppName() const;       // the label, else the package name
    std::u16string SystemText() const;    // "Android 4.2+"
};
