; Lumora's installer: lumora.scr into the system folder, where the Screen Saver settings list it (the 64-bit
; build on 64-bit Windows, the 32-bit one elsewhere); lumora-lists.exe and the sample pictures into
; Program Files\Lumora; the settings file written from a pictures folder and an optional sounds folder; Lumora
; made the current screensaver if wished; Start-menu entries; an uninstaller that takes it all away again.
;
; Silent: lumora-setup.exe /S [/PICTURES=DIR] [/SOUNDS=DIR] [/ACTIVATE=0|1] [/D=DIR]; uninstall.exe /S
;
; makensis -DVERSION=1.0 -DSCR32=... -DSCR64=... -DLISTS=... -DSAMPLES=... -DOUTFILE=... lumora.nsi

Unicode false  ; an ANSI installer runs on Windows 95, 98 and NT 4.0 too
SetCompressor /SOLID lzma
RequestExecutionLevel admin  ; the system folder
Name "Lumora"
Caption "Lumora Screensaver ${VERSION} Setup"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\Lumora"
ShowInstDetails show
ShowUninstDetails show

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

Page directory
Page custom ListsPage ListsPageLeave
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

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

; The pictures folder (the samples unless chosen), an optional sounds folder, and the choice to make Lumora the
; current screensaver.
Function ListsPage
  ${If} $PicturesDir == ""
    StrCpy $PicturesDir "$INSTDIR\Samples"
  ${EndIf}
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 12u "Folder of the pictures to show (JPEG and bitmap files):"
  Pop $0
  ${NSD_CreateDirRequest} 0 14u 78% 12u "$PicturesDir"
  Pop $PicturesField
  ${NSD_CreateBrowseButton} 80% 13u 20% 14u "Browse..."
  Pop $0
  ${NSD_OnClick} $0 BrowsePictures
  ${NSD_CreateLabel} 0 36u 100% 12u "Folder of sounds to play beside them (wave and MIDI files; may stay empty):"
  Pop $0
  ${NSD_CreateDirRequest} 0 50u 78% 12u "$SoundsDir"
  Pop $SoundsField
  ${NSD_CreateBrowseButton} 80% 49u 20% 14u "Browse..."
  Pop $0
  ${NSD_OnClick} $0 BrowseSounds
  ${NSD_CreateCheckbox} 0 74u 100% 12u "Make Lumora the current screensaver"
  Pop $ActivateBox
  ${If} $Activate == "1"
    ${NSD_Check} $ActivateBox
  ${EndIf}
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

Function ListsPageLeave
  ${NSD_GetText} $PicturesField $PicturesDir
  ${NSD_GetText} $SoundsField $SoundsDir
  ${NSD_GetState} $ActivateBox $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $Activate "1"
  ${Else}
    StrCpy $Activate "0"
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

Section "Lumora"
  SetOutPath "$INSTDIR"
  File "/oname=lumora-lists.exe" "${LISTS}"
  SetOutPath "$INSTDIR\Samples"
  File "${SAMPLES}\*.*"

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

  ${If} $PicturesDir == ""
    StrCpy $PicturesDir "$INSTDIR\Samples"
  ${EndIf}
  StrCpy $0 '"$INSTDIR\lumora-lists.exe" --ini "$WINDIR\lumora.ini" --pictures "$PicturesDir"'
  ${If} $SoundsDir != ""
    StrCpy $0 '$0 --sounds "$SoundsDir"'
  ${EndIf}
  ; A settings file that was there before holds the user's own options: it stays when Lumora goes.
  ${IfNot} ${FileExists} "$WINDIR\lumora.ini"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "CreatedSettings" "1"
  ${EndIf}
  DetailPrint "Listing the pictures: $0"
  nsExec::ExecToLog $0
  Pop $1
  ${If} $1 != "0"
    DetailPrint "lumora-lists ended with $1: the settings file may list fewer pictures than the folder holds."
  ${EndIf}

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
  RMDir /r "$INSTDIR\Samples"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  SetShellVarContext all
  RMDir /r "$SMPROGRAMS\Lumora"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
