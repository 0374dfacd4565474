#!/usr/bin/env bash
# Installs what is missing, builds everything (lumora.scr and lumora-lists for 64- and 32-bit Windows, the
# installer, the native core with g++ and with clang) and runs every test: unit, fuzz, imports, end-to-end under
# Wine, and the benchmark smoke run. Ends with a table of the time each stage took.
set -euo pipefail
cd "$(dirname "$0")/.."

stage_names=()
stage_seconds=()
run_started=$SECONDS
ctest_log=$(mktemp)

print_times() {
  echo "== times (s)"
  for i in "${!stage_names[@]}"; do printf '%-40s %5d\n' "${stage_names[$i]}" "${stage_seconds[$i]}"; done
  # ctest's own figure for every end-to-end entry, from lines like "1/4 Test #1: e2e_i686 ...   Passed  453.21 sec".
  sed -n 's/^.*Test *#[0-9]*: \(e2e_[a-z0-9_]*\) .* \([0-9.]*\) sec$/  \1 \2/p' "$ctest_log" |
    while read -r name secs; do printf '  %-38s %5.0f\n' "$name" "$secs"; done
  printf '%-40s %5d\n' total $((SECONDS - run_started))
  rm -f "$ctest_log"
}
trap print_times EXIT

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
for preset in win64 win32 native clang; do stage "build: $preset" build "$preset"; done
stage "build: the installer" cmake --build --preset win32 --target installer

stage "test: clang with sanitizers (unit, fuzz)" ctest --preset clang -L "unit|fuzz"
stage "test: native (unit, imports, benchmark)" ctest --preset native -LE "soak|e2e"
# Each end-to-end entry drives real windows, sound and input under Wine for about ten minutes. An entry that
# fails runs once more; the first run's failures stay in the log, repeated at the end of its output.
e2e() { ctest --preset native -L e2e --repeat until-pass:2 | tee -a "$ctest_log"; }
stage "test: end-to-end under Wine" e2e
