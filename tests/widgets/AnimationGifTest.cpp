#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AnimationGif.h"
#include "GifBuilder.h"
#include "GlobalMemory.h"
#include "PixelCanvas.h"
#include "WidgetsTestPaths.h"

namespace {

constexpr COLORREF kKey = CAnimationGif::kDefaultKeyColour;
constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255);
constexpr COLORREF kPaper = RGB(250, 240, 230);
const std::vector<GifColour> kColours = {{255, 0, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
constexpr std::uint8_t kRedIndex = 1, kGreenIndex = 2, kBlueIndex = 3;
constexpr std::uint16_t kMinute = 6000;  // a delay that no test waits out

// A hidden window that owns the controls, as the main window does.
class CHiddenOwner {
public:
    CHiddenOwner()
    {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ApkiAnimationGifTestOwner";
        ::RegisterClassW(&windowClass);
        m_hWnd = ::CreateWindowExW(0, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                   windowClass.hInstance, nullptr);
    }
    ~CHiddenOwner() { ::DestroyWindow(m_hWnd); }
    CHiddenOwner(const CHiddenOwner&) = delete;
    CHiddenOwner& operator=(const CHiddenOwner&) = delete;

    HWND Get() const { return m_hWnd; }

private:
    HWND m_hWnd;
};

bool Load(CAnimationGif& control, const std::string& bytes)
{
    CGlobalMemory block(GMEM_MOVEABLE, bytes.size());
    {
        CGlobalLock lock(block.Get());
        if (!lock.Get()) return false;
        std::memcpy(lock.Get(), bytes.data(), bytes.size());
    }
    return control.LoadFromData(block.Get(), bytes.size());
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000)
{
    const ULONGLONG start = ::GetTickCount64();
    while (!condition()) {
        if (::GetTickCount64() - start > timeoutMs) return false;
        ::Sleep(5);
        MSG message;
        ::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // takes in what other threads sent
    }
    return true;
}

class AnimationGifTest : public ::testing::Test {
protected:
    // A control whose rectangle has the picture's size at the top-left corner, so that
    // Draw copies the frame buffer pixel for pixel.
    CAnimationGif& Control(int width, int height)
    {
        const RECT destination = {0, 0, width, height};
        m_control.reset(new CAnimationGif(m_owner.Get(), destination));
        return *m_control;
    }

    // The whole frame buffer as it is at one moment, key colour included.
    std::unique_ptr<CPixelCanvas> Snapshot(int width, int height)
    {
        auto canvas = std::make_unique<CPixelCanvas>(width, height, kPaper);
        m_control->SetTransparency(false);
        m_control->Draw(canvas->DC());
        m_control->SetTransparency(true);
        return canvas;
    }

    COLORREF Buffer(int x, int y) { return Snapshot(x + 1, y + 1)->Pixel(x, y); }

    bool BufferAllKey(int width, int height) { return Snapshot(width, height)->CountOtherThan(kKey) == 0; }

    CHiddenOwner m_owner;
    std::unique_ptr<CAnimationGif> m_control;
};

}  // namespace

TEST_F(AnimationGifTest, ResourcePictureHasEightFramesOfSixtyMillisecondsClearedToKeyColour)
{
    CAnimationGif& control = Control(16, 16);
    ASSERT_TRUE(control.LoadFromResource());
    EXPECT_TRUE(control.IsReady());
    EXPECT_TRUE(control.IsGif());
    EXPECT_FALSE(control.IsAnimating());
    EXPECT_EQ(16, control.Width());
    EXPECT_EQ(16, control.Height());
    EXPECT_EQ(RGB(255, 255, 255), control.BackgroundColour());
    ASSERT_EQ(8u, control.FrameCount());
    bool inset = false;
    for (std::size_t i = 0; i < control.FrameCount(); ++i) {
        const GifFrame& frame = control.Frame(i);
        EXPECT_TRUE(frame.picture) << i;
        EXPECT_EQ(6u, frame.delay) << i;
        EXPECT_EQ(1u, frame.disposal) << i;
        EXPECT_EQ(16, frame.left + frame.width) << i;
        EXPECT_EQ(16, frame.top + frame.height) << i;
        inset = inset || frame.left == 2 || frame.top == 2;
    }
    EXPECT_TRUE(inset);
    EXPECT_TRUE(BufferAllKey(16, 16));
}

TEST_F(AnimationGifTest, ResourcePictureAnimatesDotsAroundATransparentMiddle)
{
    CAnimationGif& control = Control(16, 16);
    ASSERT_TRUE(control.LoadFromResource());
    control.StartAnimation();
    EXPECT_TRUE(control.IsAnimating());
    // The top dot lies across columns 7 and 8 of rows 1 to 3.
    ASSERT_TRUE(WaitUntil([&] { return Buffer(7, 2) != kKey; }));
    EXPECT_EQ(kKey, Buffer(7, 7));
    EXPECT_EQ(kKey, Buffer(0, 0));

    // Drawn with its key colour left out, the middle shows what lay there before.
    CPixelCanvas canvas(16, 16, kPaper);
    control.Draw(canvas.DC());
    EXPECT_EQ(kPaper, canvas.Pixel(7, 7));
    EXPECT_EQ(kPaper, canvas.Pixel(0, 0));
    EXPECT_NE(kPaper, canvas.Pixel(7, 2));

    control.StopAnimation();
    EXPECT_FALSE(control.IsAnimating());
}

TEST_F(AnimationGifTest, FramesLandAtTheirOwnPlaceAndSize)
{
    CGifBuilder gif(8, 8, kColours);
    gif.Looping().Control(1, 0).SolidImage(0, 0, 8, 8, kRedIndex);
    gif.Control(1, kMinute).SolidImage(4, 2, 2, 3, kBlueIndex);
    CAnimationGif& control = Control(8, 8);
    ASSERT_TRUE(Load(control, gif.Trailer().Bytes()));
    ASSERT_EQ(2u, control.FrameCount());
    control.StartAnimation();
    ASSERT_TRUE(WaitUntil([&] { return Buffer(4, 2) == kBlue; }));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool blue = x >= 4 && x < 6 && y >= 2 && y < 5;
            EXPECT_EQ(blue ? kBlue : kRed, Buffer(x, y)) << x << "," << y;
        }
    }
}

