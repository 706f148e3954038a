#include "StringResource.h"

bool LoadStringResource(UINT id, std::wstring& text, HINSTANCE module)
{
    if (!module) module = ::GetModuleHandleW(nullptr);
    // With a zero length LoadStringW hands out a read-only pointer into the resource
    // itself, so no buffer size has to be guessed.
    const wchar_t* resource = nullptr;
    const int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&resource), 0);
    if (length <= 0 || !resource) return false;
    text.assign(resource, std::size_t(length));
    return true;
}

std::wstring LoadStringResource(UINT id, HINSTANCE module)
{
    std::wstring text;
    LoadStringResource(id, text, module);
    return text;
}
