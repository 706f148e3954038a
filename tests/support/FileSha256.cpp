#include "FileSha256.h"

#include <windows.h>

#include <bcrypt.h>

#include <vector>

namespace {

class CHash {
public:
    CHash()
    {
        if (BCryptOpenAlgorithmProvider(&m_algorithm, BCRYPT_SHA256_ALGORITHM, nullptr, 0) != 0) return;
        if (BCryptCreateHash(m_algorithm, &m_hash, nullptr, 0, nullptr, 0, 0) != 0) m_hash = nullptr;
    }
    ~CHash()
    {
        if (m_hash) BCryptDestroyHash(m_hash);
        if (m_algorithm) BCryptCloseAlgorithmProvider(m_algorithm, 0);
    }
    CHash(const CHash&) = delete;
    CHash& operator=(const CHash&) = delete;

    bool Add(const char* data, DWORD size)
    {
        return m_hash && BCryptHashData(m_hash, reinterpret_cast<PUCHAR>(const_cast<char*>(data)), size, 0) == 0;
    }

    std::string Hex()
    {
        unsigned char digest[32];
        if (!m_hash || BCryptFinishHash(m_hash, digest, sizeof(digest), 0) != 0) return std::string();
        static const char kDigits[] = "0123456789abcdef";
        std::string hex;
        for (unsigned char b : digest) {
            hex += kDigits[b >> 4];
            hex += kDigits[b & 15];
        }
        return hex;
    }

private:
    BCRYPT_ALG_HANDLE m_algorithm = nullptr;
    BCRYPT_HASH_HANDLE m_hash = nullptr;
};

}  // namespace

std::string Sha256OfFile(const std::wstring& path, unsigned long long* size)
{
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    CHash hash;
    std::vector<char> buffer(1 << 16);
    unsigned long long total = 0;
    DWORD got = 0;
    bool ok = true;
    while ((ok = ::ReadFile(file, buffer.data(), DWORD(buffer.size()), &got, nullptr) != FALSE) && got > 0) {
        ok = hash.Add(buffer.data(), got);
        if (!ok) break;
        total += got;
    }
    ::CloseHandle(file);
    if (!ok) return std::string();
    if (size) *size = total;
    return hash.Hex();
}
