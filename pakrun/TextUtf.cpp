#include "TextUtf.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf16(std::u16string& out, char32_t c)
{
    if (c >= 0x10000) {
        c -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
    } else {
        out += static_cast<char16_t>(c);
    }
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsSurrogate(char32_t c)
{
    return c >= 0xD800 && c <= 0xDFFF;
}

// The code point of the sequence at i (a surrogate is let through) and where the next
// sequence begins. False for a malformed sequence; next then lies past its bytes.
bool DecodeAt(std::string_view utf8, std::size_t i, char32_t& c, std::size_t& next)
{
    next = i + 1;
    if (i >= utf8.size()) return false;
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    int extra = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        c = lead;
        return true;
    }
    if ((lead & 0xE0) == 0xC0) {
        extra = 1, c = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        extra = 2, c = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        extra = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    std::size_t j = i + 1;
    for (int k = 0; k < extra; ++k, ++j) {
        if (j >= utf8.size() || (static_cast<unsigned char>(utf8[j]) & 0xC0) != 0x80) break;
        c = (c << 6) | (static_cast<unsigned char>(utf8[j]) & 0x3F);
    }
    next = j;
    return j - i == std::size_t(extra) + 1 && c >= minimum && c <= 0x10FFFF;
}

std::u16string Decode(std::string_view utf8, bool pairSurrogates)
{
    std::u16string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t c = 0;
        std::size_t next = 0;
        if (!DecodeAt(utf8, i, c, next)) {
            AppendUtf16(out, kReplacement);
            i = next;
            continue;
        }
        if (IsSurrogate(c)) {
            char32_t low = 0;
            std::size_t after = 0;
            if (pairSurrogates && c <= 0xDBFF && DecodeAt(utf8, next, low, after) && low >= 0xDC00 && low <= 0xDFFF) {
                out += static_cast<char16_t>(c);
                out += static_cast<char16_t>(low);
                i = after;
                continue;
            }
            c = kReplacement;
        }
        AppendUtf16(out, c);
        i = next;
    }
    return out;
}

}  // namespace

std::u16string CTextUtf::Utf8ToUtf16(std::string_view utf8)
{
    return Decode(utf8, false);
}

std::u16string CTextUtf::Utf8WithSurrogatesToUtf16(std::string_view utf8)
{
    return Decode(utf8, true);
}

std::string CTextUtf::Utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::u16string CTextUtf::FromAscii(std::string_view ascii)
{
    return std::u16string(ascii.begin(), ascii.end());
}
