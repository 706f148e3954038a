#include "RecordFields.h"

std::u16string CRecordFields::Fit(const std::u16string& text, std::size_t capacity)
{
    if (capacity == 0) return std::u16string();
    std::size_t length = text.size();
    if (length <= capacity - 1) return text;
    length = capacity - 1;
    // Do not leave the high half of a surrogate pair behind.
    if (length > 0 && text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF) --length;
    return text.substr(0, length);
}
