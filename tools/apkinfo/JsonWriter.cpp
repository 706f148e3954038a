#include "JsonWriter.h"

#include <cstdio>

#include "TextUtf.h"

void CJsonWriter::BeforeValue()
{
    if (m_bAfterKey) {
        m_bAfterKey = false;
        return;
    }
    if (!m_first.empty()) {
        if (!m_first.back()) m_strText += ',';
        m_first.back() = false;
    }
}

CJsonWriter& CJsonWriter::Open(char bracket)
{
    BeforeValue();
    m_strText += bracket;
    m_first.push_back(true);
    return *this;
}

CJsonWriter& CJsonWriter::Close(char bracket)
{
    m_strText += bracket;
    m_first.pop_back();
    return *this;
}

CJsonWriter& CJsonWriter::BeginObject() { return Open('{'); }
CJsonWriter& CJsonWriter::EndObject() { return Close('}'); }
CJsonWriter& CJsonWriter::BeginArray() { return Open('['); }
CJsonWriter& CJsonWriter::EndArray() { return Close(']'); }

CJsonWriter& CJsonWriter::Key(std::string_view key)
{
    String(key);
    m_strText += ':';
    m_bAfterKey = true;
    return *this;
}

CJsonWriter& CJsonWriter::String(std::string_view utf8)
{
    BeforeValue();
    m_strText += '"';
    for (const char c : utf8) {
        switch (c) {
        case '"': m_strText += "\\\""; break;
        case '\\': m_strText += "\\\\"; break;
        case '\n': m_strText += "\\n"; break;
        case '\r': m_strText += "\\r"; break;
        case '\t': m_strText += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                m_strText += escaped;
            } else {
                m_strText += c;
            }
        }
    }
    m_strText += '"';
    return *this;
}

CJsonWriter& CJsonWriter::String(const std::u16string& text)
{
    return String(CTextUtf::Utf16ToUtf8(text));
}

CJsonWriter& CJsonWriter::OptionalString(const std::optional<std::u16string>& text)
{
    return text ? String(*text) : Null();
}

CJsonWriter& CJsonWriter::Number(std::int64_t value)
{
    BeforeValue();
    m_strText += std::to_string(value);
    return *this;
}

CJsonWriter& CJsonWriter::Bool(bool value)
{
    BeforeValue();
    m_strText += value ? "true" : "false";
    return *this;
}

CJsonWriter& CJsonWriter::Null()
{
    BeforeValue();
    m_strText += "null";
    return *this;
}
