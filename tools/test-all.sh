#!/usr/bin/env bash
# Everything CI runs: installs what is missing, checks the formatting of the
# hand-written sources, builds the native program and tarv32.exe, runs the
# unit and end-to-end tests natively, the Wine suite under Xvfb against the
# real tarv32.exe (32-bit Wine, natively or under qemu-i386, as
# tests/wine/wine-env.sh decides), and a short run of every fuzzer. Each stage is judged by its exit status. Ends with one line
# "N passed, M failed" over all of them.
#   TARV_FUZZ_SECONDS  seconds per fuzz target (default 30; 0 skips fuzzing)
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${JOBS:-2}
passed=0
failed=0

stage() { printf '\n==== %s (at %d s)\n' "$*" "$SECONDS"; }
# count NAME PASSED FAILED: adds one stage's figures to the totals.
count() {
  passed=$((passed + $2)); failed=$((failed + $3))
  printf '%s: %d passed, %d failed\n' "$1" "$2" "$3"
}
die() { echo "test-all: $*" >&2; count "$1" 0 1; echo "$passed passed, $failed failed"; exit 1; }

stage "Installing what is missing"
bash tools/setup.sh --all || die setup "installation failed"

stage "Formatting (clang-format)"
if bash tools/check-format.sh; then count format 1 0; else count format 0 1; fi

stage "Native build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null &&
  cmake --build build -j"$jobs" || die native-build "build failed"

stage "Native tests (ctest)"
# ctest's exit status judges the stage; its JUnit report gives the figures.
junit=$(mktemp)
(cd build && ctest -j"$jobs" --output-on-failure --output-junit "$junit")
ctest_status=$?
read -r ctest_passed ctest_failed < <(python3 - "$junit" <<'PY'
import sys, xml.etree.ElementTree as ET
try:
    cases = ET.parse(sys.argv[1]).getroot().iter("testcase")
    statuses = [c.get("status", "run") for c in cases]
except (OSError, ET.ParseError):
    statuses = []
failed = sum(1 for c in statuses if c == "fail")
print(sum(1 for c in statuses if c == "run"), failed)
PY
)
rm -f "$junit"
ctest_passed=${ctest_passed:-0} ctest_failed=${ctest_failed:-0}
if [[ $ctest_status -ne 0 && $ctest_failed -eq 0 ]]; then
  echo "test-all: ctest ended with status $ctest_status" >&2
  ctest_failed=1
elif [[ $ctest_passed -eq 0 && $ctest_failed -eq 0 ]]; then
  echo "test-all: ctest ran no test" >&2
  ctest_failed=1
fi
count ctest "$ctest_passed" "$ctest_failed"

# windows_build DIR TOOLCHAIN: configures and builds the Windows program there.
windows_build() {
  cmake -S . -B "$1" -DCMAKE_TOOLCHAIN_FILE="cmake/$2" -DCMAKE_BUILD_TYPE=Release >/dev/null &&
    cmake --build "$1" -j"$jobs"
}

stage "Windows build (MinGW-w64 i686): tarv32.exe"
wine_ok=true
windows_build build-win32 mingw-i686.cmake || { count win32-build 0 1; wine_ok=false; }

# The Wine suite runs the i686 build, under 32-bit Wine natively or through
# qemu-i386; wine-env.sh decides. Where neither works it runs the x86-64
# build of the same sources, and the shipping program untested counts as a
# failure of its own.
# shellcheck source=../tests/wine/wine-env.sh
source tests/wine/wine-env.sh
win_build=$(tarv_wine_default_build "$root")
if $wine_ok && [[ "$win_build" == */build-win64 ]]; then
  stage "32-bit Wine cannot run here: the Wine suite runs the x86-64 build (see above why)"
  count wine-32bit 0 1
  windows_build build-win64 mingw-x86_64.cmake || { count win64-build 0 1; wine_ok=false; }
fi
if $wine_ok; then
  stage "Wine suite (Xvfb)"
  wine_log=$(mktemp)
  bash tests/wine/run-wine-suite.sh "$win_build" 2>&1 | tee "$wine_log"
  wine_status=${PIPESTATUS[0]}
  line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$wine_log" | tail -n1)
  rm -f "$wine_log"
  wine_passed=$(echo "$line" | cut -d' ' -f1) wine_failed=$(echo "$line" | cut -d' ' -f3)
  wine_passed=${wine_passed:-0} wine_failed=${wine_failed:-0}
  [[ $wine_status -ne 0 && $wine_failed -eq 0 ]] && wine_failed=1
  [[ $wine_status -eq 0 && $wine_passed -eq 0 ]] && wine_failed=1
  count wine "$wine_passed" "$wine_failed"
fi

seconds=${TARV_FUZZ_SECONDS:-30}
if [[ "$seconds" != 0 ]]; then
  stage "Fuzzing, $seconds s per target (clang, ASan, UBSan)"
  if bash fuzz/run-fuzzers.sh "$seconds"; then count fuzz 1 0; else count fuzz 0 1; fi
fi

echo
echo "test-all took $SECONDS s"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 ]]
