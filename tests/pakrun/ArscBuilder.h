// Builds resources.arsc tables for tests: one package, type chunks per configuration,
// in the layouts Android's tools write (dense, sparse, 16-bit offsets, compact entries),
// with unknown chunks, filled reserved fields and padding chunks on request.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CArscBuilder {
public:
    struct Config {
        std::string language;  // two letters or empty
        std::string region;
        std::uint16_t density = 0;
        std::uint8_t uiMode = 0;  // an "other" qualifier
    };

    enum class Layout { Dense, Sparse, Offset16, Compact };

    explicit CArscBuilder(std::uint8_t packageId = 0x7f) : m_nPackageId(packageId) {}

    // Index of a string of the value pool.
    std::uint32_t String(const std::u16string& text);

    // Sets entry of type typeId in the configuration to a typed value.
    CArscBuilder& Set(std::uint8_t typeId, std::uint16_t entry, const Config& config, std::uint8_t type, std::uint32_t data);
    CArscBuilder& SetString(std::uint8_t typeId, std::uint16_t entry, const Config& config, const std::u16string& text);
    CArscBuilder& SetReference(std::uint8_t typeId, std::uint16_t entry, const Config& config, std::uint32_t id);

    CArscBuilder& WithLayout(Layout layout) { m_layout = layout; return *this; }
    CArscBuilder& WithUnknownChunks() { m_bUnknownChunks = true; return *this; }
    CArscBuilder& WithReservedFilled() { m_bReservedFilled = true; return *this; }
    CArscBuilder& WithUtf16Pool() { m_bUtf8 = false; return *this; }
    // Appends count empty type chunks of typeId to the package.
    CArscBuilder& WithFiller(std::uint8_t typeId, std::size_t count)
    {
        m_nFillerTypeId = typeId;
        m_nFillerCount = count;
        return *this;
    }

    std::string Build() const;

    static std::uint32_t Id(std::uint8_t typeId, std::uint16_t entry) { return 0x7f000000u | (std::uint32_t(typeId) << 16) | entry; }

private:
    struct Value {
        std::uint8_t typeId;
        std::uint16_t entry;
        Config config;
        std::uint8_t type;
        std::uint32_t data;
    };

    std::string TypeChunk(std::uint8_t typeId, const Config& config) const;

    std::uint8_t m_nPackageId;
    std::vector<std::u16string> m_strings;
    std::vector<Value> m_values;
    Layout m_layout = Layout::Dense;
    bool m_bUnknownChunks = false;
    bool m_bReservedFilled = false;
    bool m_bUtf8 = true;
    std::uint8_t m_nFillerTypeId = 0;
    std::size_t m_nFillerCount = 0;
};
