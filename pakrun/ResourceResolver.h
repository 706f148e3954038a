// Turns manifest values into what they finally stand for: texts for a locale and the
// files of a drawable. References are followed through resources.arsc as far as aapt
// follows them, so that a cycle or an endless chain ends; every step is counted against
// the read's budget by the configurations it visits, so that a chain through thousands
// of configurations, named by thousands of attributes, ends soon too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ReadBudget.h"
#include "ResValue.h"
#include "ResourceConfig.h"
#include "ResourceTable.h"

struct ResourceFile {
    std::string path;    // entry name inside the package
    CResourceConfig config;
};

class CResourceResolver {
public:
    // aapt resolves a reference at most this many times.
    static constexpr int kMaxReferenceSteps = 20;
    // Work units of one configuration visited in one look-up step.
    static constexpr double kPerConfigVisited = 1000;
    // Bounds on the search for one drawable's files, far above what real packages need
    // (an icon and a few aliases, a file per density), so that aliases fanning out
    // through a crafted table end soon.
    static constexpr std::size_t kMaxFileIds = 48;
    static constexpr std::size_t kMaxFiles = 256;

    // The table may be null (no or unreadable resources.arsc): references then resolve to
    // nothing.
    // look-ups then fail once the budget's current phase has spent its share.
    explicit CResourceResolver(const CResourceTable* table, CReadBudget* budget = nullptr)
        : m_pTable(table), m_pBudget(budget)
    {
    }

    CReadBudget* Budget() const { return m_pBudget; }

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
    // Counts a look-up step of the resource through every configuration of its type.
    bool Afford(std::uint32_t resourceId) const;

    const CResourceTable* m_pTable;
    CReadBudget* m_pBudget;
};
