# Waits under desktop conditions: a modal loop on the program's main thread
# while a waited-for program ends, and the time limit of the waits
# (TARV_WAIT_TIMEOUT) for unattended runs.

# Waits until no process of the prefix runs the executable NAME (the file
# name as tool-help lists it, in any letter case).
sys_wait_process_gone() {
  local name=$1 i
  for i in $(seq 1 200); do
    wine "$(SYSPROBE)" toolhelp | tr -d '\r' | grep -qi -- "[\\/]$name\$" || return 0
    sleep 0.05
  done
  echo "process $name still running after 200 looks" >&2
  return 1
}

# The system menu of the application window runs a modal menu loop inside
# a message that the waiting loop dispatched. The waited-for program ends
# while that loop runs; once the menu is closed, the run must go on. A wait
# that learnt of the end only from a thread message would never end here:
# the menu loop takes that message and dispatches it to no window.
case_sys_wait_survives_a_modal_loop_on_the_main_thread() {
  sys_prepare
  sys_script modal 'testwin.exe /wait window "Sx Modal" modal.log 4' '/pause "after the wait " & errorlevel()'
  start_bg modal "$(TARV_EXE)" modal.qd
  drv --class TarvTestWindow wait "Sx Modal" >/dev/null || return 1
  expect_eq "sysprobe" "posted" "$(wine "$(SYSPROBE)" post TTarvApplication sysmenu 0 | tr -d '\r')" || return 1
  # The popup of the system menu belongs to the program: its menu loop runs.
  drv --class '#32768' wait "" >/dev/null || return 1
  expect_eq "sysprobe" "posted" "$(wine "$(SYSPROBE)" post TarvTestWindow close 0 | tr -d '\r')" || return 1
  sys_wait_process_gone testwin.exe || return 1
  # The program ended while the menu was still open.
  drv --class '#32768' --timeout 0 wait "" >/dev/null || return 1
  expect_eq "sysprobe" "posted" "$(wine "$(SYSPROBE)" post TTarvApplication cancelmode 0 | tr -d '\r')" || return 1
  local controls
  controls=$(drv --timeout 20000 controls Information)
  expect_line "run goes on" 'after the wait 4' "$controls" || return 1
  drv click Information OK >/dev/null
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
}

# TARV_WAIT_TIMEOUT from the caller limits /wait and /waitfor, which give up
# through their error mode (/warn: an error box, here on the console); the
# script shortens it with /set for /waitall, which takes no options, so its
# giving up stops the run. The programs given up on still run (a copy of
# testwin of its own name, so no other case sees them) and are ended here.
case_sys_waits_give_up_at_the_time_limit() {
  sys_prepare sxlimit.exe
  sys_script limit \
    'sxlimit.exe /wait /warn exit 0 30000' \
    '/pause "errorlevel " & errorlevel()' \
    '/waitfor /warn Sx Never Window' \
    'sxlimit.exe exit 0 30000' \
    '/set TARV_WAIT_TIMEOUT = "0.5"' \
    '/waitall' \
    '/pause not reached'
  local start=$SECONDS
  TARV_WAIT_TIMEOUT=1 sys_run_console limit
  local elapsed=$((SECONDS - start))
  wine taskkill /f /im sxlimit.exe >/dev/null 2>&1 || true
  expect_eq "exit status" 1 "$BG_STATUS" || return 1
  local errors
  errors=$(errors_of limit)
  expect_eq "until /waitall" 'Error: /wait gave up after 1 second waiting for "sxlimit.exe" to end
Information: errorlevel 259
Error: /waitfor gave up after 1 second waiting for "Sx Never Window" window' "$(head -n 3 <<<"$errors")" || return 1
  expect_line "/waitall" '^/waitall gave up after 0.5 seconds waiting for 1 of 1 programs to end: "sxlimit.exe"$' \
    "$errors" || return 1
  expect_no_line "run stopped" 'not reached' "$errors" || return 1
  [ "$elapsed" -lt 20 ] || { echo "the waits did not give up in time ($elapsed s)" >&2; false; }
}
