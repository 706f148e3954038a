// Reads JSON (RFC 8259) into a JsonValue. The input comes from a file that anybody may
// have written, so nesting and size are bounded and every fault is a plain false.
#pragma once

#include <string_view>

#include "JsonValue.h"

class CJsonReader {
public:
    static constexpr int kMaxDepth = 64;

    // False on any syntax fault, on nesting deeper than kMaxDepth, or on text after the value.
    static bool Parse(std::string_view text, JsonValue& out);
};
