; The Windows installer: a per-user install without administrator rights, a Start-menu entry
; (and, if chosen, a desktop one) that starts the game in the player's own folder
; %APPDATA%\Zahlgarten, an entry in "Apps", and an uninstaller that keeps that folder.
;
;   makensis -INPUTCHARSET UTF8 -WX -DVERSION=5.0 -DVERSION4=5.0.0.0 -DSTAGE=dir -DICON=file.ico
;            -DOUTFILE=file.exe Zahlgarten.nsi
;
; STAGE holds the files of the portable zip (the game, its help, the collections, LIESMICH.txt).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include FileFunc.nsh

!define PRODUCT "Zahlgarten"
!define PUBLISHER "Velto"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zahlgarten"
; Boards and records live here, as under ~/.local/share/zahlgarten on Linux.
!define GAME_FOLDER "$APPDATA\Zahlgarten"

Name "${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Zahlgarten"
; A new version goes where the last one is, should the player have chosen another folder.
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"

VIProductVersion "${VERSION4}"
VIFileVersion "${VERSION4}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_WELCOMEPAGE_TEXT "Zahlgarten ${VERSION} wird nur für das eigene Benutzerkonto \
installiert, dafür sind keine Administratorrechte nötig.$\r$\n$\r$\nGespeicherte Bretter \
(„brett.zgb“) und die Ruhmeshalle („Champions.Rhm“) liegen im Ordner$\r$\n\
„${GAME_FOLDER}“.$\r$\nEine frühere Fassung wird ersetzt, diese Dateien bleiben erhalten.\
$\r$\n$\r$\n$_CLICK"
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Zahlgarten jetzt starten"
!define MUI_FINISHPAGE_RUN_FUNCTION StartGame
!define MUI_UNCONFIRMPAGE_TEXT_TOP "Zahlgarten wird aus dem unten angegebenen Ordner entfernt. \
Gespeicherte Bretter und die Ruhmeshalle in „${GAME_FOLDER}“ bleiben erhalten."

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "Zahlgarten ${VERSION} – Installation"
VIAddVersionKey /LANG=${LANG_GERMAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "${PUBLISHER}"

!macro GameFiles DO
    ${DO} "$INSTDIR\Zahlgarten.exe"
    ${DO} "$INSTDIR\Zahlgarten.chm"
    ${DO} "$INSTDIR\leicht.zgb"
    ${DO} "$INSTDIR\mittel.zgb"
    ${DO} "$INSTDIR\schwer.zgb"
    ${DO} "$INSTDIR\extrem.zgb"
    ${DO} "$INSTDIR\LIESMICH.txt"
!macroend

Section "Zahlgarten (Spiel, Hilfe, Eintrag im Startmenü)" SecGame
    SectionIn RO
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File "${STAGE}\Zahlgarten.exe"
    File "${STAGE}\Zahlgarten.chm"
    File "${STAGE}\leicht.zgb"
    File "${STAGE}\mittel.zgb"
    File "${STAGE}\schwer.zgb"
    File "${STAGE}\extrem.zgb"
    File "${STAGE}\LIESMICH.txt"
    WriteUninstaller "$INSTDIR\Deinstallieren.exe"

    ; A shortcut's working folder is the output folder at its making.
    SetOutPath "${GAME_FOLDER}"
    CreateShortcut "$SMPROGRAMS\Zahlgarten.lnk" "$INSTDIR\Zahlgarten.exe" "" \
        "$INSTDIR\Zahlgarten.exe" 0 SW_SHOWNORMAL "" "Zahlenrätsel auf sechs mal sechs Feldern"

    WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Zahlgarten.exe,0"
    WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
    WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Verknüpfung auf dem Desktop" SecDesktop
    SetShellVarContext current
    SetOutPath "${GAME_FOLDER}"
    CreateShortcut "$DESKTOP\Zahlgarten.lnk" "$INSTDIR\Zahlgarten.exe" "" \
        "$INSTDIR\Zahlgarten.exe" 0 SW_SHOWNORMAL "" "Zahlenrätsel auf sechs mal sechs Feldern"
SectionEnd

Function StartGame
    SetOutPath "${GAME_FOLDER}"
    Exec '"$INSTDIR\Zahlgarten.exe"'
FunctionEnd

; Only what the installer put there goes: a board the player saved beside the game stays, and
; with it the folder.
Section "Uninstall"
    SetShellVarContext current
    !insertmacro GameFiles Delete
    Delete "$INSTDIR\Deinstallieren.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Zahlgarten.lnk"
    Delete "$DESKTOP\Zahlgarten.lnk"
    DeleteRegKey HKCU "${UNINST_KEY}"
    DetailPrint "Bretter und Ruhmeshalle bleiben in „${GAME_FOLDER}“."
    MessageBox MB_OK|MB_ICONINFORMATION "Zahlgarten ist entfernt.$\r$\n$\r$\nDie gespeicherten \
Bretter („brett.zgb“) und die Ruhmeshalle („Champions.Rhm“) bleiben im Ordner \
„${GAME_FOLDER}“. Wer sie nicht mehr braucht, löscht den Ordner selbst." /SD IDOK
SectionEnd
