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
    // xxxhdpi, then higher ones), locale-free configurations preferred.
    void Files(std::uint32_t resourceId, std::vector<ResourceFile>& out) const;

private:
    bool Follow(ResValue value, const LocalePreference* locale, ResValue& out) const;
    bool Choose(std::uint32_t resourceId, const LocalePreference* locale, ResValue& out) const;
    void CollectFiles(std::uint32_t resourceId, int steps, std::vector<std::uint32_t>& visited,
                      std::vector<ResourceFile>& out) const;
    bool ValueText(const ResValue& value, std::u16string& out) const;

    const CResourceTable* m_pTable;
};
