#include "AnimationGif.h"

#include <process.h>

#include <cstring>
#include <system_error>
#include <utility>

#include "GdiObjects.h"
#include "GifFile.h"
#include "GlobalMemory.h"

namespace {

constexpr int kHimetricPerInch = 2540;

bool DecodePicture(IStream* stream, SIZE_T size, CComRef<IPicture>& picture)
{
    return SUCCEEDED(::OleLoadPicture(stream, LONG(size), FALSE, IID_IPicture,
                                      reinterpret_cast<void**>(picture.Receive())));
}

// A picture from a block that stays the caller's.
bool LoadPictureFromBlock(HGLOBAL block, SIZE_T size, CComRef<IPicture>& picture)
{
    CComRef<IStream> stream;
    return SUCCEEDED(::CreateStreamOnHGlobal(block, FALSE, stream.Receive())) &&
           DecodePicture(stream.Get(), size, picture);
}

// A picture from a block that the stream takes over and frees on its release.
bool LoadPictureTakingBlock(CGlobalMemory block, SIZE_T size, CComRef<IPicture>& picture)
{
    CComRef<IStream> stream;
    if (FAILED(::CreateStreamOnHGlobal(block.Get(), TRUE, stream.Receive()))) return false;
    block.Release();
    return DecodePicture(stream.Get(), size, picture);
}

// The picture's size in pixels at the screen's (or the window's) pixels per inch.
void PictureSizeInPixels(IPicture* picture, HWND window, int& width, int& height)
{
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    picture->get_Width(&himetricWidth);
    picture->get_Height(&himetricHeight);
    CWindowDC dc(window);
    width = ::MulDiv(himetricWidth, ::GetDeviceCaps(dc.Get(), LOGPIXELSX), kHimetricPerInch);
    height = ::MulDiv(himetricHeight, ::GetDeviceCaps(dc.Get(), LOGPIXELSY), kHimetricPerInch);
}

}  // namespace

class CAnimationGif::CLock {
public:
    explicit CLock(CAnimationGif& control) : m_section(control.m_lock) { ::EnterCriticalSection(&m_section); }
    ~CLock() { ::LeaveCriticalSection(&m_section); }
    CLock(const CLock&) = delete;
    CLock& operator=(const CLock&) = delete;

private:
    CRITICAL_SECTION& m_section;
};

CAnimationGif::CAnimationGif(HWND owner, const RECT& destination) : m_hOwner(owner), m_rcDestination(destination)
{
    if (!::InitializeCriticalSectionAndSpinCount(&m_lock, 0)) {
        throw std::system_error(int(::GetLastError()), std::system_category(), "busy indicator lock");
    }
    m_hStopEvent.Reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!m_hStopEvent) {
        const int error = int(::GetLastError());
        ::DeleteCriticalSection(&m_lock);
        throw std::system_error(error, std::system_category(), "busy indicator stop event");
    }
}

CAnimationGif::~CAnimationGif()
{
    ReleaseAnimation();
    m_hStopEvent.Reset();
    ::DeleteCriticalSection(&m_lock);
}

bool CAnimationGif::LoadFromResource(UINT id)
{
    HMODULE module = ::GetModuleHandleW(nullptr);
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"GIF");
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const DWORD size = found ? ::SizeofResource(module, found) : 0;
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return false;

    CGlobalMemory block(GMEM_MOVEABLE, size);
    {
        CGlobalLock lock(block.Get());
        if (!lock.Get()) return false;
        std::memcpy(lock.Get(), bytes, size);
    }
    return LoadFromData(block.Get(), size);
}

bool CAnimationGif::LoadFromData(HGLOBAL block, SIZE_T size)
{
    ReleaseAnimation();
    bool loaded = false;
    {
        CGlobalLock lock(block);
        const auto* data = static_cast<const std::uint8_t*>(lock.Get());
        if (data) {
            const SIZE_T available = ::GlobalSize(block);
            if (size > available) size = available;  // never read past the block
            loaded = HasGifSignature(data, size) ? LoadGif(data, size, block) : LoadStill(block, size, true);
        }
    }
    loaded = loaded && PrepareFrameBuffer(m_nWidth, m_nHeight);
    if (!loaded) ReleaseAnimation();
    return loaded;
}

