# A quit or close request that reaches the program's queue while it waits
# ends the program at once, with the message's wParam as exit status (the
# program has no main window that could take a close request). The request
# is posted to the application window of the GUI program from outside.

# Runs NAME.qd with the real interface, posts MESSAGE with WPARAM to its
# application window once the command matching COMMAND has started (its
# wait lasts 30 s), and expects the program to end with STATUS (a Linux
# status: the exit code modulo 256) well before the wait would have ended.
sys_check_request_ends_wait() {
  local name=$1 command=$2 message=$3 wparam=$4 status=$5
  start_bg "$name" "$(TARV_EXE)" "$name.qd"
  sys_wait_for_command "$command"
  expect_eq "sysprobe" "posted" "$(wine "$(SYSPROBE)" post TTarvApplication "$message" "$wparam" | tr -d '\r')"
  local start=$SECONDS
  wait_bg 60
  expect_eq "exit status" "$status" "$BG_STATUS"
  [ $((SECONDS - start)) -lt 15 ] || { echo "the wait went on after the request" >&2; false; }
  # The programs the script started outlive it.
  drv end testwin.exe >/dev/null
}

case_sys_system_close_ends_a_program_wait_with_sc_close() {
  sys_prepare
  sys_script sysclose 'testwin.exe /wait exit 0 30000' '/pause not reached'
  # 61536 (SC_CLOSE) modulo 256
  sys_check_request_ends_wait sysclose 'testwin\.exe.*' sysclose 0 96
}

case_sys_quit_ends_a_sleep_with_its_wparam() {
  sys_prepare
  sys_script quitsleep '/sleep 30' '/pause not reached'
  sys_check_request_ends_wait quitsleep '/sleep 30' quit 5 5
}

case_sys_close_ends_a_wait_for_all_with_its_wparam() {
  sys_prepare
  sys_script closeall 'testwin.exe exit 0 30000' 'testwin.exe exit 0 100' '/waitall' '/pause not reached'
  sys_check_request_ends_wait closeall /waitall close 7 7
}