TEST_F(AnimationGifTest, DisposalTwoClearsTheFrameAreaToKeyColourAndOneLeavesIt)
{
    for (unsigned disposal : {2u, 1u}) {
        CGifBuilder gif(8, 8, kColours);
        gif.Control(disposal, 5).SolidImage(0, 0, 8, 8, kRedIndex);
        gif.Control(1, kMinute).SolidImage(0, 0, 2, 2, kBlueIndex);
        CAnimationGif& control = Control(8, 8);
        ASSERT_TRUE(Load(control, gif.Trailer().Bytes()));
        control.StartAnimation();
        ASSERT_TRUE(WaitUntil([&] { return Buffer(0, 0) == kBlue; })) << disposal;
        EXPECT_EQ(disposal == 2 ? kKey : kRed, Buffer(5, 5)) << disposal;
    }
}

TEST_F(AnimationGifTest, DisposalThreeRestoresWhatWasUnderTheFrame)
{
    CGifBuilder gif(8, 8, kColours);
    gif.Control(1, 5).SolidImage(0, 0, 8, 8, kRedIndex);
    gif.Control(3, 5).SolidImage(2, 2, 4, 4, kGreenIndex);
    gif.Control(1, kMinute).SolidImage(0, 0, 1, 1, kBlueIndex);
    CAnimationGif& control = Control(8, 8);
    ASSERT_TRUE(Load(control, gif.Trailer().Bytes()));
    control.StartAnimation();
    ASSERT_TRUE(WaitUntil([&] { return Buffer(0, 0) == kBlue; }));
    EXPECT_EQ(kRed, Buffer(3, 3));
    EXPECT_EQ(kRed, Buffer(5, 5));
}

TEST_F(AnimationGifTest, ControlExtensionReachesItsImageAcrossCopiedExtensions)
{
    // Frame 2: transparent index 0 in its control extension, then a comment and an
    // application extension, then the image: its transparent pixels keep frame 1's red.
    CGifBuilder gif(4, 4, kColours);
    gif.Looping().Comment("first").Control(1, 5).SolidImage(0, 0, 4, 4, kRedIndex);
    gif.Comment("between frames").Control(1, kMinute, 0).Comment("inside").Application("XMPDataXMP!", "x");
    gif.Image(0, 0, 4, 4, {0, 3, 0, 3, 3, 0, 3, 0, 0, 3, 0, 3, 3, 0, 3, 0});
    CAnimationGif& control = Control(4, 4);
    ASSERT_TRUE(Load(control, gif.Trailer().Bytes()));
    ASSERT_EQ(2u, control.FrameCount());
    control.StartAnimation();
    ASSERT_TRUE(WaitUntil([&] { return Buffer(1, 0) == kBlue; }));
    EXPECT_EQ(kRed, Buffer(0, 0));
    EXPECT_EQ(kBlue, Buffer(0, 1));
    EXPECT_EQ(kRed, Buffer(1, 1));
}

