; Orvane Tessaly setup. Installs the shippable folder for the user who runs
; it or for every user of the machine (InstallMode.nsh), with its entries in
; the Start menu and in "Add or remove programs". Over an installed version
; it upgrades in place: it closes a running copy so that it saves its
; settings, replaces the files, and starts the copy again as it ran
; (RunningCopy.nsh); the settings and the log-on entry stay as they were.
; The uninstaller of each kind of installation ends a running copy and
; removes exactly that installation's files, Start-menu entries, uninstall
; entry and log-on entries, and the wallpaper bitmaps the program wrote,
; and asks before it removes the user's settings.
;
; scripts/make-packages.sh builds it:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.0.0 -DFILES=files.nsh
;            -DOUTFILE=Tessaly-1.0.0-setup.exe installer/Tessaly.nsi
; VERSION comes from the VERSION file; FILES is the generated list of the
; folder's files (the InstallFiles and RemoveFiles macros).

!macro Require symbol
  !ifndef ${symbol}
    !error "${symbol} is not defined: build with scripts/make-packages.sh"
  !endif
!macroend
!insertmacro Require VERSION
!insertmacro Require FILES
!insertmacro Require OUTFILE

Unicode true
ManifestDPIAware true
; Installing for the user alone needs no more than the user's own rights;
; installing for all users asks for an administrator's then (InstallMode.nsh).
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define PRODUCT "Orvane Tessaly"
!define PUBLISHER "Korvex"
!define PROGRAM "Tessaly.exe"
!define UNINSTALLER "Uninstall.exe"
!define START_MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OrvaneTessaly"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "OrvaneTessaly"
!define SETTINGS_KEY "Software\Korvex\Tessaly"
!define COMPANY_KEY "Software\Korvex"
; The bitmap the program converts pictures into (engine/WallpaperBitmap.cpp).
!define WALLPAPER_BITMAP "Quorwall.bmp"
!define SPI_SETDESKWALLPAPER 20
!define SPIF_UPDATE_AND_TELL 3 ; SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; No InstallDir: the folder depends on the kind of installation, and an
; empty $INSTDIR in .onInit tells that /D= named none.
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include WordFunc.nsh
!include nsDialogs.nsh
!include "${FILES}"

; ------------------------------------------------------------------ pages

!define MUI_ICON "..\resources\art\tessaly.ico"
!define MUI_UNICON "..\resources\art\tessaly.ico"
!define MUI_WELCOMEFINISHPAGE_BITMAP "art\wizard.bmp"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "art\wizard.bmp"
!define MUI_HEADERIMAGE
!define MUI_HEADERIMAGE_RIGHT
!define MUI_HEADERIMAGE_BITMAP "art\header.bmp"
!define MUI_HEADERIMAGE_UNBITMAP "art\header.bmp"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipWelcomeInElevatedCopy
!insertmacro MUI_PAGE_WELCOME
Page custom InstallModePage InstallModePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderForUpgrade
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW OfferStartUnlessRestarted
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartProgram
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"
!include "english.nsh"
!include "chinese.nsh"

; ------------------------------------------------------------------ helpers

!include "InstallMode.nsh"
!include "RunningCopy.nsh"

; Pages in the language the program itself will speak: Chinese when the
; system's default language is Chinese, English otherwise.
!macro ChooseLanguage
  System::Call 'kernel32::GetSystemDefaultLangID() i .r0'
  IntOp $0 $0 & 0x3FF
  ${If} $0 = 4
    StrCpy $LANGUAGE ${LANG_SIMPCHINESE}
  ${Else}
    StrCpy $LANGUAGE ${LANG_ENGLISH}
  ${EndIf}
!macroend

; The Start-menu entries, one line each: name, program arguments and
; description. `action` is Create or Remove.
!macro StartMenuEntries action
  !insertmacro ${action}StartMenuEntry "${PRODUCT}" "" "$(ShortcutDescription)"
  ; Shows the next picture at once; a user can give it a shortcut key.
  !insertmacro ${action}StartMenuEntry "$(NextShortcutName)" "/next" "$(NextShortcutDescription)"
!macroend

!macro CreateStartMenuEntry name arguments description
  CreateShortcut "${START_MENU_FOLDER}\${name}.lnk" "$INSTDIR\${PROGRAM}" "${arguments}" "$INSTDIR\${PROGRAM}" 0 \
    SW_SHOWNORMAL "" "${description}"
!macroend

!macro RemoveStartMenuEntry name arguments description
  Delete "${START_MENU_FOLDER}\${name}.lnk"
!macroend

; Removes the log-on entry under `root` when it starts this installation's
; program, its path quoted or not; another copy's entry stays.
!macro RemoveOwnLogonEntry root
  ReadRegStr $0 ${root} "${RUN_KEY}" "${RUN_VALUE}"
  StrCpy $1 $0 1
  ${If} $1 == '"'
    StrCpy $0 $0 "" 1
  ${EndIf}
  StrLen $1 "$INSTDIR\${PROGRAM}"
  StrCpy $0 $0 $1
  ${If} $0 == "$INSTDIR\${PROGRAM}"
    DeleteRegValue ${root} "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
!macroend

