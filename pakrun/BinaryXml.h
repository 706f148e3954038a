// Android's binary XML (AndroidManifest.xml, adaptive-icon files): walks the start
// elements with their depth and typed attributes. Attributes are best found by their
// resource ids, because packers blank the attribute names.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ByteView.h"
#include "ResValue.h"
#include "StringPool.h"

struct XmlAttribute {
    std::uint32_t name = 0xFFFFFFFF;      // string index
    std::uint32_t rawValue = 0xFFFFFFFF;  // string index of the text as written, if kept
    std::uint32_t resourceId = 0;         // from the resource map; 0 when it has none
    ResValue value;
};

struct XmlElement {
    std::uint32_t name = 0xFFFFFFFF;
    int depth = 0;  // 1 for the root element
    std::vector<XmlAttribute> attributes;
};

class CBinaryXml {
public:
    // Checks the document header and finds the string pool and resource map. False when
    // the data is no binary XML document.
    bool Load(CByteView data);

    const CStringPool& Strings() const { return m_strings; }

    // Calls visit for each start element in document order until it returns false or the
    // document (or what can be read of it) ends.
    void ForEachElement(const std::function<bool(const XmlElement&)>& visit) const;

    bool NameIs(std::uint32_t stringIndex, const char* ascii) const;

    // The attribute with this resource id; without one, the attribute of this name that
    // has no resource id (as hand-made documents have).
    const XmlAttribute* Find(const XmlElement& element, std::uint32_t resourceId, const char* name) const;

    // The text of a string attribute: its string value, else its raw text.
    bool Text(const XmlAttribute& attribute, std::u16string& out) const;

private:
    bool ReadElement(CByteView chunk, std::size_t headerSize, XmlElement& element) const;

    CByteView m_data;
    std::size_t m_nBodyStart = 0;
    CStringPool m_strings;
    CByteView m_resourceMap;
};
