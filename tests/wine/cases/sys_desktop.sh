# The window commands under desktop conditions that scripts meet daily: a
# minimised window to bring forward, accented letters and long texts to
# type right before the window is closed, and a window whose program has
# stopped serving its messages.

case_sys_activate_restores_a_minimised_window() {
  sys_prepare
  sys_script minimised \
    'testwin.exe /min window "Sx Min Window" min.log' \
    '/waitfor Sx Min Window' \
    'testwin.exe window "Sx Cover Window" cover.log' \
    '/waitfor Sx Cover Window' \
    '/activate Sx Min Window' \
    '/sendkeys min' \
    '/close Sx Min Window' \
    '/close Sx Cover Window' \
    '/waitall'
  sys_run_console minimised
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "standard error" "" "$(errors_of minimised)"
  expect_eq "started minimised" "show 6
state visible=1 iconic=1 zoomed=0" "$(sys_log min.log | head -2)"
  expect_eq "restored, in front, typed into" "closing visible=1 iconic=0 front=1
close
text min" "$(sys_log min.log | sed -n '/^closing/,$p')"
  expect_eq "nothing typed into the window that was in front" "" "$(grep '^char' cover.log || true)"
}

# Code page 1252: a-umlaut-b blank e-acute. Characters from 128 up must be
# typed as themselves (once they pressed Ctrl and left it down, so that the
# next /sendkeys x became Ctrl+X), and a /close right after a long text
# must not overtake its keys (once 23 of 70 characters arrived).
case_sys_sendkeys_types_accented_letters_and_long_texts_before_close() {
  sys_prepare
  local long='The quick brown fox jumps over the lazy dog 0123456789 (THE END) pack my box!'
  sys_script typing \
    'testwin.exe window "Sx Typing Window" typing.log' \
    '/waitfor Sx Typing Window' \
    '/activate Sx Typing Window' \
    $'/sendkeys a\xfcb \xe9' \
    '/sendkeys x' \
    "/sendkeys $long" \
    '/close Sx Typing Window' \
    '/waitall'
  local start=$SECONDS
  sys_run_console typing
  echo "accented letters and ${#long} characters typed and closed in $((SECONDS - start)) s"
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "standard error" "" "$(errors_of typing)"
  expect_eq "first characters (a, u-umlaut, b, blank, e-acute, plain x)" "97 252 98 32 233 120" \
    "$(sed -n 's/^char //p' typing.log | head -6 | tr '\n' ' ' | sed 's/ $//')"
  expect_eq "text when closed" $'text a\xc3\xbcb \xc3\xa9x'"$long" "$(sed -n '/^text /p' typing.log)"
}

# testwin hang shows its window, then serves no messages for two minutes.
case_sys_close_of_a_hung_window_reports_it_within_seconds() {
  sys_prepare
  sys_script hung \
    'testwin.exe hang "Sx Hung Window" hung.log 120000' \
    '/waitfor Sx Hung Window' \
    '/close /warn Sx Hung Window' \
    '/killwindow /ignore Sx Hung*' \
    '/pause went on'
  sys_script hungstop '/close Sx Hung Window' '/pause not reached'
  sys_script hungkill '/kill testwin.exe'
  local start=$SECONDS
  sys_run_console hung 60
  local first=$((SECONDS - start)) warnStatus=$BG_STATUS
  start=$SECONDS
  sys_run_console hungstop 60
  local second=$((SECONDS - start)) stopStatus=$BG_STATUS
  echo "hung window: /close /warn and /killwindow /ignore took $first s, /close $second s"
  sys_run_console hungkill 60
  expect_eq "exit status under /warn" 0 "$warnStatus"
  expect_eq "standard error under /warn" 'Error: /close could not close "Sx Hung Window" window: it is not responding
Information: went on' "$(errors_of hung)"
  expect_eq "exit status of the stopped run" 1 "$stopStatus"
  expect_line "the default stops the run" \
    '^/close could not close "Sx Hung Window" window: it is not responding$' "$(errors_of hungstop)"
  expect_no_line "nothing after the failed /close" 'not reached' "$(errors_of hungstop)"
  [ "$first" -le 20 ] || { echo "/close /warn and /killwindow /ignore took $first s" >&2; false; }
  [ "$second" -le 15 ] || { echo "/close took $second s" >&2; false; }
}

# A window that asks the user before it closes is busy with WM_CLOSE for as
# long as the question stays open, but it serves its messages: that is no
# hung window, and /close must neither report it nor wait for the answer.
case_sys_close_of_a_window_that_asks_the_user_goes_on() {
  sys_prepare
  sys_script ask \
    'testwin.exe ask "Sx Ask Window" ask.log' \
    '/waitfor Sx Ask Window' \
    '/close Sx Ask Window' \
    '/pause asked' \
    '/waitclose Sx Ask Window - Close?' \
    '/pause answered'
  sys_script askkill '/kill testwin.exe'
  local start=$SECONDS
  TARV_UI=console start_bg ask "$(TARV_EXE)" ask.qd
  # The question is answered only after the run has gone past /close.
  local i
  for i in $(seq 1 600); do
    grep -q '^Information: asked' ask.err 2>/dev/null && break
    kill -0 "$BG_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "/close of a window asking the user returned after $((SECONDS - start)) s"
  grep -q '^Information: asked' ask.err || { echo "the run did not go past /close before the answer" >&2; false; }
  drv click "Sx Ask Window - Close?" "&No" >/dev/null
  wait_bg 60
  local status=$BG_STATUS
  sys_run_console askkill
  expect_eq "exit status" 0 "$status"
  expect_eq "standard error" "Information: asked
Information: answered" "$(errors_of ask)"
  expect_eq "window log" "asked
answer no" "$(sys_log ask.log | sed -n '/^asked$/,$p')"
}
