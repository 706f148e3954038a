// A drawable's binary XML document as a tree of elements, with its attributes read as
// typed values: references followed through the resource table in the default
// configuration, theme attributes left as they are.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "BinaryXml.h"
#include "ResourceResolver.h"

struct DrawableNode {
    XmlElement element;
    std::vector<std::size_t> children;  // indexes of the child nodes, in document order
};

class CDrawableDocument {
public:
    // Elements beyond this many are left out; no icon has a fraction of them.
    static constexpr std::size_t kMaxElements = 16384;

    CDrawableDocument() = default;
    // The parsed document points into the bytes it keeps: moved along, never copied.
    CDrawableDocument(const CDrawableDocument&) = delete;
    CDrawableDocument& operator=(const CDrawableDocument&) = delete;
    CDrawableDocument(CDrawableDocument&&) = default;
    CDrawableDocument& operator=(CDrawableDocument&&) = default;

    // Takes the bytes and keeps them. False when they are no binary XML with a root element.
    bool Load(std::vector<std::uint8_t> bytes);

    const DrawableNode& Root() const { return m_nodes.front(); }
    const DrawableNode& Node(std::size_t index) const { return m_nodes[index]; }
    bool NameIs(const DrawableNode& node, const char* name) const;

    // The attribute's value, with a reference followed to what it stands for; false when
    // the attribute is absent or its reference leads nowhere.
    bool Value(const DrawableNode& node, std::uint32_t resourceId, const char* name, const CResourceResolver& resolver,
               ResValue& out) const;
    // Numbers of the attribute (see CValueNumbers), or fallback when it has none.
    float FloatOr(const DrawableNode& node, std::uint32_t resourceId, const char* name,
                  const CResourceResolver& resolver, float fallback) const;
    float DimensionOr(const DrawableNode& node, std::uint32_t resourceId, const char* name,
                      const CResourceResolver& resolver, float fallback) const;
    std::int32_t IntegerOr(const DrawableNode& node, std::uint32_t resourceId, const char* name,
                           const CResourceResolver& resolver, std::int32_t fallback) const;
    // State lists: whether an item names any state (android:state_pressed and the like),
    // and whether it asks for one to be true, which nothing pressed or checked fulfils.
    static bool NamesState(const DrawableNode& node);
    static bool AsksForState(const DrawableNode& node);
    // The attribute as written in the document, references not followed.
    bool RawValue(const DrawableNode& node, std::uint32_t resourceId, const char* name, ResValue& out) const;
    // A string attribute's text, also when it refers to a string resource.
    bool Text(const DrawableNode& node, std::uint32_t resourceId, const char* name, const CResourceResolver& resolver,
              std::u16string& out) const;

private:
    std::vector<std::uint8_t> m_bytes;
    CBinaryXml m_xml;
    std::vector<DrawableNode> m_nodes;
};
