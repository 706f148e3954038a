// Writes one JSON value on one line: objects, arrays, strings (UTF-8), numbers, true,
// false and null, with the commas in their places.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class CJsonWriter {
public:
    CJsonWriter& BeginObject();
    CJsonWriter& EndObject();
    CJsonWriter& BeginArray();
    CJsonWriter& EndArray();
    CJsonWriter& Key(std::string_view key);
    CJsonWriter& String(std::string_view utf8);
    CJsonWriter& String(const std::u16string& text);
    CJsonWriter& OptionalString(const std::optional<std::u16string>& text);
    CJsonWriter& Number(std::int64_t value);
    CJsonWriter& Bool(bool value);
    CJsonWriter& Null();

    const std::string& Text() const { return m_strText; }

private:
    void BeforeValue();
    CJsonWriter& Open(char bracket);
    CJsonWriter& Close(char bracket);

    std::string m_strText;
    std::vector<bool> m_first;  // per open container: nothing written in it yet
    bool m_bAfterKey = false;
};
