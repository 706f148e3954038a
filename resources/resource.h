// Resource ids of ApkInstaller: string table, images, busy GIF, icon.
// Shared by the .rc files and the code; kept free of C++ so that rc.exe and windres read it.
#pragma once

// Window and program icon.
#define IDI_APP_ICON                128

// Install failure messages (found in adb's install output).
#define IDS_ERR_INVALID_APK         102
#define IDS_ERR_INVALID_URI         103
#define IDS_ERR_MANIFEST_MALFORMED  104
#define IDS_ERR_OLDER_SDK           105
#define IDS_ERR_MISSING_SHARED_LIB  106
#define IDS_ERR_BAD_PACKAGE_NAME    107
#define IDS_ERR_UPDATE_INCOMPATIBLE 108
#define IDS_ERR_MISSING_FEATURE     109
#define IDS_ERR_UNKNOWN             110
#define IDS_ERR_CONFLICTING_PROVIDER 111
#define IDS_ERR_CERT_ENCODING       112
#define IDS_ERR_INSUFFICIENT_STORAGE 113
#define IDS_ERR_NO_SHARED_USER      114
#define IDS_ERR_INCONSISTENT_CERTS  115
#define IDS_ERR_BAD_MANIFEST        116
#define IDS_ERR_DUPLICATE_PACKAGE   117
#define IDS_ERR_DEVICES_NOT_FOUND   118
#define IDS_ERR_DEXOPT              119
#define IDS_ERR_ALREADY_EXISTS      120
#define IDS_ERR_NEWER_SDK           121
#define IDS_ERR_MANIFEST_EMPTY      122
#define IDS_ERR_NO_CERTIFICATES     123
#define IDS_ERR_CPU_ABI             124
#define IDS_ERR_SHARED_USER_INCOMPATIBLE 125
#define IDS_ERR_REPLACE_COULDNT_DELETE 126
#define IDS_ERR_NOT_APK             127
#define IDS_ERR_BAD_SHARED_USER_ID  129
#define IDS_ERR_UNEXPECTED_EXCEPTION 130
#define IDS_ERR_DEVICE_OFFLINE      131
#define IDS_ERR_DEVICE_NOSPACE      132
#define IDS_ERR_COPY_FAILED         133
#define IDS_ERR_INVALID_ZIP         134
#define IDS_ERR_VERSION_TOO_LOW     135
#define IDS_ERR_SERVER_DIDNT_ACK    136
#define IDS_ERR_TEST_ONLY           138

// Install failures of current phones, and adb's complaints without a code; see
// CurrentInstallErrors.h.
#define IDS_ERR_USER_RESTRICTED      550
#define IDS_ERR_INSTALL_DECLINED     551
#define IDS_ERR_VERSION_DOWNGRADE    552
#define IDS_ERR_NO_MATCHING_ABIS     553
#define IDS_ERR_DEPRECATED_SDK       554
#define IDS_ERR_MISSING_SPLIT        555
#define IDS_ERR_ARSC_COMPRESSED      556
#define IDS_ERR_VERIFICATION         557
#define IDS_ERR_INSTALL_LOCATION     558
#define IDS_ERR_DUPLICATE_PERMISSION 559
#define IDS_ERR_BAD_SIGNATURE        560
#define IDS_ERR_SESSION_INVALID      561
#define IDS_ERR_INTERNAL_ERROR       562
#define IDS_ERR_STAGED_SESSION       563
#define IDS_ERR_PHONE_NOT_READY      564
#define IDS_ERR_PHONE_GONE           565

