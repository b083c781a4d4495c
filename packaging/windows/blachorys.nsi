; The Windows installer of Blachorys, made by scripts/windows.sh with Debian's NSIS:
;   makensis -DVERSION=1.2 -DSOURCE=<portable folder> -DICON=<blachorys.ico> -DOUTFILE=<setup.exe>
; For one user (the default: no administrator needed, into %LOCALAPPDATA%\Programs) or for
; everyone (Program Files, as administrator): the page asks, and so do /CurrentUser and
; /AllUsers on the command line; /S installs and uninstalls without a word.

Unicode true
; Debian's default stub is 32-bit; the program and its installer are 64-bit.
Target amd64-unicode

!define APPNAME "Blachorys"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APPNAME}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_INSTALLMODE_INSTDIR "${APPNAME}"
!define MULTIUSER_USE_PROGRAMFILES64
!include MultiUser.nsh
!include MUI2.nsh

Name "${APPNAME} ${VERSION}"
OutFile "${OUTFILE}"
SetCompressor /SOLID lzma

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\blachorys.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\CZYTAJ.txt"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Polish"

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Blachorys"
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}\*.*"
    WriteUninstaller "$INSTDIR\odinstaluj.exe"
    CreateShortCut "$SMPROGRAMS\${APPNAME}.lnk" "$INSTDIR\blachorys.exe" "" "$INSTDIR\blachorys.exe" 0
    ; Listed in Windows' "Apps" (SHCTX: the current user's or the machine's, as installed).
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${APPNAME}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\blachorys.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\odinstaluj.exe" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\odinstaluj.exe" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${APPNAME}.lnk"
    ; The program's files only: saved inputs (*.dat, beside the program or in
    ; %APPDATA%\Blachorys) stay the user's, and so does the folder while it holds them.
    RMDir /r "$INSTDIR\platforms"
    RMDir /r "$INSTDIR\styles"
    RMDir /r "$INSTDIR\imageformats"
    RMDir /r "$INSTDIR\translations"
    RMDir /r "$INSTDIR\lib"
    Delete "$INSTDIR\*.exe"
    Delete "$INSTDIR\*.dll"
    Delete "$INSTDIR\qt.conf"
    Delete "$INSTDIR\CZYTAJ.txt"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
