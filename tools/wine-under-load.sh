#!/usr/bin/env bash
# Runs the Wine suite under load: ROUNDS rounds, each two whole suites at
# once (each on its own copy of the build, in its own prefix and Xvfb)
# beside HOGS busy loops. Prints every suite's closing line and the lowest
# and highest one-minute load average of the round; stops at the first
# round with a failed case and exits non-zero then. The logs stay in the
# printed folder.
#   tools/wine-under-load.sh [BUILD_DIR] [ROUNDS] [HOGS] [CASE...]
# (defaults: build-win32, 5 rounds, 4 busy loops, every case)
set -u
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build-win32}" && pwd) || exit 2
rounds=${2:-5}
hogs=${3:-4}
shift $(($# < 3 ? $# : 3))
work=$(mktemp -d /tmp/tarv-load.XXXXXX)
echo "logs in $work"

hog_pids=()
stop_hogs() { [ ${#hog_pids[@]} -eq 0 ] || kill "${hog_pids[@]}" 2>/dev/null; hog_pids=(); }
trap stop_hogs EXIT

# The suite clears BUILD/wine-artifacts: each suite gets a copy of its own.
for copy in a b; do cp -a "$build" "$work/$copy"; done

# The busy loops run through every round, so that the load is high from a
# round's first case on, not only once the average has caught up.
for _ in $(seq 1 "$hogs"); do
  sh -c 'while :; do :; done' &
  hog_pids+=($!)
done
# The one-minute average lags: the first round starts once it shows most
# of the busy loops (or after five minutes).
for _ in $(seq 1 60); do
  read -r load _ </proc/loadavg
  awk -v a="$load" -v h="$hogs" 'BEGIN { exit !(a >= 0.8 * h) }' && break
  sleep 5
done
for round in $(seq 1 "$rounds"); do
  suites=()
  for copy in a b; do
    bash "$root/tests/wine/run-wine-suite.sh" "$work/$copy" "$@" >"$work/round$round-$copy.log" 2>&1 &
    suites+=($!)
  done
  low=1000 peak=0
  while kill -0 "${suites[0]}" 2>/dev/null || kill -0 "${suites[1]}" 2>/dev/null; do
    read -r load _ </proc/loadavg
    low=$(awk -v a="$load" -v b="$low" 'BEGIN { print (a < b) ? a : b }')
    peak=$(awk -v a="$load" -v b="$peak" 'BEGIN { print (a > b) ? a : b }')
    sleep 5
  done
  failed=0
  for i in 0 1; do wait "${suites[$i]}" || failed=1; done
  for copy in a b; do
    echo "round $round suite $copy: $(tail -n 1 "$work/round$round-$copy.log") ($(grep -o 'took [0-9]* s' "$work/round$round-$copy.log"))"
  done
  echo "round $round: one-minute load $low to $peak"
  if [ "$failed" -ne 0 ]; then
    grep -h '^FAIL' "$work"/round"$round"-*.log
    exit 1
  fi
done
echo "$rounds rounds passed"