bool CAnimationGif::LoadGif(const std::uint8_t* data, std::size_t size, HGLOBAL block)
{
    GifScreen screen;
    if (!ReadGifScreen(data, size, screen)) return false;
    m_bIsGif = true;
    m_nWidth = screen.width;
    m_nHeight = screen.height;
    m_crBackground = screen.background;

    CGifWalker walker(data, size, screen.globalTableSize);
    std::size_t count = 0;
    while (walker.SkipFrame()) ++count;
    if (count == 0) return false;
    if (count == 1) return LoadStill(block, size, false);

    walker.Rewind();
    GifFrameInfo info;
    while (walker.ExtractFrame(info)) {
        const std::size_t fileSize = GifFrameFileSize(screen.globalTableSize, info);
        CGlobalMemory frameBlock(GMEM_MOVEABLE, fileSize);
        {
            CGlobalLock lock(frameBlock.Get());
            if (!lock.Get()) continue;
            WriteGifFrameFile(data, screen.globalTableSize, info, static_cast<std::uint8_t*>(lock.Get()));
        }
        GifFrame frame;
        if (!LoadPictureTakingBlock(std::move(frameBlock), fileSize, frame.picture)) continue;
        frame.width = info.width;
        frame.height = info.height;
        frame.left = info.left;
        frame.top = info.top;
        frame.delay = info.delay;
        frame.disposal = info.disposal;
        m_frames.push_back(std::move(frame));
    }
    return !m_frames.empty();
}

bool CAnimationGif::LoadStill(HGLOBAL block, SIZE_T size, bool sizeFromPicture)
{
    if (!LoadPictureFromBlock(block, size, m_stillPicture)) return false;
    if (sizeFromPicture) PictureSizeInPixels(m_stillPicture.Get(), m_hOwner, m_nWidth, m_nHeight);
    return true;
}

bool CAnimationGif::PrepareFrameBuffer(int width, int height)
{
    CWindowDC windowDC(m_hOwner);
    if (!windowDC || !m_frameBuffer.Create(windowDC.Get(), width, height)) return false;
    CLock lock(*this);
    FillBuffer(0, 0, width, height);
    m_bReady = true;
    return true;
}

void CAnimationGif::StartAnimation()
{
    if (!m_bReady) return;
    if (m_hThread) {
        if (::WaitForSingleObject(m_hThread.Get(), 0) != WAIT_OBJECT_0) return;  // a stop that timed out
        m_hThread.Reset();
        ::ResetEvent(m_hStopEvent.Get());
        m_bStop = false;
    }
    if (m_bIsGif && m_frames.size() > 1) {
        unsigned id = 0;
        const auto handle = ::_beginthreadex(nullptr, 0, &CAnimationGif::ThreadEntry, this, CREATE_SUSPENDED, &id);
        m_hThread.Reset(reinterpret_cast<HANDLE>(handle));
        if (m_hThread) ::ResumeThread(m_hThread.Get());
        return;
    }
    if (m_stillPicture) {
        CLock lock(*this);
        if (RenderInto(m_stillPicture.Get(), 0, 0, m_nWidth, m_nHeight)) InvalidateOwner();
    }
}

void CAnimationGif::Draw(HDC dc)
{
    if (!dc) return;
    const int previousMode = ::SetStretchBltMode(dc, COLORONCOLOR);
    {
        CLock lock(*this);
        if (m_bReady) {
            const RECT& rc = m_rcDestination;
            const int width = rc.right - rc.left, height = rc.bottom - rc.top;
            if (m_bTransparent) {
                ::TransparentBlt(dc, rc.left, rc.top, width, height, m_frameBuffer.DC(), 0, 0, m_nWidth, m_nHeight,
                                 m_crKey);
            } else {
                ::StretchBlt(dc, rc.left, rc.top, width, height, m_frameBuffer.DC(), 0, 0, m_nWidth, m_nHeight,
                             SRCCOPY);
            }
        }
    }
    if (previousMode && previousMode != COLORONCOLOR) ::SetStretchBltMode(dc, previousMode);
}

void CAnimationGif::StopAnimation()
{
    m_bStop = true;
    ::SetEvent(m_hStopEvent.Get());
    if (m_hThread) {
        if (::WaitForSingleObject(m_hThread.Get(), kStopTimeoutMs) != WAIT_OBJECT_0) return;  // stays asked to stop
        m_hThread.Reset();
    }
    ::ResetEvent(m_hStopEvent.Get());
    m_bStop = false;
}

