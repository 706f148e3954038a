// A small reader for textual XML in UTF-8, enough for our own language file: elements,
// attributes, text, comments, the declaration and the five named and numeric entities.
// Anything malformed makes the whole document fail; no DTDs, no namespaces.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct XmlNode {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::string text;  // the element's own character data, concatenated
    std::vector<XmlNode> children;

    // The attribute's value, or null.
    const std::string* Attribute(std::string_view attributeName) const;
    // The first child of that name, or null.
    const XmlNode* Child(std::string_view childName) const;
};

class CXmlTextReader {
public:
    static constexpr int kMaxDepth = 32;

    // Parses the whole document into root. False on any syntax error.
    static bool Parse(std::string_view document, XmlNode& root);
};
