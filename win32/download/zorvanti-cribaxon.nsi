; The installer of the Windows download, built by pack.sh, which defines VERSION, STAGE (the folder holding the
; programs and LEEME.txt), ICON and OUTFILE. For the current user alone: no administrator rights are asked for, and
; everything written lies under the user's own folders and HKCU.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh

!define PRODUCT "Zorvanti Cribaxon"
!define PUBLISHER "Zorvanti"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\ZorvantiCribaxon"
!define UNINSTALLER "desinstalar.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"

; Without the version, which the welcome page's title has no room for: the pages and the branding line show it.
Name "${PRODUCT}"
OutFile "${OUTFILE}"
; Where Windows puts programs installed for one user.
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=3082 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=3082 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=3082 "FileDescription" "Instalador de ${PRODUCT}"
VIAddVersionKey /LANG=3082 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=3082 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=3082 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
; NSIS's own text speaks of system files, which this installer never touches.
!define MUI_WELCOMEPAGE_TEXT "Este asistente instalará ${PRODUCT} ${VERSION} solo para el usuario actual, sin \
permisos de administrador.$\r$\n$\r$\nPresione Siguiente para continuar."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; Spanish of Spain, modern sort (3082), as the program's own version information.
!insertmacro MUI_LANGUAGE "SpanishInternational"

Section
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${STAGE}/zorvanti-cribaxon.exe"
    File "${STAGE}/cribaxon-filter.exe"
    File "${STAGE}/LEEME.txt"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "${SHORTCUT}" "$INSTDIR\zorvanti-cribaxon.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zorvanti-cribaxon.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The settings the program stored (HKCU\Software\zorvanti-cribaxon) stay: a later install finds them.
Section "Uninstall"
    SetShellVarContext current
    Delete "$INSTDIR\zorvanti-cribaxon.exe"
    Delete "$INSTDIR\cribaxon-filter.exe"
    Delete "$INSTDIR\LEEME.txt"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    Delete "${SHORTCUT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