TEST_F(AnimationGifTest, OneFrameGifOrOtherPictureIsAStillWithoutThread)
{
    const struct {
        const char* file;
        bool gif;
        int width, height;
        COLORREF colour;
    } stills[] = {
        {"im-one-frame.gif", true, 12, 9, RGB(0x20, 0xA0, 0xE0)},
        // Not a GIF: its size in hundredths of a millimetre at the screen's pixels per inch
        // gives its pixels back.
        {"im-still.bmp", false, 10, 7, RGB(0xE0, 0x70, 0x20)},
    };
    for (const auto& still : stills) {
        SCOPED_TRACE(still.file);
        CAnimationGif& control = Control(still.width, still.height);
        ASSERT_TRUE(Load(control, ReadWidgetsTestData(still.file)));
        EXPECT_EQ(still.gif, control.IsGif());
        EXPECT_EQ(0u, control.FrameCount());
        EXPECT_EQ(still.width, control.Width());
        EXPECT_EQ(still.height, control.Height());
        EXPECT_TRUE(BufferAllKey(still.width, still.height));
        control.StartAnimation();
        EXPECT_FALSE(control.IsAnimating());
        const std::unique_ptr<CPixelCanvas> shot = Snapshot(still.width, still.height);
        EXPECT_EQ(0, shot->CountOtherThan(still.colour));
    }
}

TEST_F(AnimationGifTest, PicturesMadeByImageMagickAnimate)
{
    CAnimationGif& control = Control(20, 12);
    ASSERT_TRUE(Load(control, ReadWidgetsTestData("im-three-frames.gif")));
    ASSERT_EQ(3u, control.FrameCount());
    EXPECT_EQ(7u, control.Frame(1).delay);
    control.StartAnimation();
    // The second frame (blue, 8 x 5 at 4, 2) shows over the red first one for 70 ms.
    std::unique_ptr<CPixelCanvas> shot;
    ASSERT_TRUE(WaitUntil([&] {
        shot = Snapshot(20, 12);
        return shot->Pixel(4, 2) == RGB(0, 0, 0xC0);
    }));
    EXPECT_EQ(RGB(0, 0, 0xC0), shot->Pixel(11, 6));
    EXPECT_EQ(RGB(0xC0, 0, 0), shot->Pixel(12, 2));
    EXPECT_EQ(RGB(0xC0, 0, 0), shot->Pixel(3, 7));

    CAnimationGif& tables = Control(10, 10);
    ASSERT_TRUE(Load(tables, ReadWidgetsTestData("im-local-tables.gif")));
    EXPECT_EQ(2u, tables.FrameCount());
}

TEST_F(AnimationGifTest, StopDuringAWaitEndsTheThreadAtOnce)
{
    CGifBuilder gif(4, 4, kColours);
    gif.Control(1, kMinute).SolidImage(0, 0, 4, 4, kRedIndex).Control(1, kMinute).SolidImage(0, 0, 4, 4, kBlueIndex);
    CAnimationGif& control = Control(4, 4);
    ASSERT_TRUE(Load(control, gif.Trailer().Bytes()));
    control.StartAnimation();
    ASSERT_TRUE(WaitUntil([&] { return Buffer(0, 0) == kRed; }));
    const ULONGLONG start = ::GetTickCount64();
    control.StopAnimation();
    EXPECT_LT(::GetTickCount64() - start, 1000u) << "the wait of a minute was cut short";
    EXPECT_FALSE(control.IsAnimating());

    // Started again, it goes on from the same frame.
    control.StartAnimation();
    EXPECT_TRUE(control.IsAnimating());
}

