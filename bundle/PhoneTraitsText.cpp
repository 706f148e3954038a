#include "PhoneTraitsText.h"

#include <cctype>

namespace {

std::string Trim(const std::string& text)
{
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
    while (end > start && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(start, end - start);
}

// The number after "label:" on a line of its own, or -1.
int NumberAfter(const std::string& output, const std::string& label)
{
    const std::size_t at = output.find(label);
    if (at == std::string::npos) return -1;
    std::size_t pos = at + label.size();
    while (pos < output.size() && output[pos] == ' ') ++pos;
    int value = 0;
    std::size_t digits = 0;
    for (; pos < output.size() && std::isdigit(static_cast<unsigned char>(output[pos])) && digits < 6; ++pos, ++digits) {
        value = value * 10 + (output[pos] - '0');
    }
    return digits > 0 ? value : -1;
}

}  // namespace

std::vector<std::string> ParseAbiList(const std::string& output)
{
    std::vector<std::string> abis;
    const std::string text = Trim(output);
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        const std::string abi = Trim(text.substr(start, comma - start));
        bool plain = !abi.empty();
        for (char c : abi) plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_');
        if (plain) abis.push_back(abi);
        start = comma + 1;
    }
    return abis;
}

int ParseDensity(const std::string& output)
{
    const int overridden = NumberAfter(output, "Override density:");
    if (overridden > 0) return overridden;
    const int physical = NumberAfter(output, "Physical density:");
    if (physical > 0) return physical;
    const std::string text = Trim(output);
    if (text.empty() || text.size() > 5) return 0;
    int value = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string ParseLanguage(const std::string& output)
{
    const std::string text = Trim(output);
    std::size_t end = 0;
    while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end]))) ++end;
    if (end < 2 || end > 3 || (end < text.size() && text[end] != '-' && text[end] != '_')) return std::string();
    std::string language = text.substr(0, end);
    for (char& c : language) c = char(std::tolower(static_cast<unsigned char>(c)));
    return language;
}
