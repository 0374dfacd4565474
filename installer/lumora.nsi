; Lumora's installer: lumora.scr into the system folder, where the Screen Saver settings list it (the 64-bit
; build on 64-bit Windows, the 32-bit one elsewhere); lumora-lists.exe, its windowed twin lumora-listsw.exe and
; the sample pictures into Program Files\Lumora; the settings file written from a pictures folder and an optional sounds folder, each
; checked before anything is installed; Lumora made the current screensaver if wished; Start-menu entries; an
; uninstaller that takes it all away again.
;
; Setup over an earlier installation keeps the user's lists unless other folders are chosen, and leaves that
; installation as it was when the lists cannot be written; it lets every user change the settings file, so that the
; settings window and the list tools work for a standard user too.
;
; The pictures folder is listed with its subfolders; a sign-in entry keeps the lists current (lumora-listsw.exe
; --refresh --quiet), so that photos added show and photos deleted never stop the show.
;
; Silent: lumora-setup.exe /S [/PICTURES=DIR] [/SOUNDS=DIR] [/ACTIVATE=0|1] [/REFRESH=0|1] [/D=DIR];
; uninstall.exe /S
; Each option may be quoted whole or after its "=" ("/PICTURES=D:\My Photos", /PICTURES="D:\My Photos"); /D= comes
; last, unquoted. An option setup cannot read ends it with exit code 2 before anything is changed.
;
; makensis -DVERSION=1.0 -DSCR32=... -DSCR64=... -DLISTS=... -DLISTSW=... -DSAMPLES=... -DOUTFILE=... lumora.nsi

Unicode false  ; an ANSI installer runs on Windows 95, 98 and NT 4.0 too
SetCompressor /SOLID lzma
RequestExecutionLevel admin  ; the system folder
Name "Lumora"
Caption "Lumora Screensaver ${VERSION} Setup"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Lumora"
ShowInstDetails show
BrandingText "Lumora ${VERSION}"
ShowUninstDetails show

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "TextFunc.nsh"
!include "nsDialogs.nsh"
!include "WinVer.nsh"
!include "x64.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumora"
!define DESKTOP_KEY "Control Panel\Desktop"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Lumora Pictures"

Var SettingsFile  ; the settings file the saver reads, as lumora-lists names it
Var PicturesDir  ; the folder to list; empty: the current list is kept, or the samples listed where there is none
Var SoundsDir    ; the folder to list; empty: the sound list is left as it is
Var ListedPictures  ; where the current lists came from, when the settings file holds them
Var ListedSounds
Var HasPictures  ; "1" when the settings file holds a picture list, which setup keeps unless told otherwise
Var HasSounds
Var Activate
Var Refresh  ; "1": the lists are refreshed at each sign-in
Var RefreshBox
Var PicturesField
Var SoundsField
Var ActivateBox
Var AddedFolder  ; the folder this run made to list the samples in (Samples, or the installation folder), or empty

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey "ProductName" "Lumora"
VIAddVersionKey "FileDescription" "Lumora Screensaver Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Lumora"
VIAddVersionKey "LegalCopyright" "Lumora"

!macro FindSettingsFile LISTS_TOOL
  nsExec::ExecToStack '"${LISTS_TOOL}" --settings-file'
  Pop $0
  Pop $SettingsFile
  ${TrimNewLines} $SettingsFile $SettingsFile
!macroend

; The folder without the backslashes that end it, except a drive's root (E:\), whose backslash is its meaning.
!macro TrimFolder VAR
  Push ${VAR}
  Call TrimFolder
  Pop ${VAR}
!macroend

; The folder as one argument of the lists tool's command line, quoted: see QuotedFolder.
!macro QuotedFolder FOLDER VAR
  Push "${FOLDER}"
  Call QuotedFolder
  Pop ${VAR}
!macroend

!macro PutSamples
  SetOutPath "$INSTDIR\Samples"
  File "${SAMPLES}\*.*"
