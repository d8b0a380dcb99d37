; The Windows installer of CORVALINE Control, made by scripts/cross-windows:
;   makensis -DVERSION=x.y.z -DSTAGE=<install tree> -DOUTFILE=<setup.exe> corvaline.nsi
; The install tree holds bin\ (the programs, Qt and the compiler's runtime)
; and share\corvaline\ (the delivered data files and skins).
; Silent: /S; /CurrentUser or /AllUsers choose the install folder (all users,
; under Program Files, when the account may). The uninstaller keeps the
; user's %APPDATA%\corvaline unless given /REMOVEDATA (silent) or told so.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define APPNAME "CORVALINE Control"
!define PUBLISHER "CORVALINE Control developers"
!define UNINSTKEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\CORVALINE Control"
!define RUNKEY "Software\Microsoft\Windows\CurrentVersion\Run"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "CORVALINE Control"
; Where an earlier install went decides the mode of the next one and of the
; uninstaller.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTKEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTKEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh
!include FileFunc.nsh

Name "${APPNAME}"
OutFile "${OUTFILE}"
BrandingText "${APPNAME} ${VERSION}"

!define MUI_ICON "${STAGE}\corvaline.ico"
!define MUI_UNICON "${STAGE}\corvaline.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\bin\corvaline.exe"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "TradChinese"

Function .onInit
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\bin"
  File /r "${STAGE}\share"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; The executable carries the program's icon.
  CreateShortcut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\bin\corvaline.exe" "" "$INSTDIR\bin\corvaline.exe" 0
  ; SHCTX: HKLM for all users, HKCU for this user (MultiUser sets it).
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayName" "${APPNAME}"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTKEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTKEY}" "DisplayIcon" "$INSTDIR\bin\corvaline.exe,0"
  WriteRegStr SHCTX "${UNINSTKEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTKEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTKEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTKEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTKEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTKEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  RMDir /r "$INSTDIR\bin"
  RMDir /r "$INSTDIR\share"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${APPNAME}.lnk"
  DeleteRegKey SHCTX "${UNINSTKEY}"
  ; The program's own start with the session (its Advanced page sets it).
  DeleteRegValue HKCU "${RUNKEY}" "${APPNAME}"
  ; The settings are the user's: kept unless asked.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEDATA" $1
  IfErrors 0 remove_data
  MessageBox MB_YESNO|MB_DEFBUTTON2 "Also remove your settings and macros (%APPDATA%\corvaline)?" /SD IDNO IDYES remove_data
  Goto done
remove_data:
  SetShellVarContext current
  RMDir /r "$APPDATA\corvaline"
done:
SectionEnd
