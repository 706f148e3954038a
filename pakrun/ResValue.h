// A typed value as binary XML attributes and resources.arsc entries store it.
#pragma once

#include <cstdint>

struct ResValue {
    enum Type : std::uint8_t {
        kNull = 0x00,
        kReference = 0x01,
        kAttribute = 0x02,
        kString = 0x03,
        kFloat = 0x04,
        kDynamicReference = 0x07,
        kIntDec = 0x10,
        kIntHex = 0x11,
        kBoolean = 0x12,
    };

    std::uint8_t type = kNull;
    std::uint32_t data = 0;

    bool IsReference() const { return (type == kReference || type == kDynamicReference) && data != 0; }
    bool IsInteger() const { return type >= kIntDec && type <= 0x1f; }
};