!macroend

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_NOAUTOCLOSE  ; the log stays to be read until Next
!define MUI_WELCOMEPAGE_TEXT "This installs Lumora, a screensaver that shows your JPEG and bitmap pictures full \
screen, one after another, with wave and MIDI sounds beside them if you like.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom ListsPage ListsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Lumora is installed. $\"Choose Lumora Pictures$\" on the Start menu chooses \
other folders of pictures and sounds; $\"Lumora Settings$\" changes how they are shown: the delay, the order, \
the display and the sound."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open Lumora Settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenSettings
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Try the show now"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION TryShow
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  StrCpy $PicturesDir ""
  StrCpy $SoundsDir ""
  StrCpy $Activate "1"
  StrCpy $Refresh "1"
  Call ReadOptions
  ${If} $R9 != ""
    MessageBox MB_OK|MB_ICONSTOP "$R9" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  InitPluginsDir
  File "/oname=$PLUGINSDIR\lumora-lists.exe" "${LISTS}"
  !insertmacro FindSettingsFile "$PLUGINSDIR\lumora-lists.exe"
  StrCpy $0 "pictures"
  Call ReadListSource
  StrCpy $HasPictures $1
  StrCpy $ListedPictures $2
  StrCpy $0 "sounds"
  Call ReadListSource
  StrCpy $HasSounds $1
  StrCpy $ListedSounds $2
FunctionEnd

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

; The options, split as Windows splits a command line: blanks outside double quotes part them, the quotes go.
; NSIS has taken /D= off the end already. $R9: empty, or why an option cannot be read.
Function ReadOptions
  StrCpy $R9 ""
  ${GetParameters} $R0
  StrLen $R5 $R0
  StrCpy $R1 0   ; where the walk is
  StrCpy $R2 ""  ; the option so far
  StrCpy $R3 0   ; inside quotes
  StrCpy $R4 0   ; an option has begun
  ${DoWhile} $R1 < $R5
    StrCpy $R6 $R0 1 $R1
    IntOp $R1 $R1 + 1
    StrCpy $R7 0  ; a blank that parts two options
    ${If} $R3 == 0
      ${If} $R6 == " "
      ${OrIf} $R6 == "$\t"
        StrCpy $R7 1
      ${EndIf}
    ${EndIf}
    ${If} $R6 == '"'
      IntOp $R3 1 - $R3
      StrCpy $R4 1
    ${ElseIf} $R7 == 1
      ${If} $R4 == 1
        Call TakeOption
      ${EndIf}
      StrCpy $R2 ""
      StrCpy $R4 0
    ${Else}
      StrCpy $R2 "$R2$R6"
      StrCpy $R4 1
    ${EndIf}
  ${Loop}
  ${If} $R4 == 1
    Call TakeOption
  ${EndIf}
FunctionEnd

; One option, in $R2.
Function TakeOption
  ${If} $R9 != ""
    Return
  ${EndIf}
  StrCpy $R7 $R2 10
  StrCpy $R8 $R2 8
  ${If} $R2 S== "/S"
  ${OrIf} $R2 S== "/NCRC"
    Return
  ${ElseIf} $R7 == "/PICTURES="
  ${AndIf} $R2 != "/PICTURES="
    StrCpy $PicturesDir $R2 "" 10
  ${ElseIf} $R8 == "/SOUNDS="
  ${AndIf} $R2 != "/SOUNDS="
    StrCpy $SoundsDir $R2 "" 8
  ${ElseIf} $R2 == "/ACTIVATE=0"
  ${OrIf} $R2 == "/ACTIVATE=1"
    StrCpy $Activate $R2 "" 10
  ${ElseIf} $R2 == "/REFRESH=0"
  ${OrIf} $R2 == "/REFRESH=1"
    StrCpy $Refresh $R2 "" 9
  ${Else}
    StrCpy $R9 "Lumora Setup cannot read the option $R2. It takes /S, /PICTURES=FOLDER, /SOUNDS=FOLDER, \
/ACTIVATE=0 or 1, /REFRESH=0 or 1, and last /D=FOLDER. Nothing was installed."
  ${EndIf}
