#include "ArscBuilder.h"

#include <algorithm>
#include <map>

#include "ChunkWriter.h"

namespace {

constexpr std::uint32_t kConfigSize = 64;

bool SameConfig(const CArscBuilder::Config& a, const CArscBuilder::Config& b)
{
    return a.language == b.language && a.region == b.region && a.density == b.density && a.uiMode == b.uiMode;
}

std::string ConfigBytes(const CArscBuilder::Config& config)
{
    std::string bytes(kConfigSize, '\0');
    CChunkWriter::Set32(bytes, 0, kConfigSize);
    for (std::size_t i = 0; i < 2 && i < config.language.size(); ++i) bytes[8 + i] = config.language[i];
    for (std::size_t i = 0; i < 2 && i < config.region.size(); ++i) bytes[10 + i] = config.region[i];
    bytes[14] = char(config.density & 0xFF);
    bytes[15] = char(config.density >> 8);
    bytes[29] = char(config.uiMode);
    return bytes;
}

std::string UnknownChunk()
{
    std::string chunk;
    CChunkWriter::Put16(chunk, 0x0777);
    CChunkWriter::Put16(chunk, 12);
    CChunkWriter::Put32(chunk, 20);
    CChunkWriter::Put32(chunk, 0xDEADBEEF);
    CChunkWriter::Put32(chunk, 0x01020304);
    CChunkWriter::Put32(chunk, 0x05060708);
    return chunk;
}

}  // namespace

std::uint32_t CArscBuilder::String(const std::u16string& text)
{
    const auto found = std::find(m_strings.begin(), m_strings.end(), text);
    if (found != m_strings.end()) return std::uint32_t(found - m_strings.begin());
    m_strings.push_back(text);
    return std::uint32_t(m_strings.size() - 1);
}

CArscBuilder& CArscBuilder::Set(std::uint8_t typeId, std::uint16_t entry, const Config& config, std::uint8_t type,
                                std::uint32_t data)
{
    m_values.push_back(Value{typeId, entry, config, type, data});
    return *this;
}

CArscBuilder& CArscBuilder::SetString(std::uint8_t typeId, std::uint16_t entry, const Config& config, const std::u16string& text)
{
    return Set(typeId, entry, config, 0x03, String(text));
}

CArscBuilder& CArscBuilder::SetReference(std::uint8_t typeId, std::uint16_t entry, const Config& config, std::uint32_t id)
{
    return Set(typeId, entry, config, 0x01, id);
}

std::string CArscBuilder::TypeChunk(std::uint8_t typeId, const Config& config) const
{
    std::map<std::uint16_t, const Value*> entries;
    for (const Value& value : m_values) {
        if (value.typeId == typeId && SameConfig(value.config, config)) entries[value.entry] = &value;
    }
    const std::uint32_t entryCount = entries.empty() ? 0 : std::uint32_t(entries.rbegin()->first) + 1;
    const bool compact = m_layout == Layout::Compact;
    const std::uint32_t entrySize = compact ? 8 : 16;

    std::string index;
    std::string data;
    if (m_layout == Layout::Sparse) {
        for (const auto& [entry, value] : entries) {
            CChunkWriter::Put16(index, entry);
            CChunkWriter::Put16(index, std::uint32_t(data.size()) / 4);
            data += std::string(entrySize, '\0');
        }
    } else {
        for (std::uint32_t entry = 0; entry < entryCount; ++entry) {
            const bool present = entries.count(std::uint16_t(entry)) != 0;
            const std::uint32_t offset = present ? std::uint32_t(data.size()) : 0xFFFFFFFFu;
            if (m_layout == Layout::Offset16) CChunkWriter::Put16(index, present ? offset / 4 : 0xFFFF);
            else CChunkWriter::Put32(index, offset);
            if (present) data += std::string(entrySize, '\0');
        }
    }
    CChunkWriter::PadTo4(index);
    // Fill the entries in place.
    std::size_t at = 0;
    for (const auto& [entry, value] : entries) {
        std::string bytes;
        if (compact) {
            CChunkWriter::Put16(bytes, 0);
            CChunkWriter::Put16(bytes, 0x0008 | (std::uint32_t(value->type) << 8));
            CChunkWriter::Put32(bytes, value->data);
        } else {
            CChunkWriter::Put16(bytes, 8);
            CChunkWriter::Put16(bytes, 0);
            CChunkWriter::Put32(bytes, 0);
            CChunkWriter::Put16(bytes, 8);
            CChunkWriter::Put8(bytes, 0);
            CChunkWriter::Put8(bytes, value->type);
            CChunkWriter::Put32(bytes, value->data);
        }
        data.replace(at, entrySize, bytes);
        at += entrySize;
    }

    const std::uint32_t headerSize = 20 + kConfigSize;
    std::string chunk;
    CChunkWriter::Put16(chunk, 0x0201);
    CChunkWriter::Put16(chunk, headerSize);
    CChunkWriter::Put32(chunk, 0);
    CChunkWriter::Put8(chunk, typeId);
    std::uint32_t flags = m_layout == Layout::Sparse ? 0x01 : (m_layout == Layout::Offset16 ? 0x02 : 0);
    CChunkWriter::Put8(chunk, flags);
    CChunkWriter::Put16(chunk, m_bReservedFilled ? 0xA5A5 : 0);
    CChunkWriter::Put32(chunk, m_layout == Layout::Sparse ? std::uint32_t(entries.size()) : entryCount);
    CChunkWriter::Put32(chunk, headerSize + std::uint32_t(index.size()));
    chunk += ConfigBytes(config);
    chunk += index;
    chunk += data;
    CChunkWriter::Set32(chunk, 4, std::uint32_t(chunk.size()));
    return chunk;
}

