// The phone line of the ready window: what the watcher finds through the adb stand-in is
// shown before any click, a choice among ready phones is made with clicks, and the install
// goes to the chosen phone.
#include <gtest/gtest.h>

#include "ExpectedTexts.h"
#include "MainWindowHarness.h"
#include "PhoneMessages.h"
#include "ReferenceText.h"
#include "ResourceCount.h"
#include "WindowLooks.h"
#include "WindowZones.h"
#include "resource.h"

namespace {

constexpr DWORD kLineChangeMs = 6000;  // a poll period, adb's start under Wine, and room

// `devices -l` as adb prints it for these phone lines; plain `devices` gets the short form.
void SetPhones(CFakeAdbScenario& adb, const std::string& longLines, const std::string& shortLines)
{
    adb.SetOutputBytes(L"devices_l", "List of devices attached\r\n" + longLines + "\r\n");
    adb.SetOutputBytes(L"devices", "List of devices attached\r\n" + shortLines + "\r\n");
}

bool LineShows(const CPixelCanvas& shown, const std::wstring& text, COLORREF colour)
{
    const TextLook usual{kPhoneLineRect, colour};
    TextLook small = usual;
    small.size = 8.0f;
    small.unit = Gdiplus::UnitPoint;
    return TextMatches(shown, {{text, usual}}) || TextMatches(shown, {{text, small}});
}

::testing::AssertionResult WaitForLine(CMainWindowHarness& window, const std::wstring& text, COLORREF colour,
                                       const wchar_t* render)
{
    if (!window.PumpUntil([&] { return LineShows(*window.Capture(), text, colour); }, kLineChangeMs)) {
        return ShowsText(*window.Capture(), text, TextLook{kPhoneLineRect, colour});
    }
    SaveRender(*window.Capture(), render);
    return ::testing::AssertionSuccess();
}

std::wstring WillInstallTo(const std::wstring& name)
{
    std::wstring text = ExpectedTextFor(IDS_PHONE_WILL_INSTALL_TO);
    return text.replace(text.find(L"%s"), 2, name);
}

std::size_t CountPixelsDiffering(const CPixelCanvas& a, const CPixelCanvas& b, const BoxRect& box)
{
    std::size_t differing = 0;
    for (int y = box.y; y < box.y + box.height; ++y) {
        for (int x = box.x; x < box.x + box.width; ++x) differing += a.Pixel(x, y) != b.Pixel(x, y);
    }
    return differing;
}

}  // namespace

TEST(PhoneLine, FollowsThePhoneAsItIsPluggedAllowedAndPulledOut)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    SetPhones(window.Phone(), "", "");
    EXPECT_TRUE(WaitForLine(window, ExpectedTextFor(IDS_PHONE_CONNECT), kStatusRed, L"phone-line-connect.png"));

    SetPhones(window.Phone(), "EMU0001                unauthorized usb:1-1 transport_id:1\r\n",
              "EMU0001\tunauthorized\r\n");
    EXPECT_TRUE(
        WaitForLine(window, ExpectedTextFor(IDS_PHONE_ALLOW_DEBUGGING), kStatusRed, L"phone-line-unauthorized.png"));

    SetPhones(window.Phone(),
              "EMU0001                device usb:1-1 product:panther model:Pixel_7 device:panther transport_id:1\r\n",
              "EMU0001\tdevice\r\n");
    EXPECT_TRUE(WaitForLine(window, WillInstallTo(L"Pixel 7"), kStatusGrey, L"phone-line-ready.png"));

    SetPhones(window.Phone(), "EMU0001                offline usb:1-1 transport_id:1\r\n", "EMU0001\toffline\r\n");
    EXPECT_TRUE(WaitForLine(window, ExpectedTextFor(IDS_PHONE_OFFLINE), kStatusRed, L"phone-line-offline.png"));

    // adb 1.0.40 ends with -1 when it cannot reach a server of its own.
    window.Phone().SetOutputBytes(L"devices",
                                  "adb server version (31) doesn't match this client (40); killing...\r\n"
                                  "* failed to start daemon\r\nerror: cannot connect to daemon\r\n");
    window.Phone().Set(L"devices", L"exit", L"4294967295");
    window.Phone().Set(L"devices_l", L"exit", L"4294967295");
    const std::wstring held = ExpectedTextFor(IDS_ADB_HELD_BY_UNKNOWN);
    EXPECT_TRUE(WaitForLine(window, held, kStatusRed, L"phone-line-adb-held.png"));

    // The Install click says the same, not that no phone is attached.
    window.ClickAt(340, 138);
    const TextLook longFailure{BoxRect{218, 28, 163, 68}, kStatusRed};
    EXPECT_TRUE(window.PumpUntil([&] { return TextMatches(*window.Capture(), {{held, longFailure}}); }, 10000))
        << ShowsText(*window.Capture(), held, longFailure).message();
}

