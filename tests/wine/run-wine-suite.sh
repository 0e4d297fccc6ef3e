#!/usr/bin/env bash
# Runs every Wine test case against a Windows build and prints a closing
# line "N passed, M failed"; exits non-zero when a case failed or Wine could
# not be started.
#
# Usage: tests/wine/run-wine-suite.sh [BUILD_DIR] [CASE...]
#   BUILD_DIR  the Windows build; by default build-win32 beside this tree, or
#              build-win64 (the same sources built with
#              cmake/mingw-x86_64.cmake) where 32-bit Wine cannot run
#   CASE       names of case functions to run (default: all of cases/*.sh)
# Screenshots and the logs of failed cases go to BUILD_DIR/wine-artifacts.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
default_build() {
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "$root/build-win32"
  else
    echo "32-bit Wine cannot run here: using the x86-64 build of the same sources" >&2
    echo "$root/build-win64"
  fi
}
build=${1:-$(default_build)}
TARV_BUILD=$(cd "$build" 2>/dev/null && pwd) || { echo "no build directory $build" >&2; exit 2; }
shift $(($# > 0 ? 1 : 0))
TARV_ROOT=$root
TARV_ARTIFACTS=$TARV_BUILD/wine-artifacts
export TARV_BUILD TARV_ROOT TARV_ARTIFACTS

for program in tarv32.exe tarvdriver.exe uiprobe.exe; do
  [ -f "$TARV_BUILD/$program" ] || { echo "missing $TARV_BUILD/$program: build the Windows target first" >&2; exit 2; }
done

# The machine field of the PE header (0x14c i386, 0x8664 x86-64).
pe_machine() {
  local pe
  pe=$(od -An -tu4 -j 60 -N 4 "$1" | tr -d ' ')
  od -An -tx2 -j $((pe + 4)) -N 2 "$1" | tr -d ' '
}

# The prefix follows the build: i686 programs need a 32-bit prefix.
case $(pe_machine "$TARV_BUILD/tarv32.exe") in
  8664) TARV_WINE_ARCH=win64 TARV_OBJDUMP=x86_64-w64-mingw32-objdump ;;
  *) TARV_WINE_ARCH=win32 TARV_OBJDUMP=i686-w64-mingw32-objdump ;;
esac
export TARV_WINE_ARCH TARV_OBJDUMP

# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
# shellcheck source=lib.sh
source "$here/lib.sh"
for file in "$here"/cases/*.sh; do
  # shellcheck disable=SC1090
  source "$file"
done

suite_start=$SECONDS
tarv_wine_start || { echo "Wine could not be started: no case was run" >&2; exit 3; }
echo "Wine ($TARV_WINE_ARCH) ready in $((SECONDS - suite_start)) s (display $DISPLAY)"

rm -rf "$TARV_ARTIFACTS"
mkdir -p "$TARV_ARTIFACTS"
if [ $# -gt 0 ]; then
  cases=("$@")
else
  mapfile -t cases < <(declare -F | awk '$3 ~ /^case_/ { print $3 }')
fi

passed=0
failed=0
for name in "${cases[@]}"; do
  TARV_CASE_DIR="$TARV_WINE_DIR/$name"
  mkdir -p "$TARV_CASE_DIR"
  export TARV_CASE_DIR
  start=$SECONDS
  # Each case runs in a subshell under set -e: its first failing check ends it.
  ( set -eE; trap 'echo "failed: $BASH_COMMAND (line $LINENO)" >&2' ERR; "$name" ) >"$TARV_CASE_DIR/case.log" 2>&1
  status=$?
  if [ "$status" -eq 0 ]; then
    passed=$((passed + 1))
    echo "PASS $name ($((SECONDS - start)) s)"
  else
    failed=$((failed + 1))
    echo "FAIL $name ($((SECONDS - start)) s)"
    sed 's/^/    /' "$TARV_CASE_DIR/case.log"
    cp "$TARV_CASE_DIR/case.log" "$TARV_ARTIFACTS/$name.log"
    # A case that failed half-way may leave its program behind.
    wineserver -k >/dev/null 2>&1
    wineserver -p
  fi
done

echo "Wine suite took $((SECONDS - suite_start)) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
