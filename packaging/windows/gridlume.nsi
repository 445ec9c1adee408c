; The Windows installer: a per-user install (no administrator), a Start-menu entry and an
; uninstaller. tools/build-windows.sh passes VERSION, STAGE (the folder the zip holds), OUTFILE and
; SIDE_PICTURE (the last page's picture, a 164 by 314 BMP made from the icon).
; amd64-unicode: the default x86 stub would need a 32-bit Windows layer to run at all.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Gridlume"
!define PUBLISHER "The Gridlume developers"

Name "Gridlume"
Caption "Gridlume ${VERSION} Setup"
BrandingText "Gridlume ${VERSION} by ${PUBLISHER}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Gridlume"
InstallDirRegKey HKCU "${KEY}" "InstallLocation"

; The game's own icon on the installer, the uninstaller and their pages; a last page that offers
; to start the game. (A silent install, /S, shows no pages and starts nothing.) makensis reads
; files from the folder of this script.
!define MUI_ICON "../icons/gridlume.ico"
!define MUI_UNICON "../icons/gridlume.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\gridlume.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run Gridlume"
!define MUI_FINISHPAGE_NOREBOOTSUPPORT
!define MUI_WELCOMEFINISHPAGE_BITMAP "${SIDE_PICTURE}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${SIDE_PICTURE}"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; What the setup file's Properties show.
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Gridlume"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Gridlume ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" \
    "Copyright (c) 2026 ${PUBLISHER} (MIT License)"

Section
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateDirectory "$SMPROGRAMS\Gridlume"
    CreateShortcut "$SMPROGRAMS\Gridlume\Gridlume.lnk" "$INSTDIR\gridlume.exe"
    CreateShortcut "$SMPROGRAMS\Gridlume\Uninstall Gridlume.lnk" "$INSTDIR\uninstall.exe"
    WriteRegStr HKCU "${KEY}" "DisplayName" "Gridlume"
    WriteRegStr HKCU "${KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${KEY}" "DisplayIcon" '"$INSTDIR\gridlume.exe",0'
    WriteRegStr HKCU "${KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${KEY}" "NoRepair" 1
    ; The size the Apps list shows, in KiB: what the installed folder holds.
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${KEY}" "EstimatedSize" $0
SectionEnd

; Only what the installer put there goes: a folder chosen by the player may hold other files.
Section "Uninstall"
    SetShellVarContext current
    Delete "$INSTDIR\gridlume.exe"
    Delete "$INSTDIR\*.dll"
    Delete "$INSTDIR\README.txt"
    RMDir /r "$INSTDIR\img"
    RMDir /r "$INSTDIR\sounds"
    RMDir /r "$INSTDIR\licences"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Gridlume\Gridlume.lnk"
    Delete "$SMPROGRAMS\Gridlume\Uninstall Gridlume.lnk"
    RMDir "$SMPROGRAMS\Gridlume"
    DeleteRegKey HKCU "${KEY}"
SectionEnd
