#!/usr/bin/env bash
# Whole-process benchmarks of the native tarv32 beside bash, in the same run:
#
#   1 loop     a 100,000-pass /do loop that sets and reads a variable, against
#              a bash while loop that does the same with an exported variable
#              (tarv32's variables are environment variables, inherited by the
#              programs it starts, so the fair bash twin exports too; a second
#              row compares with a plain shell variable, for information)
#   2 spawns   500 waited starts of /bin/true, against a bash loop running
#              /bin/true 500 times (both loops count with a variable)
#   3 parse    a dry run (/set exec = off) of a 100,000-line command file of
#              mixed commands, against bash -n on a 100,000-line script of
#              the same commands in shell form
#   4 start-up tarv32 /sleep 0 against bash -c :
#   5 CPU      CPU seconds (user + system) of tarv32 over /sleep 2 and over a
#              /wait for sleep 2 (less the CPU of sleep 2 itself), against
#              bash -c 'sleep 2; :'
#   6 delay    the median delay between the end of a waited program and the
#              start of the next one, against bash running the same pair; the
#              floor is the same pair run by a minimal C parent (posix_spawn
#              and wait4, nothing else), so "tarv32 - floor" is what tarv32
#              itself adds to the system's own exit and start costs
#
# Benchmarks 1-3 also run against dash (the small POSIX shell, /bin/sh on
# Debian) when it is installed: the same shell scripts, rows marked "dash".
#
# Times are medians over rounds in which tarv32 and the shell alternate, so
# that a burst of load on the machine hits both sides alike. Ratios are
# tarv32 / shell.
#
# Usage: bench/compare-with-bash.sh [BUILD_DIR]   (default: build-bench2)
# Environment: ROUNDS (default 7) rounds of benchmarks 1-3, STARTS (default
# 300) starts of benchmark 4, PAIRS (default 200) program pairs of benchmark 6.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-bench2}" && pwd)
tarv="$build/tarv32"
[ -x "$tarv" ] || { echo "compare-with-bash: no program $tarv (build the target tarv32 first)" >&2; exit 2; }
rounds=${ROUNDS:-7}
starts=${STARTS:-300}
pairs=${PAIRS:-200}

work=$(mktemp -d "${TMPDIR:-/tmp}/tarv-bench.XXXXXX")
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
cd "$work"

# ---- helpers ---------------------------------------------------------------

helpers="$build/bench-helpers"
mkdir -p "$helpers"
build_helper() {  # name [extra cc flags]
  local name=$1
  shift
  if [ ! -x "$helpers/$name" ] || [ "$root/bench/helpers/$name.c" -nt "$helpers/$name" ]; then
    cc -O2 -Wall -Wextra "$@" -o "$helpers/$name" "$root/bench/helpers/$name.c" 2>/dev/null ||
      cc -O2 -Wall -Wextra -o "$helpers/$name" "$root/bench/helpers/$name.c"
  fi
}
build_helper runtimes
build_helper stamp -static
runtimes="$helpers/runtimes"
stamp="$helpers/stamp"

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Wall time and CPU time (seconds) of one run of a command: "wall cpu".
time_once() { "$runtimes" 1 "$@" | awk '{ print $1, $2 }'; }

# Median wall and CPU times of two commands over $rounds alternating rounds;
# sets tarv_time, bash_time, tarv_cpu and bash_cpu. The commands are given
# as two strings.
alternate() {
  local tarv_command=$1 bash_command=$2 r
  : >"$work/tarv.times"
  : >"$work/bash.times"
  for ((r = 0; r < rounds; ++r)); do
    eval "time_once $tarv_command" >>"$work/tarv.times"
    eval "time_once $bash_command" >>"$work/bash.times"
  done
  medians_of tarv.times bash.times
}

# Sets tarv_time, bash_time, tarv_cpu, bash_cpu from two files of "wall cpu".
medians_of() {
  tarv_time=$(awk '{ print $1 }' "$work/$1" | median)
  bash_time=$(awk '{ print $1 }' "$work/$2" | median)
  tarv_cpu=$(awk '{ print $2 }' "$work/$1" | median)
  bash_cpu=$(awk '{ print $2 }' "$work/$2" | median)
}