; The finish page's choice to start the program, which an upgrade that
; started it again already made.
Function StartProgram
  StrCpy $0 ""
  Call StartProgramAsUser
FunctionEnd

Function OfferStartUnlessRestarted
  ${If} $RunningCopy = 1
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
  ${EndIf}
FunctionEnd

; ------------------------------------------------------------------ install

Function .onInit
  !insertmacro ChooseLanguage
  Call ReadInstallModeSwitches
  ${If} ${Silent}
  ${OrIf} $ModeFromCommandLine = 1
    Call SettleMode
    ${If} $0 = 0
      SetErrorLevel 1
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Install"
  Call UseModeContext
  Call NoteRunningCopy
  !insertmacro EndRunningCopy ""

  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  SetOutPath "$INSTDIR"
  CreateDirectory "${START_MENU_FOLDER}"
  !insertmacro StartMenuEntries Create

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0

  ; The user's own log-on entry starts the user's own copy, also when an
  ; all-users copy wrote it.
  ${If} $Mode = ${MODE_CURRENT_USER}
    ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $0 != ""
      WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${PROGRAM}" min'
    ${EndIf}
  ${EndIf}

  ${If} $RunningCopy = 1
    StrCpy $0 $RestartArguments
    Call StartProgramAsUser
  ${EndIf}
SectionEnd

; ------------------------------------------------------------------ uninstall

; The desktop's values under `root` and `path` that name the wallpaper
; ("Wallpaper" and the names given), emptied when "Wallpaper" names the file
; $0 or $1, as the program empties them when it shows no picture; $3 is 1
; then.
!macro ForgetWallpaper root path other1 other2
  ReadRegStr $2 ${root} "${path}" "Wallpaper"
  ${If} $2 == $0
  ${OrIf} $2 == $1
    WriteRegStr ${root} "${path}" "Wallpaper" ""
    !if "${other1}" != ""
      WriteRegStr ${root} "${path}" "${other1}" ""
    !endif
    !if "${other2}" != ""
      WriteRegStr ${root} "${path}" "${other2}" ""
    !endif
    StrCpy $3 1
  ${EndIf}
!macroend

; The bitmaps the program wrote: in the system directory as 64-bit programs
; name it, as the program does, and in the user's local application data.
; A desktop that still shows one of them is left without a wallpaper
; rather than pointing at a file that is gone.
Function un.RemoveWallpaperBitmaps
  System::Call 'kernel32::GetSystemWow64Directory(t .r4, i ${NSIS_MAX_STRLEN}) i .r0'
  ${If} $0 = 0
    StrCpy $4 $SYSDIR
  ${EndIf}
  SetShellVarContext current
  StrCpy $5 "$LOCALAPPDATA\${PRODUCT}"
  Call un.UseModeContext
  StrCpy $0 "$4\${WALLPAPER_BITMAP}"
  StrCpy $1 "$5\${WALLPAPER_BITMAP}"
  StrCpy $3 0
  !insertmacro ForgetWallpaper HKCU "Control Panel\Desktop" ConvertedWallpaper OriginalWallpaper
  !insertmacro ForgetWallpaper HKCU "Software\Microsoft\Internet Explorer\Desktop\General" BackupWallpaper ""
  !insertmacro ForgetWallpaper HKU ".DEFAULT\Control Panel\Desktop" "" ""
  ${If} $3 = 1
    System::Call 'user32::SystemParametersInfo(i ${SPI_SETDESKWALLPAPER}, i 0, t "", i ${SPIF_UPDATE_AND_TELL})'
  ${EndIf}
  Delete $0
  Delete $1
  Delete "$4\~tq*.tmp"
  Delete "$5\~tq*.tmp"
  RMDir $5
FunctionEnd

; An uninstaller run in place (the elevated one that a standard user's
; starts, see un.SettleMode) cannot delete its own file, which it keeps open
; while it runs: the system deletes it and the folder at the next restart,
; which nothing else needs.
Function un.RemoveUninstaller
  Delete "$INSTDIR\${UNINSTALLER}"
  ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    Delete /REBOOTOK "$INSTDIR\${UNINSTALLER}"
    RMDir /REBOOTOK "$INSTDIR"
    SetRebootFlag false
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro ChooseLanguage
  Call un.SettleMode
FunctionEnd

Section "Uninstall"
  Call un.UseModeContext
  !insertmacro EndRunningCopy "un."

  ; The program writes its log-on entry to the machine's Run key, or to the
  ; user's when it may not write the machine's or is the user's own copy.
  !insertmacro RemoveOwnLogonEntry HKLM
  !insertmacro RemoveOwnLogonEntry HKCU

  !insertmacro StartMenuEntries Remove
  RMDir "${START_MENU_FOLDER}"
  !insertmacro RemoveFiles
  Call un.RemoveUninstaller
  RMDir "$INSTDIR"
  Call un.RemoveWallpaperBitmaps

  ; A silent uninstall keeps the settings.
  ClearErrors
  EnumRegValue $0 HKCU "${SETTINGS_KEY}" 0
  ${IfNot} ${Errors}
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(RemoveSettingsQuestion)" /SD IDNO IDNO keep_settings
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "${COMPANY_KEY}"
    keep_settings:
  ${EndIf}

  ; Last, so that the entry stays until everything else is done.
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
