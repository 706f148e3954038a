// Builds small packages around an icon for tests: a manifest naming the icon and round
// icon, a resource table of drawables (files, possibly one per density) and colours, and
// the files themselves.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "AxmlBuilder.h"

class CIconPackageBuilder {
public:
    static constexpr std::uint8_t kDrawableType = 1;
    static constexpr std::uint8_t kColourType = 2;

    static std::uint32_t Drawable(std::uint16_t entry) { return 0x7f000000u | (kDrawableType << 16) | entry; }
    static std::uint32_t Colour(std::uint16_t entry) { return 0x7f000000u | (kColourType << 16) | entry; }

    // The drawable resource has the file at path, in the given density (0 for none).
    CIconPackageBuilder& File(std::uint16_t entry, const std::string& path, const std::string& bytes,
                              std::uint16_t density = 0);
    CIconPackageBuilder& ColourValue(std::uint16_t entry, std::uint32_t argb);

    // roundIcon 0 leaves android:roundIcon out.
    std::string Build(std::uint32_t icon, std::uint32_t roundIcon = 0) const;

    // Picture headers that pass for their format and give a size of 192 x 192: the
    // parser reads no further.
    static std::string FakePng();
    static std::string FakeWebP();

private:
    struct FileResource {
        std::uint16_t entry;
        std::string path;
        std::string bytes;
        std::uint16_t density;
    };
    std::vector<FileResource> m_files;
    std::vector<std::pair<std::uint16_t, std::uint32_t>> m_colours;
};

// Typed attributes for drawable documents.
namespace DrawableXml {
CAxmlBuilder::Attribute Float(const std::u16string& name, std::uint32_t resourceId, float value);
CAxmlBuilder::Attribute Colour(const std::u16string& name, std::uint32_t resourceId, std::uint32_t argb);
CAxmlBuilder::Attribute Dp(const std::u16string& name, std::uint32_t resourceId, int dp);
CAxmlBuilder::Attribute Percent(const std::u16string& name, std::uint32_t resourceId, int percent);
CAxmlBuilder::Attribute ThemeColour(const std::u16string& name, std::uint32_t resourceId);
CAxmlBuilder::Attribute PathData(const std::u16string& data);
}  // namespace DrawableXml
