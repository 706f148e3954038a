// winsock2.h must come before windows.h, which iphlpapi.h needs.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <iphlpapi.h>

#include "PortOwner.h"

#include <vector>

#include "AdbServerPort.h"
#include "ScopedHandle.h"

namespace {

constexpr DWORD kLoopback = 0x0100007F;  // 127.0.0.1 in network order
constexpr ULONG kTableAttempts = 4;      // the table may grow between the size query and the read

// The table keeps the port in network order in its low 16 bits.
std::uint16_t PortOf(DWORD networkOrderPort)
{
    return std::uint16_t(((networkOrderPort & 0xFF) << 8) | ((networkOrderPort >> 8) & 0xFF));
}

bool ReadListenerTable(std::vector<unsigned char>& buffer)
{
    ULONG size = 0;
    for (ULONG attempt = 0; attempt < kTableAttempts; ++attempt) {
        const DWORD result = ::GetExtendedTcpTable(buffer.empty() ? nullptr : buffer.data(), &size, FALSE, AF_INET,
                                                   TCP_TABLE_OWNER_PID_LISTENER, 0);
        if (result == NO_ERROR) return !buffer.empty();
        if (result != ERROR_INSUFFICIENT_BUFFER) return false;
        buffer.assign(size, 0);
    }
    return false;
}

}  // namespace

bool FindTcpListener(std::uint16_t port, std::uint32_t& processId)
{
    std::vector<unsigned char> buffer;
    if (!ReadListenerTable(buffer)) return false;
    const auto* table = reinterpret_cast<const MIB_TCPTABLE_OWNER_PID*>(buffer.data());
    bool found = false;
    for (DWORD i = 0; i < table->dwNumEntries; ++i) {
        const MIB_TCPROW_OWNER_PID& row = table->table[i];
        if (PortOf(row.dwLocalPort) != port) continue;
        if (row.dwLocalAddr != kLoopback && row.dwLocalAddr != INADDR_ANY) continue;
        processId = row.dwOwningPid;
        if (processId != 0) return true;
        found = true;
    }
    return found;
}

std::wstring ProcessImagePath(std::uint32_t processId)
{
    const CScopedKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return std::wstring();
    std::wstring path(32768, L'\0');
    DWORD length = DWORD(path.size());
    if (!::QueryFullProcessImageNameW(process.Get(), 0, &path[0], &length)) return std::wstring();
    path.resize(length);
    return path;
}

std::wstring PortHolderName(std::uint16_t port, const std::wstring& ownAdbPath)
{
    std::uint32_t processId = 0;
    if (!FindTcpListener(port, processId) || processId == 0) return std::wstring();
    return PortHolderFromPath(ProcessImagePath(processId), ownAdbPath);
}

std::uint16_t CurrentAdbServerPort()
{
    wchar_t value[16] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"ANDROID_ADB_SERVER_PORT", value, 16);
    return ParseAdbServerPort(length > 0 && length < 16 ? value : nullptr);
}
