#include "CraftedPackages.h"

#include <cstdint>
#include <cstring>

#include "ArscBuilder.h"
#include "AxmlBuilder.h"
#include "ChunkWriter.h"
#include "IconPackageBuilder.h"
#include "ZipBuilder.h"

namespace {

constexpr std::uint8_t kDrawable = 1;
constexpr std::uint8_t kDimen = 2;
constexpr std::uint8_t kString = 3;
constexpr int kChainSteps = 16;
constexpr std::uint32_t kMiB = 1u << 20;

std::uint32_t Get16(const std::string& bytes, std::size_t at)
{
    return std::uint32_t(std::uint8_t(bytes[at])) | std::uint32_t(std::uint8_t(bytes[at + 1])) << 8;
}

std::uint32_t Get32(const std::string& bytes, std::size_t at)
{
    return Get16(bytes, at) | Get16(bytes, at + 2) << 16;
}

std::uint32_t Id(std::uint8_t type, std::uint16_t entry)
{
    return CArscBuilder::Id(type, entry);
}

std::string Manifest(const CAxmlBuilder::Attribute& label)
{
    CAxmlBuilder manifest;
    manifest.Start(u"manifest", {CAxmlBuilder::Text(u"package", 0, u"org.example.crafted")});
    manifest.Start(u"application", {label, CAxmlBuilder::Reference(u"icon", 0x01010002, Id(kDrawable, 0))}).End();
    manifest.End();
    return manifest.Build();
}

std::string Manifest()
{
    return Manifest(CAxmlBuilder::Text(u"label", 0x01010001, u"Crafted"));
}

std::u16string Wide(const std::string& text)
{
    return std::u16string(text.begin(), text.end());
}

// The drawable entry names the file, and the package holds it.
void AddFile(CArscBuilder& table, CZipBuilder& zip, std::uint16_t entry, const std::string& path, const std::string& bytes,
             std::uint16_t density = 0)
{
    CArscBuilder::Config config;
    config.density = density;
    table.SetString(kDrawable, entry, config, Wide(path));
    if (!bytes.empty()) zip.Add(path, bytes);
}

CraftedPackage Finish(const std::string& name, CZipBuilder& zip, const std::string& table, const char* cut,
                      const std::string& manifest = Manifest())
{
    zip.Add("AndroidManifest.xml", manifest);
    zip.Add("resources.arsc", table, false);
    return {name, zip.Build(), cut};
}

// The table's type chunks of typeId repeated, each copy with the next density, until
// the type has copies configurations: aapt would write them the same way, one chunk per
// configuration.
std::string WithConfigurations(std::string table, std::uint8_t typeId, int copies)
{
    const std::size_t poolSize = Get32(table, 12 + 4);
    const std::size_t packageAt = 12 + poolSize;
    std::string chunk;
    for (std::size_t at = packageAt + Get16(table, packageAt + 2); at + 8 <= table.size();
         at += Get32(table, at + 4)) {
        if (Get16(table, at) == 0x0201 && std::uint8_t(table[at + 8]) == typeId) {
            chunk = table.substr(at, Get32(table, at + 4));
            break;
        }
    }
    table.reserve(table.size() + chunk.size() * std::size_t(copies));
    for (int i = 1; i < copies; ++i) {
        chunk[20 + 14] = char(i & 0xFF);  // the configuration's density
        chunk[20 + 15] = char(i >> 8);
        table += chunk;
    }
    CChunkWriter::Set32(table, packageAt + 4, std::uint32_t(table.size() - packageAt));
    CChunkWriter::Set32(table, 4, std::uint32_t(table.size()));
    return table;
}

std::string Vector(const std::vector<std::vector<CAxmlBuilder::Attribute>>& paths)
{
    CAxmlBuilder xml;
    xml.Start(u"vector", {DrawableXml::Dp(u"width", 0x01010159, 48), DrawableXml::Dp(u"height", 0x01010155, 48),
                          DrawableXml::Float(u"viewportWidth", 0x01010402, 48),
                          DrawableXml::Float(u"viewportHeight", 0x01010403, 48)});
    for (const auto& attributes : paths) xml.Start(u"path", attributes).End();
    xml.End();
    return xml.Build();
}

// A raw deflate stream of head, stored, then mebibytes of zeros.
std::string DeflatedAfter(const std::string& head, std::size_t mebibytes)
{
    std::string stream;
    for (std::size_t at = 0; at < head.size(); at += 0xFFFF) {
        const std::size_t length = std::min<std::size_t>(0xFFFF, head.size() - at);
        stream += '\0';  // a stored block, not the last
        CChunkWriter::Put16(stream, std::uint32_t(length));
        CChunkWriter::Put16(stream, std::uint32_t(~length & 0xFFFF));
        stream += head.substr(at, length);
    }
    return stream + CZipBuilder::DeflateZeros(mebibytes);
}

std::string PngHeader(std::uint32_t side)
{
    std::string png("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    for (int i = 0; i < 2; ++i) {
        for (int shift = 24; shift >= 0; shift -= 8) png += char((side >> shift) & 0xFF);
    }
    return png + std::string("\x08\x06\0\0\0\0\0\0\0", 9);
}

CZipBuilder::Entry Inflating(const std::string& path, const std::string& head, std::size_t mebibytes, std::int64_t declared)
{
    CZipBuilder::Entry entry;
    entry.name = path;
    entry.rawData = DeflatedAfter(head, mebibytes);
    entry.declaredSize = declared;
    return entry;
}

std::string LayerList(int items, int offsetDp)
{
    CAxmlBuilder xml;
    xml.Start(u"layer-list");
    for (int i = 1; i <= items; ++i) {
        std::vector<CAxmlBuilder::Attribute> item = {CAxmlBuilder::Reference(u"drawable", 0x01010199, Id(kDrawable, std::uint16_t(i)))};
        if (offsetDp != 0) {
            item.push_back(DrawableXml::Dp(u"left", 0x010101ad, offsetDp));
            item.push_back(DrawableXml::Dp(u"right", 0x010101af, -offsetDp));
        }
        xml.Start(u"item", item).End();
    }
    xml.End();
    return xml.Build();
}

}  // namespace