FunctionEnd

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

; The pictures folder (the current list's folder, or the samples where there is no list: $PicturesDir stays empty
; for either, so that the list is kept or the samples follow a change of the installation folder), an optional
; sounds folder, and the choice to make Lumora the current screensaver. What the user chose stays when they go
; back and come again.
Function ListsPage
  !insertmacro MUI_HEADER_TEXT "Pictures and sounds" "Choose what Lumora shows and plays."
  Call PicturesShown
  nsDialogs::Create 1018
  Pop $1
  ${If} $HasPictures == "1"
    ${NSD_CreateLabel} 0 0 100% 20u "Lumora keeps its current list of pictures, made from the folder below, \
unless you choose another folder. It shows JPEG and bitmap pictures in the order of their names."
  ${Else}
    ${NSD_CreateLabel} 0 0 100% 20u "Lumora shows the JPEG and bitmap pictures of one folder and its \
subfolders, in the order of their names. The sample pictures come with it; you can choose your own folder instead."
  ${EndIf}
  Pop $1
  ${NSD_CreateLabel} 0 24u 100% 10u "Folder of the pictures to show:"
  Pop $1
  ${NSD_CreateDirRequest} 0 36u 78% 12u "$0"
  Pop $PicturesField
  ${NSD_CreateBrowseButton} 80% 35u 20% 14u "Browse..."
  Pop $1
  ${NSD_OnClick} $1 BrowsePictures
  ${NSD_CreateLabel} 0 56u 100% 10u "Folder of wave and MIDI sounds to play beside them (may stay empty):"
  Pop $1
  Call SoundsShown
  ${NSD_CreateDirRequest} 0 68u 78% 12u "$0"
  Pop $SoundsField
  ${NSD_CreateBrowseButton} 80% 67u 20% 14u "Browse..."
  Pop $1
  ${NSD_OnClick} $1 BrowseSounds
  ${NSD_CreateCheckbox} 0 92u 100% 12u "Make Lumora the current screensaver"
  Pop $ActivateBox
  ${If} $Activate == "1"
    ${NSD_Check} $ActivateBox
  ${EndIf}
  ${NSD_CreateCheckbox} 0 106u 100% 12u "Keep the lists up to date at each sign-in (pictures added, pictures deleted)"
  Pop $RefreshBox
  ${If} $Refresh == "1"
    ${NSD_Check} $RefreshBox
  ${EndIf}
  ${NSD_OnBack} KeepListsChoices
  nsDialogs::Show
FunctionEnd

; $0: what the pictures field shows for $PicturesDir.
Function PicturesShown
  StrCpy $0 $PicturesDir
  ${If} $0 == ""
  ${AndIf} $HasPictures == "1"
    StrCpy $0 $ListedPictures
  ${ElseIf} $0 == ""
    StrCpy $0 "$INSTDIR\Samples"
  ${EndIf}
FunctionEnd

; $0: what the sounds field shows for $SoundsDir.
Function SoundsShown
  StrCpy $0 $SoundsDir
  ${If} $0 == ""
  ${AndIf} $HasSounds == "1"
    StrCpy $0 $ListedSounds
  ${EndIf}
FunctionEnd

Function BrowsePictures
  ${NSD_GetText} $PicturesField $0
  nsDialogs::SelectFolderDialog "Folder of the pictures to show" $0
  Pop $0
  ${If} $0 != "error"
    ${NSD_SetText} $PicturesField $0
  ${EndIf}
FunctionEnd

Function BrowseSounds
  ${NSD_GetText} $SoundsField $0
  nsDialogs::SelectFolderDialog "Folder of sounds" $0
  Pop $0
  ${If} $0 != "error"
    ${NSD_SetText} $SoundsField $0
  ${EndIf}
FunctionEnd

