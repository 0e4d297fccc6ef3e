# A quit or close request that reaches the program's queue while it waits
# ends the program at once, with the message's wParam as exit status (the
# program has no main window that could take a close request). The request
# is posted to the application window of the GUI program from outside.

# Runs NAME.qd with the real interface, posts MESSAGE with WPARAM to its
# application window once the script has started waiting, and expects the
# program to end with STATUS (a Linux status: the exit code modulo 256).
sys_check_request_ends_wait() {
  local name=$1 message=$2 wparam=$3 status=$4
  start_bg "$name" "$(TARV_EXE)" "$name.qd"
  sleep 1
  expect_eq "sysprobe" "posted" "$(wine "$(SYSPROBE)" post TTarvApplication "$message" "$wparam" | tr -d '\r')"
  local start=$SECONDS
  wait_bg 60
  expect_eq "exit status" "$status" "$BG_STATUS"
  [ $((SECONDS - start)) -lt 4 ] || { echo "the wait went on after the request" >&2; false; }
}

case_sys_system_close_ends_a_program_wait_with_sc_close() {
  sys_prepare
  sys_script sysclose 'testwin.exe /wait exit 0 6000' '/pause not reached'
  # 61536 (SC_CLOSE) modulo 256
  sys_check_request_ends_wait sysclose sysclose 0 96
}

case_sys_quit_ends_a_sleep_with_its_wparam() {
  sys_prepare
  sys_script quitsleep '/sleep 6' '/pause not reached'
  sys_check_request_ends_wait quitsleep quit 5 5
}

case_sys_close_ends_a_wait_for_all_with_its_wparam() {
  sys_prepare
  sys_script closeall 'testwin.exe exit 0 6000' 'testwin.exe exit 0 100' '/waitall' '/pause not reached'
  sys_check_request_ends_wait closeall close 7 7
}
