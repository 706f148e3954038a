// Builds binary XML documents for tests: elements with typed attributes, string pools in
// UTF-8 or UTF-16, attribute names that carry resource ids (and may be blanked).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CAxmlBuilder {
public:
    struct Attribute {
        std::u16string name;
        std::uint32_t resourceId = 0;
        std::uint8_t type = 0x03;
        std::uint32_t data = 0;
        std::u16string text;  // for string values
    };

    static Attribute Text(const std::u16string& name, std::uint32_t resourceId, const std::u16string& text);
    static Attribute Int(const std::u16string& name, std::uint32_t resourceId, std::uint32_t value);
    static Attribute Reference(const std::u16string& name, std::uint32_t resourceId, std::uint32_t id);

    explicit CAxmlBuilder(bool utf8 = false) : m_bUtf8(utf8) {}

    CAxmlBuilder& Start(const std::u16string& name, const std::vector<Attribute>& attributes = {});
    CAxmlBuilder& End();

    std::string Build() const;

    // A manifest: package, versions, and the given permissions, with an application.
    static std::string Manifest(const std::u16string& package, const std::vector<std::u16string>& permissions,
                                bool utf8 = false);

private:
    struct Node {
        bool start = true;
        std::u16string name;
        std::vector<Attribute> attributes;
    };

    std::vector<Node> m_nodes;
    bool m_bUtf8;
};
