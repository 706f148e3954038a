// A JSON document as plain data: what a bundle's manifest.json or info.json holds.
#pragma once

#include <map>
#include <string>
#include <vector>

struct JsonValue {
    enum class Kind { Null, Bool, Number, String, Array, Object };

    Kind kind = Kind::Null;
    bool boolean = false;
    std::string text;                        // a string (UTF-8), or a number as written
    std::vector<JsonValue> items;            // an array's
    std::map<std::string, JsonValue> members;  // an object's; a repeated key keeps its last value

    bool IsObject() const { return kind == Kind::Object; }
    bool IsArray() const { return kind == Kind::Array; }

    // The member of that name, or null when this is no object or has no such member.
    const JsonValue* Member(const std::string& name) const;
    // The member's text when it is a string or a number; else empty.
    std::string MemberText(const std::string& name) const;
};
