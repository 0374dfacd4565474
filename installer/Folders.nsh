; Folders as the user gives them (with or without a backslash at the end) and as the lists tool takes them.

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
