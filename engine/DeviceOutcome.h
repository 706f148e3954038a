// What an install does with the phones that adb listed: install to one, report why it
// cannot, or ask the companion manager. Pure code over the parsed list.
#pragma once

#include <cstdint>
#include <string>

#include "DeviceList.h"

// The code that WM_INSTALL_NO_DEVICE carries. 0 and 2 to 5 are the device states'
// own numbers; the window shows each code's text (NoDeviceMessageId).
enum class NoDeviceCode : std::int32_t {
    NoDevice = 0,
    Offline = 2,
    Bootloader = 4,
    Recovery = 5,
    AdbMissing = 6,
    // States that adb prints besides the four known ones.
    Unauthorized = 7,   // the phone has not yet allowed USB debugging for this computer
    Authorizing = 8,    // the phone is asking the user right now
    Connecting = 9,
    NoPermissions = 10, // the system refuses access to the USB device
    UnknownState = 11,  // any other text, an empty one included
    // adb.exe ran but printed no device list: it cannot start (a DLL beside it missing)
    // or cannot start its server. No phone could ever be seen, so nothing is handed over.
    AdbCannotRun = 12,
    // adb's server is held or fought over by another program (ShowsAdbServerConflict).
    AdbServerHeld = 13,
};

struct DeviceOutcome {
    enum class Action {
        Install,        // install to `serial`
        ReportNoDevice, // post WM_INSTALL_NO_DEVICE with `code`
        AskCompanion,   // no phone at all: the companion manager may take the package
    };
    Action action = Action::AskCompanion;
    NoDeviceCode code = NoDeviceCode::NoDevice;
    std::wstring serial;
};

// The phone is chosen by ChooseDevice; its state decides.
DeviceOutcome DecideDeviceOutcome(const DeviceList& devices);

// The outcome of a `devices` run that ended, from what it printed: the list's header is
// adb's sign of having run at all; without it the outcome is AdbCannotRun, or
// AdbServerHeld when adb complained about its server. A preferred
// serial that the list shows ready is installed to, whatever the usual choice.
DeviceOutcome DecideDevicesOutput(const std::wstring& output, const std::wstring& preferredSerial = std::wstring());

// Whether adb's output shows that its server belongs to someone else or cannot be
// started or reached: a version fight ("doesn't match this client ... killing"), a server
// that fails to start, or one that does not answer as adb's own does.
bool ShowsAdbServerConflict(const std::wstring& output);

// The outcome for the one phone that a script named: the install when it is ready, its
// state's code when it is not, and no phone (never the companion manager, which would
// take the package to some other phone) when it is not listed.
DeviceOutcome DecideOutcomeForSerial(const std::wstring& output, const std::wstring& serial);

// The code for a phone that is listed but not ready to install to.
NoDeviceCode NoDeviceCodeForEntry(const DeviceEntry& entry);

// No phone, and the companion manager did not take the package: without adb.exe beside
// the program no phone could ever have been seen, which the user must be told.
NoDeviceCode NoDeviceCodeWithoutCompanion(bool adbExists);

// The string-table id of the text shown for a code; 0 for a code that has none.
unsigned NoDeviceMessageId(std::int32_t code);
