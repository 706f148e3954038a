// Turns manifest values into what they finally stand for: texts for a locale and the
// files of a drawable. References are followed through resources.arsc, a bounded number
// of steps, so that a cycle or an endless chain ends.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ResValue.h"
#include "ResourceConfig.h"
#include "ResourceTable.h"

struct ResourceFile {
    std::string path;    // entry name inside the package
    CResourceConfig config;
};

class CResourceResolver {
public:
    static constexpr int kMaxReferenceSteps = 16;
    // Bounds on the search for one drawable's files, far above what real packages need
    // (an icon and a few aliases, a file per density), so that aliases fanning out
    // through a crafted table end soon.
    static constexpr std::size_t kMaxFileIds = 48;
    static constexpr std::size_t kMaxFiles = 256;

    // The table may be null (no or unreadable resources.arsc): references then resolve to
    // nothing.
    explicit CResourceResolver(const CResourceTable* table) : m_pTable(table) {}

    // The value's text for the locale: a string, or an integer written in decimal.
    // inlineText is what the document itself holds for a string value.
    bool Text(const ResValue& value, const std::u16string& inlineText, const LocalePreference& locale,
              std::u16string& out) const;

    // The value's text in the default configuration only (no locale).
    bool DefaultText(const ResValue& value, const std::u16string& inlineText, std::u16string& out) const;

    // Every file the drawable resource stands for, best density first (highest up to
    // xxxhdpi, then higher ones), locale-free configurations preferred. At most
    // kMaxFiles of them, from at most kMaxFileIds resources.
    void Files(std::uint32_t resourceId, std::vector<ResourceFile>& out) const;

    // What the value finally stands for in the default configuration: a reference is
    // followed as for DefaultText, any other value is its own answer.
    bool DefaultValue(const ResValue& value, ResValue& out) const { return Follow(value, nullptr, out); }

private:
    struct FileSearch;

    bool Follow(ResValue value, const LocalePreference* locale, ResValue& out) const;
    bool Choose(std::uint32_t resourceId, const LocalePreference* locale, ResValue& out) const;
    void CollectFiles(std::uint32_t resourceId, int steps, FileSearch& search) const;
    bool ValueText(const ResValue& value, std::u16string& out) const;

    const CResourceTable* m_pTable;
};
