; The Windows installer: copies the portable folder for all users to Program Files or for the
; current user alone to %LOCALAPPDATA%\Programs, adds a Start-menu entry and an entry in
; Settings > Apps (Add or Remove Programs) with its uninstaller, both in the chosen user's or the
; machine's place. `/S` installs and uninstalls silently; `/AllUsers` and `/CurrentUser` choose
; without the page that asks. Built by scripts/windows.sh:
;   makensis -DVERSION=1.90 -DSOURCE_DIR=<portable folder> -DICON_FILE=<.ico> -DOUTPUT_FILE=<setup.exe> installer.nsi
Unicode true
; A 64-bit installer stub: the program is 64-bit, and 64-bit-only Windows (and Wine) run it.
Target amd64-unicode
SetCompressor /SOLID lzma
; Windows would otherwise stretch the pages, blurred, above 100% scaling.
ManifestDPIAware true
; A file that cannot be written stops the install (Retry or Abort): no mix of old and new files.
AllowSkipFiles off

!define PRODUCT "VL Subconscious Self Number"
!define EXE "VLFreeSubconsciousSelfNumber.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VLFreeSubconsciousSelfNumber"

Name "${PRODUCT} ${VERSION}"
; The line along the bottom of every page names the product, not the tool that made the installer.
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTPUT_FILE}"
VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "Velmora"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "Freeware, all rights reserved"

; An administrator is asked to elevate and may choose either; a standard user installs for
; themselves without being asked for a password. An earlier install's place is the default.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_FUNCTION KeepFolderGivenWithD
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "$(^Name) for all users of this computer needs an administrator's rights."
!include "MultiUser.nsh"
!include "MUI2.nsh"

!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${MUI_ICON}"
!define MUI_ABORTWARNING
!define MUI_UNABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION RunAsTheUser
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var FolderGivenWithD

Function .onInit
  ; Without an InstallDir the folder is empty here unless /D gave one.
  StrCpy $FolderGivenWithD $INSTDIR
  !insertmacro MULTIUSER_INIT
FunctionEnd

; Called whenever the install mode is set: a folder given with /D wins over the mode's default.
Function KeepFolderGivenWithD
  StrCmp $FolderGivenWithD "" +2
  StrCpy $INSTDIR $FolderGivenWithD
FunctionEnd

; A running copy holds its executable open, and Windows then refuses to write or delete it (and
; its DLLs). Found before anything changes, it is reported: interactively with Retry and Cancel,
; silently as exit code 2, the install left whole. Sets the error flag when the caller is to stop.
!macro STOP_IF_RUNNING UN
Function ${UN}StopIfRunning
  check:
  ClearErrors
  IfFileExists "$INSTDIR\${EXE}" 0 free
  FileOpen $0 "$INSTDIR\${EXE}" a
  IfErrors 0 close
  MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
    "${PRODUCT} is running.$\r$\n$\r$\nClose it, then click Retry; or click Cancel to leave it as it is." \
    /SD IDCANCEL IDRETRY check
  SetErrorLevel 2
  SetErrors
  Return
  close:
  FileClose $0
  free:
  ClearErrors
FunctionEnd
!macroend
!insertmacro STOP_IF_RUNNING ""
!insertmacro STOP_IF_RUNNING "un."

; Started from an elevated setup, the program would run as the administrator, with the
; administrator's registry, lock and browser; the shell starts it as the signed-in user.
Function RunAsTheUser
  ${If} $MultiUser.Privileges == "Admin"
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\${EXE}"'
  ${Else}
    Exec '"$INSTDIR\${EXE}"'
  ${EndIf}
FunctionEnd

Section "Install"
  Call StopIfRunning
  IfErrors 0 +2
  Abort "${PRODUCT} is running; nothing was changed."
  SetOutPath "$INSTDIR"
  File /r "${SOURCE_DIR}/*.*"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}"

  ; SHCTX is HKLM for all users and HKCU for the current user.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Velmora"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  ; The uninstaller removes the install it stands in, whatever another install's entry says.
  StrCpy $FolderGivenWithD $INSTDIR
  !insertmacro MULTIUSER_UNINIT
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $FolderGivenWithD
    Call un.MultiUser.InstallMode.CurrentUser
  ${EndIf}
  StrCpy $INSTDIR $FolderGivenWithD
FunctionEnd

; Removes what the installer put there and nothing else: a folder chosen by hand may hold
; other files. The user's settings (one date in the registry) stay, as with any program; the
; folder in the user's Local AppData that earlier versions kept their lock file in goes.
Section "Uninstall"
  Call un.StopIfRunning
  IfErrors 0 +2
  Abort "${PRODUCT} is running; nothing was removed."
  ClearErrors
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\Qt6Core.dll"
  Delete "$INSTDIR\Qt6Gui.dll"
  Delete "$INSTDIR\Qt6Widgets.dll"
  Delete "$INSTDIR\libstdc++-6.dll"
  Delete "$INSTDIR\libgcc_s_seh-1.dll"
  Delete "$INSTDIR\libwinpthread-1.dll"
  Delete "$INSTDIR\THIRD-PARTY.txt"
  RMDir /r "$INSTDIR\platforms"
  RMDir /r "$INSTDIR\styles"
  RMDir /r "$INSTDIR\licenses"
  ; The Apps entry and the uninstaller stay while a file could not be removed, so that the
  ; uninstall can be run again.
  IfErrors 0 +3
  SetErrorLevel 2
  Abort "Some files could not be removed."
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 $INSTDIR 0 +2
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  SetShellVarContext current
  Delete "$LOCALAPPDATA\VLFreeSubconsciousSelfNumber\VLFreeSubconsciousSelfNumber.lock"
  RMDir "$LOCALAPPDATA\VLFreeSubconsciousSelfNumber"
SectionEnd
