; The Windows installer: a per-user install (no administrator), a Start-menu entry and an
; uninstaller. tools/build-windows.sh passes VERSION, STAGE (the folder the zip holds) and OUTFILE.
; amd64-unicode: the default x86 stub would need a 32-bit Windows layer to run at all.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Gridlume"

Name "Gridlume ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Gridlume"
InstallDirRegKey HKCU "${KEY}" "InstallLocation"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

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
    WriteRegStr HKCU "${KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegDWORD HKCU "${KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${KEY}" "NoRepair" 1
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
