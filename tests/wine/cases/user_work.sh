# The user's work is safe: a save replaces a file whole or leaves it as it
# was, keeping its attributes and download mark; a downloaded command file
# runs only when the user says so; another Tarv32 run ends when /close or
# /killwindow aims at it; system error texts with inserts are shown.

# The DOS attributes of FILE as attrib prints them (letters before the path).
work_attributes() { wine cmd /c attrib "$(winepath -w "$1" | tr -d '\r')" | tr -d '\r' | sed 's/ *[A-Z]:\\.*//'; }

case_work_save_keeps_attributes_and_the_mark_or_leaves_the_file() {
  sys_prepare
  printf 'old\r\n' >job.qd
  printf '[ZoneTransfer]\r\nZoneId=3\r\n' >'job.qd:Zone.Identifier'
  wine cmd /c attrib +h job.qd >/dev/null
  expect_eq "save" "saved" "$(wine "$(SYSPROBE)" save job.qd 'new' | tr -d '\r')"
  expect_eq "new contents" "new" "$(cat job.qd)"
  expect_eq "attributes kept" "$(printf '%-5s' A)H" "$(work_attributes job.qd | cut -c1-6)" || work_attributes job.qd >&2
  expect_eq "mark kept" "ZoneId=3" "$(grep -a -o 'ZoneId=3' 'job.qd:Zone.Identifier')"
  wine cmd /c attrib -h +r job.qd >/dev/null
  expect_line "a read-only file is not replaced" "^failed: ERROR 5" "$(wine "$(SYSPROBE)" save job.qd 'lost' | tr -d '\r')"
  expect_eq "contents after the failed save" "new" "$(cat job.qd)"
  expect_eq "no temporary file left behind" "" "$(ls | grep -i '\.tmp$' || true)"
}

case_work_downloaded_file_asks_before_it_runs() {
  sys_prepare
  printf '/pause ran\r\n' >job.qd
  printf '[ZoneTransfer]\r\nZoneId=3\r\nHostUrl=https://example.org/job.qd\r\n' >'job.qd:Zone.Identifier'
  sys_run_console job
  expect_eq "unattended: not run" 1 "$BG_STATUS"
  expect_line "unattended: why" 'was downloaded from the Internet and is not run without a user to confirm it; set TARV_RUN_DOWNLOADED=1' "$(errors_of job)"
  TARV_RUN_DOWNLOADED=1 sys_run_console job
  expect_eq "expected downloads run" "ran" "$(sys_paused job)"
  # With a user to ask: the Confirm box names the file, No is the default.
  start_bg ask "$(TARV_EXE)" "$(winepath -w "$TARV_CASE_DIR/job.qd" | tr -d '\r')"
  local box
  box=$(drv controls Confirm)
  expect_line "question" 'job.qd" was downloaded from the Internet' "$box"
  drv click Confirm "&No" >/dev/null
  wait_bg 60
  expect_eq "No: not run" 1 "$BG_STATUS"
  expect_eq "nothing shown after No" "" "$(errors_of ask)"
}

case_work_close_and_killwindow_end_another_run() {
  sys_prepare
  local command
  for command in /close /killwindow; do
    sys_script waiter '/waitfor Never3 Window'
    sys_script aimer "$command *Never3 Window - Tarv32"
    start_bg waiter "$(TARV_EXE)" waiter.qd
    local waiter=$BG_PID
    sys_wait_for_command '/waitfor Never3 Window'
    sys_run_console aimer
    expect_eq "$command: exit status" 0 "$BG_STATUS" || errors_of aimer >&2
    wait_pid "$waiter" 30
    expect_eq "$command: the run it aimed at ended" 0 "$WAITED_STATUS"
  done
}

case_work_error_texts_with_inserts_are_shown() {
  expect_eq "insert kept" "ERROR 182: Invalid ordinal for %1." "$(wine "$(SYSPROBE)" errortext 182 | tr -d '\r')"
}
