#include "XmlTextReader.h"

#include "TextUtf.h"

namespace {

class CParser {
public:
    explicit CParser(std::string_view text) : m_text(text) {}

    bool Document(XmlNode& root)
    {
        if (m_text.substr(0, 3) == "\xEF\xBB\xBF") m_pos = 3;
        if (!Misc()) return false;
        if (!Element(root, 0)) return false;
        return Misc() && m_pos == m_text.size();
    }

private:
    bool AtEnd() const { return m_pos >= m_text.size(); }
    bool StartsWith(std::string_view s) const { return m_text.substr(m_pos, s.size()) == s; }

    void SkipSpace()
    {
        while (!AtEnd() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\r' || m_text[m_pos] == '\n')) ++m_pos;
    }

    bool SkipPast(std::string_view end)
    {
        const std::size_t found = m_text.find(end, m_pos);
        if (found == std::string_view::npos) return false;
        m_pos = found + end.size();
        return true;
    }

    // Declaration, comments and white space around the root element.
    bool Misc()
    {
        for (;;) {
            SkipSpace();
            if (StartsWith("<?")) {
                if (!SkipPast("?>")) return false;
            } else if (StartsWith("<!--")) {
                if (!SkipPast("-->")) return false;
            } else {
                return true;
            }
        }
    }

    static bool IsNameChar(char c)
    {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
               c == '.' || c == ':';
    }

    bool Name(std::string& out)
    {
        const std::size_t start = m_pos;
        while (!AtEnd() && IsNameChar(m_text[m_pos])) ++m_pos;
        out.assign(m_text.substr(start, m_pos - start));
        return !out.empty();
    }

    // Character data up to the next '<' or the quote, entities decoded.
    bool CharData(char stop, std::string& out)
    {
        while (!AtEnd() && m_text[m_pos] != stop && m_text[m_pos] != '<') {
            if (m_text[m_pos] != '&') {
                out += m_text[m_pos++];
                continue;
            }
            const std::size_t end = m_text.find(';', m_pos);
            if (end == std::string_view::npos || end - m_pos > 10) return false;
            if (!Entity(m_text.substr(m_pos + 1, end - m_pos - 1), out)) return false;
            m_pos = end + 1;
        }
        return true;
    }

    static bool Entity(std::string_view name, std::string& out)
    {
        if (name == "amp") out += '&';
        else if (name == "lt") out += '<';
        else if (name == "gt") out += '>';
        else if (name == "quot") out += '"';
        else if (name == "apos") out += '\'';
        else if (name.size() > 1 && name[0] == '#') return CharacterReference(name.substr(1), out);
        else return false;
        return true;
    }

    static bool CharacterReference(std::string_view digits, std::string& out)
    {
        const bool hex = !digits.empty() && digits[0] == 'x';
        if (hex) digits.remove_prefix(1);
        if (digits.empty()) return false;
        unsigned long value = 0;
        for (char c : digits) {
            int digit = -1;
            if (c >= '0' && c <= '9') digit = c - '0';
            else if (hex && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
            else if (hex && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
            if (digit < 0) return false;
            value = value * (hex ? 16 : 10) + unsigned(digit);
            if (value > 0x10FFFF) return false;
        }
        if (value == 0 || (value >= 0xD800 && value <= 0xDFFF)) return false;
        std::u16string unit;
        if (value >= 0x10000) {
            unit += char16_t(0xD800 + ((value - 0x10000) >> 10));
            unit += char16_t(0xDC00 + ((value - 0x10000) & 0x3FF));
        } else {
            unit += char16_t(value);
        }
        out += CTextUtf::Utf16ToUtf8(unit);
        return true;
    }

    bool Attributes(XmlNode& node)
    {
        for (;;) {
            SkipSpace();
            if (AtEnd()) return false;
            if (m_text[m_pos] == '>' || StartsWith("/>")) return true;
            std::string name;
            if (!Name(name)) return false;
            SkipSpace();
            if (AtEnd() || m_text[m_pos] != '=') return false;
            ++m_pos;
            SkipSpace();
            if (AtEnd() || (m_text[m_pos] != '"' && m_text[m_pos] != '\'')) return false;
            const char quote = m_text[m_pos++];
            std::string value;
            if (!CharData(quote, value) || AtEnd() || m_text[m_pos] != quote) return false;
            ++m_pos;
            node.attributes.emplace_back(std::move(name), std::move(value));
        }
    }

    bool Element(XmlNode& node, int depth)
    {
        if (depth >= CXmlTextReader::kMaxDepth || AtEnd() || m_text[m_pos] != '<') return false;
        ++m_pos;
        if (!Name(node.name) || !Attributes(node)) return false;
        if (StartsWith("/>")) {
            m_pos += 2;
            return true;
        }
        ++m_pos;  // '>'
        for (;;) {
            if (!CharData('<', node.text)) return false;
            if (AtEnd()) return false;
            if (StartsWith("<!--")) {
                if (!SkipPast("-->")) return false;
            } else if (StartsWith("</")) {
                m_pos += 2;
                std::string closing;
                if (!Name(closing) || closing != node.name) return false;
                SkipSpace();
                if (AtEnd() || m_text[m_pos] != '>') return false;
                ++m_pos;
                return true;
            } else {
                node.children.emplace_back();
                if (!Element(node.children.back(), depth + 1)) return false;
            }
        }
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

}  // namespace

const std::string* XmlNode::Attribute(std::string_view attributeName) const
{
    for (const auto& [key, value] : attributes) {
        if (key == attributeName) return &value;
    }
    return nullptr;
}

const XmlNode* XmlNode::Child(std::string_view childName) const
{
    for (const XmlNode& child : children) {
        if (child.name == childName) return &child;
    }
    return nullptr;
}

bool CXmlTextReader::Parse(std::string_view document, XmlNode& root)
{
    root = XmlNode();
    CParser parser(document);
    return parser.Document(root);
}
