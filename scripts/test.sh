#!/usr/bin/env bash
# Installs what is missing, checks the format of the C and C++ files, builds everything (lumora.scr for 64- and 32-bit Windows, lumora-lists for 32-bit, the
# installer, the native core and programs with g++, the unit tests with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer and under ThreadSanitizer) and runs every test:
# unit, fuzz, imports, end-to-end under Wine, and the benchmark smoke run. Ends with a table of the time each
# stage took.
#
# The end-to-end entries need the Windows trees, the native end-to-end test program and the installer. The first
# three are built side by side while the packages only the tests need are installed. Then the installer is built
# and the end-to-end entries run side by side (each has its own X display and Wine prefix), mostly waiting on
# Wine, while the clang and tsan trees and the native programs besides the tests are built and the unit, fuzz,
# import and benchmark entries run, at a lower priority. The end-to-end output follows at the end.
# LUMORA_E2E_JOBS sets how many end-to-end entries run at once (default 5: they spend most of their time waiting
# on Wine).
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

# build PRESET [TARGET...]: configures the tree and builds the targets (all of the preset's when none is named).
build() {
  local preset=$1 targets=()
  shift
  [ $# -eq 0 ] || targets=(--target "$@")
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" "${targets[@]}"
}

# side_by_side NAME COMMAND [NAME COMMAND]...: runs the commands (a word each: a function of this script) at once,
# each into its own log, shown when it is done, in order; each one's time goes into the table under its name.
side_by_side() {
  local names=() pids=() i failed=0
  while [ $# -gt 0 ]; do
    local log="build/job-${#names[@]}"
    (started=$SECONDS; $2 >"$log.log" 2>&1; echo $((SECONDS - started)) >"$log.seconds") &
    pids+=($!)
    names+=("$1")
    shift 2
  done
  for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || failed=1
    echo "== ${names[$i]}"
    cat "build/job-$i.log"
    [ -f "build/job-$i.seconds" ] || continue
    stage_names+=("${names[$i]}, side by side")
    stage_seconds+=("$(cat "build/job-$i.seconds")")
    rm -f "build/job-$i.seconds" "build/job-$i.log"
  done
  return $failed
}

# What the end-to-end entries need, and what the tests run on (installed while those build: mostly unpacking).
install_the_rest() { ./scripts/bootstrap.sh; }
build_win64() { build win64; }
build_win32() { build win32; }
build_e2e_program() { build native lumora_e2e_tests lumora_make_samples; }

# The unit tests run in the clang tree (all of them, under AddressSanitizer and UndefinedBehaviorSanitizer, beside
# the fuzz runs: each lasts 5 s whatever share of the processors it gets) and in the tsan tree (those of the second
# thread: the next picture's preparation and the JPEG decoder); the native tree adds the programs besides the
# tests: the lists tool, the benchmarks and the demo's screenshot tool.
# The clang job is the longest: the other two give way to it.
clang_tests() { build clang && ctest --preset clang -L '^(unit|fuzz)$' -j 4; }
tsan_tests() { renice -n 15 -p $BASHPID >/dev/null && build tsan && ctest --preset tsan -j 2; }
native_programs() {
  renice -n 15 -p $BASHPID >/dev/null &&
  build native lumora-lists lumora_demo_screen lumora_decode_once lumora_picture_load_bench lumora_listing_bench \
    lumora_saver_bench lumora_lists_bench &&
    ctest --preset native -L '^(imports|bench)$' -j 2
}

# Every C and C++ file as the tree's .clang-format writes it.
check_format() {
  find src tools tests bench samples \( -name '*.c' -o -name '*.cpp' -o -name '*.h' \) -print0 |
    xargs -0 clang-format --dry-run --Werror
}

stage "bootstrap: what the builds need" ./scripts/bootstrap.sh builds
stage "check: the format of the C and C++ files" check_format
mkdir -p build
rm -f build/job-*
side_by_side "build: win64" build_win64 "build: win32" build_win32 "build: native (end-to-end program)" build_e2e_program \
  "bootstrap: the rest (Wine, clang, Xvfb)" install_the_rest
# The installer takes the win64 tree's lumora.scr and the native tree's sample pictures, both built above: the
# native tree is built again beside it, so it must not build there. The end-to-end entries, which install it, follow
# it in the background.
echo "== build: the installer, then test: end-to-end under Wine, in the background"
rm -f build/installer.seconds
setsid bash -c 'started=$SECONDS && LUMORA_SIBLING_TREES_BUILT=1 cmake --build --preset win32 --target installer &&
  echo $((SECONDS - started)) >build/installer.seconds &&
  exec ctest --preset native -L e2e -j "${LUMORA_E2E_JOBS:-5}"' >"$e2e_log" 2>&1 &
e2e_pid=$!
e2e_started=$SECONDS

# What follows gives way to the end-to-end entries, whose checks include "within a second".
renice -n 10 -p $$ >/dev/null
side_by_side "build and test: clang (unit, fuzz)" clang_tests "build and test: tsan (unit)" tsan_tests \
  "build and test: native (imports, benchmark)" native_programs

echo "== test: end-to-end under Wine (waiting for it)"
e2e_status=0
wait "$e2e_pid" || e2e_status=$?
e2e_pid=
cat "$e2e_log"
if [ -f build/installer.seconds ]; then
  stage_names+=("build: the installer (in the background)")
  stage_seconds+=("$(cat build/installer.seconds)")
fi
# Its own time, from its start to its last entry's end, which may come before the other work's.
e2e_seconds=$(sed -n 's/^Total Test time (real) = *\([0-9]*\).*/\1/p' "$e2e_log")
stage_names+=("test: end-to-end under Wine (in the background)")
stage_seconds+=("${e2e_seconds:-$((SECONDS - e2e_started))}")
exit $e2e_status
