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

# windows_build DIR TOOLCHAIN: configures and builds the Windows program there.
windows_build() {
  cmake -S . -B "$1" -DCMAKE_TOOLCHAIN_FILE="cmake/$2" -DCMAKE_BUILD_TYPE=Release >/dev/null &&
    cmake --build "$1" -j"$jobs"
}

stage "Windows build (MinGW-w64 i686): tarv32.exe"
win_build=build-win32
windows_ok=true
windows_build build-win32 mingw-i686.cmake || windows_ok=false
# Where the kernel cannot run 32-bit programs, Wine runs the same sources
# built for x86-64 instead.
if $windows_ok && ! { [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; }; then
  stage "32-bit Wine cannot run here: x86-64 build of the same sources for the Wine suite"
  win_build=build-win64
  windows_build build-win64 mingw-x86_64.cmake || windows_ok=false
fi
if $windows_ok; then
  stage "Wine suite (Xvfb)"
  wine_log=$(mktemp)
  bash tests/wine/run-wine-suite.sh "$root/$win_build" 2>&1 | tee "$wine_log"
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
