; Lumora's installer: lumora.scr into the system folder, where the Screen Saver settings list it (the 64-bit
; build on 64-bit Windows, the 32-bit one elsewhere); lumora-lists.exe, its windowed twin lumora-listsw.exe and
; the sample pictures into Program Files\Lumora; the settings file written from a pictures folder and an optional sounds folder, each
; checked before anything is installed; Lumora made the current screensaver if wished; Start-menu entries; an
; uninstaller that takes it all away again.
;
; Silent: lumora-setup.exe /S [/PICTURES=DIR] [/SOUNDS=DIR] [/ACTIVATE=0|1] [/D=DIR]; uninstall.exe /S
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
!include "nsDialogs.nsh"
!include "WinVer.nsh"
!include "x64.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lumora"
!define DESKTOP_KEY "Control Panel\Desktop"

Var PicturesDir
Var SoundsDir
Var Activate
Var PicturesField
Var SoundsField
Var ActivateBox

VIProductVersion "${FILE_VERSION}"
VIAddVersionKey "ProductName" "Lumora"
VIAddVersionKey "FileDescription" "Lumora Screensaver Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "Lumora"
VIAddVersionKey "LegalCopyright" "Lumora"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_NOAUTOCLOSE  ; the log stays to be read until Next
!define MUI_WELCOMEPAGE_TEXT "This installs Lumora, a screensaver that shows your JPEG and bitmap pictures full \
screen, one after another, with wave and MIDI sounds beside them if you like.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom ListsPage ListsPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "Lumora is installed. Other folders of pictures and sounds can be chosen later with \
$\"Choose Lumora Pictures$\" on the Start menu, and the lists changed one by one in $\"Lumora Settings$\"."
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
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PICTURES=" $1
  ${IfNot} ${Errors}
    StrCpy $PicturesDir $1
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/SOUNDS=" $1
  ${IfNot} ${Errors}
    StrCpy $SoundsDir $1
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/ACTIVATE=" $1
  ${IfNot} ${Errors}
    StrCpy $Activate $1
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

; The pictures folder (the samples unless chosen: $PicturesDir stays empty for them, so that they follow a
; change of the installation folder), an optional sounds folder, and the choice to make Lumora the current
; screensaver. What the user chose stays when they go back and come again.
Function ListsPage
  !insertmacro MUI_HEADER_TEXT "Pictures and sounds" "Choose what Lumora shows and plays."
  StrCpy $0 $PicturesDir
  ${If} $0 == ""
    StrCpy $0 "$INSTDIR\Samples"
  ${EndIf}
  nsDialogs::Create 1018
  Pop $1
  ${NSD_CreateLabel} 0 0 100% 20u "Lumora shows the JPEG and bitmap pictures of one folder, in the order of their \
names. The sample pictures come with it; you can choose your own folder instead."
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
  ${NSD_CreateDirRequest} 0 68u 78% 12u "$SoundsDir"
  Pop $SoundsField
  ${NSD_CreateBrowseButton} 80% 67u 20% 14u "Browse..."
  Pop $1
  ${NSD_OnClick} $1 BrowseSounds
  ${NSD_CreateCheckbox} 0 92u 100% 12u "Make Lumora the current screensaver"
  Pop $ActivateBox
  ${If} $Activate == "1"
    ${NSD_Check} $ActivateBox
  ${EndIf}
  ${NSD_OnBack} KeepListsChoices
  nsDialogs::Show
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

