#include "PngResource.h"

#include <cstring>

#include "ComRef.h"
#include "GlobalMemory.h"

namespace {

constexpr WORD kPngResourceType = 23;

// A movable copy of the resource's bytes: resource memory is read-only and lives with the
// module, while the decoded image keeps its stream, and so the block, for its lifetime.
CGlobalMemory CopyResource(HMODULE module, UINT id)
{
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(kPngResourceType));
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const DWORD size = found ? ::SizeofResource(module, found) : 0;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return CGlobalMemory();

    CGlobalMemory block(GMEM_MOVEABLE, size);
    CGlobalLock lock(block.Get());
    if (!lock.Get()) return CGlobalMemory();
    std::memcpy(lock.Get(), bytes, size);
    return block;
}

}  // namespace

CGdipImage LoadPngResource(HMODULE module, UINT id)
{
    CGdipImage image;
    CGlobalMemory block = CopyResource(module, id);
    CComRef<IStream> stream;
    if (!block || FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, stream.Receive()))) {
        image.Record(Gdiplus::Win32Error);
        return image;
    }
    block.Release();  // the stream frees it now

    image.Record(Gdiplus::DllExports::GdipLoadImageFromStream(stream.Get(), image.Receive()));
    return image;
}
