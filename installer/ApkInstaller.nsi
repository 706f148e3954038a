; The Windows setup, built by makensis from the staged program files (CMakeLists.txt beside
; this file passes VERSION, VERSION4, PUBLISHER, STAGE, ICON, OUTFILE and, to ship adb,
; ADB_DIR). It installs for the current user, without elevation: every file under the
; user's local programs folder, every registry entry under HKCU.
Unicode true
Target amd64-unicode
RequestExecutionLevel user
; The setup's own pages are standard controls, which scale with the display.
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define DISPLAY_NAME "APK安装器"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ApkInstaller"
!define CLASSES "Software\Classes"
!define PROGID "ApkInstaller.apk"
; SHChangeNotify's "file associations changed" event.
!define SHCNE_ASSOCCHANGED 0x08000000

Name "${DISPLAY_NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\ApkInstaller"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"

!ifndef ADB_DIR
; A platform-tools folder found on this computer, whose adb the setup offers to copy.
Var AdbSource
!endif

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_DIRECTORY
!ifndef ADB_DIR
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipAdbPageWithoutPlatformTools
!define MUI_COMPONENTSPAGE_TEXT_TOP "$(AdbOffer)"
!insertmacro MUI_PAGE_COMPONENTS
!endif
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\ApkInstaller.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one used where the user's own is neither.
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

LangString ApkTypeName ${LANG_SIMPCHINESE} "Android 安装包"
LangString ApkTypeName ${LANG_ENGLISH} "Android package"
LangString AdbSection ${LANG_SIMPCHINESE} "复制 adb.exe、AdbWinApi.dll 和 AdbWinUsbApi.dll"
LangString AdbSection ${LANG_ENGLISH} "Copy adb.exe, AdbWinApi.dll and AdbWinUsbApi.dll"
LangString AdbOffer ${LANG_SIMPCHINESE} "在 $AdbSource 找到了 Android platform-tools。程序用其中的 adb 把安装包装到手机上：要把它复制到程序旁边吗？"
LangString AdbOffer ${LANG_ENGLISH} "Android platform-tools were found in $AdbSource. The program installs packages on the phone with their adb: copy it beside the program?"

VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "ApkInstaller"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "ApkInstaller setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

; --- Install ----------------------------------------------------------------------------

Section "-Program"
  Call RemoveInstallElsewhere
  SetOutPath "$INSTDIR"
  File "${STAGE}/ApkInstaller.exe"
  File "${STAGE}/Pakrun.dll"
  File "${STAGE}/Language.xml"
  File "${STAGE}/apkinstall.exe"
  File "${STAGE}/README.txt"
  SetOutPath "$INSTDIR\licenses"
  File "${STAGE}/licenses/zlib.txt"
  File "${STAGE}/licenses/mingw-w64.txt"
!ifdef ADB_DIR
  SetOutPath "$INSTDIR"
  File "${ADB_DIR}/adb.exe"
  File "${ADB_DIR}/AdbWinApi.dll"
  File "${ADB_DIR}/AdbWinUsbApi.dll"
!endif
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${DISPLAY_NAME}.lnk" "$INSTDIR\ApkInstaller.exe" "" "$INSTDIR\ApkInstaller.exe" 0
SectionEnd

!ifndef ADB_DIR
Section "$(AdbSection)" SecAdb
  ; A platform-tools folder on the PATH may be this very folder.
  ${If} $AdbSource != "$INSTDIR"
    CopyFiles /SILENT "$AdbSource\adb.exe" "$INSTDIR"
    CopyFiles /SILENT "$AdbSource\AdbWinApi.dll" "$INSTDIR"
    CopyFiles /SILENT "$AdbSource\AdbWinUsbApi.dll" "$INSTDIR"
  ${EndIf}
SectionEnd
!endif

; After every file, so that the size given to Add/Remove Programs counts them all.
Section "-Registration"
  Call WriteAssociation
  Call WriteUninstallEntry
SectionEnd

Function .onInit
!ifndef ADB_DIR
  Call FindPlatformTools
  ${If} $AdbSource == ""
    SectionSetFlags ${SecAdb} 0
    SectionSetText ${SecAdb} ""
  ${EndIf}
!endif
FunctionEnd

; A setup run over an install in another folder takes that one away first, so that one
; copy and one uninstall entry remain.
Function RemoveInstallElsewhere
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 != "$INSTDIR"
  ${AndIf} ${FileExists} "$0\uninstall.exe"
    ExecWait '"$0\uninstall.exe" /S _?=$0'
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}
FunctionEnd

