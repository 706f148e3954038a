#include "FakeAdbCommand.h"

#include <cwchar>

namespace {

bool Is(const std::vector<std::wstring>& args, std::size_t i, const wchar_t* word)
{
    return i < args.size() && args[i] == word;
}

void AppendUtf8(std::string& out, unsigned long c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

FakeAdbCommand ClassifyFakeAdbCommand(const std::vector<std::wstring>& args)
{
    FakeAdbCommand command;
    std::size_t i = 0;
    if (Is(args, 0, L"-s") && args.size() > 1) {
        command.serial = args[1];
        i = 2;
    }
    if (Is(args, i, L"devices") && Is(args, i + 1, L"-l")) {
        command.kind = L"devices_l";
    } else if (Is(args, i, L"devices")) {
        command.kind = L"devices";
    } else if (Is(args, i, L"shell") && Is(args, i + 1, L"getprop") && Is(args, i + 2, L"ro.build.version.sdk")) {
        command.kind = L"getprop_sdk";
    } else if (Is(args, i, L"shell") && Is(args, i + 1, L"pm") && Is(args, i + 2, L"getInstallLocation")) {
        command.kind = L"getInstallLocation";
    } else if (Is(args, i, L"install") && Is(args, i + 1, L"-r")) {
        std::size_t next = i + 2;
        command.kind = L"install_r";
        if (Is(args, next, L"-s") || Is(args, next, L"-f")) command.kind += args[next++] == L"-s" ? L"_s" : L"_f";
        if (next < args.size()) command.package = args[next];
    } else {
        command.kind = L"other";
    }
    return command;
}

std::string UnescapeFakeAdbText(const std::wstring& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\' || i + 1 == text.size()) {
            AppendUtf8(out, static_cast<unsigned long>(text[i]));
            continue;
        }
        const wchar_t e = text[++i];
        if (e == L'r') out += '\r';
        else if (e == L'n') out += '\n';
        else if (e == L't') out += '\t';
        else if (e == L'0') out += '\0';
        else if (e == L'x' && i + 2 < text.size()) {
            const std::wstring hex = text.substr(i + 1, 2);
            out += char(std::wcstoul(hex.c_str(), nullptr, 16));
            i += 2;
        } else out += char(e);
    }
    return out;
}
