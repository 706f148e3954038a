#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "PortOwner.h"

namespace {

// A TCP socket of this process listening on 127.0.0.1, on a port the system picks.
class CListeningSocket {
public:
    CListeningSocket()
    {
        WSADATA data{};
        m_bStarted = ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
        m_socket = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof(address);
        if (::bind(m_socket, reinterpret_cast<sockaddr*>(&address), length) == 0 && ::listen(m_socket, 1) == 0 &&
            ::getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
            m_port = ntohs(address.sin_port);
        }
    }
    ~CListeningSocket()
    {
        if (m_socket != INVALID_SOCKET) ::closesocket(m_socket);
        if (m_bStarted) ::WSACleanup();
    }
    std::uint16_t Port() const { return m_port; }

private:
    bool m_bStarted = false;
    SOCKET m_socket = INVALID_SOCKET;
    std::uint16_t m_port = 0;
};

std::wstring OwnProgramPath()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    return path;
}

std::wstring FileName(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

}  // namespace

TEST(PortOwner, ListenerOfAPortIsFoundAndNamedWhereTheSystemNamesIt)
{
    const CListeningSocket listening;
    ASSERT_NE(0, listening.Port());
    std::uint32_t processId = 0xFFFFFFFF;
    ASSERT_TRUE(FindTcpListener(listening.Port(), processId));
    // Windows names this process; Wine's table gives every row the owner 0.
    if (processId == 0) {
        EXPECT_EQ(L"", PortHolderName(listening.Port(), L"C:\\elsewhere\\adb.exe"));
        return;
    }
    EXPECT_EQ(::GetCurrentProcessId(), processId);
    EXPECT_EQ(FileName(OwnProgramPath()), PortHolderName(listening.Port(), L"C:\\elsewhere\\adb.exe"));
    EXPECT_EQ(L"", PortHolderName(listening.Port(), ProcessImagePath(processId)));  // our own adb
}

TEST(PortOwner, ProgramPathOfThisProcess)
{
    EXPECT_EQ(OwnProgramPath(), ProcessImagePath(::GetCurrentProcessId()));
}

TEST(PortOwner, NobodyListening)
{
    std::uint16_t port = 0;
    {
        const CListeningSocket closedAgain;
        port = closedAgain.Port();
    }
    std::uint32_t processId = 0;
    EXPECT_FALSE(FindTcpListener(port, processId));
    EXPECT_EQ(L"", PortHolderName(port, L""));
    EXPECT_EQ(L"", ProcessImagePath(0xFFFFFFF0u));
}
