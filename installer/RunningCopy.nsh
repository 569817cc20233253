; The running copy of the program: closing it before its files are replaced
; or removed, and starting it again after an upgrade, as it ran before.

; The program holds this named mapping for as long as it runs, and writes
; into it its main window and its process id (app/SingleInstanceGuard.cpp):
; the window at byte 64, the id behind it. A caption proves nothing:
; Explorer titles a window showing the program's folder exactly as the
; program titles its own, and such a window must be neither closed nor
; taken for the program's when it decides how to start it again.
!define INSTANCE_MAPPING "OrvaneTessaly"
!define INSTANCE_MAPPING_SIZE 128
!define PUBLISHED_WINDOW_OFFSET 64
!define FILE_MAP_READ 4
!define PROCESS_QUERY_INFORMATION 0x400
!define PROCESS_TERMINATE_AND_WAIT 0x100001 ; PROCESS_TERMINATE | SYNCHRONIZE
!define TOKEN_DUPLICATE 0x2
!define MAXIMUM_ALLOWED 0x2000000
!define SECURITY_IMPERSONATION 2
!define TOKEN_PRIMARY 1

Var RunningCopy ; 1 when a copy ran as the installer started its work
Var RestartArguments ; "min" when that copy's window was hidden

; The running copy as the program's own later starts find it: $0 is 1 when
; a copy holds the mapping, else 0; $1 its published main window, checked
; to belong to the process that published it, or 0 (none published yet);
; $2 that process's id.
!macro DefineFindRunningCopy prefix
  Function ${prefix}FindRunningCopy
    Push $3
    Push $4
    StrCpy $0 0
    StrCpy $1 0
    StrCpy $2 0
    System::Call 'kernel32::OpenFileMapping(i ${FILE_MAP_READ}, i 0, t "${INSTANCE_MAPPING}") p .r3'
    ${If} $3 P<> 0
      StrCpy $0 1
      System::Call 'kernel32::MapViewOfFile(p r3, i ${FILE_MAP_READ}, i 0, i 0, i ${INSTANCE_MAPPING_SIZE}) p .r4'
      System::Call 'kernel32::CloseHandle(p r3)'
      ${If} $4 P<> 0
        IntPtrOp $1 $4 + ${PUBLISHED_WINDOW_OFFSET}
        System::Call '*$1(i .r1, i .r2)'
        System::Call 'kernel32::UnmapViewOfFile(p r4)'
        System::Call 'user32::GetWindowThreadProcessId(p r1, *i .r4) i .r3'
        ${If} $3 = 0
        ${OrIf} $4 <> $2
          StrCpy $1 0
          StrCpy $2 0
        ${EndIf}
      ${EndIf}
    ${EndIf}
    Pop $4
    Pop $3
  FunctionEnd
!macroend
!insertmacro DefineFindRunningCopy ""
!insertmacro DefineFindRunningCopy "un."

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
      Call ${prefix}FindRunningCopy
      ${If} $0 = 0
        StrCpy $0 1
        ${Break}
      ${EndIf}
      ${If} $3 >= 100
        StrCpy $0 0
        ${Break}
      ${EndIf}
      ${If} $1 P<> 0
        ${If} $3 < 50
          System::Call 'user32::GetLastActivePopup(p r1) p .r1'
          System::Call 'user32::PostMessage(p r1, i ${WM_CLOSE}, p 0, p 0)'
        ${ElseIf} $3 = 50
          System::Call 'kernel32::OpenProcess(i ${PROCESS_TERMINATE_AND_WAIT}, i 0, i r2) p .r2'
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
; an upgrade can start it again the way it ran. A copy that is still
; starting is given three seconds to publish its window, as a later start
; of the program gives it; without one it counts as hidden.
Function NoteRunningCopy
  Push $1
  Push $2
  Push $3
  StrCpy $3 0
  ${Do}
    Call FindRunningCopy
    ${If} $0 = 0
    ${OrIf} $1 P<> 0
    ${OrIf} $3 >= 30
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $3 $3 + 1
  ${Loop}
  StrCpy $RunningCopy $0
  StrCpy $RestartArguments ""
  ${If} $0 = 1
    System::Call 'user32::IsWindowVisible(p r1) i .r0'
    ${If} $0 = 0
      StrCpy $RestartArguments "min"
    ${EndIf}
  ${EndIf}
  Pop $3
  Pop $2
  Pop $1
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
