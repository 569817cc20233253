; The running copy of the program: closing it before its files are replaced
; or removed, and starting it again after an upgrade, as it ran before.

; The program holds this named mapping for as long as it runs.
!define INSTANCE_MAPPING "OrvaneTessaly"
; The main window's caption, in both languages.
!define MAIN_WINDOW_CAPTION "Orvane Tessaly"
!define PROCESS_QUERY_INFORMATION 0x400
!define TOKEN_DUPLICATE 0x2
!define MAXIMUM_ALLOWED 0x2000000
!define SECURITY_IMPERSONATION 2
!define TOKEN_PRIMARY 1

Var RunningCopy ; 1 when a copy ran as the installer started its work
Var RestartArguments ; "min" when that copy's window was hidden

; Ends a running copy. It is asked to close as Alt+F4 would (an open
; dialog first), so it saves its settings; one that does not end within
; five seconds is terminated. $0 is 1 when no copy runs any more.
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

; Whether a copy runs, and hidden in the notification area or not, so that
; an upgrade can start it again the way it ran.
Function NoteRunningCopy
  StrCpy $RunningCopy 0
  StrCpy $RestartArguments ""
  System::Call 'kernel32::OpenFileMapping(i 4, i 0, t "${INSTANCE_MAPPING}") p .r0'
  ${If} $0 P= 0
    Return
  ${EndIf}
  System::Call 'kernel32::CloseHandle(p r0)'
  StrCpy $RunningCopy 1
  System::Call 'user32::FindWindow(p 0, t "${MAIN_WINDOW_CAPTION}") p .r0'
  System::Call 'user32::IsWindowVisible(p r0) i .r0'
  ${If} $0 = 0
    StrCpy $RestartArguments "min"
  ${EndIf}
FunctionEnd

; Starts the installed program with the arguments $0 as the user who is
; logged on, whatever rights the installer holds: with the rights of the
; user's shell when the installer has an administrator's, so that the
; program never runs elevated (it would write the machine's log-on entry
; and lose the user's). Without a shell to take them from, it starts with
; the installer's own.
Function StartProgramAsUser
  SetOutPath "$INSTDIR"
  StrCpy $0 '"$INSTDIR\${PROGRAM}" $0'
  ${If} $Elevated = 1
    Push $0
    Call StartWithShellRights
    Pop $1
    ${If} $1 = 1
      Return
    ${EndIf}
  ${EndIf}
  Exec $0
FunctionEnd

; Stack: command line -> 1 when the program started with the rights of the
; shell's process, else 0.
Function StartWithShellRights
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $4 0
  System::Call 'user32::GetShellWindow() p .r1'
  System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r1) i .r2'
  ${If} $2 <> 0
    System::Call 'kernel32::OpenProcess(i ${PROCESS_QUERY_INFORMATION}, i 0, i r1) p .r1'
    System::Call 'advapi32::OpenProcessToken(p r1, i ${TOKEN_DUPLICATE}, *p .r2) i .r3'
    System::Call 'kernel32::CloseHandle(p r1)'
    ${If} $3 <> 0
      System::Call 'advapi32::DuplicateTokenEx(p r2, i ${MAXIMUM_ALLOWED}, p 0, i ${SECURITY_IMPERSONATION}, \
        i ${TOKEN_PRIMARY}, *p .r3) i .r1'
      System::Call 'kernel32::CloseHandle(p r2)'
      ${If} $1 <> 0
        System::Call '*(i 68, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0, i 0) p .r1'
        System::Call '*(p 0, p 0, i 0, i 0) p .r2'
        System::Call 'advapi32::CreateProcessWithTokenW(p r3, i 0, p 0, w r0, i 0, p 0, w "$INSTDIR", p r1, p r2) i .r4'
        ${If} $4 <> 0
          StrCpy $4 1
          System::Call '*$2(p .r0)'
          System::Call 'kernel32::CloseHandle(p r0)'
          System::Call '*$2(p, p .r0)'
          System::Call 'kernel32::CloseHandle(p r0)'
        ${EndIf}
        System::Free $1
        System::Free $2
        System::Call 'kernel32::CloseHandle(p r3)'
      ${EndIf}
    ${EndIf}
  ${EndIf}
  StrCpy $0 $4
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
