; What setup changes in Windows besides its files: the system folder it puts the saver into, the current
; screensaver, the sign-in refresh, and the programs the last page starts.

; The system folder of the machine's own kind: on 64-bit Windows the real System32, which a 32-bit installer
; reaches only with the file system redirection off.
!macro SystemFolderOn
  ${If} ${RunningX64}
    ${DisableX64FSRedirection}
  ${EndIf}
!macroend
!macro SystemFolderOff
  ${If} ${RunningX64}
    ${EnableX64FSRedirection}
  ${EndIf}
!macroend

; Lumora made the current screensaver ($R0: its path as Windows keeps it). The choice it replaces is kept for the
; uninstaller to put back; an installation over an earlier one keeps the choice from before that one.
Function MakeLumoraCurrent
  ReadRegStr $2 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ReadRegStr $3 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
  ${GetFileName} $2 $5
  ${If} $5 != "lumora.scr"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "PreviousScreenSaver" "$2"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "PreviousScreenSaveActive" "$3"
  ${EndIf}
  WriteRegStr HKLM "${UNINSTALL_KEY}" "MadeCurrent" "1"
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$R0"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ${IfNot} ${IsNT}
    WriteINIStr "$WINDIR\system.ini" "boot" "SCRNSAVE.EXE" "$R0"
  ${EndIf}
FunctionEnd

; The lists refreshed at each sign-in, for every user where setup may write the machine's Run key, else for this
; user; the entry of an earlier installation goes when it is not wanted any more.
Function WriteSignInRefresh
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $Refresh != "1"
    Return
  ${EndIf}
  ClearErrors
  WriteRegStr HKLM "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\lumora-listsw.exe" --refresh --quiet'
  ${If} ${Errors}
    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\lumora-listsw.exe" --refresh --quiet'
  ${EndIf}
  DetailPrint "The lists are refreshed at each sign-in"
FunctionEnd

Function OpenSettings
  !insertmacro SystemFolderOn
  Exec '"$SYSDIR\lumora.scr" /c'
  !insertmacro SystemFolderOff
FunctionEnd

Function TryShow
  !insertmacro SystemFolderOn
  Exec '"$SYSDIR\lumora.scr" /s'
  !insertmacro SystemFolderOff
FunctionEnd
