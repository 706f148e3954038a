#include "JsonReader.h"

#include <cstdint>

const JsonValue* JsonValue::Member(const std::string& name) const
{
    if (kind != Kind::Object) return nullptr;
    const auto found = members.find(name);
    return found == members.end() ? nullptr : &found->second;
}

std::string JsonValue::MemberText(const std::string& name) const
{
    const JsonValue* value = Member(name);
    if (!value || (value->kind != Kind::String && value->kind != Kind::Number)) return std::string();
    return value->text;
}

namespace {

class CParser {
public:
    explicit CParser(std::string_view text) : m_text(text) {}

    bool Document(JsonValue& out)
    {
        if (!Value(out, 0)) return false;
        SkipSpace();
        return m_pos == m_text.size();
    }

private:
    void SkipSpace()
    {
        while (m_pos < m_text.size() &&
               (m_text[m_pos] == ' ' || m_text[m_pos] == '\t' || m_text[m_pos] == '\n' || m_text[m_pos] == '\r')) {
            ++m_pos;
        }
    }

    bool Take(char c)
    {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    bool Word(std::string_view word)
    {
        if (m_text.substr(m_pos, word.size()) != word) return false;
        m_pos += word.size();
        return true;
    }

    bool Value(JsonValue& out, int depth)
    {
        if (depth >= CJsonReader::kMaxDepth) return false;
        SkipSpace();
        if (m_pos >= m_text.size()) return false;
        const char c = m_text[m_pos];
        if (c == '{') return Object(out, depth);
        if (c == '[') return Array(out, depth);
        if (c == '"') {
            out.kind = JsonValue::Kind::String;
            return String(out.text);
        }
        if (c == 't' || c == 'f') {
            out.kind = JsonValue::Kind::Bool;
            out.boolean = c == 't';
            return Word(c == 't' ? "true" : "false");
        }
        if (c == 'n') {
            out.kind = JsonValue::Kind::Null;
            return Word("null");
        }
        out.kind = JsonValue::Kind::Number;
        return Number(out.text);
    }

    bool Object(JsonValue& out, int depth)
    {
        out.kind = JsonValue::Kind::Object;
        ++m_pos;
        SkipSpace();
        if (Take('}')) return true;
        for (;;) {
            SkipSpace();
            std::string key;
            if (!String(key)) return false;
            SkipSpace();
            if (!Take(':')) return false;
            JsonValue value;
            if (!Value(value, depth + 1)) return false;
            out.members[key] = std::move(value);
            SkipSpace();
            if (Take('}')) return true;
            if (!Take(',')) return false;
        }
    }

    bool Array(JsonValue& out, int depth)
    {
        out.kind = JsonValue::Kind::Array;
        ++m_pos;
        SkipSpace();
        if (Take(']')) return true;
        for (;;) {
            JsonValue value;
            if (!Value(value, depth + 1)) return false;
            out.items.push_back(std::move(value));
            SkipSpace();
            if (Take(']')) return true;
            if (!Take(',')) return false;
        }
    }

    bool Digits()
    {
        const std::size_t start = m_pos;
        while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9') ++m_pos;
        return m_pos > start;
    }

    bool Number(std::string& out)
    {
        const std::size_t start = m_pos;
        Take('-');
        if (Take('0')) {
            // no leading zeros
        } else if (!Digits()) {
            return false;
        }
        if (Take('.') && !Digits()) return false;
        if (Take('e') || Take('E')) {
            if (!Take('+')) Take('-');
            if (!Digits()) return false;
        }
        out.assign(m_text.substr(start, m_pos - start));
        return true;
    }

    bool Hex4(std::uint32_t& out)
    {
        if (m_text.size() - m_pos < 4) return false;
        out = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_pos++];
            out <<= 4;
            if (c >= '0' && c <= '9') out |= std::uint32_t(c - '0');
            else if (c >= 'a' && c <= 'f') out |= std::uint32_t(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') out |= std::uint32_t(c - 'A' + 10);
            else return false;
        }
        return true;
    }

    static void AppendUtf8(std::string& out, std::uint32_t code)
    {
        if (code < 0x80) {
            out += char(code);
        } else if (code < 0x800) {
            out += char(0xC0 | (code >> 6));
            out += char(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += char(0xE0 | (code >> 12));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        } else {
            out += char(0xF0 | (code >> 18));
            out += char(0x80 | ((code >> 12) & 0x3F));
            out += char(0x80 | ((code >> 6) & 0x3F));
            out += char(0x80 | (code & 0x3F));
        }
    }

    // \uXXXX, with a following low surrogate for a high one; a lone surrogate becomes U+FFFD.
    bool Unicode(std::string& out)
    {
        std::uint32_t code = 0;
        if (!Hex4(code)) return false;
        if (code >= 0xD800 && code < 0xDC00 && m_text.substr(m_pos, 2) == "\\u") {
            const std::size_t back = m_pos;
            m_pos += 2;
            std::uint32_t low = 0;
            if (!Hex4(low)) return false;
            if (low >= 0xDC00 && low < 0xE000) {
                AppendUtf8(out, 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00));
                return true;
            }
            m_pos = back;
        }
        AppendUtf8(out, code >= 0xD800 && code < 0xE000 ? 0xFFFD : code);
        return true;
    }

    bool String(std::string& out)
    {
        if (!Take('"')) return false;
        out.clear();
        while (m_pos < m_text.size()) {
            const char c = m_text[m_pos++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size()) return false;
            const char escape = m_text[m_pos++];
            switch (escape) {
            case '"': out += '"'; break;
            case '\\': out += '\\'; break;
            case '/': out += '/'; break;
            case 'b': out += '\b'; break;
            case 'f': out += '\f'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 't': out += '\t'; break;
            case 'u':
                if (!Unicode(out)) return false;
                break;
            default: return false;
            }
        }
        return false;
    }

    std::string_view m_text;
    std::size_t m_pos = 0;
};

}  // namespace

bool CJsonReader::Parse(std::string_view text, JsonValue& out)
{
    out = JsonValue();
    // A UTF-8 byte-order mark, which some tools write, is not part of the document.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    CParser parser(text);
    return parser.Document(out);
}