std::string CArscBuilder::Build() const
{
    std::vector<std::uint8_t> typeIds;
    for (const Value& value : m_values) {
        if (std::find(typeIds.begin(), typeIds.end(), value.typeId) == typeIds.end()) typeIds.push_back(value.typeId);
    }
    std::string package;
    CChunkWriter::Put16(package, 0x0200);
    CChunkWriter::Put16(package, 288);
    CChunkWriter::Put32(package, 0);
    CChunkWriter::Put32(package, m_nPackageId);
    std::string name(256, '\0');
    const char* packageName = "org.example.test";
    for (std::size_t i = 0; packageName[i] != '\0'; ++i) name[i * 2] = packageName[i];
    package += name;
    const std::size_t typeStringsAt = package.size();
    CChunkWriter::Put32(package, 0);
    CChunkWriter::Put32(package, 0);
    const std::size_t keyStringsAt = package.size();
    CChunkWriter::Put32(package, 0);
    CChunkWriter::Put32(package, 0);
    CChunkWriter::Put32(package, m_bReservedFilled ? 0x11 : 0);  // typeIdOffset
    CChunkWriter::Set32(package, typeStringsAt, std::uint32_t(package.size()));
    std::vector<std::u16string> typeNames;
    for (std::uint8_t id = 1; id <= (typeIds.empty() ? 1 : *std::max_element(typeIds.begin(), typeIds.end())); ++id) {
        typeNames.push_back(u"type" + std::u16string(1, char16_t(u'0' + id % 10)));
    }
    package += CChunkWriter::StringPool(typeNames, true);
    CChunkWriter::Set32(package, keyStringsAt, std::uint32_t(package.size()));
    package += CChunkWriter::StringPool({u"key"}, true);
    if (m_bUnknownChunks) package += UnknownChunk();

    for (std::uint8_t typeId : typeIds) {
        std::vector<Config> configs;
        for (const Value& value : m_values) {
            if (value.typeId != typeId) continue;
            const bool known = std::any_of(configs.begin(), configs.end(), [&](const Config& c) { return SameConfig(c, value.config); });
            if (!known) configs.push_back(value.config);
        }
        for (const Config& config : configs) {
            package += TypeChunk(typeId, config);
            if (m_bUnknownChunks) package += UnknownChunk();
        }
    }
    std::string filler;
    CChunkWriter::Put16(filler, 0x0201);
    CChunkWriter::Put16(filler, 20);
    CChunkWriter::Put32(filler, 20);
    CChunkWriter::Put8(filler, m_nFillerTypeId);
    CChunkWriter::Put8(filler, 0);
    CChunkWriter::Put16(filler, 0);
    CChunkWriter::Put32(filler, 0);
    CChunkWriter::Put32(filler, 20);
    package.reserve(package.size() + filler.size() * m_nFillerCount);
    for (std::size_t i = 0; i < m_nFillerCount; ++i) package += filler;
    CChunkWriter::Set32(package, 4, std::uint32_t(package.size()));

    std::string table;
    CChunkWriter::Put16(table, 0x0002);
    CChunkWriter::Put16(table, 12);
    CChunkWriter::Put32(table, 0);
    CChunkWriter::Put32(table, 1);
    table += CChunkWriter::StringPool(m_strings, m_bUtf8);
    if (m_bUnknownChunks) table += UnknownChunk();
    table += package;
    CChunkWriter::Set32(table, 4, std::uint32_t(table.size()));
    return table;
}
