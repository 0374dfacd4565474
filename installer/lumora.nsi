; Lumora's installer: lumora.scr into the system folder, where the Screen Saver settings list it (the 64-bit
; build on 64-bit Windows, the 32-bit one elsewhere); lumora-lists.exe, its windowed twin lumora-listsw.exe and
; the sample pictures into Program Files\Lumora; the settings file written from a pictures folder and an optional
; sounds folder, each checked before anything is installed; Lumora made the current screensaver if wished;
; Start-menu entries; an uninstaller that takes it all away again.
;
; Setup over an earlier installation keeps the user's lists unless other folders are chosen, and leaves that
; installation as it was when the lists cannot be written; it lets every user change the settings file, so that the
; settings window and the list tools work for a standard user too.
;
; The pictures folder is listed with its subfolders; a sign-in entry keeps the lists current (lumora-listsw.exe
; --refresh --quiet), so that photos added show and photos deleted never stop the show.
;
; Silent: lumora-setup.exe /S [/PICTURES=DIR] [/SOUNDS=DIR] [/ACTIVATE=0|1] [/REFRESH=0|1] [/EVERYMONITOR=0|1]
; [/D=DIR];
; uninstall.exe /S
; Each option may be quoted whole or after its "=" ("/PICTURES=D:\My Photos", /PICTURES="D:\My Photos"); /D= comes
; last, unquoted. An option setup cannot read ends it with exit code 2 before anything is changed.
;
; makensis -DVERSION=1.0 -DSCR32=... -DSCR64=... -DLISTS=... -DLISTSW=... -DSAMPLES=... -DOUTFILE=... lumora.nsi
;
; This file holds the pages, the sections and what they share; beside it: Options.nsh (the command line),
; ListsPage.nsh (the page of pictures and sounds), Lists.nsh (the settings file through the lists tool), Folders.nsh
; (folders as given and as the tool takes them), Windows.nsh (the system folder, the current screensaver, sign-in).

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
Var EveryMonitor  ; "1": pictures on every monitor, "0": the others black; empty until the command line or the file says
Var EveryMonitorBox
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

!addincludedir "${__FILEDIR__}"
!include "Folders.nsh"
!include "Options.nsh"
!include "Lists.nsh"
!include "Windows.nsh"
!include "ListsPage.nsh"

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
  StrCpy $EveryMonitor ""
  Call ReadOptions
  ${If} $R9 != ""
    MessageBox MB_OK|MB_ICONSTOP "$R9" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  InitPluginsDir
  File "/oname=$PLUGINSDIR\lumora-lists.exe" "${LISTS}"
  !insertmacro FindSettingsFile "$PLUGINSDIR\lumora-lists.exe"
  Call ReadEveryMonitor
  StrCpy $0 "pictures"
  Call ReadListSource
  StrCpy $HasPictures $1
  StrCpy $ListedPictures $2
  StrCpy $0 "sounds"
  Call ReadListSource
  StrCpy $HasSounds $1
  StrCpy $ListedSounds $2
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
  WriteINIStr "$SettingsFile" "Options" "EveryMonitor" "$EveryMonitor"
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
    Call MakeLumoraCurrent
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