TEST(PhoneLine, SecondOfTwoReadyPhonesChosenByClicksGetsTheInstall)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    SetPhones(window.Phone(),
              "EMU0001                device product:a model:Nexus_5X device:a transport_id:1\r\n"
              "EMU0002                device product:b model:Pixel_3 device:b transport_id:2\r\n",
              "EMU0001\tdevice\r\nEMU0002\tdevice\r\n");
    window.Phone().Set(L"install_r_f", L"output-text", L"Success\\r\\n");
    window.Phone().Set(L"getInstallLocation", L"output-text", L"0\\r\\n");
    ASSERT_TRUE(window.PumpUntil([&] { return SelectorShownAt(*window.Capture(), kPhoneChoiceRect); }, kLineChangeMs));
    const auto first = window.Capture();
    SaveRender(*first, L"phone-line-two-phones.png");

    window.ClickAt(kPhoneChoiceRect.x + 20, kPhoneChoiceRect.y + 10);
    window.MoveTo(200, 60);  // away, so that the hover look does not count as the change
    window.Pump(600);
    const auto second = window.Capture();
    SaveRender(*second, L"phone-line-second-phone.png");
    EXPECT_GT(CountPixelsDiffering(*first, *second, kPhoneChoiceRect), 20u);

    window.ClickAt(340, 138);
    ASSERT_TRUE(window.PumpUntil([&] { return !window.Phone().RecordedPackages().empty(); }, 10000));
    bool toSecond = false, toFirst = false;
    for (const std::wstring& command : window.Phone().RecordedCommands()) {
        toSecond |= command.find(L"-s EMU0002 install") != std::wstring::npos;
        toFirst |= command.find(L"-s EMU0001 install") != std::wstring::npos;
    }
    EXPECT_TRUE(toSecond);
    EXPECT_FALSE(toFirst);
}

TEST(PhoneLine, ManyStatusChangesLeaveNoHandlesOrGdiObjectsBehind)
{
    CMainWindowHarness window(SharedPackage("ApiDemos-debug.apk"));
    SetPhones(window.Phone(), "A                      device model:One transport_id:1\r\n"
                              "B                      device model:Two transport_id:2\r\n", "A\tdevice\r\nB\tdevice\r\n");
    ASSERT_TRUE(window.PumpUntil([&] { return SelectorShownAt(*window.Capture(), kPhoneChoiceRect); }, kLineChangeMs));
    const auto round = [&](int i) {
        // Each message is a change as the window sees it: it reads the status and repaints.
        ::PostMessageW(window.Window(), WM_PHONES_CHANGED, WPARAM(i), 0);
        window.ClickAt(kPhoneChoiceRect.x + 20 + 10 * (i % 2), kPhoneChoiceRect.y + 10);
        window.Capture();
    };
    for (int i = 0; i < 5; ++i) round(i);
    const ResourceCount before = window.QuietResources();
    for (int i = 0; i < 200; ++i) round(i);
    // The watcher's own changes too: the phones go and come back.
    SetPhones(window.Phone(), "", "");
    ASSERT_TRUE(WaitForLine(window, ExpectedTextFor(IDS_PHONE_CONNECT), kStatusRed, L"phone-line-connect.png"));
    const ResourceCount after = window.QuietResources();
    EXPECT_LE(after.kernelHandles, before.kernelHandles);
    EXPECT_LE(after.gdiObjects, before.gdiObjects);
}
