// What apkinfo reports about one package, gathered from the library's record and the
// parser, and how it is printed: one JSON line or text for a person.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ApkSummary.h"
#include "BundleContents.h"

struct IconFacts {
    std::string entry;   // path inside the package; empty when not known
    // How the parser got it: "file" (the entry's own bytes), "drawn" (from the entry's
    // XML), "converted" (a WebP decoded by the system), "named" (a bitmap named by XML
    // that could not be drawn); empty when not known.
    std::string origin;
    std::size_t shapes = 0;  // of a drawn icon
    // The bytes the window gets; none for an icon drawn where nothing paints (natively).
    std::string format;  // "png", "jpeg", ...
    std::size_t bytes = 0;
    std::string sha256;
};

struct ShownPermission {
    std::u16string name;
    std::u16string title;
    std::u16string description;
    int level = 0;
};

struct PackageFacts {
    std::string file;
    bool ok = false;
    std::uint32_t size = 0;
    std::optional<std::u16string> packageName;
    std::optional<std::u16string> versionName;
    std::optional<std::u16string> versionCode;
    std::u16string version;  // the record's texts
    std::u16string label;
    std::optional<std::u16string> labelDefault;
    int minSdk = 1;
    std::u16string minSdkCodename;
    std::u16string system;
    std::optional<IconFacts> icon;
    std::vector<std::u16string> permissions;  // the record's names, special access first
    std::vector<std::u16string> access;       // the special access the package declares
    std::vector<ShownPermission> shown;
    BundleContents bundle;  // what a bundle holds; layout None for a package
    std::optional<std::string> cut;  // the phase the read's budget stopped, when one did

    // Takes the parser's own facts (package, versions, default label, minSdk, access).
    void TakeParserFacts(const ApkSummary& summary);

    std::string Json() const;
    std::string Text() const;
};
