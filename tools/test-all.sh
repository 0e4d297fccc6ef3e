#!/usr/bin/env bash
# Everything CI runs: installs what is missing, builds the native program and
# tarv32.exe, runs the unit and end-to-end tests natively, the Wine suite
# under Xvfb against the real tarv32.exe, and a short run of every fuzzer.
# Ends with one line "N passed, M failed" over all of them.
#   TARV_FUZZ_SECONDS  seconds per fuzz target (default 30; 0 skips fuzzing)
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${JOBS:-2}
passed=0
failed=0

stage() { printf '\n==== %s\n' "$*"; }
# count NAME PASSED FAILED: adds one stage's figures to the totals.
count() {
  passed=$((passed + $2)); failed=$((failed + $3))
  printf '%s: %d passed, %d failed\n' "$1" "$2" "$3"
}
die() { echo "test-all: $*" >&2; count "$1" 0 1; echo "$passed passed, $failed failed"; exit 1; }

stage "Installing what is missing"
bash tools/setup.sh --all || die setup "installation failed"

stage "Native build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null &&
  cmake --build build -j"$jobs" || die native-build "build failed"

stage "Native tests (ctest)"
ctest_log=$(mktemp)
(cd build && ctest -j"$jobs" --output-on-failure 2>&1) | tee "$ctest_log"
total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$ctest_log" | tail -n1)
bad=$(sed -n 's/.* \([0-9]*\) tests failed out of.*/\1/p' "$ctest_log" | tail -n1)
[[ -n "$total" ]] || { total=1; bad=1; }
count ctest $((total - bad)) "$bad"

stage "Windows build (MinGW-w64 i686)"
if cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null &&
   cmake --build build-win32 -j"$jobs"; then
  stage "Wine suite (Xvfb)"
  wine_log=$(mktemp)
  bash tests/wine/run-wine-suite.sh "$root/build-win32" 2>&1 | tee "$wine_log"
  line=$(grep -E '^[0-9]+ passed, [0-9]+ failed' "$wine_log" | tail -n1)
  if [[ -n "$line" ]]; then
    count wine "$(echo "$line" | cut -d' ' -f1)" "$(echo "$line" | cut -d' ' -f3)"
  else
    count wine 0 1
  fi
else
  count win32-build 0 1
fi

seconds=${TARV_FUZZ_SECONDS:-30}
if [[ "$seconds" != 0 ]]; then
  stage "Fuzzing, $seconds s per target (clang, ASan, UBSan)"
  if bash fuzz/run-fuzzers.sh "$seconds"; then count fuzz 1 0; else count fuzz 0 1; fi
fi

echo
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