; A field left as it was shown keeps what it showed: the current list, or the samples.
Function KeepListsChoices
  StrCpy $PicturesDir ""
  Call PicturesShown
  !insertmacro TrimFolder $0
  ${NSD_GetText} $PicturesField $PicturesDir
  !insertmacro TrimFolder $PicturesDir
  ${If} $PicturesDir == $0
    StrCpy $PicturesDir ""
  ${EndIf}
  StrCpy $SoundsDir ""
  Call SoundsShown
  !insertmacro TrimFolder $0
  ${NSD_GetText} $SoundsField $SoundsDir
  !insertmacro TrimFolder $SoundsDir
  ${If} $SoundsDir == $0
    StrCpy $SoundsDir ""
  ${EndIf}
  ${NSD_GetState} $ActivateBox $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Activate "1"
  ${Else}
    StrCpy $Activate "0"
  ${EndIf}
  ${NSD_GetState} $RefreshBox $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Refresh "1"
  ${Else}
    StrCpy $Refresh "0"
  ${EndIf}
FunctionEnd

; The page stays, with a box that says why, until the folders hold what lumora-lists would list.
Function ListsPageLeave
  Call KeepListsChoices
  Call CheckFolders
  ${If} $R9 != ""
    MessageBox MB_OK|MB_ICONEXCLAMATION "$R9"
    Abort
  ${EndIf}
FunctionEnd

; $R9: empty when the chosen folders hold what would be listed, else why they do not. The samples need no check.
Function CheckFolders
  StrCpy $R9 ""
  !insertmacro TrimFolder $PicturesDir
  !insertmacro TrimFolder $SoundsDir
  ${If} $PicturesDir != ""
    StrCpy $R0 "pictures"
    StrCpy $R1 $PicturesDir
    StrCpy $R2 "JPEG or bitmap picture that Lumora can show"
    Call CheckFolder
  ${EndIf}
  ${If} $SoundsDir != ""
  ${AndIf} $R9 == ""
    StrCpy $R0 "sounds"
    StrCpy $R1 $SoundsDir
    StrCpy $R2 "wave or MIDI file that Lumora can play"
    Call CheckFolder
  ${EndIf}
FunctionEnd

; $R9: empty when the folder $R1 holds files for the list $R0 (pictures or sounds), else why not; $R2 names them.
Function CheckFolder
  ; A root's own backslash ends it already (E:\*.*).
  StrCpy $R3 $R1 1 -1
  ${If} $R3 == "\"
    StrCpy $R3 "$R1*.*"
  ${Else}
    StrCpy $R3 "$R1\*.*"
  ${EndIf}
  ${IfNot} ${FileExists} "$R3"
    StrCpy $R9 "The $R0 folder $R1 does not exist."
    Return
  ${EndIf}
  !insertmacro QuotedFolder $R1 $R3
  nsExec::ExecToStack '"$PLUGINSDIR\lumora-lists.exe" --check --recursive --$R0 $R3'
  Pop $0
  Pop $1
  ${If} $0 != "0"
    StrCpy $R9 "The $R0 folder $R1 holds no $R2."
  ${EndIf}
FunctionEnd

Function TrimFolder
  Exch $0
  Push $1
  Push $2
  ${Do}
    StrCpy $1 $0 1 -1
    StrCpy $2 $0 -1
    ${If} $1 != "\"
    ${OrIf} $2 == ""
      ${ExitDo}
    ${EndIf}
    StrCpy $1 $2 1 -1
    ${If} $1 == ":"
      ${ExitDo}
    ${EndIf}
    StrCpy $0 $2
  ${Loop}
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; The tool's C runtime reads backslashes before a double quote as escaping it, 2n of them as n: a path that still
; ends in a backslash (a root) gets that one doubled, so that "E:\\" reaches the tool as E:\.
Function QuotedFolder
  Call TrimFolder
  Exch $0
  Push $1
  StrCpy $1 $0 1 -1
  ${If} $1 == "\"
    StrCpy $0 "$0\"
  ${EndIf}
  StrCpy $0 '"$0"'
  Pop $1
  Exch $0
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

