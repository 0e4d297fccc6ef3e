# Starting programs through the shell and waiting for them: the window
# modes, errorlevel() after /wait and /waitall (more than 64 programs too),
# batch files and documents opened by the shell, and a program that cannot
# be started under each error mode.

case_sys_wait_passes_each_show_mode_and_reads_exit_code() {
  sys_prepare
  sys_script modes \
    'testwin.exe /wait show "Sx Mode Normal" normal.log 15' \
    '/pause "normal " & errorlevel()' \
    'testwin.exe /wait /max show "Sx Mode Max" max.log 11' \
    '/pause "max " & errorlevel()' \
    'testwin.exe /wait /min show "Sx Mode Min" min.log 12' \
    '/pause "min " & errorlevel()' \
    'testwin.exe /wait /hide show "Sx Mode Hide" hide.log 13' \
    '/pause "hide " & errorlevel()' \
    'testwin.exe /wait /noactivate show "Sx Mode Noactivate" noactivate.log 14' \
    '/pause "noactivate " & errorlevel()'
  sys_run_console modes
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "errorlevel after each wait" "normal 15
max 11
min 12
hide 13
noactivate 14" "$(sys_paused modes)"
  expect_eq "shown normally" "show 5
state visible=1 iconic=0 zoomed=0" "$(sys_log normal.log)"
  expect_eq "maximised" "show 3
state visible=1 iconic=0 zoomed=1" "$(sys_log max.log)"
  expect_eq "minimised" "show 6
state visible=1 iconic=1 zoomed=0" "$(sys_log min.log)"
  expect_eq "hidden" "show 0
state visible=0 iconic=0 zoomed=0" "$(sys_log hide.log)"
  expect_eq "minimised without activation" "show 7
state visible=1 iconic=1 zoomed=0" "$(sys_log noactivate.log)"
  expect_no_line "activated without activation" '^activate$' "$(cat noactivate.log)"
}

case_sys_errorlevel_follows_the_debug_log_branches() {
  sys_prepare
  sys_script branch \
    '/set debug = on' \
    'testwin.exe /wait exit 3' \
    '/if errorlevel() eq 3 {' \
    '   /set TARV_SX = three' \
    '} /else {' \
    '   /set TARV_SX = other' \
    '}'
  sys_run_console branch
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "run log" "errorlevel() EQ 3 is TRUE
*** BEGIN THEN block
*** END THEN block" "$(output_of branch)"
}

case_sys_waitall_takes_the_latest_nonzero_exit_code() {
  sys_prepare
  sys_script three \
    'testwin.exe exit 0 400' \
    'testwin.exe exit 3 200' \
    'testwin.exe exit 0 100' \
    '/waitall' \
    '/pause "all " & errorlevel()' \
    '/waitall' \
    '/pause "none pending " & errorlevel()'
  sys_run_console three
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "errorlevel" "all 3
none pending 0" "$(sys_paused three)"
}

# WaitForMultipleObjects takes at most 64 handles: 70 programs must still
# all be waited for, and the wait must not fail.
case_sys_waitall_waits_for_seventy_programs() {
  sys_prepare
  local lines=() i
  for i in $(seq 1 70); do
    # The 65th program ends last and alone with a non-zero code, so the
    # wait returns only after the second group has ended.
    if [ "$i" -eq 65 ]; then lines+=("testwin.exe exit 65 2500"); else lines+=("testwin.exe exit 0 200"); fi
  done
  lines+=('/waitall' '/pause "after waitall " & errorlevel()')
  sys_script seventy "${lines[@]}"
  local start=$SECONDS
  sys_run_console seventy 120
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "errorlevel" "after waitall 65" "$(sys_paused seventy)"
  expect_no_line "no failed wait" 'Error waiting' "$(errors_of seventy)"
  [ $((SECONDS - start)) -ge 2 ] || { echo "returned before the 65th program ended" >&2; false; }
}

case_sys_batch_file_runs_through_the_shell_with_its_exit_code() {
  sys_prepare
  printf '@echo off\r\nexit /b 6\r\n' >"$TARV_CASE_DIR/six.bat"
  sys_script batch 'six.bat /wait' '/pause "batch " & errorlevel()'
  sys_run_console batch
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "errorlevel" "batch 6" "$(sys_paused batch)"
}

case_sys_quoted_program_path_with_blanks_starts() {
  sys_prepare
  mkdir -p "$TARV_CASE_DIR/my progs"
  cp "$(TESTWIN)" "$TARV_CASE_DIR/my progs/"
  local path
  path=$(winepath -w "$TARV_CASE_DIR/my progs/testwin.exe")
  sys_script quoted "\"${path//\\/\\\\}\" /wait exit 8" '/pause "quoted " & errorlevel()'
  sys_run_console quoted
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "errorlevel" "quoted 8" "$(sys_paused quoted)"
}

# The shell's texts are not cut at 512 characters on the way: three
# arguments of 250 characters (a command word holds at most 255).
case_sys_long_parameter_text_reaches_the_program_whole() {
  sys_prepare
  local a b c
  a=$(printf 'a%.0s' $(seq 1 250))
  b=$(printf 'b%.0s' $(seq 1 250))
  c=$(printf 'c%.0s' $(seq 1 250))
  sys_script long "testwin.exe /wait args args.log $a $b $c last" '/pause "long " & errorlevel()'
  sys_run_console long
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "errorlevel" "long 0" "$(sys_paused long)"
  expect_eq "arguments" "$a
$b
$c
last" "$(cat args.log)"
}

