#!/usr/bin/env bash
# Every function that an executable imports must be one that Windows 98 and Windows NT 4.0 both export and
# implement, as the table says (legacy_windows_exports.tsv: dll, function, windows98, nt4, source).
# It must also carry Lumora's manifest (asInvoker): without one, Windows Vista and later redirect a 32-bit
# program's writes to the Windows directory into a per-user copy that the saver never reads.
# Usage: check_imports.sh EXECUTABLE [TABLE]
set -euo pipefail
exe=$1
table=${2:-$(dirname "$0")/legacy_windows_exports.tsv}
objdump=$(command -v i686-w64-mingw32-objdump || command -v objdump)

imports=$("$objdump" -p "$exe" | awk '
  /DLL Name:/ { dll = toupper($3); next }
  /^$/ { next }
  dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll "\t" $3 }
  /^ *[0-9a-f]+\t/ && NF < 3 { next }')
[ -n "$imports" ] || { echo "no imports read from $exe"; exit 1; }

failures=$(awk -F'\t' '
  NR == FNR { if (FNR > 1) { w98[$1 "\t" $2] = $3; nt4[$1 "\t" $2] = $4 } next }
  {
    key = $1 "\t" $2
    if (!(key in w98)) print $1 "!" $2 ": not in the table"
    else if (w98[key] != "yes" || nt4[key] != "yes") print $1 "!" $2 ": Windows 98 " w98[key] ", NT 4.0 " nt4[key]
  }' "$table" - <<<"$imports")

count=$(wc -l <<<"$imports")
if [ -n "$failures" ]; then
  echo "$exe imports $count functions; these are not on both Windows 98 and Windows NT 4.0:"
  echo "$failures"
  exit 1
fi
grep -q 'requestedExecutionLevel level="asInvoker"' "$exe" || { echo "$exe carries no asInvoker manifest"; exit 1; }
echo "$exe imports $count functions, every one exported by Windows 98 and Windows NT 4.0, and carries its manifest"