dash=$(command -v dash || true)
rows=()
# name, tarv32 figure, bash figure, ratio, target text, met (1/0 or - for
# none), and the ratio of the CPU times where there is one
add_row() { rows+=("$1|$2|$3|$4|$5|$6|${7:-}"); }
secs() { [ -z "$1" ] || awk -v v="$1" 'BEGIN { printf "%.4f s", v }'; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", (b > 0) ? a / b : 0 }'; }
below() { awk -v a="$1" -v b="$2" 'BEGIN { print (a < b) ? 1 : 0 }'; }

ratio_row() {  # name target_ratio
  local r
  r=$(ratio "$tarv_time" "$bash_time")
  add_row "$1" "$tarv_time" "$bash_time" "$r" "ratio < $2" "$(below "$r" "$2")" "$(ratio "$tarv_cpu" "$bash_cpu")"
}

# ---- 1: variable loop ------------------------------------------------------

cat >loop.qd <<'EOF'
/set n = 0
/do {
/set n = env(n) + 1
} /while env(n) ne 100000
EOF
cat >loop-export.sh <<'EOF'
export n=0
while [ "$n" != 100000 ]; do export n=$((n + 1)); done
EOF
cat >loop-plain.sh <<'EOF'
n=0
while [ "$n" != 100000 ]; do n=$((n + 1)); done
EOF
# Both must really count to 100,000.
{ cat loop.qd; echo '/pause "n=" & env(n)'; } >loop-check.qd
"$tarv" loop-check.qd 2>&1 | grep -q "n=100000" ||
  { echo "compare-with-bash: loop.qd did not count to 100000" >&2; exit 1; }
[ "$(bash -c '. ./loop-export.sh; echo "$n"')" = 100000 ]
echo "1/6 loop ..." >&2
alternate '"$tarv" loop.qd' 'bash loop-export.sh'
ratio_row "loop 100,000 /set (bash export)" 1.0
alternate '"$tarv" loop.qd' 'bash loop-plain.sh'
ratio_row "loop 100,000 /set (bash plain var)" 1.0
if [ -n "$dash" ]; then
  [ "$("$dash" -c '. ./loop-export.sh; echo "$n"')" = 100000 ]
  alternate '"$tarv" loop.qd' '"$dash" loop-export.sh'
  ratio_row "loop 100,000 /set (dash export)" 1.0
fi

# ---- 2: waited starts ------------------------------------------------------

cat >spawn.qd <<'EOF'
/set n = 0
/do {
"/bin/true" /wait
/set n = env(n) + 1
} /while env(n) ne 500
EOF
cat >spawn.sh <<'EOF'
n=0
while [ "$n" != 500 ]; do /bin/true; n=$((n + 1)); done
EOF
echo "2/6 spawns ..." >&2
alternate '"$tarv" spawn.qd' 'bash spawn.sh'
ratio_row "500 waited /bin/true" 1.2
if [ -n "$dash" ]; then
  alternate '"$tarv" spawn.qd' '"$dash" spawn.sh'
  ratio_row "500 waited /bin/true (dash)" 1.2
fi

# ---- 3: parse (dry run) ----------------------------------------------------

# Ten kinds of line in turn, 10,000 times: 100,000 lines after the first.
awk 'BEGIN {
  print "/set exec = off"
  for (i = 0; i < 10000; ++i) {
    print "notepad /wait readme" i ".txt"
    print "\"C:\\Program Files\\x\\x.exe\" /min alpha beta " i
    print "/set count = env(count) + " i
    print "/cd c:\\work\\dir" i
    print "/sleep " (i % 5)
    print "/pause Notepad failed in pass " i
    print "# a comment line " i
    print "/if errorlevel() eq 0 {"
    print "   cleanup.bat /hide /ignore " i
    print "}"
  }
}' >parse.qd
awk 'BEGIN {
  for (i = 0; i < 10000; ++i) {
    print "notepad --wait readme" i ".txt"
    print "\"/c/Program Files/x/x.exe\" --min alpha beta " i
    print "export count=$((count + " i "))"
    print "cd /c/work/dir" i
    print "sleep " (i % 5)
    print "echo Notepad failed in pass " i
    print "# a comment line " i
    print "if [ \"$?\" -eq 0 ]; then"
    print "   cleanup.bat --hide --ignore " i
    print "fi"
  }
}' >parse.sh
[ "$(wc -l <parse.qd)" -eq 100001 ] && [ "$(wc -l <parse.sh)" -eq 100000 ]
# The dry run logs nothing unless the debug log is on: a copy with it on
# shows that every line was parsed and its last command reached.
{ echo "/set debug = on"; cat parse.qd; } >parse-check.qd
"$tarv" parse-check.qd | grep -q "cleanup.bat/hide/ignore 9999" ||
  { echo "compare-with-bash: the dry run of parse.qd did not echo its last command" >&2; exit 1; }
bash -n parse.sh
echo "3/6 parse ..." >&2
alternate '"$tarv" parse.qd' 'bash -n parse.sh'
ratio_row "parse 100,000 lines, dry run" 1.0
if [ -n "$dash" ]; then
  "$dash" -n parse.sh
  alternate '"$tarv" parse.qd' '"$dash" -n parse.sh'
  # For information only: the parse's target is bash -n.
  add_row "parse 100,000 lines, dry run (dash -n)" "$tarv_time" "$bash_time" "$(ratio "$tarv_time" "$bash_time")" \
    "(none)" - "$(ratio "$tarv_cpu" "$bash_cpu")"
