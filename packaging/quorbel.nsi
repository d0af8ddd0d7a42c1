; Per-user installer: no administrator rights, installed into the user's own
; programs folder so Config.ini beside the executable stays writable.
; The program is 64-bit, so the installer is too.
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include LogicLib.nsh
!include WinMessages.nsh

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

; Ends a running copy as its tray menu's Exit does: closing its hidden menu
; window (the same class in every start) runs Exit, which takes the icon out
; of the tray. $R9 becomes 1 when a copy was running. Only a copy that has not
; ended after 10 s is killed, by the system's own taskkill (a bare name would
; be looked up in the installer's folder first).
!macro EndRunningProgram UN
Function ${UN}EndRunningProgram
  StrCpy $R9 0
  FindWindow $0 "QuorbelClock.Form4"
  ${If} $0 == 0
    Return
  ${EndIf}
  StrCpy $R9 1
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
  System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2'
  SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
  StrCpy $3 1
  ${If} $2 != 0
    System::Call 'kernel32::WaitForSingleObject(p r2, i 10000) i .r3'
    System::Call 'kernel32::CloseHandle(p r2)'
  ${EndIf}
  ${If} $3 != 0
    nsExec::Exec '"$SYSDIR\taskkill.exe" /f /im QuorbelClock.exe'
    Pop $3
  ${EndIf}
FunctionEnd
!macroend
!insertmacro EndRunningProgram ""
!insertmacro EndRunningProgram "un."

; The files the package installs, for the uninstaller (made with the package).
!include "${STAGE}/../installed_files.nsh"

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
  Call EndRunningProgram
  InitPluginsDir
  ${If} ${FileExists} "$INSTDIR\Config.ini"
    CopyFiles /SILENT "$INSTDIR\Config.ini" "$PLUGINSDIR\Users.ini"
  ${EndIf}
  SetOutPath "$INSTDIR"
  File /r "${STAGE}/*.*"
  ${If} ${FileExists} "$PLUGINSDIR\Users.ini"
    Call KeepUsersConfig
  ${EndIf}
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
  ${If} $R9 == 1
    Exec '"$INSTDIR\QuorbelClock.exe"'
  ${EndIf}
SectionEnd

; An upgrade: the new Config.ini with the user's chosen skin and language and
; the skins and languages the user added. When they cannot be carried over,
; the user's file stays as it was.
Function KeepUsersConfig
  File "/oname=$PLUGINSDIR\QuorbelConfigUpgrade.exe" "${STAGE}/../QuorbelConfigUpgrade.exe"
  nsExec::Exec '"$PLUGINSDIR\QuorbelConfigUpgrade.exe" "$PLUGINSDIR\Users.ini" "$INSTDIR\Config.ini" "$INSTDIR\Config.ini.new"'
  Pop $0
  ClearErrors
  ${If} $0 == 0
    Delete "$INSTDIR\Config.ini"
    Rename "$INSTDIR\Config.ini.new" "$INSTDIR\Config.ini"
  ${Else}
    SetErrors
  ${EndIf}
  ${If} ${Errors}
    Delete "$INSTDIR\Config.ini.new"
    CopyFiles /SILENT "$PLUGINSDIR\Users.ini" "$INSTDIR\Config.ini"
  ${EndIf}
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.EndRunningProgram
  ; The program registers itself under either Run key, whichever it could write.
  !insertmacro DeleteOwnAutostart HKLM
  !insertmacro DeleteOwnAutostart HKCU
  Delete "$SMPROGRAMS\${APP_NAME}.lnk"
  ; Only what the installer put there: the folder may be one the user chose
  ; and keeps other files in, or hold the user's own skins.
  !insertmacro DeleteInstalledFiles
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
