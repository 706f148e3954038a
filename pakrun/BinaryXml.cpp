#include "BinaryXml.h"

#include "ResChunk.h"

namespace {

constexpr std::size_t kNodeHeaderSize = 16;  // chunk header, line number, comment
constexpr std::size_t kElementExtSize = 20;
constexpr std::size_t kMinAttributeSize = 20;

}  // namespace

bool CBinaryXml::Load(CByteView data)
{
    *this = CBinaryXml();
    CResChunk document;
    if (!document.Read(data, 0) || document.Type() != ResChunkType::kXml) return false;
    m_data = document.Whole();
    m_nBodyStart = document.HeaderSize();

    // The pool and the map come before the first element.
    CResChunk chunk;
    for (std::size_t offset = m_nBodyStart; chunk.Read(m_data, offset); offset = chunk.NextOffset()) {
        if (chunk.Type() == ResChunkType::kStringPool && m_strings.Count() == 0) {
            m_strings.Load(chunk.Whole(), chunk.HeaderSize());
        } else if (chunk.Type() == ResChunkType::kXmlResourceMap && m_resourceMap.Empty()) {
            m_resourceMap = chunk.Body();
        } else if (chunk.Type() == ResChunkType::kXmlStartElement) {
            break;
        }
    }
    return true;
}

void CBinaryXml::ForEachElement(const std::function<bool(const XmlElement&)>& visit) const
{
    int depth = 0;
    XmlElement element;
    CResChunk chunk;
    for (std::size_t offset = m_nBodyStart; chunk.Read(m_data, offset); offset = chunk.NextOffset()) {
        if (chunk.Type() == ResChunkType::kXmlEndElement) {
            if (depth > 0) --depth;
            continue;
        }
        if (chunk.Type() != ResChunkType::kXmlStartElement) continue;
        ++depth;
        if (!ReadElement(chunk.Whole(), chunk.HeaderSize(), element)) continue;
        element.depth = depth;
        if (!visit(element)) return;
    }
}

bool CBinaryXml::ReadElement(CByteView chunk, std::size_t headerSize, XmlElement& element) const
{
    element.attributes.clear();
    if (headerSize < kNodeHeaderSize || !chunk.Contains(headerSize, kElementExtSize)) return false;
    const std::size_t ext = headerSize;
    element.name = chunk.U32At(ext + 4);
    const std::size_t attributeStart = chunk.U16At(ext + 8);
    const std::size_t attributeSize = chunk.U16At(ext + 10);
    const std::size_t count = chunk.U16At(ext + 12);
    if (attributeSize < kMinAttributeSize) return count == 0;
    const std::size_t first = ext + attributeStart;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint64_t place = std::uint64_t(first) + std::uint64_t(i) * attributeSize;
        if (place >= chunk.Size()) break;
        const std::size_t at = static_cast<std::size_t>(place);
        if (!chunk.Contains(at, kMinAttributeSize)) break;
        XmlAttribute attribute;
        attribute.name = chunk.U32At(at + 4);
        attribute.rawValue = chunk.U32At(at + 8);
        attribute.value.type = chunk.Data()[at + 15];
        attribute.value.data = chunk.U32At(at + 16);
        if (attribute.name < m_resourceMap.Size() / 4) {
            attribute.resourceId = m_resourceMap.U32At(std::size_t(attribute.name) * 4);
        }
        element.attributes.push_back(attribute);
    }
    return true;
}

bool CBinaryXml::NameIs(std::uint32_t stringIndex, const char* ascii) const
{
    return m_strings.Equals(stringIndex, ascii);
}

const XmlAttribute* CBinaryXml::Find(const XmlElement& element, std::uint32_t resourceId, const char* name) const
{
    for (const XmlAttribute& attribute : element.attributes) {
        if (resourceId != 0 && attribute.resourceId == resourceId) return &attribute;
    }
    if (!name) return nullptr;
    for (const XmlAttribute& attribute : element.attributes) {
        if (attribute.resourceId == 0 && NameIs(attribute.name, name)) return &attribute;
    }
    return nullptr;
}

bool CBinaryXml::Text(const XmlAttribute& attribute, std::u16string& out) const
{
    if (attribute.value.type == ResValue::kString && m_strings.Get(attribute.value.data, out)) return true;
    return m_strings.Get(attribute.rawValue, out);
}
