// Any bytes as what adb printed for the SDK question, the location question or an install,
// and as a failed install's output for its message.
#include <cstdint>
#include <cwchar>
#include <limits>
#include <string>

#include "AdbCommand.h"
#include "InstallErrorTable.h"
#include "InstallRules.h"
#include "TextCase.h"

namespace {

// The C library's reading of the same text, clamped to 32 bits.
std::int32_t ReferenceSdkLevel(const std::wstring& text)
{
    const long long value = std::wcstoll(text.c_str(), nullptr, 10);
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return std::int32_t(value);
}

const InstallErrorTable& Table()
{
    static const InstallErrorTable table =
        BuildCompleteInstallErrorTable([](unsigned id) { return L"#" + std::to_wstring(id); });
    return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring output;
    output.reserve(size);
    for (std::size_t i = 0; i < size; ++i) output += wchar_t(data[i]);

    if (ParseSdkLevel(output) != ReferenceSdkLevel(output.substr(0, output.find(L'\0')))) __builtin_trap();

    const wchar_t* chosen = ChooseInstallTemplate(output);
    if (chosen != kAdbInstall && chosen != kAdbInstallToPhone) __builtin_trap();

    if (IsInstallSuccess(output) && ToLowerAscii(output).find(L"success") == std::wstring::npos) __builtin_trap();

    // Every output gets some message, and the same one again.
    const std::wstring message = GetInstallErrorMessage(Table(), output);
    if (message.empty() || message[0] != L'#' || message != GetInstallErrorMessage(Table(), output)) __builtin_trap();
    return 0;
}
