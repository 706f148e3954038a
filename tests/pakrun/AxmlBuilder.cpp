#include "AxmlBuilder.h"

#include <map>
#include <utility>

#include "ChunkWriter.h"

namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFF;

// Strings of the document: names with resource ids first, in the order of the map.
class CPoolIndex {
public:
    std::uint32_t WithId(const std::u16string& name, std::uint32_t id)
    {
        const auto key = std::make_pair(name, id);
        const auto found = m_ids.find(key);
        if (found != m_ids.end()) return found->second;
        const std::uint32_t index = std::uint32_t(m_strings.size());
        m_strings.push_back(name);
        m_resourceIds.push_back(id);
        m_ids[key] = index;
        return index;
    }
    std::uint32_t Plain(const std::u16string& text)
    {
        const auto found = m_plain.find(text);
        if (found != m_plain.end()) return found->second;
        const std::uint32_t index = std::uint32_t(m_strings.size());
        m_strings.push_back(text);
        m_plain[text] = index;
        return index;
    }
    const std::vector<std::u16string>& Strings() const { return m_strings; }
    const std::vector<std::uint32_t>& ResourceIds() const { return m_resourceIds; }

private:
    std::vector<std::u16string> m_strings;
    std::vector<std::uint32_t> m_resourceIds;
    std::map<std::pair<std::u16string, std::uint32_t>, std::uint32_t> m_ids;
    std::map<std::u16string, std::uint32_t> m_plain;
};

}  // namespace

CAxmlBuilder::Attribute CAxmlBuilder::Text(const std::u16string& name, std::uint32_t resourceId, const std::u16string& text)
{
    return Attribute{name, resourceId, 0x03, 0, text};
}

CAxmlBuilder::Attribute CAxmlBuilder::Int(const std::u16string& name, std::uint32_t resourceId, std::uint32_t value)
{
    return Attribute{name, resourceId, 0x10, value, {}};
}

CAxmlBuilder::Attribute CAxmlBuilder::Reference(const std::u16string& name, std::uint32_t resourceId, std::uint32_t id)
{
    return Attribute{name, resourceId, 0x01, id, {}};
}

CAxmlBuilder& CAxmlBuilder::Start(const std::u16string& name, const std::vector<Attribute>& attributes)
{
    m_nodes.push_back(Node{true, name, attributes});
    return *this;
}

CAxmlBuilder& CAxmlBuilder::End()
{
    m_nodes.push_back(Node{false, {}, {}});
    return *this;
}

std::string CAxmlBuilder::Build() const
{
    CPoolIndex pool;
    for (const Node& node : m_nodes) {
        for (const Attribute& attribute : node.attributes) {
            if (attribute.resourceId != 0) pool.WithId(attribute.name, attribute.resourceId);
        }
    }
    std::string body;
    std::vector<std::uint32_t> open;
    for (const Node& node : m_nodes) {
        std::string chunk;
        if (node.start) {
            const std::uint32_t name = pool.Plain(node.name);
            open.push_back(name);
            CChunkWriter::Put16(chunk, 0x0102);
            CChunkWriter::Put16(chunk, 16);
            CChunkWriter::Put32(chunk, 0);
            CChunkWriter::Put32(chunk, 1);
            CChunkWriter::Put32(chunk, kNone);
            CChunkWriter::Put32(chunk, kNone);
            CChunkWriter::Put32(chunk, name);
            CChunkWriter::Put16(chunk, 20);
            CChunkWriter::Put16(chunk, 20);
            CChunkWriter::Put16(chunk, std::uint32_t(node.attributes.size()));
            CChunkWriter::Put16(chunk, 0);
            CChunkWriter::Put16(chunk, 0);
            CChunkWriter::Put16(chunk, 0);
            for (const Attribute& attribute : node.attributes) {
                const std::uint32_t attributeName =
                    attribute.resourceId != 0 ? pool.WithId(attribute.name, attribute.resourceId) : pool.Plain(attribute.name);
                const bool isText = attribute.type == 0x03;
                const std::uint32_t text = isText ? pool.Plain(attribute.text) : kNone;
                CChunkWriter::Put32(chunk, kNone);
                CChunkWriter::Put32(chunk, attributeName);
                CChunkWriter::Put32(chunk, text);
                CChunkWriter::Put16(chunk, 8);
                CChunkWriter::Put8(chunk, 0);
                CChunkWriter::Put8(chunk, attribute.type);
                CChunkWriter::Put32(chunk, isText ? text : attribute.data);
            }
        } else {
            CChunkWriter::Put16(chunk, 0x0103);
            CChunkWriter::Put16(chunk, 16);
            CChunkWriter::Put32(chunk, 24);
            CChunkWriter::Put32(chunk, 1);
            CChunkWriter::Put32(chunk, kNone);
            CChunkWriter::Put32(chunk, kNone);
            CChunkWriter::Put32(chunk, open.empty() ? kNone : open.back());
            if (!open.empty()) open.pop_back();
        }
        CChunkWriter::Set32(chunk, 4, std::uint32_t(chunk.size()));
        body += chunk;
    }
    std::string map;
    CChunkWriter::Put16(map, 0x0180);
    CChunkWriter::Put16(map, 8);
    CChunkWriter::Put32(map, 8 + 4 * std::uint32_t(pool.ResourceIds().size()));
    for (std::uint32_t id : pool.ResourceIds()) CChunkWriter::Put32(map, id);

    std::string document;
    CChunkWriter::Put16(document, 0x0003);
    CChunkWriter::Put16(document, 8);
    CChunkWriter::Put32(document, 0);
    document += CChunkWriter::StringPool(pool.Strings(), m_bUtf8);
    document += map;
    document += body;
    CChunkWriter::Set32(document, 4, std::uint32_t(document.size()));
    return document;
}

std::string CAxmlBuilder::Manifest(const std::u16string& package, const std::vector<std::u16string>& permissions, bool utf8)
{
    CAxmlBuilder builder(utf8);
    builder.Start(u"manifest", {Text(u"package", 0, package), Int(u"versionCode", 0x0101021b, 7),
                                Text(u"versionName", 0x0101021c, u"7.0")});
    builder.Start(u"uses-sdk", {Int(u"minSdkVersion", 0x0101020c, 21)}).End();
    for (const std::u16string& permission : permissions) {
        builder.Start(u"uses-permission", {Text(u"name", 0x01010003, permission)}).End();
    }
    builder.Start(u"application", {Text(u"label", 0x01010001, u"Built")}).End();
    builder.End();
    return builder.Build();
}
