; The Windows setup, built by makensis from the staged program files (CMakeLists.txt beside
; this file passes VERSION, VERSION4, PUBLISHER, STAGE, ICON, OUTFILE, and ADB_DIR and
; ADB_VERSION: the folder of the adb that it ships and that adb's platform-tools revision).
; It installs for the current user, without elevation: every file under the user's local
; programs folder, every registry entry under HKCU.
Unicode true
Target amd64-unicode
RequestExecutionLevel user
; The setup's own pages are standard controls, which scale with the display.
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WordFunc.nsh

!define DISPLAY_NAME "APK安装器"
; The product name in the version resources of our programs and of our uninstaller.
!define PRODUCT "ApkInstaller"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ApkInstaller"
; 1 in the uninstall entry when adb.exe and its DLLs in the install folder are the setup's.
!define ADB_RECORD "AdbInstalled"
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

; 1 when this run copies its adb; 1 when the adb in the folder is the setup's after the run.
Var CopyAdb
Var AdbIsOurs

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_DIRECTORY
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
LangString ProgramRunning ${LANG_SIMPCHINESE} "$R0 正在使用。请先关闭 APK安装器，然后点“重试”。"
LangString ProgramRunning ${LANG_ENGLISH} "$R0 is in use. Close ApkInstaller, then click Retry."
LangString FilesLeft ${LANG_SIMPCHINESE} "$INSTDIR 中有文件正在使用，未能删除。卸载项已保留：关闭使用它们的程序后请再卸载一次。"
LangString FilesLeft ${LANG_ENGLISH} "Some files in $INSTDIR are in use and were not deleted. The uninstall entry is kept: close the programs using them and uninstall again."

VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "ApkInstaller setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${PUBLISHER}"

; --- Shared by the setup and the uninstaller --------------------------------------------

!macro SharedFunctions un
; $R1 becomes 1 when the file $R0 exists and cannot be opened for writing: a running
; program's image, or a file another program holds without sharing it.
Function ${un}IsInUse
  StrCpy $R1 0
  ${If} ${FileExists} $R0
    ; GENERIC_WRITE, every sharing mode, OPEN_EXISTING
    System::Call 'kernel32::CreateFileW(w R0, i 0x40000000, i 7, p 0, i 3, i 0, p 0) p .r9'
    ${If} $9 = -1
      StrCpy $R1 1
    ${Else}
      System::Call 'kernel32::CloseHandle(p r9)'
    ${EndIf}
  ${EndIf}
FunctionEnd

; adb's server, started by the program, outlives it and holds adb.exe of the folder $R2:
; it is asked to end and given ten seconds to do so. $R1 becomes 1 when that adb.exe is
; still in use.
Function ${un}StopAdbServer
  StrCpy $R0 "$R2\adb.exe"
  Call ${un}IsInUse
  ${If} $R1 == 1
    nsExec::Exec /TIMEOUT=10000 '"$R0" kill-server'
    Pop $9
    ${For} $8 1 100
      Call ${un}IsInUse
      ${IfThen} $R1 == 0 ${|} ${ExitFor} ${|}
      Sleep 100
    ${Next}
  ${EndIf}
FunctionEnd

; Waits until no program of ours runs from the folder $R2, nor, when $R3 is 1, its
; adb.exe, whose server is asked to end first: the user is asked to close
; the program and retry; cancelling, and any silent run, aborts before anything changes.
Function ${un}WaitForClosedPrograms
  ${Do}
    StrCpy $R0 "$R2\ApkInstaller.exe"
    Call ${un}IsInUse
    ${If} $R1 == 0
      StrCpy $R0 "$R2\apkinstall.exe"
      Call ${un}IsInUse
    ${EndIf}
    ${If} $R1 == 0
    ${AndIf} $R3 == 1
      Call ${un}StopAdbServer
    ${EndIf}
    ${If} $R1 == 0
      Return
    ${EndIf}
    DetailPrint "$(ProgramRunning)"
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunning)" /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Abort
    retry:
  ${Loop}