// Window texts.
#define IDS_INSTALL_LOCATION        128
#define IDS_SD_NOTE                 139
#define IDS_LOCATION_PHONE          140
#define IDS_LOCATION_SD             141
#define IDS_INSTALLING              142
#define IDS_TRY_COMPANION           193
#define IDS_APP_TITLE               500
#define IDS_INSTALL_BUTTON          502
// The companion-manager button shows its skin only: its label id has no entry.
#define IDS_COMPANION_BUTTON        503
#define IDS_DROP_APK_FIRST          509
#define IDS_INSTALL_SUCCEEDED_FMT   510
#define IDS_NO_DEVICE               511
#define IDS_SIZE_FMT                516
#define IDS_VERSION_FMT             517
#define IDS_SYSTEM_FMT              518
#define IDS_SHOW_PERMISSIONS        521
#define IDS_HIDE_PERMISSIONS        522
#define IDS_DEVICE_OFFLINE          525
#define IDS_ADB_MISSING             526
#define IDS_DEVICE_BOOTING          527
#define IDS_DEVICE_RECOVERY         528
#define IDS_HANDED_OVER             529
// A phone in a state that is not one of the four above; see DeviceOutcome.h.
#define IDS_DEVICE_UNAUTHORIZED     530
#define IDS_DEVICE_AUTHORIZING      531
#define IDS_DEVICE_CONNECTING       532
#define IDS_DEVICE_NO_PERMISSIONS   533
#define IDS_DEVICE_UNKNOWN_STATE    534
// adb.exe is there but cannot run; see DeviceOutcome.h.
#define IDS_ADB_CANNOT_RUN          537
// The phone line of the ready window, before any click; see PhoneStatus.h.
#define IDS_PHONE_WILL_INSTALL_TO   580
#define IDS_PHONE_CONNECT           581
#define IDS_PHONE_ALLOW_DEBUGGING   582
#define IDS_PHONE_OFFLINE           583
#define IDS_PHONE_RECONNECT         584
#define IDS_ADB_HELD_BY_FMT         585
#define IDS_ADB_HELD_BY_UNKNOWN     586
// No phone after Install: what to do, for the window and the console installer.
#define IDS_NO_PHONE_STEPS          587

// Bundles of split packages: refusals before anything is sent, failures of their own,
// and the steps shown while one installs; see engine/BundleInstall.h.
#define IDS_BUNDLE_OLD_ANDROID      620
#define IDS_BUNDLE_NO_BASE          621
#define IDS_BUNDLE_ENCRYPTED        622
#define IDS_BUNDLE_NO_ABI           623
#define IDS_BUNDLE_UNREADABLE       624
#define IDS_BUNDLE_DATA_FAILED      625
#define IDS_BUNDLE_INSTALLING_FMT   626
#define IDS_BUNDLE_COPYING_DATA_FMT 627

// The console installer's own texts.
#define IDS_CONSOLE_INSTALLED       535
#define IDS_CONSOLE_HANDED_OVER     536

// The buttons offered once an outcome is shown, and the verdict on the attached phone.
#define IDS_RETRY_BUTTON            600
#define IDS_COMPANION_LABEL         601
#define IDS_OPEN_BUTTON             602
#define IDS_OPENED                  603
#define IDS_OPEN_FAILED             604
#define IDS_VERDICT_UPGRADE_FMT     610
#define IDS_VERDICT_FRESH           611
#define IDS_VERDICT_SAME_VERSION    612
#define IDS_VERDICT_OLD_ANDROID_FMT 613
#define IDS_VERDICT_NEWER_FMT       614
#define IDS_VERDICT_NO_ABI          615
#define IDS_VERDICT_LOW_SPACE_FMT   616

// Images: PNG files, resource type 23.
#define IDB_FRAME_SKIN              200
#define IDB_CLOSE_BUTTON            157
#define IDB_PUSH_BUTTON             186
#define IDB_SELECTOR                196
#define IDB_SELECTOR_ARROWS         197
#define IDB_DEFAULT_APP_ICON        153
#define IDB_SEPARATOR               187
#define IDB_WARNING                 180

// The same images drawn for larger display scales: the 96-dpi id plus the set's step.
#define IDB_SET_STEP                1000

// The busy indicator: resource type "GIF".
#define IDR_BUSY_GIF                192
// Drawn for the larger display scales: the id plus IDB_SET_STEP times the set, as the images.
#define IDR_BUSY_GIF_125            1192
#define IDR_BUSY_GIF_150            2192
#define IDR_BUSY_GIF_200            3192