TEST_F(AnimationGifTest, BlocksRunningPastTheEndKeepTheWholeFrames)
{
    CGifBuilder gif(4, 4, kColours);
    gif.Control(1, 5).SolidImage(0, 0, 4, 4, kRedIndex).Control(1, 5).SolidImage(0, 0, 4, 4, kBlueIndex);
    gif.Control(1, 5).SolidImage(0, 0, 4, 4, kGreenIndex);
    const std::string& whole = gif.Bytes();
    CAnimationGif& control = Control(4, 4);
    ASSERT_TRUE(Load(control, whole.substr(0, whole.size() - 10)));
    EXPECT_EQ(2u, control.FrameCount());

    EXPECT_FALSE(Load(control, whole.substr(0, 13 + 12 + 12)));  // inside the first image
    EXPECT_FALSE(control.IsReady());
}

TEST_F(AnimationGifTest, DrawBeforeAnyLoadCopiesNothing)
{
    CAnimationGif& control = Control(16, 16);
    CPixelCanvas canvas(16, 16, kPaper);
    ::SetStretchBltMode(canvas.DC(), HALFTONE);
    control.Draw(canvas.DC());
    control.StartAnimation();
    control.Draw(canvas.DC());
    EXPECT_FALSE(control.IsAnimating());
    EXPECT_EQ(0, canvas.CountOtherThan(kPaper));
    EXPECT_EQ(HALFTONE, ::GetStretchBltMode(canvas.DC()));
    control.Draw(nullptr);
}

TEST_F(AnimationGifTest, FailedLoadsLeaveTheControlUnloaded)
{
    CAnimationGif& control = Control(4, 4);
    ASSERT_TRUE(control.LoadFromResource());
    EXPECT_FALSE(Load(control, CGifBuilder(4, 4, kColours).Trailer().Bytes()));  // no frame
    EXPECT_FALSE(control.IsReady());
    EXPECT_FALSE(control.IsGif());
    EXPECT_EQ(0u, control.FrameCount());
    EXPECT_FALSE(Load(control, "GIF89a\x04"));                   // header cut short
    EXPECT_FALSE(Load(control, "neither a GIF nor any picture"));
    EXPECT_FALSE(control.IsReady());
    control.StartAnimation();
    EXPECT_FALSE(control.IsAnimating());
}

TEST_F(AnimationGifTest, LoadingAgainStopsAndReplacesTheAnimation)
{
    CAnimationGif& control = Control(16, 16);
    ASSERT_TRUE(control.LoadFromResource());
    control.StartAnimation();
    ASSERT_TRUE(control.IsAnimating());
    ASSERT_TRUE(Load(control, ReadWidgetsTestData("im-one-frame.gif")));
    EXPECT_FALSE(control.IsAnimating());
    EXPECT_EQ(0u, control.FrameCount());
    EXPECT_EQ(12, control.Width());
    control.ReleaseAnimation();
    EXPECT_FALSE(control.IsReady());
    EXPECT_EQ(0, control.Width());
}

TEST_F(AnimationGifTest, OnlyTheControlsRectangleIsInvalidated)
{
    const RECT destination = {220, 75, 236, 91};
    ::ShowWindow(m_owner.Get(), SW_SHOWNOACTIVATE);
    ::SetWindowPos(m_owner.Get(), nullptr, 0, 0, 386, 160, SWP_NOZORDER | SWP_NOACTIVATE);
    ::ValidateRect(m_owner.Get(), nullptr);
    m_control.reset(new CAnimationGif(m_owner.Get(), destination));
    ASSERT_TRUE(m_control->LoadFromResource());
    m_control->StartAnimation();
    RECT update{};
    ASSERT_TRUE(WaitUntil([&] { return ::GetUpdateRect(m_owner.Get(), &update, FALSE) != FALSE; }));
    EXPECT_EQ(destination.left, update.left);
    EXPECT_EQ(destination.top, update.top);
    EXPECT_EQ(destination.right, update.right);
    EXPECT_EQ(destination.bottom, update.bottom);
    m_control->StopAnimation();
}

TEST_F(AnimationGifTest, DestroyingARunningControlEndsItsThread)
{
    CAnimationGif& control = Control(16, 16);
    ASSERT_TRUE(control.LoadFromResource());
    control.StartAnimation();
    ASSERT_TRUE(WaitUntil([&] { return Buffer(7, 2) != kKey; }));
    const ULONGLONG start = ::GetTickCount64();
    m_control.reset();
    EXPECT_LT(::GetTickCount64() - start, 1000u);
}
