; For whom this run installs, and with which rights.
;
; Per user (for the one who runs it): the user's own programs folder, Start
; menu and uninstall entry, and no administrator rights: the setup asks for
; the user's own rights only. All users: Program Files, the common Start
; menu and the machine's uninstall entry, which need an administrator. A run
; without administrator rights that is to install for all users starts an
; elevated copy of itself for the rest, waits for it and ends with its exit
; code; only that choice ever shows the elevation prompt.
;
; Without a choice on the command line, a run with administrator rights
; installs for all users and one without them for the user alone; the
; wizard offers both. An installed version of the chosen kind is upgraded
; in its own folder; an older setup asks before it replaces a newer version
; and, run silently, refuses with exit code 2.
;
; Switches: /CURRENTUSER or /ALLUSERS choose the kind and skip the choice;
; /D= names the folder of a new installation. /NOWELCOME is the elevated
; copy's own: it carries on a wizard whose welcome page was already shown.

!define MODE_CURRENT_USER 0
!define MODE_ALL_USERS 1
!define SEE_MASK_NOCLOSEPROCESS 0x40

Var Mode ; MODE_CURRENT_USER or MODE_ALL_USERS
Var ModeFromCommandLine ; 1 when a switch chose the mode
Var Elevated ; 1 when this process holds administrator rights
Var CommandLineFolder ; what /D= named, or nothing
Var InstalledVersion ; of the chosen kind's installation, or nothing
Var ModePage.AllUsers ; the page's "all users" radio button
Var ModePage.Version ; the installed version a page text names

; ------------------------------------------------------------ both programs

; Per user or all users, for the shell's folders ($SMPROGRAMS) and for
; SHCTX, the registry root of the uninstall entry.
!macro DefineUseModeContext prefix
  Function ${prefix}UseModeContext
    ${If} $Mode = ${MODE_ALL_USERS}
      SetShellVarContext all
    ${Else}
      SetShellVarContext current
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro DefineUseModeContext ""
!insertmacro DefineUseModeContext "un."

!macro NoteElevation
  System::Call 'shell32::IsUserAnAdmin() i .r0'
  ${If} $0 <> 0
    StrCpy $Elevated 1
  ${Else}
    StrCpy $Elevated 0
  ${EndIf}
!macroend

; Starts `program` with administrator rights and the parameters $0, waits
; for it and ends with its exit code. Returns only when it did not start:
; the user declined the elevation prompt.
!macro DefineRunElevated prefix program
  Function ${prefix}RunElevated
    System::Call '*(i 60, i ${SEE_MASK_NOCLOSEPROCESS}, p $HWNDPARENT, w "runas", w "${program}", w "$0", p 0, \
      i ${SW_SHOWNORMAL}, p 0, p 0, p 0, p 0, i 0, p 0, p 0) p .r1'
    System::Call 'shell32::ShellExecuteExW(p r1) i .r2'
    System::Call '*$1(i, i, p, p, p, p, p, i, p, p, p, p, i, p, p .r3)'
    System::Free $1
    ${If} $2 = 0
      Return
    ${EndIf}
    ShowWindow $HWNDPARENT ${SW_HIDE}
    System::Call 'kernel32::WaitForSingleObject(p r3, i -1)'
    System::Call 'kernel32::GetExitCodeProcess(p r3, *i .r2)'
    System::Call 'kernel32::CloseHandle(p r3)'
    SetErrorLevel $2
    Quit
  FunctionEnd
!macroend
; The installer elevates its very self. The uninstaller runs from a copy
; that it made in the user's temporary folder, which the user could replace
; before an administrator types the credentials: it elevates the installed
; uninstaller instead, in place (_?=), where only an administrator can
; change it.
!insertmacro DefineRunElevated "" "$EXEPATH"
!insertmacro DefineRunElevated "un." "$INSTDIR\${UNINSTALLER}"

; ---------------------------------------------------------------- installer

Function ReadInstallModeSwitches
  !insertmacro NoteElevation
  ; Only /D= sets the folder before this point: no InstallDir is given.
  StrCpy $CommandLineFolder $INSTDIR
  ${GetParameters} $1
  StrCpy $ModeFromCommandLine 1
  ClearErrors
  ${GetOptions} $1 "/ALLUSERS" $2
  ${IfNot} ${Errors}
    StrCpy $Mode ${MODE_ALL_USERS}
    Return
  ${EndIf}
  ClearErrors
  ${GetOptions} $1 "/CURRENTUSER" $2
  ${IfNot} ${Errors}
    StrCpy $Mode ${MODE_CURRENT_USER}
    Return
  ${EndIf}
  StrCpy $ModeFromCommandLine 0
  ${If} $Elevated = 1
    StrCpy $Mode ${MODE_ALL_USERS}
  ${Else}
    StrCpy $Mode ${MODE_CURRENT_USER}
  ${EndIf}
FunctionEnd

; Refuses to replace a newer installed version unless the user agrees.
Function RefuseUnwantedDowngrade
  ${If} $InstalledVersion == ""
    Return
  ${EndIf}
  ${VersionCompare} "${VERSION}" "$InstalledVersion" $0
  ${If} $0 = 2
    MessageBox MB_YESNO|MB_ICONEXCLAMATION|MB_DEFBUTTON2 "$(NewerVersionQuestion)" /SD IDNO IDYES downgrade
    SetErrorLevel 2
    Quit
    downgrade:
  ${EndIf}
