#!/usr/bin/env bash
# Installs what is missing, builds everything (lumora.scr and lumora-lists for 64- and 32-bit Windows, the
# installer, the native core with g++ and with clang, the unit tests under ThreadSanitizer) and runs every test:
# unit, fuzz, imports, end-to-end under Wine, and the benchmark smoke run. Ends with a table of the time each
# stage took.
#
# The end-to-end entries need the Windows trees, the native tree and the installer; they start as soon as those
# are built, side by side (each has its own X display and Wine prefix), and run while the clang tree is built and
# the unit, fuzz, import and benchmark entries run at a lower priority. Their output follows at the end.
# LUMORA_E2E_JOBS sets how many end-to-end entries run at once (default 2).
set -euo pipefail
cd "$(dirname "$0")/.."

stage_names=()
stage_seconds=()
run_started=$SECONDS
e2e_log=build/e2e-ctest.log
e2e_pid=

print_times() {
  echo "== times (s)"
  for i in "${!stage_names[@]}"; do printf '%-44s %5d\n' "${stage_names[$i]}" "${stage_seconds[$i]}"; done
  # ctest's own figure for each end-to-end entry, from lines like "1/4 Test #1: e2e_i686 ....   Passed  453.21 sec".
  [ -f "$e2e_log" ] && sed -n 's/^.*Test *#[0-9]*: \(e2e_[a-z0-9_]*\) .* \([0-9.]*\) sec$/\1 \2/p' "$e2e_log" |
    while read -r name secs; do printf '  %-42s %5.0f\n' "$name" "$secs"; done
  printf '%-44s %5d\n' total $((SECONDS - run_started))
}

finish() {
  local status=$?
  # A stage that failed leaves the end-to-end entries running: they are stopped with everything they started.
  if [ -n "$e2e_pid" ] && kill -0 "$e2e_pid" 2>/dev/null; then kill -TERM -- "-$e2e_pid" 2>/dev/null || true; fi
  print_times
  exit $status
}
trap finish EXIT

# stage NAME COMMAND...: runs the command and keeps its time for the table.
stage() {
  local name=$1 started=$SECONDS
  shift
  echo "== $name"
  "$@"
  stage_names+=("$name")
  stage_seconds+=($((SECONDS - started)))
}

build() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
}

stage bootstrap ./scripts/bootstrap.sh
for preset in win64 win32 native; do stage "build: $preset" build "$preset"; done
# The installer takes the win64 and native trees' products as they are: both are built already.
stage "build: the installer" cmake --build --preset win32 --target installer

echo "== test: end-to-end under Wine, in the background (the soak has its own command: ctest -L soak)"
e2e_started=$SECONDS
setsid ctest --preset native -L e2e -j "${LUMORA_E2E_JOBS:-2}" >"$e2e_log" 2>&1 &
e2e_pid=$!

# What follows gives way to the end-to-end entries, whose checks include "within a second".
renice -n 10 -p $$ >/dev/null
stage "build: clang" build clang
stage "test: clang with sanitizers (unit, fuzz)" ctest --preset clang -L "unit|fuzz" -j 2
stage "build: tsan (unit tests)" build tsan
stage "test: ThreadSanitizer (unit)" ctest --preset tsan -j 2
stage "test: native (unit, imports, benchmark)" ctest --preset native -LE "soak|e2e" -j 2

echo "== test: end-to-end under Wine (waiting for it)"
e2e_status=0
wait "$e2e_pid" || e2e_status=$?
e2e_pid=
cat "$e2e_log"
stage_names+=("test: end-to-end under Wine")
stage_seconds+=($((SECONDS - e2e_started)))
exit $e2e_status
