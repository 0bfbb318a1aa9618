; The Windows installer, built by scripts/build-windows.sh with makensis:
;   makensis -DVERSION=0.1.14 -DFILES=<folder with vorlane.exe, LICENSE.txt,
;            README.txt> -DICON=<vorlane.ico> -DOUTFILE=<setup.exe> installer.nsi
; It installs for every user into C:\Program Files\Vorlane\, the folder whose
; vln.ini seeds a user's first start, adds a Start-menu entry and an entry in
; Windows' list of installed programs, and runs silently with /S. Uninstalling
; removes the program and never a user's vln.ini or logs, which live in each
; user's %LOCALAPPDATA%\Vorlane\. Installing over an older version replaces
; the program and keeps everything else.

Unicode true
SetCompressor /SOLID lzma
!include "MUI2.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Vorlane"
!define PUBLISHER "The Vorlane developers"
!define HOMEPAGE "https://github.com/vorlane/vorlane"

Name "Vorlane"
OutFile "${OUTFILE}"
; The program is 32-bit, as EchoLink is; on 64-bit Windows $PROGRAMFILES64
; still names C:\Program Files, the folder Vorlane reads a shared vln.ini from.
InstallDir "$PROGRAMFILES64\Vorlane"
RequestExecutionLevel admin
BrandingText "Vorlane ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Vorlane"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Vorlane ${VERSION} setup"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This installs Vorlane ${VERSION}, the transmit timer for EchoLink, for every user of this PC.$\r$\n$\r$\nEach user's settings and chat logs stay in that user's own folder, %LOCALAPPDATA%\Vorlane; uninstalling or installing a newer version leaves them there.$\r$\n$\r$\nOn 64-bit Windows EchoLink lives in C:\Program Files (x86): the README shown at the end says what to do when the first start says $\"EchoLink not Installed!$\"."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${FILES}\LICENSE.txt"
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show the README (the first minutes with Vorlane)"
!define MUI_FINISHPAGE_LINK "The user's guide"
!define MUI_FINISHPAGE_LINK_LOCATION "${HOMEPAGE}#users-guide"
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Vorlane"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File "${FILES}\vorlane.exe"
    File "${FILES}\LICENSE.txt"
    File "${FILES}\README.txt"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortCut "$SMPROGRAMS\Vorlane.lnk" "$INSTDIR\vorlane.exe" "" "$INSTDIR\vorlane.exe" 0 \
        SW_SHOWNORMAL "" "EchoLink transmit timer"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vorlane"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vorlane.exe,0"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$INSTDIR\vorlane.exe"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\uninstall.exe"
    Delete "$SMPROGRAMS\Vorlane.lnk"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; Only when empty: an administrator's shared vln.ini stays.
    RMDir "$INSTDIR"
SectionEnd