FunctionEnd

; Makes the chosen mode this run's: its folders and registry root, and its
; installation folder (the installed version's, so that an upgrade stays in
; place). For all users without the rights, the elevated copy carries on
; and this one ends; $0 is 0 when that copy could not start, else 1.
Function SettleMode
  ${If} $Mode = ${MODE_ALL_USERS}
  ${AndIf} $Elevated = 0
    StrCpy $0 "/ALLUSERS"
    ${If} ${Silent}
      StrCpy $0 "$0 /S"
    ${EndIf}
    ${If} $ModeFromCommandLine = 0
      StrCpy $0 "$0 /NOWELCOME"
    ${EndIf}
    ${If} $CommandLineFolder != ""
      StrCpy $0 "$0 /D=$CommandLineFolder"
    ${EndIf}
    Call RunElevated
    StrCpy $0 0
    Return
  ${EndIf}
  Call UseModeContext
  ReadRegStr $InstalledVersion SHCTX "${UNINSTALL_KEY}" "DisplayVersion"
  ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${ElseIf} $CommandLineFolder != ""
    StrCpy $INSTDIR $CommandLineFolder
  ${ElseIf} $Mode = ${MODE_ALL_USERS}
    StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
  ${EndIf}
  Call RefuseUnwantedDowngrade
  StrCpy $0 1
FunctionEnd

; The elevation shield on Next while it leads to the elevation prompt.
Function ShowShieldForChoice
  ${NSD_GetState} $ModePage.AllUsers $0
  GetDlgItem $1 $HWNDPARENT 1
  ${If} $0 = ${BST_CHECKED}
  ${AndIf} $Elevated = 0
    SendMessage $1 ${BCM_SETSHIELD} 0 1
  ${Else}
    SendMessage $1 ${BCM_SETSHIELD} 0 0
  ${EndIf}
FunctionEnd

; One choice of the page: its radio button ($0 after it) and, below, what
; it means, with the version installed that way when there is one.
!macro ModeChoice top textTop label text root
  ${NSD_CreateRadioButton} 0 ${top} 100% 12u "${label}"
  Pop $0
  ReadRegStr $ModePage.Version ${root} "${UNINSTALL_KEY}" "DisplayVersion"
  ${If} $ModePage.Version == ""
    ${NSD_CreateLabel} 12u ${textTop} -12u 30u "${text}"
  ${Else}
    ${NSD_CreateLabel} 12u ${textTop} -12u 30u "${text}$\r$\n$(InstalledVersionText)"
  ${EndIf}
  Pop $1
!macroend

Function InstallModePage
  ${If} $ModeFromCommandLine = 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "$(ModePageTitle)" "$(ModePageSubtitle)"
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 20u "$(ModePageText)"
  Pop $0
  !insertmacro ModeChoice 28u 42u "$(ModeCurrentUser)" "$(ModeCurrentUserText)" HKCU
  ${NSD_OnClick} $0 ShowShieldForChoice
  ${If} $Mode = ${MODE_CURRENT_USER}
    ${NSD_Check} $0
  ${EndIf}
  !insertmacro ModeChoice 80u 94u "$(ModeAllUsers)" "$(ModeAllUsersText)" HKLM
  StrCpy $ModePage.AllUsers $0
  ${NSD_OnClick} $0 ShowShieldForChoice
  ${If} $Mode = ${MODE_ALL_USERS}
    ${NSD_Check} $0
  ${EndIf}
  Call ShowShieldForChoice
  nsDialogs::Show
FunctionEnd

Function InstallModePageLeave
  ${NSD_GetState} $ModePage.AllUsers $0
  ${If} $0 = ${BST_CHECKED}
    StrCpy $Mode ${MODE_ALL_USERS}
  ${Else}
    StrCpy $Mode ${MODE_CURRENT_USER}
  ${EndIf}
  Call SettleMode
  ${If} $0 = 0
    Abort ; the elevation prompt was declined: choose again
  ${EndIf}
  GetDlgItem $1 $HWNDPARENT 1
  SendMessage $1 ${BCM_SETSHIELD} 0 0
FunctionEnd

; The elevated copy started from the choice above skips the welcome page.
Function SkipWelcomeInElevatedCopy
  GetDlgItem $1 $HWNDPARENT 1
  SendMessage $1 ${BCM_SETSHIELD} 0 0
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/NOWELCOME" $2
  ${IfNot} ${Errors}
    Abort
  ${EndIf}
FunctionEnd

; An upgrade stays in the installed version's folder.
Function SkipFolderForUpgrade
  ${If} $InstalledVersion != ""
    Abort
  ${EndIf}
FunctionEnd

; -------------------------------------------------------------- uninstaller

; The installation this uninstaller belongs to: the user's own when the
; user's uninstall entry names this folder, else the machine's, which needs
; administrator rights to remove.
Function un.SettleMode
  !insertmacro NoteElevation
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $Mode ${MODE_CURRENT_USER}
  ${Else}
    StrCpy $Mode ${MODE_ALL_USERS}
  ${EndIf}
  ${If} $Mode = ${MODE_ALL_USERS}
  ${AndIf} $Elevated = 0
    StrCpy $0 "_?=$INSTDIR"
    ${If} ${Silent}
      StrCpy $0 "/S $0"
    ${EndIf}
    Call un.RunElevated
    SetErrorLevel 1
    Quit
  ${EndIf}
  Call un.UseModeContext
FunctionEnd