FunctionEnd

; $AdbIsOurs becomes 1 when the uninstall entry of an install in this folder says that
; the adb beside the program is the setup's.
Function ${un}ReadAdbRecord
  StrCpy $AdbIsOurs 0
  ReadRegStr $9 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegDWORD $8 HKCU "${UNINSTALL_KEY}" "${ADB_RECORD}"
  ${If} $9 == $INSTDIR
  ${AndIf} $8 == 1
    StrCpy $AdbIsOurs 1
  ${EndIf}
FunctionEnd
!macroend
!insertmacro SharedFunctions ""
!insertmacro SharedFunctions "un."

; --- Install ----------------------------------------------------------------------------

Section "-Program"
  Call ReadAdbRecord
  Call ChooseAdb
  ; Over a running program the new files would mix with the old ones it keeps open.
  StrCpy $R2 $INSTDIR
  StrCpy $R3 $CopyAdb
  Call WaitForClosedPrograms
  Call RemoveInstallElsewhere
  SetOutPath "$INSTDIR"
  File "${STAGE}/ApkInstaller.exe"
  File "${STAGE}/Pakrun.dll"
  File "${STAGE}/Language.xml"
  File "${STAGE}/apkinstall.exe"
  File "${STAGE}/README.txt"
  ${If} $CopyAdb == 1
    File "${ADB_DIR}/adb.exe"
    File "${ADB_DIR}/AdbWinApi.dll"
    File "${ADB_DIR}/AdbWinUsbApi.dll"
  ${EndIf}
  SetOutPath "$INSTDIR\licenses"
  File "${STAGE}/licenses/zlib.txt"
  File "${STAGE}/licenses/mingw-w64.txt"
  File "${STAGE}/licenses/adb.txt"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\${DISPLAY_NAME}.lnk" "$INSTDIR\ApkInstaller.exe" "" "$INSTDIR\ApkInstaller.exe" 0
SectionEnd

; After every file, so that the size given to Add/Remove Programs counts them all.
Section "-Registration"
  Call WriteAssociation
  Call WriteUninstallEntry
SectionEnd

