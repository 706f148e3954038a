// Any bytes as the output of `adb devices -l`.
#include <cstdint>

#include "PhoneChoice.h"
#include "PhoneStatus.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::wstring output;
    output.reserve(size);
    for (std::size_t i = 0; i < size; ++i) output += wchar_t(data[i]);
    const PhoneStatus status = ReadPhoneStatus(true, output, true);
    // Whatever adb printed, the window has a line for it, and a ready line names a phone.
    const std::wstring chosen = KeepPhoneChoice(status.ready, L"");
    const PhoneLine line = PhoneStatusLine(status, chosen);
    if (line.textId == 0) __builtin_trap();
    if (status.kind == PhoneStatusKind::Ready && (chosen.empty() || line.argument.empty())) __builtin_trap();
    if (!status.ready.empty() && NextPhoneChoice(status.ready, chosen).empty()) __builtin_trap();
    return 0;
}