case_sys_cd_sets_the_working_directory_of_later_programs() {
  sys_prepare
  mkdir -p "$TARV_CASE_DIR/work dir"
  printf '@echo off\r\nif exist marker.txt exit /b 4\r\nexit /b 5\r\n' >"$TARV_CASE_DIR/where.bat"
  : >"$TARV_CASE_DIR/work dir/marker.txt"
  local batch workdir
  batch=$(winepath -w "$TARV_CASE_DIR/where.bat")
  workdir=$(winepath -w "$TARV_CASE_DIR/work dir")
  sys_script cd "/cd $workdir" "\"${batch//\\/\\\\}\" /wait" '/pause "in work dir " & errorlevel()' \
    '/cd /warn no such dir' "\"${batch//\\/\\\\}\" /wait /warn" '/pause after the failed cd'
  sys_run_console cd
  expect_eq "exit status" 0 "$BG_STATUS"
  local errors
  errors=$(errors_of cd)
  expect_line "program in the directory" '^Information: in work dir 4$' "$errors"
  expect_line "failed /cd" '^Error: Could not /cd to directory "no such dir"$' "$errors"
  # The missing directory stays the working directory of later programs:
  # Windows refuses to start them there (a warning here), Wine starts them.
  expect_line "run goes on" '^Information: after the failed cd$' "$errors"
}

# A document opens in its associated program; /kill ends that program, and
# /waitall reads the exit code 1 that /kill gives it.
case_sys_document_opens_in_its_program() {
  sys_prepare
  wine reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1
  echo "a document" >"$TARV_CASE_DIR/sxnote.txt"
  sys_script doc 'sxnote.txt' '/waitfor *sxnote*' '/kill notepad.exe' '/waitall' '/pause "notepad " & errorlevel()'
  sys_run_console doc
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "errorlevel" "notepad 1" "$(sys_paused doc)"
}

case_sys_missing_program_follows_the_error_mode_on_the_console() {
  sys_prepare
  sys_script missing \
    'sx_no_such_program.exe /ignore x' \
    '/pause after ignore' \
    'sx_no_such_program.exe /warn x' \
    '/pause after warn' \
    'sx_no_such_program.exe x' \
    '/pause not reached'
  sys_run_console missing
  expect_eq "exit status" 1 "$BG_STATUS"
  local reason
  reason=$(errors_of missing | sed -n '/^Warning: /{n;p}')
  expect_line "system reason" '^ERROR 2: ' "$reason"
  expect_eq "standard error" "Information: after ignore
Warning: Could not start application \"sx_no_such_program.exe\"
$reason

Information: after warn
Error: TARV32: ERROR: The following command: 
@ \"missing.qd\"
Failed with the following error(s):
ERROR: The following command: 
sx_no_such_program.exe x
Failed with the following error(s):
Could not start application \"sx_no_such_program.exe\"
$reason" "$(errors_of missing)"
}

case_sys_missing_program_with_warn_shows_a_warning_box() {
  sys_prepare
  sys_script warnbox 'sx_no_such_program.exe /warn' '/pause after the warning'
  start_bg warnbox "$(TARV_EXE)" warnbox.qd
  local controls
  controls=$(drv controls Warning)
  expect_line "warning text" '^control 65535 Static .* Could not start application "sx_no_such_program.exe"' \
    "$controls"
  expect_line "system reason" 'ERROR 2: ' "$controls"
  drv click Warning OK >/dev/null
  expect_line "run goes on" 'after the warning' "$(drv controls Information)"
  drv click Information OK >/dev/null
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
}

# With a window option and neither /ignore nor /warn, a failed start shows
# an error box and ends the program at once: no "TARV32: " report follows.
case_sys_missing_program_with_window_option_ends_after_error_box() {
  sys_prepare
  sys_script endbox 'sx_no_such_program.exe /min' '/pause not reached'
  start_bg endbox "$(TARV_EXE)" endbox.qd
  local text
  text=$(drv text Error 65535)
  expect_line "error text" '^Could not start application "sx_no_such_program.exe"' "$text"
  expect_no_line "no failure report" 'TARV32' "$text"
  drv click Error OK >/dev/null
  wait_bg 60
  expect_eq "exit status" 1 "$BG_STATUS"
}

case_sys_failed_script_shows_tarv32_error_box_and_information() {
  sys_prepare
  sys_script failbox '/set debug = on' '/if 1 eq 1 {' '   /activate Sx Nowhere Window' '}'
  start_bg failbox "$(TARV_EXE)" failbox.qd
  local text
  text=$(drv text Error 65535)
  expect_line "report" '^TARV32: ERROR: The following command: ' "$text"
  expect_line "cause" '/activate could not find "Sx Nowhere Window" window' "$text"
  drv click Error OK >/dev/null
  local log
  log=$(drv text Information 101 | tr -d '\r')
  expect_line "run log" '^1 EQ 1 is TRUE$' "$log"
  expect_line "run log" '^\*\*\* BEGIN THEN block$' "$log"
  drv click Information OK >/dev/null
  wait_bg 60
  expect_eq "exit status" 1 "$BG_STATUS"
}
