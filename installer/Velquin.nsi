; Velquin's installer: the 64-bit build on 64-bit Windows, the 32-bit one elsewhere, a Start-menu shortcut
; and an uninstaller registered under Uninstall. The uninstaller removes what the installer and Velquin
; added to the system (the App Paths entries "Velquin.exe" and the Run value "Velquin") and keeps the
; user's history and preferences.
;
;   makensis -DVERSION=1.1.9.4 -DWIN64_EXE=... -DWIN32_EXE=... -DOUTFILE=... Velquin.nsi

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include LogicLib.nsh
!include x64.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Velquin"
!define APP_PATHS_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\Velquin.exe"

Name "Velquin"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Velquin"
ShowInstDetails show
ShowUninstDetails show
VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "Velquin"
VIAddVersionKey "FileDescription" "Velquin Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Velquin"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Files cannot be replaced or removed while Velquin runs: the user is asked to close it first.
!macro WaitUntilVelquinIsClosed
  ${Do}
    FindWindow $0 "#32770" "Velquin"
    ${If} $0 == 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Velquin is running.  Close it, then click Retry." /SD IDCANCEL IDRETRY +2
    Abort
  ${Loop}
!macroend

Function .onInit
  ${If} ${RunningX64}
    SetRegView 64
    StrCpy $INSTDIR "$PROGRAMFILES64\Velquin"
  ${EndIf}
FunctionEnd

Section "Velquin"
  !insertmacro WaitUntilVelquinIsClosed
  SetOutPath "$INSTDIR"
  ${If} ${RunningX64}
    File "/oname=Velquin.exe" "${WIN64_EXE}"
  ${Else}
    File "/oname=Velquin.exe" "${WIN32_EXE}"
  ${EndIf}
  WriteUninstaller "$INSTDIR\uninstall.exe"

  SetShellVarContext all
  CreateShortCut "$SMPROGRAMS\Velquin.lnk" "$INSTDIR\Velquin.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Velquin"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Velquin.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
FunctionEnd

Section "Uninstall"
  !insertmacro WaitUntilVelquinIsClosed
  Delete "$INSTDIR\Velquin.exe"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  SetShellVarContext all
  Delete "$SMPROGRAMS\Velquin.lnk"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; Velquin registers itself in App Paths, in the machine's table or the user's own, and in Run when it
  ; starts with Windows. The history and preferences under HKCU\Software\Velquin stay.
  DeleteRegKey HKLM "${APP_PATHS_KEY}"
  DeleteRegKey HKCU "${APP_PATHS_KEY}"
  DeleteRegValue HKCU "Software\Microsoft\Windows\CurrentVersion\Run" "Velquin"
SectionEnd
