#include "StreamImage.h"

#include "ComRef.h"
#include "GlobalMemory.h"

namespace {

// Far beyond any launcher icon; keeps a lying stream from taking all memory.
constexpr ULONGLONG kMaxImageBytes = 64ull * 1024 * 1024;

CGlobalMemory CopyStream(IStream* stream)
{
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return CGlobalMemory();
    const ULONGLONG size = stat.cbSize.QuadPart;
    if (size == 0 || size > kMaxImageBytes) return CGlobalMemory();

    LARGE_INTEGER start{};
    if (FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) return CGlobalMemory();

    CGlobalMemory block(GMEM_MOVEABLE, SIZE_T(size));
    CGlobalLock lock(block.Get());
    if (!lock.Get()) return CGlobalMemory();
    ULONG read = 0;
    if (FAILED(stream->Read(lock.Get(), ULONG(size), &read)) || read != size) return CGlobalMemory();
    return block;
}

}  // namespace

CGdipImage LoadImageFromStreamCopy(IStream* stream)
{
    CGdipImage image;
    CGlobalMemory block = stream ? CopyStream(stream) : CGlobalMemory();
    CComRef<IStream> copy;
    if (!block || FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, copy.Receive()))) {
        image.Record(Gdiplus::InvalidParameter);
        return image;
    }
    block.Release();  // the copy's stream frees it now
    image.Record(Gdiplus::DllExports::GdipLoadImageFromStream(copy.Get(), image.Receive()));
    return image;
}
