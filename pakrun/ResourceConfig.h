// The configuration a resources.arsc value belongs to, reduced to what choosing a label
// or an icon needs: locale, density and whether any other qualifier is set.
#pragma once

#include <cstdint>
#include <string>

#include "ByteView.h"

// The locale a caller asks for: language ("zh") and region ("CN"), either may be empty.
struct LocalePreference {
    std::string language;
    std::string region;
};

class CResourceConfig {
public:
    static constexpr std::uint16_t kDensityAny = 0xFFFE;
    static constexpr std::uint16_t kDensityNone = 0xFFFF;

    // Reads the configuration record; sizes shorter than today's leave the rest zero.
    void Load(CByteView config);

    const std::string& Language() const { return m_strLanguage; }
    const std::string& Region() const { return m_strRegion; }
    const std::string& Script() const { return m_strScript; }
    std::uint16_t Density() const { return m_nDensity; }
    // The platform version qualifier ("-v26"); 0 for none.
    std::uint16_t PlatformVersion() const { return m_nPlatformVersion; }
    bool HasLocale() const { return !m_strLanguage.empty(); }
    // True when some qualifier other than locale, density and platform version is set
    // (night mode, screen size, orientation, ...).
    bool HasOtherQualifiers() const { return m_bOtherQualifiers; }

    // How well this configuration serves a locale: 3 exact language and region, 2 the
    // language alone, 1 no locale (the default), 0 not at all.
    int LocaleMatch(const LocalePreference& preference) const;

    // Sort key for icons: the highest density up to xxxhdpi first, then higher ones.
    int DensityRank() const;

private:
    std::string m_strLanguage;
    std::string m_strRegion;
    std::string m_strScript;
    std::uint16_t m_nDensity = 0;
    std::uint16_t m_nPlatformVersion = 0;
    bool m_bOtherQualifiers = false;
};
