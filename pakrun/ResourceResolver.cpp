#include "ResourceResolver.h"

#include <algorithm>
#include <unordered_set>

#include "TextUtf.h"

struct CResourceResolver::FileSearch {
    std::unordered_set<std::uint32_t> visited;
    std::unordered_set<std::string> paths;
    std::vector<ResourceFile>& out;
};

bool CResourceResolver::Text(const ResValue& value, const std::u16string& inlineText,
                             const LocalePreference& locale, std::u16string& out) const
{
    out.clear();
    if (value.type == ResValue::kString) {
        out = inlineText;
        return true;
    }
    ResValue final;
    return Follow(value, &locale, final) && ValueText(final, out);
}

bool CResourceResolver::DefaultText(const ResValue& value, const std::u16string& inlineText, std::u16string& out) const
{
    out.clear();
    if (value.type == ResValue::kString) {
        out = inlineText;
        return true;
    }
    ResValue final;
    return Follow(value, nullptr, final) && ValueText(final, out);
}

bool CResourceResolver::Follow(ResValue value, const LocalePreference* locale, ResValue& out) const
{
    for (int step = 0; value.IsReference(); ++step) {
        if (step >= kMaxReferenceSteps || !Choose(value.data, locale, value)) return false;
    }
    out = value;
    return true;
}

// The best value of the resource: for a locale, exact match, then language, then the
// default; without one, the default only. Among equals, the one without other
// qualifiers, then the first.
bool CResourceResolver::Choose(std::uint32_t resourceId, const LocalePreference* locale, ResValue& out) const
{
    if (!m_pTable || !Afford(resourceId)) return false;
    const auto localeMatch = [locale](const CResourceConfig& config) {
        return locale ? config.LocaleMatch(*locale) : (config.HasLocale() ? 0 : 1);
    };
    // Only the entries of configurations that can serve the locale are read: a big table
    // holds a label in dozens of languages.
    std::vector<ResourceCandidate> candidates;
    m_pTable->Candidates(
        resourceId, [&](const CResourceConfig& config) { return localeMatch(config) != 0; }, candidates);
    int bestScore = 0;
    for (const ResourceCandidate& candidate : candidates) {
        const int match = localeMatch(candidate.config);
        const int score = match * 2 + (candidate.config.HasOtherQualifiers() ? 0 : 1);
        if (score > bestScore) {
            bestScore = score;
            out = candidate.value;
        }
    }
    return bestScore > 0;
}

bool CResourceResolver::Afford(std::uint32_t resourceId) const
{
    return !m_pBudget || m_pBudget->Spend(kPerConfigVisited * double(std::max<std::size_t>(1, m_pTable->TypeChunks(resourceId))));
}

bool CResourceResolver::ValueText(const ResValue& value, std::u16string& out) const
{
    if (value.type == ResValue::kString) return m_pTable && m_pTable->String(value.data, out);
    if (value.type == ResValue::kIntDec || value.type == ResValue::kIntHex) {
        out = CTextUtf::FromAscii(std::to_string(static_cast<std::int32_t>(value.data)));
        return true;
    }
    return false;
}

void CResourceResolver::Files(std::uint32_t resourceId, std::vector<ResourceFile>& out) const
{
    out.clear();
    FileSearch search{{}, {}, out};
    CollectFiles(resourceId, 0, search);
    std::stable_sort(out.begin(), out.end(), [](const ResourceFile& a, const ResourceFile& b) {
        if (a.config.HasLocale() != b.config.HasLocale()) return !a.config.HasLocale();
        if (a.config.HasOtherQualifiers() != b.config.HasOtherQualifiers()) return !a.config.HasOtherQualifiers();
        return a.config.DensityRank() < b.config.DensityRank();
    });
}

void CResourceResolver::CollectFiles(std::uint32_t resourceId, int steps, FileSearch& search) const
{
    // Each resource is expanded once: aliases that meet again, or go round, end here.
    if (!m_pTable || steps >= kMaxReferenceSteps || search.visited.size() >= kMaxFileIds) return;
    if (!search.visited.insert(resourceId).second || !Afford(resourceId)) return;
    std::vector<ResourceCandidate> candidates;
    m_pTable->Candidates(resourceId, candidates);
    for (const ResourceCandidate& candidate : candidates) {
        if (search.out.size() >= kMaxFiles) return;
        if (candidate.value.IsReference()) {
            // An alias: the files of the resource it names, in its own configurations.
            CollectFiles(candidate.value.data, steps + 1, search);
            continue;
        }
        std::u16string path;
        if (candidate.value.type != ResValue::kString || !m_pTable->String(candidate.value.data, path)) continue;
        ResourceFile file;
        file.path = CTextUtf::Utf16ToUtf8(path);
        file.config = candidate.config;
        if (search.paths.insert(file.path).second) search.out.push_back(std::move(file));
    }
}
