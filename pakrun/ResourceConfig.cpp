#include "ResourceConfig.h"

#include <cstring>

namespace {

constexpr std::size_t kFullSize = 64;

// Two ASCII letters, or three 5-bit letters packed into two bytes (high bit set).
std::string UnpackLocalePart(const std::uint8_t* in, char base)
{
    if (in[0] == 0) return std::string();
    if (in[0] & 0x80) {
        const char first = static_cast<char>(base + (in[1] & 0x1F));
        const char second = static_cast<char>(base + (((in[1] & 0xE0) >> 5) | ((in[0] & 0x03) << 3)));
        const char third = static_cast<char>(base + ((in[0] & 0x7C) >> 2));
        return std::string{first, second, third};
    }
    std::string part;
    for (int i = 0; i < 2 && in[i] != 0; ++i) part += static_cast<char>(in[i]);
    return part;
}

bool AnyNonZero(const std::uint8_t* bytes, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i < to; ++i) {
        if (bytes[i] != 0) return true;
    }
    return false;
}

bool EqualsIgnoreCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const char x = (a[i] >= 'A' && a[i] <= 'Z') ? char(a[i] + 32) : a[i];
        const char y = (b[i] >= 'A' && b[i] <= 'Z') ? char(b[i] + 32) : b[i];
        if (x != y) return false;
    }
    return true;
}

}  // namespace

void CResourceConfig::Load(CByteView config)
{
    std::uint8_t bytes[kFullSize] = {};
    std::uint32_t declared = 0;
    config.U32(0, declared);
    std::size_t size = config.Size();
    if (declared < size) size = declared;
    if (size > kFullSize) size = kFullSize;
    if (size > 0) std::memcpy(bytes, config.Data(), size);

    m_strLanguage = UnpackLocalePart(bytes + 8, 'a');
    m_strRegion = UnpackLocalePart(bytes + 10, '0');
    m_nDensity = static_cast<std::uint16_t>(bytes[14] | (bytes[15] << 8));
    m_nPlatformVersion = static_cast<std::uint16_t>(bytes[24] | (bytes[25] << 8));
    m_strScript.clear();
    for (int i = 36; i < 40 && bytes[i] != 0; ++i) m_strScript += static_cast<char>(bytes[i]);
    // mcc/mnc, orientation/touchscreen, keyboard..screen size, screen layout..dp sizes,
    // layout direction and colour mode.
    m_bOtherQualifiers = AnyNonZero(bytes, 4, 8) || AnyNonZero(bytes, 12, 14) || AnyNonZero(bytes, 16, 24) ||
                         AnyNonZero(bytes, 28, 36) || AnyNonZero(bytes, 48, 50);
}

int CResourceConfig::LocaleMatch(const LocalePreference& preference) const
{
    if (m_strLanguage.empty()) return 1;
    if (preference.language.empty() || !EqualsIgnoreCase(m_strLanguage, preference.language)) return 0;
    if (m_strRegion.empty()) {
        // zh-Hans stands for the simplified script that zh-CN is written in.
        const bool simplifiedChina = EqualsIgnoreCase(preference.language, "zh") && EqualsIgnoreCase(preference.region, "CN");
        if (simplifiedChina && EqualsIgnoreCase(m_strScript, "Hans")) return 3;
        if (!m_strScript.empty() && EqualsIgnoreCase(preference.language, "zh")) return simplifiedChina ? 0 : 2;
        return 2;
    }
    return EqualsIgnoreCase(m_strRegion, preference.region) ? 3 : 0;
}

int CResourceConfig::DensityRank() const
{
    int density = m_nDensity;
    if (density == 0 || density == kDensityNone) density = 160;
    if (density <= 640) return 640 - density;
    return 1000 + density;
}
