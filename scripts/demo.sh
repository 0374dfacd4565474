#!/usr/bin/env bash
# Runs the Lumora saver (/S) under Wine on the built-in sample pictures.
# With $DISPLAY: the full-screen show on that display until a key or mouse button ends it
# (LUMORA_DEMO_MODE=1..7 picks the display mode, 6 by default).
# Without: a private Xvfb screen, every display mode in turn for three pictures (about 20 seconds each), a
# screenshot after each tick under build/demo/screenshots, and an Escape press that ends each show.
# --gallery also writes the README's gallery: each mode's third tick at a quarter size, docs/images/modeN.png.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
gallery=0
[ "${1:-}" = "--gallery" ] && gallery=1

./scripts/bootstrap.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target lumora
cmake --preset native >/dev/null
cmake --build --preset native --target lumora_make_samples lumora_demo_screen

demo=$root/build/demo
scr=$root/build/win64/src/lumora.scr
screen_tool=$root/build/native/tools/demo/lumora_demo_screen
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

# The sample pictures, and a settings file listing them in the display mode asked for.
write_settings() {
  "$root/build/native/samples/lumora_make_samples" "$WINEPREFIX/drive_c/Lumora/Samples" \
    "$WINEPREFIX/drive_c/windows/lumora.ini" 'C:\Lumora\Samples' \
    Sound=0 Seq=1 Time=8 Color=3 "Picdis=$1" Height=360 Width=480 >/dev/null
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
# The first picture comes a second after the start, then one every 8 seconds (Time=8).
for mode in 1 2 3 4 5 6 7; do
  write_settings "$mode"
  wine "$scr" /S &
  saver=$!
  for tick in 1 2 3; do
    [ "$tick" -eq 1 ] && sleep 3 || sleep 8
    "$screen_tool" shot "$DISPLAY" "$shots/mode$mode-tick$tick.png"
  done
  [ $gallery -eq 1 ] && "$screen_tool" thumb "$DISPLAY" "$root/docs/images/mode$mode.png" 4
  "$screen_tool" key "$DISPLAY"
  for _ in $(seq 50); do kill -0 "$saver" 2>/dev/null || break; sleep 0.1; done
  kill "$saver" 2>/dev/null || true
  wait "$saver" 2>/dev/null || true
  echo "display mode $mode: $shots/mode$mode-tick{1,2,3}.png"
done
