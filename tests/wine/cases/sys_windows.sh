# The window commands against windows of testwin: waiting for a window to
# appear and to go, bringing one to the foreground and typing into it,
# closing one and sending one the quit message, by title patterns.

case_sys_waitfor_activate_sendkeys_close_and_waitclose() {
  sys_prepare
  cp "$(TESTWIN)" sx_gate.exe
  sys_script keys \
    'testwin.exe window "Sx Keys Alpha" alpha.log 21 22' \
    '/waitfor Sx Keys Alpha' \
    'testwin.exe window "Sx Keys Beta" beta.log 31 32' \
    '/waitfor *Keys Beta' \
    'sx_gate.exe /wait exit 0 600000' \
    '/activate Sx Keys Al*' \
    '/sendkeys aB^b{ENTER}abcdef{LEFT 3}X+(ab)~z' \
    '/waitfor Sx Keys Typed' \
    '/close Sx Keys Typed' \
    '/close *Keys Alpha*' \
    '/waitclose Sx Keys Alpha' \
    '/close Sx Keys Beta' \
    '/waitall' \
    '/pause "closed " & errorlevel()'
  # The keys reach the window through its input queue, after any message
  # posted to it: the script closes it once the last key has arrived, which
  # a window of this case tells it.
  TARV_UI=console start_bg keys "$(TARV_EXE)" keys.qd
  local script=$BG_PID
  # Beta, shown last, takes the activation when its window system events
  # come in: the script goes on to activate Alpha only once Beta's queue has
  # handled them (the program it waits for is ended then).
  sys_wait_for_line beta.log '^state '
  sys_wait_for_line beta.log '^activate$'
  drv --class '*' idle "Sx Keys Beta" >/dev/null
  drv running sx_gate.exe 1 >/dev/null
  drv end sx_gate.exe >/dev/null
  sys_wait_for_line alpha.log '^char 122$' || {
    echo "beta.log:" >&2; cat beta.log >&2
    echo "the script's output:" >&2; errors_of keys >&2; output_of keys >&2
    false
  }
  wine "$(TESTWIN)" window "Sx Keys Typed" typed.log &
  local typed=$!
  BG_PID=$script
  wait_bg 60
  wait_pid "$typed" 30
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "errorlevel" "closed 31" "$(sys_paused keys)"
  # Each character as the edit control received it: a, B (Shift), Ctrl+B,
  # Enter, the letters, then X, A and B under the group's Shift, Enter, z.
  expect_eq "characters typed" "97 66 2 13 97 98 99 100 101 102 88 65 66 13 122" \
    "$(sed -n 's/^char //p' alpha.log | tr '\n' ' ' | sed 's/ $//')"
  # {LEFT 3} moved the caret back over d, e and f before X was typed.
  expect_eq "text of the activated window" "close
text aB\\r\\nabcXAB\\r\\nzdef" "$(sys_log alpha.log | sed -n '/^close$/,$p')"
  expect_eq "nothing typed into the other window" "" "$(grep '^char' beta.log || true)"
}

case_sys_killwindow_sends_quit_to_the_window_procedure() {
  sys_prepare
  sys_script quit \
    'testwin.exe window "Sx Quit Window" quit.log 41 42' \
    '/waitfor Sx Quit Window' \
    '/killwindow *Quit Win*' \
    '/waitall' \
    '/pause "quit " & errorlevel()'
  sys_run_console quit
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "errorlevel" "quit 42" "$(sys_paused quit)"
  expect_eq "window log" "quit
text " "$(sys_log quit.log | sed -n '/^quit$/,$p')"
}

case_sys_window_commands_report_a_missing_window() {
  sys_prepare
  sys_script nowin \
    '/activate /ignore Sx No Such Window' \
    '/close /warn Sx No Such*' \
    '/killwindow /warn *No Such Window' \
    '/waitclose Sx No Such Window' \
    '/pause done'
  sys_run_console nowin
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "standard error" 'Error: /close could not find "Sx No Such*" window
Error: /killwindow could not find "*No Such Window" window
Information: done' "$(errors_of nowin)"
}

# The program's own application window shows the running command as its
# title; the window walk must not find it, or "/waitfor *Sx Delta*" would
# match "/waitfor *Sx Delta* - Tarv32" at once.
case_sys_window_walk_skips_the_own_application_window() {
  sys_prepare
  sys_script own '/waitfor *Sx Delta*' '/close *Sx Delta*' '/waitclose *Sx Delta*'
  start_bg own "$(TARV_EXE)" own.qd
  sys_wait_for_command '/waitfor \*Sx Delta\*'
  expect_eq "application title" "/waitfor *Sx Delta* - Tarv32" "$(drv title TTarvApplication)"
  # Had the walk found the program's own window, the wait would have ended
  # at once: it must still be going on a second later.
  sleep 1
  kill -0 "$BG_PID" 2>/dev/null || { echo "the wait ended without the window" >&2; false; }
  wine "$(TESTWIN)" window "Sx Delta Window" delta.log 51 52 &
  local testwin=$!
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
  wait_pid "$testwin" 30
  expect_eq "window closed by the script" "close" "$(grep -x close delta.log)"
}
