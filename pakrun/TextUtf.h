// UTF-8 and UTF-16 conversion for texts read from packages and the language file.
// Malformed sequences become U+FFFD; nothing is ever rejected.
#pragma once

#include <string>
#include <string_view>

class CTextUtf {
public:
    static std::u16string Utf8ToUtf16(std::string_view utf8);
    static std::string Utf16ToUtf8(std::u16string_view utf16);
    // ASCII-only widening, for names known to be ASCII.
    static std::u16string FromAscii(std::string_view ascii);
};
