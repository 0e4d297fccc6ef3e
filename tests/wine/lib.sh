# Helpers of the Wine test cases: starting the programs, driving their
# dialogs through tarvdriver.exe, and checking what came out. A helper that
# finds a mismatch prints what it expected and what it got and returns 1.

# Paths set by the runner: TARV_BUILD (the Windows build directory),
# TARV_CASE_DIR (a scratch directory of the running case).
TARV_EXE() { echo "$TARV_BUILD/tarv32.exe"; }
TARV_PROBE() { echo "$TARV_BUILD/uiprobe.exe"; }

# Runs the driver; its output without the CR of the console.
drv() { wine "$TARV_BUILD/tarvdriver.exe" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }
# Types KEY... (xdotool's names: alt+f, Home, x) into the window CAPTION:
# the driver brings it in front, hands each key to its thread only once the
# one before was taken, and returns once the last was handled.
# Where the keys went shows in the log of a case that fails.
keys_to() { drv --class '*' keys "$@" >&2; }

# Runs the driver; its output byte for byte.
drv_raw() { wine "$TARV_BUILD/tarvdriver.exe" "$@"; }

# The text of control ID in a "controls" listing, as the driver escapes it.
control_text() {
  awk -v id="$1" '$1 == "control" && $2 == id { $1=$2=$3=$4=$5=$6=$7=$8=""; sub(/^ +/, ""); print; exit }' <<<"$2"
}

# Starts a Windows program in the background; its output goes to
# $TARV_CASE_DIR/NAME.out and .err. Sets BG_PID.
start_bg() {
  local name=$1
  shift
  wine "$@" >"$TARV_CASE_DIR/$name.out" 2>"$TARV_CASE_DIR/$name.err" &
  BG_PID=$! BG_NAME=$name
}

# Waits up to SECONDS for the background program; sets BG_STATUS. The
# output of a program that failed goes to the case's log, where a failed
# case shows it.
wait_bg() {
  wait_pid "$BG_PID" "${1:-60}" || { BG_STATUS=-1; return 1; }
  BG_STATUS=$WAITED_STATUS
  [ "$BG_STATUS" -eq 0 ] && return 0
  echo "$BG_NAME ended with $BG_STATUS; its output:" >&2
  output_of "$BG_NAME" | tail -n 20 | sed 's/^/  out: /' >&2
  errors_of "$BG_NAME" | tail -n 20 | sed 's/^/  err: /' >&2
  return 0
}

# Waits up to SECONDS (default 60) for the background job PID to end and
# sets WAITED_STATUS to its exit status; one still running then is ended.
wait_pid() {
  local pid=$1 limit=$((${2:-60} * ${TARV_WAIT_FACTOR:-1}))
  local deadline=$((SECONDS + limit))
  while kill -0 "$pid" 2>/dev/null; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "program $pid still running after $limit s" >&2
      kill "$pid" 2>/dev/null
      wait "$pid" 2>/dev/null
      WAITED_STATUS=-1
      return 1
    fi
    sleep 0.1
  done
  WAITED_STATUS=0
  wait "$pid" || WAITED_STATUS=$?
}

# Runs COMMAND... until it succeeds, for at most SECONDS; says what it
# waited for when the time is up.
wait_until() {
  local limit=$(($1 * ${TARV_WAIT_FACTOR:-1}))
  shift
  local deadline=$((SECONDS + limit))
  until "$@" >/dev/null 2>&1; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "still not so after $limit s: $*" >&2
      return 1
    fi
    sleep 0.1
  done
}

# Saves a screenshot of the whole screen as FILE (PNG), once the window
# CAPTION (of any class) has painted all it had to paint.
screenshot() {
  local file=$1 caption=$2
  drv --class '*' painted "$caption" >/dev/null || return 1
  import -window root "$file" 2>/dev/null || echo "no screenshot (import failed)"
}

output_of() { tr -d '\r' <"$TARV_CASE_DIR/$1.out"; }
errors_of() { tr -d '\r' <"$TARV_CASE_DIR/$1.err"; }

expect_eq() {
  local what=$1 expected=$2 actual=$3
  [ "$expected" == "$actual" ] && return 0
  printf '%s: expected [%s]\n%s: got      [%s]\n' "$what" "$expected" "$what" "$actual" >&2
  return 1
}

expect_line() {
  local what=$1 pattern=$2 text=$3
  grep -qE -- "$pattern" <<<"$text" && return 0
  printf '%s: no line matches [%s] in:\n%s\n' "$what" "$pattern" "$text" >&2
  return 1
}

expect_no_line() {
  local what=$1 pattern=$2 text=$3
  grep -qE -- "$pattern" <<<"$text" || return 0
  printf '%s: unexpected line [%s] in:\n%s\n' "$what" "$pattern" "$text" >&2
  return 1
}

# Field N (1-based) of the first line that starts with PREFIX.
field_of() {
  local prefix=$1 n=$2 text=$3
  awk -v p="$prefix" -v n="$n" 'index($0, p) == 1 { print $n; exit }' <<<"$text"
}

# The value scaled from 120 pixels per inch to DPI, rounded like MulDiv.
scaled() { echo $((($1 * $2 + 60) / 120)); }
