#include "IconPackageBuilder.h"

#include <cstring>

#include "ArscBuilder.h"
#include "ZipBuilder.h"

CIconPackageBuilder& CIconPackageBuilder::File(std::uint16_t entry, const std::string& path, const std::string& bytes,
                                               std::uint16_t density)
{
    m_files.push_back(FileResource{entry, path, bytes, density});
    return *this;
}

CIconPackageBuilder& CIconPackageBuilder::ColourValue(std::uint16_t entry, std::uint32_t argb)
{
    m_colours.emplace_back(entry, argb);
    return *this;
}

std::string CIconPackageBuilder::Build(std::uint32_t icon, std::uint32_t roundIcon) const
{
    std::vector<CAxmlBuilder::Attribute> application = {CAxmlBuilder::Reference(u"icon", 0x01010002, icon)};
    if (roundIcon != 0) application.push_back(CAxmlBuilder::Reference(u"roundIcon", 0x0101052c, roundIcon));
    CAxmlBuilder manifest;
    manifest.Start(u"manifest", {CAxmlBuilder::Text(u"package", 0, u"org.example.icon")});
    manifest.Start(u"application", application).End();
    manifest.End();

    CArscBuilder table;
    CZipBuilder zip;
    zip.Add("AndroidManifest.xml", manifest.Build());
    for (const FileResource& file : m_files) {
        CArscBuilder::Config config;
        config.density = file.density;
        table.SetString(kDrawableType, file.entry, config, std::u16string(file.path.begin(), file.path.end()));
        zip.Add(file.path, file.bytes);
    }
    for (const auto& [entry, argb] : m_colours) table.Set(kColourType, entry, {}, 0x1c, argb);
    zip.Add("resources.arsc", table.Build(), false);
    return zip.Build();
}

std::string CIconPackageBuilder::FakePng()
{
    // The header chunk gives a launcher icon's size, 192 x 192.
    return std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\xc0\0\0\0\xc0", 24) + std::string(8, '\0');
}

std::string CIconPackageBuilder::FakeWebP()
{
    return std::string("RIFF\x18\0\0\0WEBPVP8 \0\0\0\0\0\0\0\x9d\x01\x2a\xc0\0\xc0\0", 30) + std::string(2, '\0');
}

namespace DrawableXml {

CAxmlBuilder::Attribute Float(const std::u16string& name, std::uint32_t resourceId, float value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return CAxmlBuilder::Attribute{name, resourceId, 0x04, bits, {}};
}

CAxmlBuilder::Attribute Colour(const std::u16string& name, std::uint32_t resourceId, std::uint32_t argb)
{
    return CAxmlBuilder::Attribute{name, resourceId, 0x1c, argb, {}};
}

// A whole number of dp: mantissa in the top 24 bits, radix 0, unit 1.
CAxmlBuilder::Attribute Dp(const std::u16string& name, std::uint32_t resourceId, int dp)
{
    return CAxmlBuilder::Attribute{name, resourceId, 0x05, (std::uint32_t(dp) << 8) | 1, {}};
}

// A fraction with 23 bits after the point (radix 3).
CAxmlBuilder::Attribute Percent(const std::u16string& name, std::uint32_t resourceId, int percent)
{
    const std::uint32_t mantissa = std::uint32_t(percent) * (1u << 23) / 100;
    return CAxmlBuilder::Attribute{name, resourceId, 0x06, (mantissa << 8) | (3 << 4), {}};
}

CAxmlBuilder::Attribute ThemeColour(const std::u16string& name, std::uint32_t resourceId)
{
    return CAxmlBuilder::Attribute{name, resourceId, 0x02, 0x01010435, {}};
}

CAxmlBuilder::Attribute PathData(const std::u16string& data)
{
    return CAxmlBuilder::Text(u"pathData", 0x01010405, data);
}

}  // namespace DrawableXml
