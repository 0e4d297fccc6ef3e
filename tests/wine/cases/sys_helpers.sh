# Helpers of the system-service cases (sys_*.sh): scripts run by the real
# tarv32.exe in the case's own directory, beside a copy of testwin.exe.
#
# testwin (tests/wine/testwin/testwin.cpp) exits with a given code after a
# delay, or opens a titled window with an edit control and logs to a file
# what happened to it ("show N", "state ...", "activate", "char N", "close",
# "quit", "text T").

TESTWIN() { echo "$TARV_BUILD/testwin.exe"; }
SYSPROBE() { echo "$TARV_BUILD/sysprobe.exe"; }

# Copies testwin.exe (as NAME, default testwin.exe) into the case directory
# and makes that the current directory, where the scripts find it.
sys_prepare() {
  cp "$(TESTWIN)" "$TARV_CASE_DIR/${1:-testwin.exe}"
  cd "$TARV_CASE_DIR"
}

# Writes the script NAME.qd (the remaining arguments are its lines).
sys_script() {
  local name=$1
  shift
  printf '%s\r\n' "$@" >"$TARV_CASE_DIR/$name.qd"
}

# Runs NAME.qd with the console interface and waits for the end (at most
# LIMIT seconds, default 60); BG_STATUS is the exit status.
sys_run_console() {
  local name=$1 limit=${2:-60}
  TARV_UI=console start_bg "$name" "$(TARV_EXE)" "$name.qd"
  wait_bg "$limit"
}

# The lines that /pause wrote under the console interface, without the
# "Information: " prefix.
sys_paused() { errors_of "$1" | sed -n 's/^Information: //p'; }

# Waits until FILE (in the case directory) has a line matching PATTERN.
sys_wait_for_line() {
  local file=$TARV_CASE_DIR/$1 pattern=$2 limit=60
  wait_until "$limit" grep -qE -- "$pattern" "$file" && return 0
  echo "no line [$pattern] in $file after $limit s:" >&2
  cat "$file" >&2 2>/dev/null
  return 1
}

# Waits until the running program's application window shows a command
# matching PATTERN (an extended regular expression) as running: its title
# is "COMMAND - Tarv32" from the moment the command starts.
sys_wait_for_command() {
  local pattern=$1 title=
  local deadline=$((SECONDS + 60))
  until grep -qE -- "^$pattern - Tarv32\$" <<<"$title"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "no command [$pattern] running after 60 s (title [$title])" >&2
      return 1
    fi
    kill -0 "$BG_PID" 2>/dev/null || { echo "the program ended before command [$pattern] ran" >&2; return 1; }
    title=$(drv title TTarvApplication)
  done
}

# The lines of testwin's log FILE, without the ones about activation (the
# window manager may activate a window more than once).
sys_log() { grep -v '^activate$' "$TARV_CASE_DIR/$1"; }
