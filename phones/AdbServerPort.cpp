#include "AdbServerPort.h"

#include "TextCase.h"

std::uint16_t ParseAdbServerPort(const wchar_t* value)
{
    if (!value || !*value) return kDefaultAdbServerPort;
    unsigned long port = 0;
    for (const wchar_t* c = value; *c; ++c) {
        if (*c < L'0' || *c > L'9') return kDefaultAdbServerPort;
        port = port * 10 + unsigned(*c - L'0');
        if (port > 65535) return kDefaultAdbServerPort;
    }
    return port == 0 ? kDefaultAdbServerPort : std::uint16_t(port);
}

std::wstring PortHolderFromPath(const std::wstring& holderPath, const std::wstring& ownAdbPath)
{
    if (holderPath.empty() || ToLowerAscii(holderPath) == ToLowerAscii(ownAdbPath)) return std::wstring();
    const std::size_t slash = holderPath.find_last_of(L"\\/");
    return slash == std::wstring::npos ? holderPath : holderPath.substr(slash + 1);
}