fi

# ---- 4: start-up -----------------------------------------------------------

echo "4/6 start-up ..." >&2
chunk=$(((starts + 9) / 10))
: >start-tarv.times
: >start-bash.times
for ((r = 0; r < 10; ++r)); do
  "$runtimes" "$chunk" "$tarv" /sleep 0 >>start-tarv.times
  "$runtimes" "$chunk" bash -c : >>start-bash.times
done
medians_of start-tarv.times start-bash.times
r=$(ratio "$tarv_time" "$bash_time")
add_row "start-up: /sleep 0 vs bash -c :" "$tarv_time" "$bash_time" "$r" "(none)" - "$(ratio "$tarv_cpu" "$bash_cpu")"

# ---- 5: CPU while waiting --------------------------------------------------

echo "5/6 CPU during waits ..." >&2
# The CPU time of a whole run (start-up included), as the mean of three runs.
# A program's figure includes what it waited for: the sleep of a /wait is
# measured alone and taken off, so that the target applies to tarv32 itself.
cpu_of() { "$runtimes" 3 "$@" | awk '{ print $2 }'; }
bash_cpu=$(cpu_of bash -c 'sleep 2; :')
sleep_cpu=$(cpu_of sleep 2)
tarv_cpu=$(cpu_of "$tarv" /sleep 2)
add_row "CPU during /sleep 2" "$tarv_cpu" "$bash_cpu" "$(ratio "$tarv_cpu" "$bash_cpu")" "< 0.02 s" \
  "$(below "$tarv_cpu" 0.02)"
tarv_cpu=$(cpu_of "$tarv" 'sleep /wait 2')
add_row "CPU during /wait for sleep 2, total" "$tarv_cpu" "$bash_cpu" "$(ratio "$tarv_cpu" "$bash_cpu")" \
  "(sleep alone $(secs "$sleep_cpu"))" -
own=$(awk -v a="$tarv_cpu" -v s="$sleep_cpu" 'BEGIN { printf "%.6f", a - s }')
add_row "  of which tarv32 (- the sleep)" "$own" "" "" "< 0.02 s" "$(below "$own" 0.02)"

# ---- 6: delay to the next command ------------------------------------------

echo "6/6 delay after a waited program ..." >&2
# Median of (second stamp - first stamp) over the pairs of a stamp file, in s.
pair_delay() { awk 'NR % 2 == 0 { print ($1 - p) / 1e9 } { p = $1 }' "$1" | median; }
# The three take turns in five chunks, so that they meet the same load.
chunk=$(((pairs + 4) / 5))
cat >delay.qd <<EOF
/set n = 0
/do {
"$stamp" /wait "$work/tarv.stamps"
"$stamp" /wait "$work/tarv.stamps"
/set n = env(n) + 1
} /while env(n) ne $chunk
EOF
cat >delay.sh <<EOF
for ((i = 0; i < $chunk; ++i)); do "$stamp" "$work/bash.stamps"; "$stamp" "$work/bash.stamps"; done
EOF
: >tarv.stamps
: >bash.stamps
: >floor.stamps
for ((r = 0; r < 5; ++r)); do
  "$tarv" delay.qd
  bash delay.sh
  "$runtimes" $((2 * chunk)) "$stamp" "$work/floor.stamps" >/dev/null
done
tarv_delay=$(pair_delay tarv.stamps)
bash_delay=$(pair_delay bash.stamps)
floor_delay=$(pair_delay floor.stamps)
added=$(awk -v a="$tarv_delay" -v f="$floor_delay" 'BEGIN { printf "%.6f", a - f }')
add_row "end of waited program -> next start" "$tarv_delay" "$bash_delay" \
  "$(ratio "$tarv_delay" "$bash_delay")" "(floor $(secs "$floor_delay"))" -
add_row "  of which tarv32 adds (- floor)" "$added" "" "" "< 0.001 s" "$(below "$added" 0.001)"

# ---- report ----------------------------------------------------------------

printf '\n%-38s %11s %11s %7s  %-22s %-7s %s\n' benchmark tarv32 shell ratio target result "cpu ratio"
for row in "${rows[@]}"; do
  IFS='|' read -r name t b r target met cpu <<<"$row"
  case $met in 1) met=met ;; 0) met=MISSED ;; *) met="" ;; esac
  printf '%-38s %11s %11s %7s  %-22s %-7s %s\n' "$name" "$(secs "$t")" "$(secs "$b")" "$r" "$target" "$met" "$cpu"
done
echo
echo "Times are medians of wall-clock time, ratio = tarv32 / shell (bash unless the row names dash);"
echo "the cpu ratio compares the CPU time (user + system) of the same runs, which a busy machine"
echo "disturbs less."
echo "Load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
