# The window walk while other windows keep opening and closing: a window
# that closes while the walk is at it must not end the walk before the
# windows after it, so a window that stays open is found on every search.

case_sys_walk_survives_windows_closing_during_it() {
  sys_prepare
  local passes=${TARV_CHURN_PASSES:-200}
  wine "$(TESTWIN)" window "Sx Churn Stable" stable.log 61 62 &
  local stable=$!
  sys_wait_for_line stable.log '^state '
  # Five churn windows open at a time, each new one on top of the stable one,
  # from before the first search until the case has seen the last one end
  # (at most ten minutes).
  wine "$(TESTWIN)" churn 5 600000 churn.log "$(winepath -w "$TARV_CASE_DIR/churn.stop")" &
  local churn=$!
  sys_wait_for_line churn.log '^churning$'
  # /do absorbs a failed /activate, so "found" counts the searches that
  # found the window; /waitfor polls without a pause between searches.
  sys_script churn \
    '/set waitinternval = 0' \
    '/set found = 0' \
    '/set pass = 0' \
    '/do {' \
    '  /set pass = env(pass) + 1' \
    '  /activate Sx Churn Stable' \
    '  /waitfor Sx Churn Stable' \
    '  /set found = env(found) + 1' \
    "} /while env(pass) ne $passes" \
    '/pause "found " & env(found) & " of " & env(pass)' \
    '/close Sx Churn Stable'
  local start=$SECONDS
  sys_run_console churn 300 || true
  echo "$passes searches under churn: $((SECONDS - start)) s; $(sys_paused churn)"
  local churning=yes
  kill -0 "$churn" 2>/dev/null || churning=no
  touch "$TARV_CASE_DIR/churn.stop"
  wait_pid "$churn" 60 || true
  # The script closes the stable window; one it did not reach is ended here.
  wait_pid "$stable" 30 || true
  cat churn.log
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "searches that found the stable window" "found $passes of $passes" "$(sys_paused churn)"
  expect_eq "windows still churning when the searches ended" yes "$churning"
  expect_line "churn log" '^churned [1-9][0-9]*$' "$(cat churn.log)"
  expect_eq "stable window closed by the script" close "$(grep -x close stable.log)"
}