CraftedPackage CCraftedPackages::ChainThroughConfigurations(int paths, int configurations)
{
    CArscBuilder table;
    CZipBuilder zip;
    for (std::uint16_t step = 0; step + 1 < kChainSteps; ++step) table.SetReference(kDimen, step, {}, Id(kDimen, step + 1));
    float one = 1;
    std::uint32_t bits = 0;
    std::memcpy(&bits, &one, sizeof bits);
    table.Set(kDimen, kChainSteps - 1, {}, 0x04, bits);
    const std::uint32_t chain = Id(kDimen, 0);
    std::vector<CAxmlBuilder::Attribute> path = {
        DrawableXml::Colour(u"fillColor", 0x01010404, 0xFF336699), DrawableXml::PathData(u"M4,4h40v40h-40z"),
        CAxmlBuilder::Reference(u"strokeWidth", 0x01010407, chain), CAxmlBuilder::Reference(u"strokeAlpha", 0x010104cb, chain),
        CAxmlBuilder::Reference(u"fillAlpha", 0x010104cc, chain), CAxmlBuilder::Reference(u"trimPathEnd", 0x01010409, chain),
        CAxmlBuilder::Reference(u"strokeMiterLimit", 0x0101040d, chain)};
    AddFile(table, zip, 0, "res/drawable/icon.xml", Vector(std::vector<std::vector<CAxmlBuilder::Attribute>>(std::size_t(paths), path)));
    const std::string name = "chain_" + std::to_string(paths) + "_paths_" + std::to_string(configurations) + "_configs";
    return Finish(name, zip, WithConfigurations(table.Build(), kDimen, configurations), "icon");
}

CraftedPackage CCraftedPackages::PromisingLayers()
{
    CArscBuilder table;
    CZipBuilder zip;
    AddFile(table, zip, 0, "res/drawable/icon.xml", LayerList(64, 0));
    for (int i = 1; i <= 64; ++i) {
        const std::string path = "res/drawable/layer" + std::to_string(i) + ".png";
        AddFile(table, zip, std::uint16_t(i), path, "");
        zip.Add(Inflating(path, PngHeader(4096), 7, 7 * kMiB + 33));
    }
    return Finish("promising_layers", zip, table.Build(), "decoding");
}

CraftedPackage CCraftedPackages::InflatingPngs()
{
    CArscBuilder table;
    CZipBuilder zip;
    for (int i = 0; i < 64; ++i) {
        const std::string path = "res/mipmap-" + std::to_string(i) + "/icon.png";
        AddFile(table, zip, 0, path, "", std::uint16_t(100 + i));
        zip.Add(Inflating(path, PngHeader(192), 9, 8 * kMiB));
    }
    return Finish("inflating_pngs", zip, table.Build(), "icon");
}

CraftedPackage CCraftedPackages::GifScreens()
{
    std::string gif("GIF89a\x01\0\x01\0\x80\0\0", 13);
    gif += std::string("\0\0\0\xff\xff\xff", 6);  // two colours
    gif += std::string("\x2c\0\0\0\0\0\x10\0\x10\x00", 10);  // a frame of 4,096 x 4,096 at 0, 0
    gif += std::string("\x02\x01\x2c\0\x3b", 5);  // clear, end of data; the trailer
    CArscBuilder table;
    CZipBuilder zip;
    AddFile(table, zip, 0, "res/drawable/icon.xml", LayerList(64, 500));
    for (int i = 1; i <= 64; ++i) AddFile(table, zip, std::uint16_t(i), "res/drawable/frame" + std::to_string(i) + ".gif", gif);
    return Finish("gif_screens", zip, table.Build(), "decoding");
}