Function KeepListsChoices
  ${NSD_GetText} $PicturesField $PicturesDir
  ${If} $PicturesDir == "$INSTDIR\Samples"
    StrCpy $PicturesDir ""
  ${EndIf}
  ${NSD_GetText} $SoundsField $SoundsDir
  ${NSD_GetState} $ActivateBox $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Activate "1"
  ${Else}
    StrCpy $Activate "0"
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
  InitPluginsDir
  File "/oname=$PLUGINSDIR\lumora-lists.exe" "${LISTS}"
  ${If} $PicturesDir != ""
    ${IfNot} ${FileExists} "$PicturesDir\*.*"
      StrCpy $R9 "The pictures folder $PicturesDir does not exist."
      Return
    ${EndIf}
    nsExec::ExecToStack '"$PLUGINSDIR\lumora-lists.exe" --check --pictures "$PicturesDir"'
    Pop $0
    Pop $1
    ${If} $0 != "0"
      StrCpy $R9 "The pictures folder $PicturesDir holds no JPEG or bitmap picture that Lumora can show."
      Return
    ${EndIf}
  ${EndIf}
  ${If} $SoundsDir != ""
    ${IfNot} ${FileExists} "$SoundsDir\*.*"
      StrCpy $R9 "The sounds folder $SoundsDir does not exist."
      Return
    ${EndIf}
    nsExec::ExecToStack '"$PLUGINSDIR\lumora-lists.exe" --check --sounds "$SoundsDir"'
    Pop $0
    Pop $1
    ${If} $0 != "0"
      StrCpy $R9 "The sounds folder $SoundsDir holds no wave or MIDI file that Lumora can play."
    ${EndIf}
  ${EndIf}
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
  SetOutPath "$INSTDIR"
  File "/oname=lumora-lists.exe" "${LISTS}"
  File "/oname=lumora-listsw.exe" "${LISTSW}"
  SetOutPath "$INSTDIR\Samples"
  File "${SAMPLES}\*.*"
  Call WriteLists

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

; The lists of the settings file, from the chosen folders; a settings file that was not there before is made.
; Without it the saver could show nothing: the installation stops there, says so, and takes back what it put.
Function WriteLists
  StrCpy $2 $PicturesDir
  ${If} $2 == ""
    StrCpy $2 "$INSTDIR\Samples"
  ${EndIf}
  StrCpy $0 '"$INSTDIR\lumora-lists.exe" --ini "$WINDIR\lumora.ini" --pictures "$2"'
  ${If} $SoundsDir != ""
    StrCpy $0 '$0 --sounds "$SoundsDir"'
  ${EndIf}
  ; A settings file that was there before holds the user's own options: it stays when Lumora goes.
  ${IfNot} ${FileExists} "$WINDIR\lumora.ini"
    StrCpy $3 "1"
  ${Else}
    StrCpy $3 "0"
  ${EndIf}
  DetailPrint "Listing the pictures of $2 in the settings file $WINDIR\lumora.ini"
  ${If} $SoundsDir != ""
    DetailPrint "Listing the sounds of $SoundsDir"
  ${EndIf}
  nsExec::ExecToLog $0
  Pop $1
  ${If} $1 != "0"
  ${OrIfNot} ${FileExists} "$WINDIR\lumora.ini"
    DetailPrint "The settings file $WINDIR\lumora.ini could not be written: nothing was installed."
    MessageBox MB_OK|MB_ICONSTOP "Lumora could not write its settings file $WINDIR\lumora.ini (the details \
list why). Nothing was installed." /SD IDOK
    Delete "$INSTDIR\lumora-lists.exe"
    Delete "$INSTDIR\lumora-listsw.exe"
    RMDir /r "$INSTDIR\Samples"
    RMDir "$INSTDIR"
    SetErrorLevel 2
    Abort
  ${EndIf}
  ${If} $3 == "1"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "CreatedSettings" "1"
  ${EndIf}
  ; The sounds just chosen play: sound on.
  ${If} $SoundsDir != ""
    WriteINIStr "$WINDIR\lumora.ini" "Options" "Sound" "1"
    DetailPrint "Sound switched on: the sounds play beside the pictures"
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
    Delete "$WINDIR\lumora.ini"
  ${EndIf}
  Delete "$INSTDIR\lumora-lists.exe"
  Delete "$INSTDIR\lumora-listsw.exe"
  RMDir /r "$INSTDIR\Samples"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  SetShellVarContext all
  RMDir /r "$SMPROGRAMS\Lumora"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
