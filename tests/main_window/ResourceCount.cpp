#include "ResourceCount.h"

#include <windows.h>

namespace {

// Kernel handles are small multiples of four; a value is a handle when the system can
// tell its flags.
int CountKernelHandles()
{
    int count = 0;
    for (ULONG_PTR value = 4; value < 0x40000; value += 4) {
        DWORD flags = 0;
        count += ::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != FALSE;
    }
    return count;
}

// Wine's GDI handles are an index into its table in the low word and a generation in the
// high word, and a handle whose high word is zero matches any generation: so every slot
// can be asked for its object's type.
int CountGdiObjects()
{
    int count = 0;
    for (ULONG_PTR low = 0x20; low <= 0xFFFF; ++low) {
        count += ::GetObjectType(reinterpret_cast<HGDIOBJ>(low)) != 0;
    }
    return count;
}

}  // namespace

ResourceCount CountProcessResources() { return ResourceCount{CountKernelHandles(), CountGdiObjects()}; }