; An adb that the user already has beside the program stays when it is newer than ours
; (and stays the user's, or ours, as it was); any other is replaced by ours.
Function ChooseAdb
  StrCpy $CopyAdb 1
  Call InstalledAdbVersion
  ${If} $R0 != ""
    ${VersionCompare} $R0 "${ADB_VERSION}" $9
    ${If} $9 == 1
      StrCpy $CopyAdb 0
    ${EndIf}
  ${EndIf}
  ${If} $CopyAdb == 1
    StrCpy $AdbIsOurs 1
  ${EndIf}
FunctionEnd

; $R0 becomes the platform-tools revision that the install folder's adb.exe names in the
; "Version 33.0.3-8952118" line of `adb version`, or "" when there is no adb, it does not
; run, or it names only a build number (platform-tools before 29 did so: older than ours).
Function InstalledAdbVersion
  StrCpy $R0 ""
  ${IfNot} ${FileExists} "$INSTDIR\adb.exe"
    Return
  ${EndIf}
  nsExec::ExecToStack /TIMEOUT=10000 '"$INSTDIR\adb.exe" version'
  Pop $9
  Pop $8
  ${If} $9 != 0
    Return
  ${EndIf}
  StrLen $7 $8
  ${For} $6 0 $7
    StrCpy $5 $8 8 $6
    ${If} $5 S== "Version "
      IntOp $6 $6 + 8
      ${ExitFor}
    ${EndIf}
  ${Next}
  ; The digits and dots that follow, which must hold a dot.
  StrCpy $4 ""
  ${Do}
    StrCpy $5 $8 1 $6
    IntOp $3 $5 + 0
    ${If} $5 == "."
      StrCpy $4 1
    ${ElseIf} $5 == ""
    ${OrIf} $3 S!= $5
      ${ExitDo}
    ${EndIf}
    StrCpy $R0 "$R0$5"
    IntOp $6 $6 + 1
  ${Loop}
  ${If} $4 != 1
    StrCpy $R0 ""
  ${EndIf}
FunctionEnd

; $R1 becomes the product name in the version resource of the file $R0, "" without one.
Function ProductNameOf
  StrCpy $R1 ""
  System::Call 'version::GetFileVersionInfoSizeW(w R0, p 0) i .r9'
  ${If} $9 <= 0
    Return
  ${EndIf}
  System::Alloc $9
  Pop $8
  System::Call 'version::GetFileVersionInfoW(w R0, i 0, i r9, p r8) i .r7'
  ${If} $7 <> 0
    System::Call 'version::VerQueryValueW(p r8, w "\VarFileInfo\Translation", *p .r6, *i .r5) i .r7'
    ${If} $7 <> 0
    ${AndIf} $5 >= 4
      System::Call '*$6(&i2 .r4, &i2 .r3)'
      IntFmt $4 "%04x" $4
      IntFmt $3 "%04x" $3
      System::Call 'version::VerQueryValueW(p r8, w "\StringFileInfo\$4$3\ProductName", *p .r6, *i .r5) i .r7'
      ${If} $7 <> 0
        System::Call 'kernel32::lstrcpynW(w .R1, p r6, i ${NSIS_MAX_STRLEN})'
      ${EndIf}
    ${EndIf}
  ${EndIf}
  System::Free $8
FunctionEnd

; A setup run over an install in another folder takes that one away first, so that one
; copy and one uninstall entry remain. The uninstaller found there runs only when it is
; ours: named by the entry and naming our product; a folder deleted by hand may since
; hold another program's.
Function RemoveInstallElsewhere
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $1 HKCU "${UNINSTALL_KEY}" "UninstallString"
  ${If} $0 == ""
  ${OrIf} $0 == "$INSTDIR"
  ${OrIf} $1 != '"$0\uninstall.exe"'
    Return
  ${EndIf}
  StrCpy $R0 "$0\uninstall.exe"
  Call ProductNameOf
  ${If} $R1 S== "${PRODUCT}"
    StrCpy $R2 $0
    StrCpy $R3 1
    Call WaitForClosedPrograms
    ExecWait '"$0\uninstall.exe" /S _?=$0'
    Delete "$0\uninstall.exe"
    RMDir "$0"
  ${EndIf}
FunctionEnd

; Our own ProgID; our program in the Open-with list of ".apk" and of the bundles of split
; packages (".xapk", ".apks", ".apkm"), and each of them pointed at us only when no program
; handles it yet.
Function WriteAssociation
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "" "$(ApkTypeName)"
  WriteRegStr HKCU "${CLASSES}\${PROGID}" "FriendlyTypeName" "$(ApkTypeName)"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\DefaultIcon" "" "$INSTDIR\ApkInstaller.exe,0"
  WriteRegStr HKCU "${CLASSES}\${PROGID}\shell\open\command" "" '"$INSTDIR\ApkInstaller.exe" "%1"'
  StrCpy $R5 ".apk"
  Call AssociateExtension
  StrCpy $R5 ".xapk"
  Call AssociateExtension
  StrCpy $R5 ".apks"
  Call AssociateExtension
  StrCpy $R5 ".apkm"
  Call AssociateExtension
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
FunctionEnd

; The extension in $R5 opened with us, as the default only where nothing else opens it.
Function AssociateExtension
  WriteRegStr HKCU "${CLASSES}\$R5\OpenWithProgids" "${PROGID}" ""
  Call ExtensionHandler
  Pop $0
  ${If} $0 == ""
    WriteRegStr HKCU "${CLASSES}\$R5" "" "${PROGID}"
  ${EndIf}
FunctionEnd

; Pushes the ProgID of another program that opens the extension in $R5 (the user's choice,
; the user's class or the machine's), or "" when there is none.
Function ExtensionHandler
  ReadRegStr $0 HKCU "Software\Microsoft\Windows\CurrentVersion\Explorer\FileExts\$R5\UserChoice" "ProgId"
  ${If} $0 == "${PROGID}"
  ${OrIf} $0 == ""
    ReadRegStr $0 HKCU "${CLASSES}\$R5" ""
  ${EndIf}
  ; HKCR is the merged view on Windows; Wine's holds the machine's classes only.
  ${If} $0 == "${PROGID}"
  ${OrIf} $0 == ""
    ReadRegStr $0 HKCR "$R5" ""
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
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "${ADB_RECORD}" $AdbIsOurs
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd

; --- Uninstall --------------------------------------------------------------------------

; Takes away exactly what the setup added: an adb that was there before stays, and so do
; the settings file in the user's application data and any other program's hold on ".apk".
Section "Uninstall"
  Call un.ReadAdbRecord
  StrCpy $R2 $INSTDIR
  StrCpy $R3 $AdbIsOurs
  Call un.WaitForClosedPrograms

  Delete "$INSTDIR\ApkInstaller.exe"
  Delete "$INSTDIR\Pakrun.dll"
  Delete "$INSTDIR\Language.xml"
  Delete "$INSTDIR\apkinstall.exe"
  Delete "$INSTDIR\README.txt"
  ${If} $AdbIsOurs == 1
    Delete "$INSTDIR\adb.exe"
    Delete "$INSTDIR\AdbWinApi.dll"
    Delete "$INSTDIR\AdbWinUsbApi.dll"
  ${EndIf}
  Delete "$INSTDIR\licenses\zlib.txt"
  Delete "$INSTDIR\licenses\mingw-w64.txt"
  Delete "$INSTDIR\licenses\adb.txt"
  RMDir "$INSTDIR\licenses"
  ; What is still held open stays, with the uninstaller and its entry to finish later.
  Call un.OurFilesLeft
  ${If} $R1 == 1
    MessageBox MB_OK|MB_ICONEXCLAMATION "$(FilesLeft)" /SD IDOK
    DetailPrint "$(FilesLeft)"
    SetErrorLevel 1
    Return
  ${EndIf}
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${DISPLAY_NAME}.lnk"

  DeleteRegKey HKCU "${CLASSES}\${PROGID}"
  StrCpy $R5 ".apk"
  Call un.DissociateExtension
  StrCpy $R5 ".xapk"
  Call un.DissociateExtension
  StrCpy $R5 ".apks"
  Call un.DissociateExtension
  StrCpy $R5 ".apkm"
  Call un.DissociateExtension
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i 0, p 0, p 0)'
SectionEnd

