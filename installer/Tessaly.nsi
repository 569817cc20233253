; Orvane Tessaly setup. Installs the shippable folder into Program Files for
; every user of the machine, with a Start-menu shortcut and an entry in
; "Add or remove programs". Its uninstaller ends a running copy, removes the
; log-on entries and exactly the files it installed, and asks before it
; removes the user's settings.
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
; Program Files and the machine's uninstall entry need an administrator.
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define PRODUCT "Orvane Tessaly"
!define PUBLISHER "Korvex"
!define PROGRAM "Tessaly.exe"
!define UNINSTALLER "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; Shows the next picture at once; a user can give it a shortcut key.
!define NEXT_SHORTCUT "$SMPROGRAMS\$(NextShortcutName).lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OrvaneTessaly"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "OrvaneTessaly"
!define SETTINGS_KEY "Software\Korvex\Tessaly"
!define COMPANY_KEY "Software\Korvex"
; The program holds this named mapping for as long as it runs.
!define INSTANCE_MAPPING "OrvaneTessaly"
; The main window's caption, in both languages.
!define MAIN_WINDOW_CAPTION "Orvane Tessaly"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
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
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
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

; Ends a running copy before its files are replaced or removed. It is asked
; to close as Alt+F4 would (an open dialog first), so it saves its settings;
; one that does not end within five seconds is terminated. $0 is 1 when no
; copy runs any more.
!macro DefineCloseRunningCopy prefix
  Function ${prefix}CloseRunningCopy
    Push $1
    Push $2
    Push $3
    StrCpy $3 0
    ${Do}
      System::Call 'kernel32::OpenFileMapping(i 4, i 0, t "${INSTANCE_MAPPING}") p .r0'
      ${If} $0 P= 0
        StrCpy $0 1
        ${Break}
      ${EndIf}
      System::Call 'kernel32::CloseHandle(p r0)'
      ${If} $3 >= 100
        StrCpy $0 0
        ${Break}
      ${EndIf}
      System::Call 'user32::FindWindow(p 0, t "${MAIN_WINDOW_CAPTION}") p .r1'
      ${If} $1 P<> 0
        ${If} $3 < 50
          System::Call 'user32::GetLastActivePopup(p r1) p .r2'
          System::Call 'user32::PostMessage(p r2, i ${WM_CLOSE}, p 0, p 0)'
        ${ElseIf} $3 = 50
          System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r2)'
          System::Call 'kernel32::OpenProcess(i 0x100001, i 0, i r2) p .r2'
          ${If} $2 P<> 0
            System::Call 'kernel32::TerminateProcess(p r2, i 1)'
            System::Call 'kernel32::WaitForSingleObject(p r2, i 5000)'
            System::Call 'kernel32::CloseHandle(p r2)'
          ${EndIf}
        ${EndIf}
      ${EndIf}
      Sleep 100
      IntOp $3 $3 + 1
    ${Loop}
    Pop $3
    Pop $2
    Pop $1
  FunctionEnd
!macroend
!insertmacro DefineCloseRunningCopy ""
!insertmacro DefineCloseRunningCopy "un."

!macro EndRunningCopy prefix
  ${Do}
    Call ${prefix}CloseRunningCopy
    ${If} $0 = 1
      ${Break}
    ${EndIf}
    ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunningText)" /SD IDCANCEL IDRETRY`
      Quit
    ${EndIf}
  ${Loop}
!macroend

; The finish page starts the program through the shell, so it runs with
; the user's own rights rather than the installer's.
Function StartProgram
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\${PROGRAM}"'
FunctionEnd

; ------------------------------------------------------------------ install

Function .onInit
  !insertmacro ChooseLanguage
FunctionEnd

Section "Install"
  SetShellVarContext all
  !insertmacro EndRunningCopy ""

  !insertmacro InstallFiles
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  SetOutPath "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0 \
    SW_SHOWNORMAL "" "$(ShortcutDescription)"
  CreateShortcut "${NEXT_SHORTCUT}" "$INSTDIR\${PROGRAM}" "/next" "$INSTDIR\${PROGRAM}" 0 \
    SW_SHOWNORMAL "" "$(NextShortcutDescription)"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; ------------------------------------------------------------------ uninstall

Function un.onInit
  !insertmacro ChooseLanguage
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  !insertmacro EndRunningCopy "un."

  ; The program writes its log-on entry to the machine's Run key, or to the
  ; user's when it may not write the machine's.
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"

  Delete "${SHORTCUT}"
  Delete "${NEXT_SHORTCUT}"
  !insertmacro RemoveFiles
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

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
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