; Our own ProgID, our program in ".apk"'s Open-with list, and ".apk" pointed at us only
; when no program handles it yet.
Function WriteAssociation
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "$(ApkTypeName)"
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "FriendlyTypeName" "$(ApkTypeName)"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\ApkInstaller.exe,0"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\ApkInstaller.exe" "%1"'
  WriteRegStr HKCU "${CLASSES}\.apk\OpenWithProgids" "${PROGID}" ""
  Call ApkHandler
  Pop $0
  ${If} $0 == ""
    WriteRegStr HKCU "${CLASSES}\.apk" "" "${PROGID}"
  ${EndIf}
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
FunctionEnd

; Pushes the ProgID of another program that opens ".apk" (the user's choice, the user's
; class or the machine's), or "" when there is none.
Function ApkHandler
  ReadRegStr $0 HKCU "Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\.apk\UserChoice" "ProgId"
  ${If} $0 == "${PROGID}"
  ${OrIf} $0 == ""
    ReadRegStr $0 HKCU "${CLASSES}\.apk" ""
  ${EndIf}
  ; HKCR is the merged view on Windows; Wine's holds the machine's classes only.
  ${If} $0 == "${PROGID}"
  ${OrIf} $0 == ""
    ReadRegStr $0 HKCR ".apk" ""
  ${EndIf}
  ${If} $0 == "${PROGID}"
    StrCpy $0 ""
  ${EndIf}
  Push $0
FunctionEnd

Function WriteUninstallEntry
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ApkInstaller.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd

!ifndef ADB_DIR
; The SDK's usual place first, then each folder on the PATH; a folder counts when it holds
; adb.exe with both its DLLs (a lone adb.exe on the PATH is often a launcher shim).
Function FindPlatformTools
  StrCpy $R0 "$LOCALAPPDATA\Android\Sdk\platform-tools"
  Call IsPlatformTools
  ${If} $R1 == 1
    StrCpy $AdbSource $R0
    Return
  ${EndIf}
  ReadEnvStr $R2 PATH
  ${DoWhile} $R2 != ""
    Call SplitPathList
    Call IsPlatformTools
    ${If} $R1 == 1
      StrCpy $AdbSource $R0
      Return
    ${EndIf}
  ${Loop}
  StrCpy $AdbSource ""
FunctionEnd

; $R2 "a;b;c" becomes $R0 "a" (quotes and variables resolved) and $R2 "b;c".
Function SplitPathList
  StrCpy $R3 0
  ${Do}
    StrCpy $R4 $R2 1 $R3
    ${If} $R4 == ";"
    ${OrIf} $R4 == ""
      ${ExitDo}
    ${EndIf}
    IntOp $R3 $R3 + 1
  ${Loop}
  StrCpy $R0 $R2 $R3
  IntOp $R3 $R3 + 1
  StrCpy $R2 $R2 "" $R3
  ExpandEnvStrings $R0 $R0
  StrCpy $R4 $R0 1
  ${If} $R4 == '"'
    StrCpy $R0 $R0 "" 1
  ${EndIf}
  StrCpy $R4 $R0 "" -1
  ${If} $R4 == '"'
    StrCpy $R0 $R0 -1
  ${EndIf}
FunctionEnd

; $R1 becomes 1 when the folder $R0 holds adb.exe and both its DLLs.
Function IsPlatformTools
  StrCpy $R1 0
  ${If} $R0 != ""
  ${AndIf} ${FileExists} "$R0\adb.exe"
  ${AndIf} ${FileExists} "$R0\AdbWinApi.dll"
  ${AndIf} ${FileExists} "$R0\AdbWinUsbApi.dll"
    StrCpy $R1 1
  ${EndIf}
FunctionEnd

Function SkipAdbPageWithoutPlatformTools
  ${If} $AdbSource == ""
    Abort
  ${EndIf}
FunctionEnd
!endif

; --- Uninstall --------------------------------------------------------------------------

; Takes away exactly what the setup added; the settings file in the user's application
; data and any other program's hold on ".apk" stay.
Section "Uninstall"
  Delete "$INSTDIR\ApkInstaller.exe"
  Delete "$INSTDIR\Pakrun.dll"
  Delete "$INSTDIR\Language.xml"
  Delete "$INSTDIR\apkinstall.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\adb.exe"
  Delete "$INSTDIR\AdbWinApi.dll"
  Delete "$INSTDIR\AdbWinUsbApi.dll"
  Delete "$INSTDIR\licenses\zlib.txt"
  Delete "$INSTDIR\licenses\mingw-w64.txt"
  RMDir "$INSTDIR\licenses"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${DISPLAY_NAME}.lnk"

  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
  DeleteRegValue HKCU "${CLASSES}\.apk\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\.apk\OpenWithProgids"
  ReadRegStr $0 HKCU "${CLASSES}\.apk" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue HKCU "${CLASSES}\.apk" ""
  ${EndIf}
  DeleteRegKey /ifempty HKCU "${CLASSES}\.apk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd
