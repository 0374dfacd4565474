; Setup's command line: /PICTURES=, /SOUNDS=, /ACTIVATE=, /REFRESH=, /EVERYMONITOR= (and /S, /NCRC, which NSIS reads
; itself).

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
  ${ElseIf} $R2 == "/EVERYMONITOR=0"
  ${OrIf} $R2 == "/EVERYMONITOR=1"
    StrCpy $EveryMonitor $R2 "" 14
  ${Else}
    StrCpy $R9 "Lumora Setup cannot read the option $R2. It takes /S, /PICTURES=FOLDER, /SOUNDS=FOLDER, \
/ACTIVATE=0 or 1, /REFRESH=0 or 1, /EVERYMONITOR=0 or 1, and last /D=FOLDER. Nothing was installed."
  ${EndIf}
FunctionEnd
