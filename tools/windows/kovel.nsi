; The installer of KOVEL for Windows, made by build.sh with Debian's makensis:
;   makensis -DVERSION=1.0 -DLISTS=DIR -DOUTFILE=kovel-1.0-setup.exe kovel.nsi
; DIR holds files.nsh and unfiles.nsh, which build.sh writes from the installed layout it
; stages (the programs and their DLLs, platforms\, styles\, translations\, share\kovel\):
; the files put in place and the same files taken away, so that the uninstaller removes
; exactly what was installed. Per user, without
; administrator rights: $LOCALAPPDATA\Programs\KOVEL, the shortcuts and the .kvl type in
; HKEY_CURRENT_USER. The user's own data (%APPDATA%\KOVEL: registered members, and
; HKEY_CURRENT_USER\Software\KOVEL: the recent files) is never touched.
; a 64-bit installer for a 64-bit program: it runs where KOVEL runs (and under wine64)
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!ifndef VERSION
  !error "VERSION is not given"
!endif
!ifndef LISTS
  !error "LISTS is not given"
!endif
!ifndef OUTFILE
  !define OUTFILE "kovel-${VERSION}-setup.exe"
!endif

!define NAME "KOVEL 鉄骨梁の断面検定"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KOVEL"
!define PROG_ID "KOVEL.Project"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\KOVEL"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

!include "MUI2.nsh"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "KOVEL"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${NAME} インストーラー"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"

!define SHCNE_ASSOCCHANGED 0x08000000
!define SHCNF_IDLIST 0

Section "KOVEL"
  SetShellVarContext current
  !include "${LISTS}\files.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "$SMPROGRAMS\KOVEL"
  CreateShortCut "$SMPROGRAMS\KOVEL\${NAME}.lnk" "$INSTDIR\kovel.exe"
  CreateShortCut "$DESKTOP\${NAME}.lnk" "$INSTDIR\kovel.exe"

  ; the project files open in KOVEL, for this user
  WriteRegStr HKCU "Software\Classes\.kvl" "" "${PROG_ID}"
  WriteRegStr HKCU "Software\Classes\${PROG_ID}" "" "KOVEL プロジェクト"
  WriteRegStr HKCU "Software\Classes\${PROG_ID}\DefaultIcon" "" "$INSTDIR\kovel.exe,0"
  WriteRegStr HKCU "Software\Classes\${PROG_ID}\shell\open\command" "" '"$INSTDIR\kovel.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i ${SHCNF_IDLIST}, p 0, p 0)'

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "KOVEL"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kovel.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetShellVarContext current
  !include "${LISTS}\unfiles.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\KOVEL\${NAME}.lnk"
  RMDir "$SMPROGRAMS\KOVEL"
  Delete "$DESKTOP\${NAME}.lnk"

  ; the type only while it is still ours (another program may have taken .kvl since)
  ReadRegStr $0 HKCU "Software\Classes\.kvl" ""
  StrCmp $0 "${PROG_ID}" 0 +2
    DeleteRegKey HKCU "Software\Classes\.kvl"
  DeleteRegKey HKCU "Software\Classes\${PROG_ID}"
  System::Call 'shell32::SHChangeNotify(i ${SHCNE_ASSOCCHANGED}, i ${SHCNF_IDLIST}, p 0, p 0)'
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
