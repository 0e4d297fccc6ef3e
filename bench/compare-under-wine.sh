#!/usr/bin/env bash
# Whole-process benchmarks of tarv32.exe under Wine beside Wine's own cmd, in
# the same run and the same Wine prefix:
#
#   1 start-up  tarv32.exe /sleep 0 against cmd /c exit
#   2 loop      a 10,000-pass /do loop that sets and reads a variable,
#               against the same loop as a cmd batch file (set /a, if, goto)
#   3 spawns    100 waited starts of a program, against a batch file starting
#               it 100 times: a window program (testwin.exe exit 0, built
#               with the Wine suite) and a console program (cmd /c exit 0).
#               A console program started by tarv32.exe, a window program,
#               gets a console of its own (Wine starts conhost.exe for it);
#               the batch file's programs share cmd's console.
#
# Both sides are started by Wine's loader, so each time includes Wine's own
# start of a process (about the cost of cmd /c exit); the loop and spawn
# rows show what remains. Times are medians over rounds in which tarv32.exe
# and cmd alternate; ratios are tarv32.exe / cmd. CPU times are those of the
# Wine process (the shared wineserver's share is not counted on either side).
#
# Usage: bench/compare-under-wine.sh [WINDOWS_BUILD_DIR]
#   default: build-win32, or build-win64 where 32-bit Wine cannot run
# Environment: ROUNDS (default 5) rounds of benchmarks 2-3, STARTS (default
# 30) starts of benchmark 1.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=../tests/wine/wine-env.sh
source "$root/tests/wine/wine-env.sh"
build=$(cd "${1:-$(tarv_wine_default_build "$root")}" && pwd)
exe="$build/tarv32.exe"
[ -f "$exe" ] || { echo "compare-under-wine: no $exe (build the Windows target first)" >&2; exit 2; }
rounds=${ROUNDS:-5}
starts=${STARTS:-30}

# The prefix follows the program.
TARV_WINE_ARCH=$(tarv_wine_arch_of "$exe")
export TARV_WINE_ARCH
tarv_wine_enter "${BASH_SOURCE[0]}" "$build"

helpers="$build/bench-helpers"
mkdir -p "$helpers"
if [ ! -x "$helpers/runtimes" ] || [ "$root/bench/helpers/runtimes.c" -nt "$helpers/runtimes" ]; then
  cc -O2 -Wall -Wextra -o "$helpers/runtimes" "$root/bench/helpers/runtimes.c"
fi
runtimes="$helpers/runtimes"

tarv_wine_start || { echo "compare-under-wine: Wine could not be started" >&2; exit 3; }
work="$TARV_WINE_DIR/bench"
mkdir -p "$work"
cd "$work"
cp "$exe" tarv32.exe
# A failure reported in a message box would wait for a click; on the console
# it ends the run with exit status 1, which stops the benchmark.
export TARV_UI=console

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0) ? a / b : 0 }'; }

# Median wall and CPU time of COUNT alternating runs of two commands, each
# given as one string; sets tarv_time, cmd_time, tarv_cpu, cmd_cpu.
alternate() {
  local count=$1 tarv_command=$2 cmd_command=$3 r
  : >tarv.times
  : >cmd.times
  for ((r = 0; r < count; ++r)); do
    eval "\"\$runtimes\" 1 $tarv_command" >>tarv.times
    eval "\"\$runtimes\" 1 $cmd_command" >>cmd.times
  done
  tarv_time=$(awk '{ print $1 }' tarv.times | median)
  cmd_time=$(awk '{ print $1 }' cmd.times | median)
  tarv_cpu=$(awk '{ print $2 }' tarv.times | median)
  cmd_cpu=$(awk '{ print $2 }' cmd.times | median)
}

rows=()
add_row() {  # name
  rows+=("$1|$tarv_time|$cmd_time|$(ratio "$tarv_time" "$cmd_time")|$tarv_cpu|$cmd_cpu")
}

# Both sides must really do the work: each prints its final count once.
check_output() {  # what expected actual
  [ "$2" = "$3" ] || { echo "compare-under-wine: $1 printed \"$3\", not \"$2\"" >&2; exit 1; }
}

# ---- 1: start-up -------------------------------------------------------------

echo "1/3 start-up ($starts each) ..." >&2
alternate "$starts" "wine tarv32.exe /sleep 0" "wine cmd /c exit"
add_row "start-up: /sleep 0 vs cmd /c exit"

# ---- 2: variable loop --------------------------------------------------------

printf '%s\r\n' '/set n = 0' '/do {' '/set n = env(n) + 1' '} /while env(n) ne 10000' >loop.qd
printf '%s\r\n' '@echo off' 'set n=0' ':loop' 'set /a n=n+1 >nul' 'if not %n%==10000 goto loop' >loop.bat
{ cat loop.qd; printf '%s\r\n' '/pause "n=" & env(n)'; } >loop-check.qd
printf '%s\r\n' '@echo off' 'call loop.bat' 'echo n=%n%' >loop-check.bat
check_output "loop.qd" "n=10000" "$(wine tarv32.exe loop-check.qd 2>&1 | tr -d '\r' | grep -o 'n=[0-9]*')"
check_output "loop.bat" "n=10000" "$(wine cmd /c loop-check.bat 2>/dev/null | tr -d '\r' | grep -o 'n=[0-9]*')"
echo "2/3 10,000-pass loop ($rounds rounds) ..." >&2
alternate "$rounds" "wine tarv32.exe loop.qd" "wine cmd /c loop.bat"
add_row "10,000-pass loop: /do vs batch goto"

# ---- 3: waited starts --------------------------------------------------------

spawn_pair() {  # program-with-arguments tarv-options
  local program=$1 options=$2
  printf '%s\r\n' '/set n = 0' '/do {' "${program%% *} $options ${program#* }" '/set n = env(n) + 1' \
    '} /while env(n) ne 100' >spawn.qd
  printf '%s\r\n' '@echo off' 'set n=0' ':loop' "$program" 'set /a n=n+1 >nul' 'if not %n%==100 goto loop' >spawn.bat
}
if [ -f "$build/testwin.exe" ]; then
  cp "$build/testwin.exe" .
  spawn_pair 'testwin.exe exit 0' '/wait'
  echo "3/3 100 waited starts of a window program ($rounds rounds) ..." >&2
  alternate "$rounds" "wine tarv32.exe spawn.qd" "wine cmd /c spawn.bat"
  add_row "100 waited starts, window program"
fi
spawn_pair 'cmd /c exit 0' '/wait /hide'
echo "3/3 100 waited starts of a console program ($rounds rounds) ..." >&2
alternate "$rounds" "wine tarv32.exe spawn.qd" "wine cmd /c spawn.bat"
add_row "100 waited starts, console program"

# ---- report ------------------------------------------------------------------

printf '\nWine %s (%s), %s\n' "$(wine --version 2>/dev/null)" "$TARV_WINE_ARCH" "$(date +%F)"
printf '%-38s %10s %10s %6s %10s %10s\n' benchmark tarv32.exe cmd ratio "tarv cpu" "cmd cpu"
for row in "${rows[@]}"; do
  IFS='|' read -r name t c r tc cc <<<"$row"
  printf '%-38s %9.3fs %9.3fs %6s %9.3fs %9.3fs\n' "$name" "$t" "$c" "$r" "$tc" "$cc"
done