void CAnimationGif::WaitForThreadEnd()
{
    if (!m_hThread) return;
    ::WaitForSingleObject(m_hThread.Get(), INFINITE);
    m_hThread.Reset();
    ::ResetEvent(m_hStopEvent.Get());
    m_bStop = false;
}

void CAnimationGif::ReleaseAnimation()
{
    StopAnimation();
    WaitForThreadEnd();
    m_stillPicture.Reset();
    m_frames.clear();
    {
        CLock lock(*this);
        m_bReady = false;
        m_saveBuffer.Destroy();
        m_frameBuffer.Destroy();
    }
    m_nWidth = m_nHeight = 0;
    m_nFrame = 0;
    m_bIsGif = false;
    m_crBackground = RGB(0xFF, 0xFF, 0xFF);
}

void CAnimationGif::SetTransparency(bool transparent)
{
    CLock lock(*this);
    m_bTransparent = transparent;
}

bool CAnimationGif::IsAnimating() const
{
    return m_hThread && ::WaitForSingleObject(m_hThread.Get(), 0) == WAIT_TIMEOUT;
}

unsigned __stdcall CAnimationGif::ThreadEntry(void* control)
{
    static_cast<CAnimationGif*>(control)->AnimationThread();
    return 0;
}

void CAnimationGif::AnimationThread()
{
    while (!m_bStop) {
        const GifFrame& frame = m_frames[m_nFrame];
        bool drawn = false;
        {
            CLock lock(*this);
            if (frame.disposal == 3) SaveArea(frame);
            drawn = RenderInto(frame.picture.Get(), frame.left, frame.top, frame.width, frame.height);
        }
        if (drawn) InvalidateOwner();
        if (m_bStop) break;

        ::WaitForSingleObject(m_hStopEvent.Get(), GifFrameWaitMs(frame.delay));
        if (m_bStop) break;

        CLock lock(*this);
        DisposeFrame(frame);
        if (++m_nFrame >= m_frames.size()) {
            m_nFrame = 0;
            FillBuffer(0, 0, m_nWidth, m_nHeight);
        }
    }
}

bool CAnimationGif::RenderInto(IPicture* picture, int left, int top, int width, int height)
{
    OLE_XSIZE_HIMETRIC himetricWidth = 0;
    OLE_YSIZE_HIMETRIC himetricHeight = 0;
    if (FAILED(picture->get_Width(&himetricWidth)) || FAILED(picture->get_Height(&himetricHeight))) return false;
    // The source rectangle runs bottom-up in HIMETRIC units: the whole picture.
    return SUCCEEDED(picture->Render(m_frameBuffer.DC(), left, top, width, height, 0, himetricHeight, himetricWidth,
                                     -himetricHeight, nullptr));
}

void CAnimationGif::SaveArea(const GifFrame& frame)
{
    if (!m_saveBuffer.Create(m_frameBuffer.DC(), frame.width, frame.height)) return;
    ::BitBlt(m_saveBuffer.DC(), 0, 0, frame.width, frame.height, m_frameBuffer.DC(), frame.left, frame.top, SRCCOPY);
}

void CAnimationGif::DisposeFrame(const GifFrame& frame)
{
    if (frame.disposal == 2) {
        FillBuffer(frame.left, frame.top, frame.width, frame.height);
    } else if (frame.disposal == 3 && m_saveBuffer.IsValid()) {
        ::BitBlt(m_frameBuffer.DC(), frame.left, frame.top, frame.width, frame.height, m_saveBuffer.DC(), 0, 0,
                 SRCCOPY);
        m_saveBuffer.Destroy();
    }
}

void CAnimationGif::FillBuffer(int left, int top, int width, int height)
{
    CScopedBrush brush(::CreateSolidBrush(ClearColour()));
    const RECT area = {left, top, left + width, top + height};
    if (brush) ::FillRect(m_frameBuffer.DC(), &area, brush.Get());
}

void CAnimationGif::InvalidateOwner() const
{
    if (m_hOwner) ::InvalidateRect(m_hOwner, &m_rcDestination, FALSE);
}
