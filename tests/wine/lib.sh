# Helpers of the Wine test cases: starting the programs, driving their
# dialogs through tarvdriver.exe, and checking what came out. A helper that
# finds a mismatch prints what it expected and what it got and returns 1.

# Paths set by the runner: TARV_BUILD (the Windows build directory),
# TARV_CASE_DIR (a scratch directory of the running case).
TARV_EXE() { echo "$TARV_BUILD/tarv32.exe"; }
TARV_PROBE() { echo "$TARV_BUILD/uiprobe.exe"; }

# Runs the driver; its output without the CR of the console.
drv() { wine "$TARV_BUILD/tarvdriver.exe" "$@" | tr -d '\r'; return "${PIPESTATUS[0]}"; }
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
  BG_PID=$!
}

# Waits up to SECONDS for the background program; sets BG_STATUS.
wait_bg() {
  local limit=${1:-60} i
  for i in $(seq 1 $((limit * 10))); do
    if ! kill -0 "$BG_PID" 2>/dev/null; then
      BG_STATUS=0
      wait "$BG_PID" || BG_STATUS=$?
      return 0
    fi
    sleep 0.1
  done
  echo "program $BG_PID still running after $limit s" >&2
  kill "$BG_PID" 2>/dev/null
  BG_STATUS=-1
  return 1
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
