; Per-user installer: no administrator rights, installed into the user's own
; programs folder so Config.ini beside the executable stays writable.
; The program is 64-bit, so the installer is too.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include LogicLib.nsh

!ifndef VERSION
  !define VERSION "1.0.0"
!endif
!ifndef STAGE
  !error "STAGE must name the folder with the files to install"
!endif
!ifndef OUTFILE
  !define OUTFILE "QuorbelClock-${VERSION}-setup.exe"
!endif

!define APP_NAME "Quorbel Alarm Clock"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuorbelClock"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

; Deletes the autostart value "Clock" under ROOT only when it names this
; installation's program, quoted or not (StrCmp ignores case): "Clock" is a
; common name, and another program's entry stays.
!macro DeleteOwnAutostart ROOT
  ReadRegStr $0 ${ROOT} "${RUN_KEY}" "Clock"
  ${If} $0 == "$INSTDIR\QuorbelClock.exe"
  ${OrIf} $0 == '"$INSTDIR\QuorbelClock.exe"'
    DeleteRegValue ${ROOT} "${RUN_KEY}" "Clock"
  ${EndIf}
!macroend

Name "${APP_NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Quorbel Alarm Clock"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${STAGE}/../quorbel.ico"
UninstallIcon "${STAGE}/../quorbel.ico"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${APP_NAME}"
VIAddVersionKey "FileDescription" "${APP_NAME} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Quorbel"
VIAddVersionKey "LegalCopyright" "Quorbel"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
  SetShellVarContext current
  ; A running copy would keep its files locked.
  nsExec::Exec 'taskkill /im QuorbelClock.exe /f'
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*.*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\QuorbelClock.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Quorbel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\QuorbelClock.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  nsExec::Exec 'taskkill /im QuorbelClock.exe /f'
  ; The program registers itself under either Run key, whichever it could write.
  !insertmacro DeleteOwnAutostart HKLM
  !insertmacro DeleteOwnAutostart HKCU
  Delete "$SMPROGRAMS\${APP_NAME}.lnk"
  RMDir /r "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
