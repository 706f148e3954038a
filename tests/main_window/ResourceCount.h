// How many kernel handles and GDI objects this process holds, counted by probing rather
// than by GetProcessHandleCount and GetGuiResources, which Wine answers with constants.
#pragma once

struct ResourceCount {
    int kernelHandles = 0;
    int gdiObjects = 0;
};

ResourceCount CountProcessResources();
