// The busy indicator: a small animation from the program's resources (or any picture),
// drawn by its owner window into a rectangle of its client area. The control has no window
// of its own. A GIF is cut into one-frame pictures once, when it is loaded; a thread then
// renders frame after frame into an off-screen buffer and invalidates the control's
// rectangle, and the owner's paint handler calls Draw, which copies the buffer with one key
// colour left transparent.
//
// Decided here, where the platform leaves a choice:
// - Data is taken as a GIF when it starts with "GIF", whatever the version bytes say; the
//   block walk decides what is usable.
// - A frame whose bytes the picture loader refuses is left out, and the other frames play.
// - A frame without a graphic control extension stays 25 ms, like a delay of 0 to 4.
// - Each frame is decoded from a GIF whose logical screen is the frame's own image, so the
//   picture is exactly the frame with any decoder; it is rendered at the frame's place.
// - A control without an owner window never invalidates (a null window would mean all).
// - StopAnimation waits 5000 ms for the thread. A thread still running then (a render that
//   hangs) keeps its handle and its stop request; the control cannot start another, and
//   anything that frees what the thread uses (unloading, loading again, destruction) first
//   waits for its end, since the thread works on the control itself.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "ComRef.h"
#include "OffscreenBuffer.h"
#include "ScopedHandle.h"

// One frame of an animated GIF: its decoded picture and where and how long it shows.
struct GifFrame {
    CComRef<IPicture> picture;
    int width = 0;
    int height = 0;
    int left = 0;
    int top = 0;
    std::uint32_t delay = 0;     // hundredths of a second; all bits set without a control extension
    std::uint32_t disposal = 0;  // 2: clear the area afterwards, 3: restore what was under it
};

class CAnimationGif {
public:
    static constexpr COLORREF kDefaultKeyColour = RGB(0x0E, 0x59, 0x4E);
    static constexpr UINT kResourceId = 192;
    static constexpr DWORD kStopTimeoutMs = 5000;

    // The rectangle is in the owner's client coordinates. Throws std::system_error when the
    // lock or the stop event cannot be made.
    CAnimationGif(HWND owner, const RECT& destination);
    virtual ~CAnimationGif();
    CAnimationGif(const CAnimationGif&) = delete;
    CAnimationGif& operator=(const CAnimationGif&) = delete;

    // Loads a resource of type "GIF" (192 unless told) from the program's own module.
    bool LoadFromResource(UINT id = kResourceId);

    // Loads a picture from the first size bytes of a global memory block, which stays the
    // caller's. Anything loaded before is released first.
    bool LoadFromData(HGLOBAL block, SIZE_T size);

    // Starts showing the loaded picture: the animation thread for a GIF of two or more
    // frames, else one render of the still picture. Does nothing unless loaded.
    void StartAnimation();

    // Copies the frame buffer onto the device context at the control's rectangle.
    void Draw(HDC dc);

    // Ends the animation thread (within 5000 ms); the pictures and buffers stay.
    void StopAnimation();

    // Stops, then frees every picture and buffer; the control can be loaded again.
    void ReleaseAnimation();

    // With transparency (the default) the key colour is left out by Draw and clears areas;
    // without it the background colour clears them and Draw copies everything.
    void SetTransparency(bool transparent);

    bool IsReady() const { return m_bReady; }
    bool IsGif() const { return m_bIsGif; }
    bool IsAnimating() const;
    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }
    COLORREF KeyColour() const { return m_crKey; }
    COLORREF BackgroundColour() const { return m_crBackground; }
    std::size_t FrameCount() const { return m_frames.size(); }
    const GifFrame& Frame(std::size_t index) const { return m_frames[index]; }

private:
    class CLock;

    bool LoadGif(const std::uint8_t* data, std::size_t size, HGLOBAL block);
    bool LoadStill(HGLOBAL block, SIZE_T size, bool sizeFromPicture);
    bool PrepareFrameBuffer(int width, int height);
    void WaitForThreadEnd();

    static unsigned __stdcall ThreadEntry(void* control);
    void AnimationThread();
    bool RenderInto(IPicture* picture, int left, int top, int width, int height);
    void SaveArea(const GifFrame& frame);
    void DisposeFrame(const GifFrame& frame);
    void FillBuffer(int left, int top, int width, int height);  // under the lock
    COLORREF ClearColour() const { return m_bTransparent ? m_crKey : m_crBackground; }
    void InvalidateOwner() const;

    HWND m_hOwner;
    RECT m_rcDestination;
    COLORREF m_crKey = kDefaultKeyColour;
    bool m_bTransparent = true;
    int m_nWidth = 0;
    int m_nHeight = 0;
    COLORREF m_crBackground = RGB(0xFF, 0xFF, 0xFF);
    std::size_t m_nFrame = 0;
    bool m_bIsGif = false;
    std::atomic<bool> m_bStop{false};
    bool m_bReady = false;
    COffscreenBuffer m_frameBuffer;
    COffscreenBuffer m_saveBuffer;  // what lies under a frame with disposal 3 while it shows
    CScopedKernelHandle m_hThread;
    CScopedKernelHandle m_hStopEvent;  // manual reset
    CComRef<IPicture> m_stillPicture;  // data that is no GIF, or a GIF of one frame
    std::vector<GifFrame> m_frames;
    CRITICAL_SECTION m_lock;
};
