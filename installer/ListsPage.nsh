; The page of pictures and sounds: the folders to list, the tick that makes Lumora current and the one that keeps
; the lists up to date at sign-in, and the check of the folders before setup goes on.

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
  ${NSD_CreateCheckbox} 0 120u 100% 12u "Show pictures on every monitor"
  Pop $EveryMonitorBox
  ${If} $EveryMonitor == "1"
    ${NSD_Check} $EveryMonitorBox
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
  ${NSD_GetState} $EveryMonitorBox $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $EveryMonitor "1"
  ${Else}
    StrCpy $EveryMonitor "0"
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
