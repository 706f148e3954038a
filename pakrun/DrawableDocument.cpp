#include "DrawableDocument.h"

#include "ValueNumbers.h"

namespace {

// android:state_focused to state_pressed, state_activated, state_hovered and its neighbours.
bool IsStateAttribute(std::uint32_t id)
{
    return (id >= 0x0101009c && id <= 0x010100a7) || id == 0x010102fe || (id >= 0x01010367 && id <= 0x01010369);
}

}  // namespace

bool CDrawableDocument::Load(std::vector<std::uint8_t> bytes)
{
    m_bytes = std::move(bytes);
    m_nodes.clear();
    if (!m_xml.Load(CByteView(m_bytes.data(), m_bytes.size()))) return false;
    // The open elements from the root down; each node's parent is the last one less deep.
    std::vector<std::size_t> open;
    m_xml.ForEachElement([&](const XmlElement& element) {
        while (!open.empty() && m_nodes[open.back()].element.depth >= element.depth) open.pop_back();
        if (open.empty() && !m_nodes.empty()) return false;  // a second root ends the document
        const std::size_t index = m_nodes.size();
        if (!open.empty()) m_nodes[open.back()].children.push_back(index);
        m_nodes.push_back(DrawableNode{element, {}});
        open.push_back(index);
        return m_nodes.size() < kMaxElements;
    });
    return !m_nodes.empty();
}

bool CDrawableDocument::NameIs(const DrawableNode& node, const char* name) const
{
    return m_xml.NameIs(node.element.name, name);
}

bool CDrawableDocument::RawValue(const DrawableNode& node, std::uint32_t resourceId, const char* name,
                                 ResValue& out) const
{
    const XmlAttribute* attribute = m_xml.Find(node.element, resourceId, name);
    if (!attribute) return false;
    out = attribute->value;
    return true;
}

bool CDrawableDocument::Value(const DrawableNode& node, std::uint32_t resourceId, const char* name,
                              const CResourceResolver& resolver, ResValue& out) const
{
    ResValue raw;
    if (!RawValue(node, resourceId, name, raw)) return false;
    if (!raw.IsReference()) {
        out = raw;
        return true;
    }
    return resolver.DefaultValue(raw, out);
}

bool CDrawableDocument::Text(const DrawableNode& node, std::uint32_t resourceId, const char* name,
                             const CResourceResolver& resolver, std::u16string& out) const
{
    const XmlAttribute* attribute = m_xml.Find(node.element, resourceId, name);
    if (!attribute) return false;
    if (attribute->value.IsReference()) return resolver.DefaultText(attribute->value, std::u16string(), out);
    return m_xml.Text(*attribute, out);
}

float CDrawableDocument::FloatOr(const DrawableNode& node, std::uint32_t resourceId, const char* name,
                                 const CResourceResolver& resolver, float fallback) const
{
    ResValue value;
    float number = 0;
    return Value(node, resourceId, name, resolver, value) && CValueNumbers::Float(value, number) ? number : fallback;
}

float CDrawableDocument::DimensionOr(const DrawableNode& node, std::uint32_t resourceId, const char* name,
                                     const CResourceResolver& resolver, float fallback) const
{
    ResValue value;
    float number = 0;
    return Value(node, resourceId, name, resolver, value) && CValueNumbers::Dimension(value, number) ? number
                                                                                                     : fallback;
}

std::int32_t CDrawableDocument::IntegerOr(const DrawableNode& node, std::uint32_t resourceId, const char* name,
                                          const CResourceResolver& resolver, std::int32_t fallback) const
{
    ResValue value;
    std::int32_t number = 0;
    return Value(node, resourceId, name, resolver, value) && CValueNumbers::Integer(value, number) ? number
                                                                                                  : fallback;
}

bool CDrawableDocument::NamesState(const DrawableNode& node)
{
    for (const XmlAttribute& attribute : node.element.attributes) {
        if (IsStateAttribute(attribute.resourceId)) return true;
    }
    return false;
}

bool CDrawableDocument::AsksForState(const DrawableNode& node)
{
    for (const XmlAttribute& attribute : node.element.attributes) {
        if (IsStateAttribute(attribute.resourceId) && attribute.value.data != 0) return true;
    }
    return false;
}
