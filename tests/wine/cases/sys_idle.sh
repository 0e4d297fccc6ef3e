# Waiting costs no processor time: tarv32.exe blocks in the system while it
# waits for a program or sleeps, and serves its queue only when a message
# comes. Once the waiting command shows as running, the processor time of
# the Wine process is read from /proc over 1.5 s of its 10 s wait (about 2 s
# of it would be 200 ticks of a busy loop), and the wait must still be going
# on afterwards; the figures go to BUILD_DIR/wine-artifacts/figures.log.

# Processor ticks (1/100 s) that Linux process PID used over SECONDS (a
# measurement over a fixed interval).
sys_ticks_over() {
  local pid=$1 seconds=$2 before after
  before=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  sleep "$seconds"
  after=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  echo $((after - before))
}

# Runs NAME.qd, whose command matching COMMAND waits 10 s, measures 1.5 s of
# that wait and checks a bound of 0.2 s.
sys_check_idle() {
  local name=$1 command=$2
  # The real interface: its application window shows the running command.
  start_bg "$name" "$(TARV_EXE)" "$name.qd"
  sys_wait_for_command "$command"
  local ticks
  ticks=$(sys_ticks_over "$BG_PID" 1.5)
  kill -0 "$BG_PID" 2>/dev/null || { echo "$name: the wait ended before the measurement did" >&2; false; }
  echo "$name: tarv32.exe used $((ticks * 10)) ms of processor time in 1.5 s" | tee -a "$TARV_ARTIFACTS/figures.log"
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
  [ "$ticks" -lt 20 ] || { echo "$name: $ticks ticks while waiting" >&2; false; }
}

case_sys_waiting_for_a_program_is_idle() {
  sys_prepare
  sys_script waitidle 'testwin.exe /wait exit 0 10000'
  sys_check_idle waitidle 'testwin\.exe.*'
}

case_sys_sleep_is_idle() {
  sys_prepare
  local trace
  trace=$(winepath -w "$TARV_CASE_DIR/trace.log")
  sys_script sleepidle "/set debug = \"${trace//\\/\\\\}\"" '/sleep 10'
  sys_check_idle sleepidle '/sleep 10'
  # No message came: one wait, which timed out (WAIT_TIMEOUT).
  expect_eq "trace" "MsgWaitForMultipleObjects() returned 258" "$(tr -d '\r' <trace.log)"
}

# The measurement itself sees a busy program: at least the bound that the
# idle waits stay under.
case_sys_idle_measurement_sees_a_busy_program() {
  sys_prepare
  start_bg busy "$TARV_CASE_DIR/testwin.exe" ticks 10000
  drv running testwin.exe 1 >/dev/null
  local ticks
  ticks=$(sys_ticks_over "$BG_PID" 1.5)
  kill -0 "$BG_PID" 2>/dev/null || { echo "the busy program ended before the measurement did" >&2; false; }
  echo "busy testwin used $((ticks * 10)) ms of processor time in 1.5 s" | tee -a "$TARV_ARTIFACTS/figures.log"
  wait_bg 60
  [ "$ticks" -ge 20 ] || { echo "a busy loop showed only $ticks ticks" >&2; false; }
}