CraftedPackage CCraftedPackages::GradientStops(bool radial)
{
    CAxmlBuilder gradient;
    std::vector<CAxmlBuilder::Attribute> attributes = {CAxmlBuilder::Int(u"type", 0x010101a1, radial ? 1 : 0)};
    if (radial) {
        attributes.push_back(DrawableXml::Float(u"centerX", 0x010101a2, 24));
        attributes.push_back(DrawableXml::Float(u"centerY", 0x010101a3, 24));
        attributes.push_back(DrawableXml::Float(u"gradientRadius", 0x010101a4, 30));
    } else {
        attributes.push_back(DrawableXml::Float(u"startX", 0x01010510, 0));
        attributes.push_back(DrawableXml::Float(u"endX", 0x01010512, 48));
        attributes.push_back(DrawableXml::Float(u"endY", 0x01010513, 48));
    }
    gradient.Start(u"gradient", attributes);
    for (int i = 0; i < 10000; ++i) {
        gradient.Start(u"item", {DrawableXml::Float(u"offset", 0x01010514, float(i) / 10000),
                                 DrawableXml::Colour(u"color", 0x010101a5, 0xFF000000u | std::uint32_t(i * 1677))}).End();
    }
    gradient.End();
    CArscBuilder table;
    CZipBuilder zip;
    const std::vector<CAxmlBuilder::Attribute> path = {CAxmlBuilder::Reference(u"fillColor", 0x01010404, Id(kDrawable, 1)),
                                                       DrawableXml::PathData(u"M0,0h48v48h-48z")};
    AddFile(table, zip, 0, "res/drawable/icon.xml", Vector(std::vector<std::vector<CAxmlBuilder::Attribute>>(radial ? 1 : 8, path)));
    AddFile(table, zip, 1, "res/drawable/gradient.xml", gradient.Build());
    return Finish(radial ? "radial_stops" : "linear_stops", zip, table.Build(), "drawing");
}

CraftedPackage CCraftedPackages::DeflatedTable()
{
    CArscBuilder table;
    table.SetString(kString, 0, {}, u"Crafted table");
    std::string bytes = table.Build();
    const std::size_t real = bytes.size();
    CChunkWriter::Set32(bytes, 4, std::uint32_t(real + 64 * kMiB));
    CZipBuilder zip;
    zip.Add("AndroidManifest.xml", Manifest(CAxmlBuilder::Reference(u"label", 0x01010001, Id(kString, 0))));
    CZipBuilder::Entry entry = Inflating("resources.arsc", bytes, 64, std::int64_t(real + 64 * kMiB));
    zip.Add(entry);
    return {"deflated_table", zip.Build(), "resources"};
}

CraftedPackage CCraftedPackages::ManyRecords()
{
    CArscBuilder table;
    CZipBuilder zip;
    for (int i = 0; i < 64; ++i) AddFile(table, zip, 0, "res/missing-" + std::to_string(i) + ".png", "", std::uint16_t(100 + i));
    CraftedPackage package = Finish("many_records", zip, table.Build(), "directory");
    // Records of one empty file each, put in the directory after the real ones.
    std::string& bytes = package.bytes;
    const std::size_t end = bytes.size() - 22;
    const std::uint32_t directorySize = Get32(bytes, end + 12);
    const std::uint32_t directoryAt = Get32(bytes, end + 16);
    std::string records;
    records.reserve(500000 * 58);
    for (int i = 0; i < 500000; ++i) {
        const std::string name = "assets/" + std::to_string(1000000 + i);
        std::string record(46, '\0');
        CChunkWriter::Set32(record, 0, 0x02014b50);
        record[28] = char(name.size());
        records += record + name;
    }
    std::string eocd = bytes.substr(end);
    CChunkWriter::Set32(eocd, 12, std::uint32_t(directorySize + records.size()));
    eocd[8] = eocd[9] = eocd[10] = eocd[11] = char(0xFF);
    bytes = bytes.substr(0, directoryAt + directorySize) + records + eocd;
    return package;
}

CraftedPackage CCraftedPackages::WideStroke(float width)
{
    CAxmlBuilder xml;
    xml.Start(u"vector", {DrawableXml::Dp(u"width", 0x01010159, 108), DrawableXml::Dp(u"height", 0x01010155, 108),
                          DrawableXml::Float(u"viewportWidth", 0x01010402, 108),
                          DrawableXml::Float(u"viewportHeight", 0x01010403, 108)});
    xml.Start(u"path", {DrawableXml::Colour(u"strokeColor", 0x01010406, 0xFF2060A0), DrawableXml::PathData(u"M4,4h100v100h-100z"),
                        DrawableXml::Float(u"strokeWidth", 0x01010407, width)}).End();
    xml.End();
    CArscBuilder table;
    CZipBuilder zip;
    AddFile(table, zip, 0, "res/drawable/icon.xml", xml.Build());
    return Finish("wide_stroke", zip, table.Build(), "none");
}

std::vector<CraftedPackage> CCraftedPackages::All()
{
    return {ChainThroughConfigurations(100, 8192), ChainThroughConfigurations(10000, 8192), ChainThroughConfigurations(10000, 1),
            PromisingLayers(), InflatingPngs(), GifScreens(), GradientStops(true), GradientStops(false), DeflatedTable(),
            ManyRecords()};
}
