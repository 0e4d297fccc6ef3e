# The editor under conditions that used to lose work or mislead: a Run after
# a Run that changed the run-wide state, and a save into a folder that has
# gone. Both are driven through the real windows.

case_editor_each_run_starts_fresh() {
  cd "$TARV_CASE_DIR"
  # The first run leaves behind a variable, another directory and a dry run;
  # a second run that inherited them would show no box at all (dry run), or
  # "Left over", or fail to find marker.qd beside the job.
  printf '/if env(TARV_LEFT_OVER) eq "" {\r\n   /pause Fresh start\r\n} /else {\r\n   /pause Left over\r\n}\r\n' >marker.qd
  printf '@marker.qd\r\n/set TARV_LEFT_OVER = yes\r\n/cd C:\\windows\r\n/set debug = on\r\n/set exec = off\r\n' >job.qd
  local caption="job.qd - Tarv Command File Editor" run
  start_bg tarv "$(TARV_EXE)" "/edit job.qd"
  drv wait "$caption" >/dev/null
  for run in 1 2 3; do
    # The caption changes while the file runs: the box is what comes next.
    keys_to "$caption" alt+f r
    local box
    box=$(drv controls Information)
    expect_eq "message of run $run" "Fresh start" "$(control_text 65535 "$box")"
    expect_eq "owner of the box in run $run" "owner Running $caption disabled" "$(drv owner Information)"
    drv click Information OK >/dev/null
    drv wait "$caption" >/dev/null  # the run is over
  done
  keys_to "$caption" alt+f x  # nothing to save: the editor closes
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
}

case_editor_failed_save_keeps_the_list_and_the_editor_open() {
  mkdir -p "$TARV_CASE_DIR/folder"
  local file="$TARV_CASE_DIR/folder/job.qd" winfile caption="job.qd - Tarv Command File Editor"
  printf '; one\r\n; two\r\n' >"$file"
  winfile=$(winepath -w "$file" 2>/dev/null | tr -d '\r')
  start_bg tarv "$(TARV_EXE)" "/edit $winfile"
  drv wait "$caption" >/dev/null
  keys_to "$caption" Home Delete  # the list now holds "; two" and is modified
  rm -rf "$TARV_CASE_DIR/folder"

  # Closing asks to save; the save fails and the editor stays open.
  keys_to "$caption" alt+f x
  expect_eq "Confirm owner" "owner $caption disabled" "$(drv owner Confirm)"
  drv click Confirm "&Yes" >/dev/null
  local error
  error=$(drv controls Error)
  expect_line "save failure" "^control 65535 Static .* Could not save \".*The file on the disk was not changed" "$error"
  expect_eq "Error owner" "owner $caption disabled" "$(drv owner Error)"
  drv click Error OK >/dev/null
  drv gone Error >/dev/null
  kill -0 "$BG_PID"

  # The list and its modified mark are still there: closing asks again, and
  # with the folder back the save writes what the user had.
  mkdir -p "$TARV_CASE_DIR/folder"
  drv wait "$caption" >/dev/null
  keys_to "$caption" alt+f x
  drv click Confirm "&Yes" >/dev/null
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "saved file" "$(printf '; two\r\n' | od -c)" "$(od -c <"$file")"
}