; Takes us out of the extension in $R5; another program's hold on it stays.
Function un.DissociateExtension
  DeleteRegValue HKCU "${CLASSES}\$R5\OpenWithProgids" "${PROGID}"
  DeleteRegKey /ifempty HKCU "${CLASSES}\$R5\OpenWithProgids"
  ReadRegStr $0 HKCU "${CLASSES}\$R5" ""
  ${If} $0 == "${PROGID}"
    DeleteRegValue HKCU "${CLASSES}\$R5" ""
  ${EndIf}
  DeleteRegKey /ifempty HKCU "${CLASSES}\$R5"
FunctionEnd

; $R1 becomes 1 when a program file of ours is still in the install folder.
Function un.OurFilesLeft
  StrCpy $R1 0
  ${If} ${FileExists} "$INSTDIR\ApkInstaller.exe"
  ${OrIf} ${FileExists} "$INSTDIR\Pakrun.dll"
  ${OrIf} ${FileExists} "$INSTDIR\apkinstall.exe"
    StrCpy $R1 1
  ${EndIf}
  ${If} $AdbIsOurs == 1
    ${If} ${FileExists} "$INSTDIR\adb.exe"
    ${OrIf} ${FileExists} "$INSTDIR\AdbWinApi.dll"
    ${OrIf} ${FileExists} "$INSTDIR\AdbWinUsbApi.dll"
      StrCpy $R1 1
    ${EndIf}
  ${EndIf}
FunctionEnd
