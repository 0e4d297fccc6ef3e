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
#   TARV_WAIT_FACTOR  stretches every deadline of the cases (default 1, or 3
#              under the emulator)
# The i686 build runs under 32-bit Wine, natively where the kernel runs
# 32-bit programs, else under qemu-i386 (see wine-env.sh); the first line
# says which.
# Screenshots and the logs of failed cases go to BUILD_DIR/wine-artifacts.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=wine-env.sh
source "$here/wine-env.sh"
build=${1:-$(tarv_wine_default_build "$root")}
TARV_BUILD=$(cd "$build" 2>/dev/null && pwd) || { echo "no build directory $build" >&2; exit 2; }
shift $(($# > 0 ? 1 : 0))
TARV_ROOT=$root
TARV_ARTIFACTS=$TARV_BUILD/wine-artifacts
export TARV_BUILD TARV_ROOT TARV_ARTIFACTS

for program in tarv32.exe tarvdriver.exe uiprobe.exe; do
  [ -f "$TARV_BUILD/$program" ] || { echo "missing $TARV_BUILD/$program: build the Windows target first" >&2; exit 2; }
done

# The prefix follows the build: i686 programs need a 32-bit prefix.
TARV_WINE_ARCH=$(tarv_wine_arch_of "$TARV_BUILD/tarv32.exe")
case $TARV_WINE_ARCH in
  win64) TARV_OBJDUMP=x86_64-w64-mingw32-objdump ;;
  *) TARV_OBJDUMP=i686-w64-mingw32-objdump ;;
esac
export TARV_WINE_ARCH TARV_OBJDUMP
# Where 32-bit Wine needs the emulator, the whole run continues inside its
# namespace.
tarv_wine_enter "${BASH_SOURCE[0]}" "$TARV_BUILD" "$@"

# shellcheck source=lib.sh
source "$here/lib.sh"
for file in "$here"/cases/*.sh; do
  # shellcheck disable=SC1090
  source "$file"
done

# The cases' deadlines guard against hangs; they say nothing about speed, so
# they stretch where every Wine process runs through the emulator (or by
# TARV_WAIT_FACTOR, on a loaded machine).
if [ -z "${TARV_WAIT_FACTOR:-}" ]; then
  TARV_WAIT_FACTOR=1
  [ "${TARV_WINE_INSIDE_EMULATION:-}" = 1 ] && TARV_WAIT_FACTOR=3
fi
export TARV_WAIT_FACTOR

suite_start=$SECONDS
wine_way=$(tarv_wine_description)
echo "Wine ($wine_way) for $TARV_BUILD/tarv32.exe: starting"
tarv_wine_start || { echo "Wine could not be started: no case was run" >&2; exit 3; }
echo "Wine ($wine_way) ready in $((SECONDS - suite_start)) s (display $DISPLAY)"

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
    # Keys the driver had to send again: a sign of how the run went.
    grep '^tarvdriver: .* sent again$' "$TARV_CASE_DIR/case.log" | sed 's/^/    /'
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