Section "Lumora"
  ; A silent install is checked here, before anything is changed.
  ${If} ${Silent}
    Call CheckFolders
    ${If} $R9 != ""
      DetailPrint "$R9 Nothing was installed."
      SetErrorLevel 2
      Abort
    ${EndIf}
  ${EndIf}
  Call WriteLists
  SetOutPath "$INSTDIR"
  File "/oname=lumora-lists.exe" "${LISTS}"
  File "/oname=lumora-listsw.exe" "${LISTSW}"
  ${If} $AddedFolder == ""
    !insertmacro PutSamples
  ${EndIf}

  !insertmacro SystemFolderOn
  SetOutPath "$SYSDIR"
  ${If} ${RunningX64}
    File "/oname=lumora.scr" "${SCR64}"
  ${Else}
    File "/oname=lumora.scr" "${SCR32}"
  ${EndIf}
  ; The name the Screen Saver settings keep: the short form, as Windows 95 and 98 write it in system.ini.
  GetFullPathName /SHORT $R0 "$SYSDIR\lumora.scr"
  ${If} $R0 == ""
    StrCpy $R0 "$SYSDIR\lumora.scr"
  ${EndIf}
  !insertmacro SystemFolderOff

  ${If} $Activate == "1"
    ; The choice it replaces, for the uninstaller to put back; an installation over an earlier one keeps the
    ; choice from before that one.
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
  ${EndIf}

  SetShellVarContext all
  CreateDirectory "$SMPROGRAMS\Lumora"
  CreateShortCut "$SMPROGRAMS\Lumora\Lumora Settings.lnk" "$SYSDIR\lumora.scr" "/c" "$SYSDIR\lumora.scr" 0
  CreateShortCut "$SMPROGRAMS\Lumora\Lumora Full-Screen Test.lnk" "$SYSDIR\lumora.scr" "/s" "$SYSDIR\lumora.scr" 0
  ; The lists made again without a console: every message in a box.
  CreateShortCut "$SMPROGRAMS\Lumora\Choose Lumora Pictures.lnk" "$INSTDIR\lumora-listsw.exe" "--choose" \
      "$SYSDIR\lumora.scr" 0
  CreateShortCut "$SMPROGRAMS\Lumora\Refresh Lumora Pictures.lnk" "$INSTDIR\lumora-listsw.exe" "--refresh" \
      "$SYSDIR\lumora.scr" 0
  CreateShortCut "$SMPROGRAMS\Lumora\Uninstall Lumora.lnk" "$INSTDIR\uninstall.exe"

  Call WriteSignInRefresh
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Lumora Screensaver"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Lumora"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$SYSDIR\lumora.scr,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

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

Section "Uninstall"
  ; Lumora stops being the current screensaver only where it still is; the choice before it comes back.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "MadeCurrent"
  ${If} $0 == "1"
    ReadRegStr $1 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${GetFileName} $1 $2
    ${If} $2 == "lumora.scr"  ; NSIS compares without regard to case
      ReadRegStr $3 HKLM "${UNINSTALL_KEY}" "PreviousScreenSaver"
      ReadRegStr $4 HKLM "${UNINSTALL_KEY}" "PreviousScreenSaveActive"
      ${If} $3 == ""
        DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
      ${Else}
        WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$3"
      ${EndIf}
      ${If} $4 == ""
        DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
      ${Else}
        WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "$4"
      ${EndIf}
      ${IfNot} ${IsNT}
        WriteINIStr "$WINDIR\system.ini" "boot" "SCRNSAVE.EXE" "$3"
      ${EndIf}
    ${EndIf}
  ${EndIf}

  !insertmacro SystemFolderOn
  Delete "$SYSDIR\lumora.scr"
  !insertmacro SystemFolderOff
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "CreatedSettings"
  ${If} $0 == "1"
    !insertmacro FindSettingsFile "$INSTDIR\lumora-lists.exe"
    Delete "$SettingsFile"
  ${EndIf}
  Delete "$INSTDIR\lumora-lists.exe"
  Delete "$INSTDIR\lumora-listsw.exe"
  RMDir /r "$INSTDIR\Samples"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  SetShellVarContext all
  RMDir /r "$SMPROGRAMS\Lumora"
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
