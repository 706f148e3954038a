// UTF-8 and UTF-16 conversion for texts read from packages and the language file.
// Malformed sequences become U+FFFD; nothing is ever rejected.
#pragma once

#include <string>
#include <string_view>

class CTextUtf {
public:
    static std::u16string Utf8ToUtf16(std::string_view utf8);
    // As Utf8ToUtf16, but a surrogate pair written as two three-byte sequences (as aapt2
    // writes characters beyond U+FFFF into string pools) becomes that pair. A surrogate
    // without its partner is still U+FFFD.
    static std::u16string Utf8WithSurrogatesToUtf16(std::string_view utf8);
    static std::string Utf16ToUtf8(std::u16string_view utf16);
    // ASCII-only widening, for names known to be ASCII.
    static std::u16string FromAscii(std::string_view ascii);
};
