#!/usr/bin/env bash
# /kill against real processes, inside a PID namespace of its own so that
# nothing outside it can be reached:
#   - "/kill *" from a shell ends the user's programs (one started by the
#     run, one beside it, one in another session) but not the shell the run
#     was started from, not init and not a daemon; the run goes on, and the
#     program it started and /kill ended reports errorlevel() 1;
#   - 100 "/kill /ignore" against programs that live a millisecond or two:
#     one that ends between the listing and the kill is no failure.
# Skips (status 77) where the system refuses an unprivileged namespace.
#
# Usage: kill_namespace.sh TARV32
set -u
tarv=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")

if [ "${2:-}" != inside ]; then
  if ! unshare --user --pid --fork --mount-proc true 2>/dev/null; then
    echo "skipped: unshare --user --pid refused here (no unprivileged user namespaces)"
    exit 77
  fi
  exec unshare --user --pid --fork --mount-proc bash "$0" "$1" inside
fi

# From here on this script is init (pid 1) of the namespace.
tmp=$(mktemp -d)
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

# Waits up to 20 s for COMMAND to succeed.
wait_until() {
  local deadline=$((SECONDS + 20))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    read -r -t 0.02 <> <(:) || true
  done
}
has_exited() { ! [ -e "/proc/$1" ] || grep -q '^[^)]*) Z' "/proc/$1/stat"; }
is_running() { [ -e "/proc/$1" ] && ! grep -q '^[^)]*) Z' "/proc/$1/stat"; }

# --- /kill * -----------------------------------------------------------------
sleep 300 &
beside=$!
setsid sleep 301 &  # a daemon: a session of its own, and init as its parent
daemon=$!
# A program of the user's from another terminal: its own session, but a
# shell (not init) as its parent.
setsid bash -c "sleep 302 & echo \$! >'$tmp/other-pid'; wait \$!; echo \$? >'$tmp/other-terminal'" &
# Each has become what it is to be before /kill looks.
wait_until grep -qx sleep "/proc/$daemon/comm" || fail "the daemon did not start"
wait_until test -s "$tmp/other-pid" || fail "the other terminal's program did not start"
printf '%s\r\n' 'sleep 303' '/kill *' '/waitall' '/pause "errorlevel " & errorlevel()' >"$tmp/all.qd"
bash -c "TARV_UI=console '$tarv' '$tmp/all.qd' 2>'$tmp/all.err'; echo \"shell alive, status \$?\"" >"$tmp/all.out"

[ "$(cat "$tmp/all.out")" = "shell alive, status 0" ] || fail "the shell: [$(cat "$tmp/all.out")]"
[ "$(tr -d '\r' <"$tmp/all.err")" = "Information: errorlevel 1" ] ||
  fail "the run: [$(cat "$tmp/all.err")] (expected errorlevel 1 after /kill)"
wait_until has_exited "$beside" || fail "the program beside the run was not ended"
wait_until test -s "$tmp/other-terminal" || fail "the program from another terminal was not ended"
[ "$(cat "$tmp/other-terminal" 2>/dev/null)" = 137 ] || fail "other terminal: [$(cat "$tmp/other-terminal")]"
is_running "$daemon" || fail "the daemon was ended"
kill "$daemon" 2>/dev/null

# --- /kill /ignore against programs that end on their own --------------------
cp "$(type -P true)" "$tmp/tarv_racer"
touch "$tmp/race"
for _ in 1 2 3 4; do
  bash -c "while [ -e '$tmp/race' ]; do '$tmp/tarv_racer'; done" 2>/dev/null &
done
printf '%s\r\n' "/set debug = \"$tmp/race.trace\"" '/set n = 0' '/do {' '   /set n = env(n) + 1' '   /kill /ignore tarv_racer' \
  '} /while env(n) ne 100' '/pause "races " & env(n)' >"$tmp/race.qd"
TARV_UI=console "$tarv" "$tmp/race.qd" >"$tmp/race.out" 2>"$tmp/race.err"
status=$?
rm -f "$tmp/race"
[ "$status" -eq 0 ] && [ "$(tr -d '\r' <"$tmp/race.err")" = "Information: races 100" ] ||
  fail "the races: status $status, [$(cat "$tmp/race.err")]"
echo "races: $(grep -c '^killed pid' "$tmp/race.trace") programs ended by /kill," \
  "$(grep -c 'had already ended$' "$tmp/race.trace") of them had ended by themselves first"
wait

rm -rf "$tmp"
[ "$failures" -eq 0 ] && echo "kill in a namespace: all checks passed"
exit $((failures > 0))
