#!/usr/bin/env bash
# Long runs of the native program that must keep memory flat, and a burst of
# programs started without /wait that must all be reaped.
#
#   tools/soak.sh [build dir]        default: build-rel (built if missing)
#
# Prints one line per figure: the peak resident size (from /usr/bin/time) of
# a /do loop of 10,000 and of 1,000,000 passes, without and with the debug
# log (with it, the run log grows by design: one block of lines per pass);
# then 1,000 programs started without /wait, /waitall, the zombies left and
# errorlevel(). Exits non-zero if the loop's memory is not flat or a program
# is left unreaped.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-rel}"
if [[ ! -x "$build/tarv32" ]]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" -j2 --target tarv32 >/dev/null
fi
program="$build/tarv32"
work="$(mktemp -d /tmp/tarv-soak-XXXXXX)"
trap 'rm -rf "$work"' EXIT
export TARV_UI=console

cat >"$work/loop.qd" <<'QD'
/set n = 0
/do {
   /set n = env(n) + 1
} /while env(n) ne env(SOAK_PASSES)
QD
{ echo "/set debug = on"; cat "$work/loop.qd"; } >"$work/loop-log.qd"

# Peak resident size in KB of one run; the run's stdout goes to $work/out.
peak_kb() {
  /usr/bin/time -f "%M" -o "$work/time" "$@" >"$work/out" 2>"$work/err"
  cat "$work/time"
}

status=0
for script in loop loop-log; do
  for passes in 10000 1000000; do
    start=$(date +%s.%N)
    kb=$(SOAK_PASSES=$passes peak_kb "$program" "$work/$script.qd")
    seconds=$(echo "$(date +%s.%N) - $start" | bc)
    printf '%-9s %8d passes: peak RSS %7d KB, run log %10d bytes, %6.1f s\n' \
      "$script" "$passes" "$kb" "$(wc -c <"$work/out")" "$seconds"
    eval "kb_${script//-/_}_$passes=$kb"
  done
done
# Flat: a hundred times the passes costs less than 1 MB more.
if (( kb_loop_1000000 > kb_loop_10000 + 1024 )); then
  echo "FAIL: the loop's memory grows with its passes" >&2
  status=1
fi

cat >"$work/programs.qd" <<'QD'
/set n = 0
/do {
   /set n = env(n) + 1
   sh "-c" "[ $n -eq 500 ] && exit 7; exit 0"
} /while env(n) ne 1000
/waitall
/set SOAK_LEVEL = errorlevel()
sh /wait "-c" "echo zombies=$(ps --ppid $PPID -o stat= | grep -c Z) started=$n errorlevel=$SOAK_LEVEL > \"$SOAK_DIR/reaped\""
QD
start=$(date +%s.%N)
kb=$(SOAK_DIR="$work" peak_kb "$program" "$work/programs.qd")
seconds=$(echo "$(date +%s.%N) - $start" | bc)
printf 'programs  1000 without /wait, /waitall: %s, peak RSS %d KB, %.1f s\n' "$(cat "$work/reaped")" "$kb" "$seconds"
grep -q "zombies=0 started=1000 errorlevel=7" "$work/reaped" || { echo "FAIL: not all programs reaped" >&2; status=1; }
exit $status
