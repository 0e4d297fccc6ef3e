# The process services under Wine: the system error text, the message pump
# and the application title on the taskbar.

case_error_text_quotes_the_system_text() {
  start_bg probe "$(TARV_PROBE)" errortext 2
  wait_bg 60
  local out system
  out=$(output_of probe)
  system=$(sed -n 's/^system: //p' <<<"$out")
  [ "$system" != "(none)" ]
  expect_eq "WinErrorText(2)" "ours: ERROR 2: $system" "$(grep '^ours: ' <<<"$out")"
  expect_line "system text ends its line" '\\r\\n$' "$system"
}

case_error_text_of_unknown_code_is_the_number_alone() {
  start_bg probe "$(TARV_PROBE)" errortext 987654
  wait_bg 60
  local out
  out=$(output_of probe)
  expect_eq "system text" "system: (none)" "$(grep '^system: ' <<<"$out")"
  expect_eq "WinErrorText(987654)" "ours: ERROR 987654" "$(grep '^ours: ' <<<"$out")"
}

case_pump_returns_at_once_on_empty_queue() {
  start_bg probe "$(TARV_PROBE)" pump-empty
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
  local ms
  ms=$(sed -n 's/^returned after \([0-9]*\) ms$/\1/p' <<<"$(output_of probe)")
  [ -n "$ms" ] && [ "$ms" -lt 500 ] || { echo "pump took [$ms] ms" >&2; false; }
}

case_pump_dispatches_window_messages() {
  start_bg probe "$(TARV_PROBE)" pump-dispatch
  wait_bg 60
  expect_eq "probe output" "dispatched 2" "$(output_of probe)"
}

# The exit code as Wine keeps it for the process, read inside Wine: the
# status of the Linux loader process comes from its own teardown, which can
# differ from it.
pump_post_exit() {
  drv run "$(winepath -w "$(TARV_PROBE)")" pump-post "$@"
}

case_pump_ends_program_on_quit_with_its_wparam() {
  # Nothing after the pump ran: no "pump returned" before the exit line.
  expect_eq "probe output and exit code" "exit 3" "$(pump_post_exit quit 3)"
}

case_pump_ends_program_on_close_with_its_wparam() {
  expect_eq "probe output and exit code" "exit 5" "$(pump_post_exit close 5)"
}

case_pump_ends_program_on_system_close_with_sc_close() {
  # 61536 would not even fit a Linux exit status.
  expect_eq "probe output and exit code" "exit 61536" "$(pump_post_exit sysclose 0)"
}

case_application_title_is_the_taskbar_text() {
  local title="/waitclose *Notepad* - Tarv32"
  start_bg probe "$(TARV_PROBE)" title "$title"
  drv wait Information >/dev/null
  expect_eq "application window text" "$title" "$(drv title TTarvApplication)"
  drv click Information OK >/dev/null
  wait_bg 60
  expect_eq "probe output" "title $title
closed" "$(output_of probe)"
}
