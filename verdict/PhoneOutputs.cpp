#include "PhoneOutputs.h"

#include <algorithm>
#include <cwctype>

#include "VersionCode.h"

namespace {

std::wstring Trim(const std::wstring& text)
{
    std::size_t begin = 0, end = text.size();
    while (begin < end && std::iswspace(text[begin])) ++begin;
    while (end > begin && std::iswspace(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

bool StartsWith(const std::wstring& text, const std::wstring& head) { return text.compare(0, head.size(), head) == 0; }

std::wstring Lower(std::wstring text)
{
    for (wchar_t& c : text) c = wchar_t(std::towlower(c));
    return text;
}

std::vector<std::wstring> Words(const std::wstring& line)
{
    std::vector<std::wstring> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::iswspace(line[i])) ++i;
        std::size_t end = i;
        while (end < line.size() && !std::iswspace(line[end])) ++end;
        if (end > i) words.push_back(line.substr(i, end - i));
        i = end;
    }
    return words;
}

// The value after "key=" in a line of dumpsys, up to the next blank.
bool ValueAfter(const std::wstring& line, const std::wstring& key, std::wstring& value)
{
    for (std::size_t at = line.find(key); at != std::wstring::npos; at = line.find(key, at + 1)) {
        if (at > 0 && !std::iswspace(line[at - 1])) continue;  // "minVersionCode=" is not "versionCode="
        const std::size_t begin = at + key.size();
        std::size_t end = begin;
        while (end < line.size() && !std::iswspace(line[end])) ++end;
        value = line.substr(begin, end - begin);
        return true;
    }
    return false;
}

// A size as toolbox's df prints it: a number with an optional K, M or G (base 1024).
bool ParseSizeWithUnit(const std::wstring& text, std::uint64_t& bytes)
{
    std::size_t i = 0;
    double value = 0;
    bool digits = false;
    for (; i < text.size() && std::iswdigit(text[i]); ++i, digits = true) value = value * 10 + (text[i] - L'0');
    if (i < text.size() && text[i] == L'.') {
        double scale = 0.1;
        for (++i; i < text.size() && std::iswdigit(text[i]); ++i, digits = true, scale /= 10) {
            value += (text[i] - L'0') * scale;
        }
    }
    if (!digits) return false;
    double unit = 1;
    if (i < text.size()) {
        switch (std::towupper(text[i])) {
        case L'K': unit = 1024.0; break;
        case L'M': unit = 1024.0 * 1024; break;
        case L'G': unit = 1024.0 * 1024 * 1024; break;
        case L'T': unit = 1024.0 * 1024 * 1024 * 1024; break;
        default: return false;
        }
        ++i;
    }
    if (i != text.size()) return false;
    bytes = std::uint64_t(value * unit);
    return true;
}

bool ParseCount(const std::wstring& text, std::uint64_t& value)
{
    std::int64_t number = 0;
    if (!ParseVersionNumber(text, number) || number < 0) return false;
    value = std::uint64_t(number);
    return true;
}

// A table of df: the header names the column; the row is the one for /data (or the
// only one), joined with the next line where a long device name stands alone.
bool ParseDfTable(const std::vector<std::wstring>& lines, std::uint64_t& bytes)
{
    std::size_t header = 0;
    while (header < lines.size() && !StartsWith(Trim(lines[header]), L"Filesystem")) ++header;
    if (header == lines.size()) return false;
    const std::vector<std::wstring> names = Words(lines[header]);
    const auto column = [&](const wchar_t* name) {
        return std::size_t(std::find(names.begin(), names.end(), name) - names.begin());
    };
    std::vector<std::vector<std::wstring>> rows;
    for (std::size_t i = header + 1; i < lines.size(); ++i) {
        std::vector<std::wstring> row = Words(lines[i]);
        if (row.size() == 1 && i + 1 < lines.size()) {
            const std::vector<std::wstring> rest = Words(lines[++i]);
            row.insert(row.end(), rest.begin(), rest.end());
        }
        if (!row.empty()) rows.push_back(row);
    }
    if (rows.empty()) return false;
    const auto isData = [](const std::vector<std::wstring>& row) {
        return std::find(row.begin(), row.end(), L"/data") != row.end();
    };
    const auto found = std::find_if(rows.begin(), rows.end(), isData);
    const std::vector<std::wstring>& row = found != rows.end() ? *found : rows.front();

    const std::size_t available = column(L"Available");
    if (available < names.size() && available < row.size()) {
        // toybox: counts of 1K blocks (or of the unit in the header, "512-blocks").
        std::uint64_t count = 0, unit = 1024;
        const std::wstring& blocks = names.size() > 1 ? names[1] : std::wstring();
        if (StartsWith(blocks, L"512-")) unit = 512;
        if (ParseCount(row[available], count)) {
            bytes = count * unit;
            return true;
        }
        return ParseSizeWithUnit(row[available], bytes);  // df -h
    }
    const std::size_t free = column(L"Free");
    return free < names.size() && free < row.size() && ParseSizeWithUnit(row[free], bytes);
}

}  // namespace

std::vector<std::wstring> OutputLines(const std::wstring& output)
{
    std::vector<std::wstring> lines;
    std::wstring line;
    for (const wchar_t c : output) {
        if (c == L'\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != L'\r') {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

std::wstring FirstLine(const std::wstring& output)
{
    const std::vector<std::wstring> lines = OutputLines(output);
    return lines.empty() ? std::wstring() : Trim(lines.front());
}

std::wstring FirstReadySerial(const std::wstring& devicesOutput)
{
    bool listed = false;
    for (const std::wstring& line : OutputLines(devicesOutput)) {
        if (!listed) {
            listed = StartsWith(Lower(Trim(line)), L"list of devices attached");
            continue;
        }
        const std::vector<std::wstring> words = Words(line);
        if (words.size() >= 2 && words[1] == L"device") return words[0];
    }
    return std::wstring();
}

std::vector<std::wstring> ParseAbiList(const std::wstring& abilist, const std::wstring& abi, const std::wstring& abi2)
{
    std::vector<std::wstring> abis;
    const auto add = [&abis](const std::wstring& name) {
        const std::wstring trimmed = Trim(name);
        if (!trimmed.empty() && std::find(abis.begin(), abis.end(), trimmed) == abis.end()) abis.push_back(trimmed);
    };
    const std::wstring list = FirstLine(abilist);
    std::size_t begin = 0;
    while (begin <= list.size() && !list.empty()) {
        const std::size_t comma = list.find(L',', begin);
        add(list.substr(begin, comma == std::wstring::npos ? std::wstring::npos : comma - begin));
        if (comma == std::wstring::npos) break;
        begin = comma + 1;
    }
    if (abis.empty()) {
        add(FirstLine(abi));
        add(FirstLine(abi2));
    }
    return abis;
}

InstalledVersion ParsePackageList(const std::wstring& output, const std::wstring& package)
{
    InstalledVersion version;
    for (const std::wstring& raw : OutputLines(output)) {
        const std::wstring line = Trim(raw);
        if (line.empty()) continue;
        if (!StartsWith(line, L"package:")) return InstalledVersion();  // an error or usage text
        const std::vector<std::wstring> words = Words(line.substr(8));
        if (words.empty() || words[0] != package) continue;
        version.installed = true;
        for (const std::wstring& word : words) {
            if (StartsWith(word, L"versionCode:")) {
                version.codeKnown = ParseVersionNumber(word.substr(12), version.code);
            }
        }
    }
    version.known = true;
    return version;
}

void ReadDumpsysPackage(const std::wstring& output, const std::wstring& package, InstalledVersion& version)
{
    const std::vector<std::wstring> lines = OutputLines(output);
    const std::wstring head = L"Package [" + package + L"]";
    bool inBlock = false, foundBlock = false;
    std::size_t blockIndent = 0;
    for (const std::wstring& line : lines) {
        const std::size_t indent = line.find_first_not_of(L' ');
        if (indent == std::wstring::npos) continue;
        const std::wstring text = line.substr(indent);
        if (inBlock && indent <= blockIndent) break;  // the next package or section
        if (!inBlock) {
            // The first block only: an updated system app has a second, of the version
            // it replaced, under "Hidden system packages:".
            if (StartsWith(text, head) && !foundBlock) {
                inBlock = foundBlock = true;
                blockIndent = indent;
            }
            continue;
        }
        std::wstring value;
        if (!version.codeKnown && ValueAfter(text, L"versionCode=", value)) {
            version.codeKnown = ParseVersionNumber(value, version.code);
        }
        if (version.name.empty() && StartsWith(text, L"versionName=")) version.name = Trim(text.substr(12));
    }
    if (foundBlock) {
        version.known = version.installed = true;
        return;
    }
    // A phone without the service or the command says so; anything else lists no such package.
    const std::wstring lower = Lower(output);
    if (Trim(output).empty() || lower.find(L"can't find service") != std::wstring::npos ||
        lower.find(L"not found") != std::wstring::npos) {
        return;
    }
    version.known = true;
}

bool ParseDfAvailable(const std::wstring& output, std::uint64_t& bytes)
{
    const std::vector<std::wstring> lines = OutputLines(output);
    for (const std::wstring& line : lines) {
        // Android 2: "/data: 1548288K total, 1211924K used, 336364K available (block size 4096)"
        const std::size_t at = line.find(L" available");
        if (at == std::wstring::npos || line.find(L"total,") == std::wstring::npos) continue;
        const std::size_t begin = line.rfind(L' ', at - 1);
        const std::wstring size = line.substr(begin == std::wstring::npos ? 0 : begin + 1,
                                              at - (begin == std::wstring::npos ? 0 : begin + 1));
        return ParseSizeWithUnit(size, bytes);
    }
    return ParseDfTable(lines, bytes);
}

bool ParseStatAvailable(const std::wstring& output, std::uint64_t& bytes)
{
    std::uint64_t blockSize = 0, available = 0;
    bool haveSize = false, haveAvailable = false;
    for (const std::wstring& line : OutputLines(output)) {
        const std::vector<std::wstring> words = Words(line);
        for (std::size_t i = 0; i + 1 < words.size(); ++i) {
            const std::wstring word = Lower(words[i]);
            // "Block size: N", but not "Fundamental block size: N".
            if (word == L"block" && i + 2 < words.size() && Lower(words[i + 1]) == L"size:" &&
                (i == 0 || Lower(words[i - 1]) != L"fundamental") && !haveSize) {
                haveSize = ParseCount(words[i + 2], blockSize);
            }
            if (word == L"available:" && !haveAvailable) haveAvailable = ParseCount(words[i + 1], available);
        }
    }
    if (!haveSize || !haveAvailable) return false;
    bytes = blockSize * available;
    return true;
}

std::wstring ParseResolvedActivity(const std::wstring& output, const std::wstring& package)
{
    const std::vector<std::wstring> lines = OutputLines(output);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        const std::wstring text = Trim(*line);
        if (text.empty()) continue;
        // "PKG/.Main" or "PKG/PKG.Main": one word, this package's.
        if (Words(text).size() == 1 && StartsWith(text, package + L"/") && text.size() > package.size() + 1) {
            return text;
        }
        return std::wstring();
    }
    return std::wstring();
}

bool AmStartSucceeded(const std::wstring& output)
{
    bool starting = false;
    for (const std::wstring& raw : OutputLines(output)) {
        const std::wstring line = Trim(raw);
        if (StartsWith(line, L"Error") || StartsWith(line, L"Exception")) return false;
        if (StartsWith(line, L"Starting:")) starting = true;
    }
    return starting;
}

bool MonkeySucceeded(const std::wstring& output)
{
    const std::wstring lower = Lower(output);
    return lower.find(L"events injected: 1") != std::wstring::npos &&
           lower.find(L"monkey aborted") == std::wstring::npos;
}
