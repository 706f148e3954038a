#include <cstddef>
#include <cstdint>
#include <string_view>

#include "JsonReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    JsonValue value;
    if (CJsonReader::Parse(std::string_view(reinterpret_cast<const char*>(data), size), value)) {
        (void)value.MemberText("package_name");
        (void)value.Member("split_apks");
    }
    return 0;
}
