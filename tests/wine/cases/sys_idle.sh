# Waiting costs no processor time: tarv32.exe blocks in the system while it
# waits for a program or sleeps, and serves its queue only when a message
# comes. The processor time of the Wine process is read from /proc over
# 1.5 s in the middle of a 3 s wait (about 2 s of it would be 200 ticks of
# a busy loop); the figures go to BUILD_DIR/wine-artifacts/figures.log.

# Processor ticks (1/100 s) that Linux process PID used over SECONDS.
sys_ticks_over() {
  local pid=$1 seconds=$2 before after
  before=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  sleep "$seconds"
  after=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  echo $((after - before))
}

# Runs NAME.qd, measures over the middle 1.5 s and checks a bound of 0.2 s.
sys_check_idle() {
  local name=$1
  TARV_UI=console start_bg "$name" "$(TARV_EXE)" "$name.qd"
  sleep 1
  local ticks
  ticks=$(sys_ticks_over "$BG_PID" 1.5)
  echo "$name: tarv32.exe used $((ticks * 10)) ms of processor time in 1.5 s" | tee -a "$TARV_ARTIFACTS/figures.log"
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
  [ "$ticks" -lt 20 ] || { echo "$name: $ticks ticks while waiting" >&2; false; }
}

case_sys_waiting_for_a_program_is_idle() {
  sys_prepare
  sys_script waitidle 'testwin.exe /wait exit 0 3000'
  sys_check_idle waitidle
}

case_sys_sleep_is_idle() {
  sys_prepare
  local trace
  trace=$(winepath -w "$TARV_CASE_DIR/trace.log")
  sys_script sleepidle "/set debug = \"${trace//\\/\\\\}\"" '/sleep 3'
  sys_check_idle sleepidle
  # No message came: one wait, which timed out (WAIT_TIMEOUT).
  expect_eq "trace" "MsgWaitForMultipleObjects() returned 258" "$(tr -d '\r' <trace.log)"
}

# The measurement itself sees a busy program.
case_sys_idle_measurement_sees_a_busy_program() {
  sys_prepare
  start_bg busy "$TARV_CASE_DIR/testwin.exe" ticks 3000
  sleep 1
  local ticks
  ticks=$(sys_ticks_over "$BG_PID" 1.5)
  echo "busy testwin used $((ticks * 10)) ms of processor time in 1.5 s" | tee -a "$TARV_ARTIFACTS/figures.log"
  wait_bg 60
  [ "$ticks" -ge 40 ] || { echo "a busy loop showed only $ticks ticks" >&2; false; }
}
