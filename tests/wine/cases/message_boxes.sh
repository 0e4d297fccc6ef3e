# The four message boxes of the user interface, shown for real by uiprobe and
# read and pressed from outside by the driver.

# Checks the box CAPTION shown by "uiprobe COMMAND TEXT": its text, exactly
# the buttons BUTTONS (blank-separated), then presses PRESS and expects the
# probe to print RESULT.
check_box() {
  local command=$1 caption=$2 text=$3 buttons=$4 press=$5 result=$6
  start_bg probe "$(TARV_PROBE)" "$command" "$text"
  local controls
  controls=$(drv controls "$caption")
  expect_eq "message text" "$text" "$(control_text 65535 "$controls")"
  local found
  found=$(awk '$1 == "control" && $3 == "Button" { $1=$2=$3=$4=$5=$6=$7=$8=""; sub(/^ +/, ""); print }' <<<"$controls" |
    tr '\n' ' ')
  expect_eq "buttons of $caption" "$buttons " "$found"
  drv click "$caption" "$press" >/dev/null
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "probe output" "$result" "$(output_of probe)"
}

case_error_box_shows_text_with_ok() {
  check_box error Error "The file could not be found" "OK" "OK" "closed"
}

case_information_box_shows_text_with_ok() {
  check_box info Information "Press OK to go on" "OK" "OK" "closed"
}

case_warning_box_shows_text_with_ok() {
  check_box warning Warning "Program could not be started" "OK" "OK" "closed"
}

case_confirm_box_answers_yes() {
  check_box ask Confirm "Save the changes?" "&Yes &No" "&Yes" "answer yes"
}

case_confirm_box_answers_no() {
  check_box ask Confirm "Save the changes?" "&Yes &No" "&No" "answer no"
}
