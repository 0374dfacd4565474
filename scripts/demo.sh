#!/usr/bin/env bash
# Runs the Lumora saver (/S) under Wine on the built-in sample pictures.
# With $DISPLAY: the full-screen show on that display until a key or mouse button ends it
# (LUMORA_DEMO_MODE=1..7 picks the display mode, 6 by default).
# Without: a private Xvfb screen, every display mode in turn, a screenshot after each mode's first tick under
# build/demo/screenshots, and an Escape press that ends each show.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

./scripts/bootstrap.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target lumora
cmake --preset native >/dev/null
cmake --build --preset native --target lumora_make_samples lumora_demo_screen

demo=$root/build/demo
scr=$root/build/win64/src/lumora.scr
screen_tool=$root/build/native/tests/e2e/lumora_demo_screen
export WINEPREFIX=$demo/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$demo"

xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

own_display=0
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  own_display=1
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >"$demo/xvfb.log" 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    break
  done
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Preparing the Wine prefix in $WINEPREFIX (once)..."
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
# Without a window manager Wine would wait for one each time a window hides.
[ $own_display -eq 1 ] && wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1

pictures_unix=$WINEPREFIX/drive_c/Lumora/Samples
mapfile -t samples < <("$root/build/native/samples/lumora_make_samples" "$pictures_unix")

write_settings() {
  local mode=$1 ini=$WINEPREFIX/drive_c/windows/lumora.ini
  {
    printf '[Options]\r\nSound=0\r\nSeq=1\r\nTime=8\r\nColor=3\r\nPicdis=%s\r\nHeight=360\r\nWidth=480\r\n' "$mode"
    printf '[JpegConfig]\r\n'
    for n in $(seq 1 500); do
      if [ "$n" -le "${#samples[@]}" ]; then printf 'Name%d=C:\\Lumora\\Samples\\%s\r\n' "$n" "${samples[$((n - 1))]}"
      else printf 'Name%d=Null\r\n' "$n"; fi
    done
    printf '[WavConfig]\r\n'
    for n in $(seq 1 500); do printf 'Name%d=Null\r\n' "$n"; done
  } >"$ini"
}

if [ $own_display -eq 0 ]; then
  write_settings "${LUMORA_DEMO_MODE:-6}"
  echo "Showing display mode ${LUMORA_DEMO_MODE:-6} on $DISPLAY; press a key or a mouse button to end it."
  wine "$scr" /S
  exit 0
fi

shots=$demo/screenshots
rm -rf "$shots"
mkdir -p "$shots"
for mode in 1 2 3 4 5 6 7; do
  write_settings "$mode"
  wine "$scr" /S &
  saver=$!
  sleep 3
  "$screen_tool" shot "$DISPLAY" "$shots/mode$mode-tick1.png"
  "$screen_tool" key "$DISPLAY"
  for _ in $(seq 50); do kill -0 "$saver" 2>/dev/null || break; sleep 0.1; done
  kill "$saver" 2>/dev/null || true
  wait "$saver" 2>/dev/null || true
  echo "display mode $mode: $shots/mode$mode-tick1.png"
done
