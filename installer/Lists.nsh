; The settings file and its lists, through the lists tool: where the file is, where its lists came from, writing
; them (or taking back what a failed write added), and letting every user change the file.

!macro FindSettingsFile LISTS_TOOL
  nsExec::ExecToStack '"${LISTS_TOOL}" --settings-file'
  Pop $0
  Pop $SettingsFile
  ${TrimNewLines} $SettingsFile $SettingsFile
!macroend

!macro PutSamples
  SetOutPath "$INSTDIR\Samples"
  File "${SAMPLES}\*.*"
!macroend

; $1: "1" when the settings file holds the list named in $0 (pictures or sounds); $2: the folder it came from.
Function ReadListSource
  nsExec::ExecToStack '"$PLUGINSDIR\lumora-lists.exe" --source $0'
  Pop $1
  Pop $2
  ${If} $1 == "0"
    StrCpy $1 "1"
    ${TrimNewLines} $2 $2
  ${Else}
    StrCpy $1 "0"
    StrCpy $2 ""
  ${EndIf}
FunctionEnd

; The lists of the settings file, from the chosen folders; a settings file that was not there before is made,
; with the samples unless a folder was chosen, and a list that is there stays unless another folder was chosen.
; Without it the saver could show nothing: the installation stops there and says so. It runs before anything of an
; earlier installation is replaced, with the tool setup carries, so that a failure takes back only what this run
; added and an earlier installation stays as it was.
Function WriteLists
  StrCpy $2 $PicturesDir
  ${If} $2 == ""
  ${AndIf} $HasPictures != "1"
    StrCpy $2 "$INSTDIR\Samples"
  ${EndIf}
  ; A settings file that was there before holds the user's own options: it stays when Lumora goes.
  ${IfNot} ${FileExists} "$SettingsFile"
    StrCpy $3 "1"
  ${Else}
    StrCpy $3 "0"
  ${EndIf}
  ; The list names the samples where they are installed: they are put there first when they are not there yet.
  StrCpy $AddedFolder ""
  ${If} $2 == "$INSTDIR\Samples"
  ${AndIfNot} ${FileExists} "$INSTDIR\Samples\*.*"
    StrCpy $AddedFolder "$INSTDIR\Samples"
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
      StrCpy $AddedFolder "$INSTDIR"
    ${EndIf}
    !insertmacro PutSamples
  ${EndIf}
  StrCpy $0 '"$PLUGINSDIR\lumora-lists.exe" --recursive'
  ${If} $2 != ""
    !insertmacro QuotedFolder $2 $4
    StrCpy $0 '$0 --pictures $4'
    DetailPrint "Listing the pictures of $2 in the settings file $SettingsFile"
  ${Else}
    DetailPrint "Keeping the list of pictures in the settings file $SettingsFile"
  ${EndIf}
  ${If} $SoundsDir != ""
    !insertmacro QuotedFolder $SoundsDir $4
    StrCpy $0 '$0 --sounds $4'
    DetailPrint "Listing the sounds of $SoundsDir"
  ${EndIf}
  ${If} $2 != ""
  ${OrIf} $SoundsDir != ""
    SetOutPath "$TEMP"  ; the tool's current folder, and its console's, which may outlive it, are never removed
    nsExec::ExecToLog $0
    Pop $1
  ${Else}
    StrCpy $1 "0"
  ${EndIf}
  ${If} $1 != "0"
  ${OrIfNot} ${FileExists} "$SettingsFile"
    Call TakeBackLists
  ${EndIf}
  ${If} $3 == "1"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "CreatedSettings" "1"
  ${EndIf}
  Call GrantSettingsFile
FunctionEnd

; The lists could not be written ($3: "1" when there was no settings file before): what this run added goes (the
; samples' folder it made, a settings file the tool began), the box says what stays, and setup ends with code 2.
Function TakeBackLists
  ${If} $AddedFolder != ""
    RMDir /r "$AddedFolder"
  ${EndIf}
  ${If} $3 == "1"
  ${AndIf} ${FileExists} "$SettingsFile"
    Delete "$SettingsFile"
  ${EndIf}
  ReadRegStr $4 HKLM "${UNINSTALL_KEY}" "DisplayName"
  ${If} $4 == ""
    StrCpy $4 "Nothing was installed."
  ${Else}
    StrCpy $4 "The earlier installation was left as it was."
  ${EndIf}
  DetailPrint "The settings file $SettingsFile could not be written. $4"
  MessageBox MB_OK|MB_ICONSTOP "Lumora could not write its settings file $SettingsFile (the details list why). $4" \
      /SD IDOK
  SetErrorLevel 2
  Abort
FunctionEnd

; The saver's settings window and the list tools write the settings file in place, and a standard user may not
; write the Windows directory: the built-in Users group (S-1-5-32-545, whose name is in the system's language)
; gets the right to change this one file. Windows 95, 98 and ME have no rights on files.
Function GrantSettingsFile
  ${If} ${AtLeastWinVista}
    nsExec::ExecToLog '"$SYSDIR\icacls.exe" "$SettingsFile" /grant *S-1-5-32-545:(M)'
    Pop $0
  ${ElseIf} ${IsNT}
    ; cacls, on Windows 2000 and XP, takes only the group's name.
    StrCpy $0 "1"
    System::Call 'advapi32::ConvertStringSidToSidA(t "S-1-5-32-545", *p .r1) i .r2'
    ${If} $2 <> 0
      System::Call 'advapi32::LookupAccountSidA(p 0, p r1, t .r3, *i ${NSIS_MAX_STRLEN}, t .r4, \
*i ${NSIS_MAX_STRLEN}, *i .r5) i .r2'
      System::Call 'kernel32::LocalFree(p r1)'
      ${If} $2 <> 0
        nsExec::ExecToLog '"$SYSDIR\cacls.exe" "$SettingsFile" /E /G "$3":C'
        Pop $0
      ${EndIf}
    ${EndIf}
  ${Else}
    Return
  ${EndIf}
  ${If} $0 == "0"
    DetailPrint "Every user of this computer may change Lumora's settings"
  ${Else}
    DetailPrint "Only administrators may change Lumora's settings: the rights of $SettingsFile could not be changed"
  ${EndIf}
FunctionEnd

; Pictures on every monitor unless the command line or an earlier installation's settings file says "0".
Function ReadEveryMonitor
  ${If} $EveryMonitor == ""
    ReadINIStr $EveryMonitor "$SettingsFile" "Options" "EveryMonitor"
    ${If} $EveryMonitor != "0"
      StrCpy $EveryMonitor "1"
    ${EndIf}
  ${EndIf}
FunctionEnd
