# The editor's windows driven for real: layouts at the screen's DPI (designed
# at 120 pixels per inch), editing a line through the command dialog, moving
# it, Replace All, saving and running the file; the process list and its
# Find. Screenshots of each window go to the artifacts.

# editor_shot NAME CAPTION: a screenshot once the window CAPTION is painted.
editor_shot() { screenshot "$TARV_ARTIFACTS/editor-$1.png" "$2"; }

# The rectangle line of control ID: "control ID CLASS LEFT TOP WIDTH HEIGHT".
editor_control() {
  awk -v id="$1" '$1 == "control" && $2 == id { print $1, $2, $3, $4, $5, $6, $7; exit }' <<<"$2"
}

editor_expected() {
  local id=$1 class=$2 dpi=$7
  echo "control $id $class $(scaled "$3" "$dpi") $(scaled "$4" "$dpi") $(scaled "$5" "$dpi") $(scaled "$6" "$dpi")"
}

case_editor_edit_move_replace_save_and_run() {
  local dpi file winfile caption
  dpi=$(drv dpi)
  file="$TARV_CASE_DIR/job.qd"
  printf '; first\r\n/sleep 0\r\n/pause Ran from the editor\r\n' >"$file"
  winfile=$(winepath -w "$file" 2>/dev/null | tr -d '\r')
  caption="job.qd - Tarv Command File Editor"
  start_bg tarv "$(TARV_EXE)" "/edit $winfile"

  local editor
  editor=$(drv controls "$caption")
  echo "$editor"
  expect_eq "editor size" "$(scaled 540 "$dpi") $(scaled 398 "$dpi")" \
    "$(field_of window 4 "$editor") $(field_of window 5 "$editor")"
  expect_eq "List1" "$(editor_expected 1001 ListBox 8 8 465 297 "$dpi")" "$(editor_control 1001 "$editor")"
  expect_eq "btnUp" "$(editor_expected 1002 Static 488 128 33 25 "$dpi")" "$(editor_control 1002 "$editor")"
  expect_eq "Label2" "$(editor_expected 1003 Static 484 164 40 16 "$dpi")" "$(editor_control 1003 "$editor")"
  expect_eq "btnDown" "$(editor_expected 1004 Static 488 192 33 25 "$dpi")" "$(editor_control 1004 "$editor")"
  expect_line "Move label" '^control 1003 Static .* len=4 Move$' "$editor"
  editor_shot window "$caption"

  # Second line: Enter opens the command dialog on it.
  keys_to "$caption" Home Down Return
  local dialog
  dialog=$(drv controls "Enter command line and options")
  echo "$dialog"
  expect_eq "dialog size" "$(scaled 552 "$dpi") $(scaled 287 "$dpi")" \
    "$(field_of window 4 "$dialog") $(field_of window 5 "$dialog")"
  expect_eq "Args" "$(editor_expected 1105 Edit 104 52 209 24 "$dpi")" "$(editor_control 1105 "$dialog")"
  expect_eq "btnOk" "$(editor_expected 1 Button 440 20 89 29 "$dpi")" "$(editor_control 1 "$dialog")"
  expect_eq "Prog text" "/sleep" "$(drv text "Enter command line and options" 1102)"
  expect_eq "Args text" "0" "$(drv text "Enter command line and options" 1105)"
  expect_eq "upper caption" "Seconds" "$(drv text "Enter command line and options" 1103)"
  expect_eq "lower caption" "to sleep" "$(drv text "Enter command line and options" 1104)"
  expect_line "Wait box" '^control 1116 Button .* Wait for program to finish before continuing$' "$dialog"
  editor_shot command-dialog "Enter command line and options"
  drv settext "Enter command line and options" 1105 "1"
  drv click "Enter command line and options" "&OK" >/dev/null
  drv gone "Enter command line and options" >/dev/null

  # The edited line is still selected: move it to the top.
  drv --class '*' mouse "$caption" 1002 >/dev/null  # the move buttons take no keyboard focus
  expect_eq "status after moving" "" "$(drv text "$caption" 1005)"
  expect_eq "lines after moving" "$(printf '/sleep 1\n; first\n/pause Ran from the editor')" \
    "$(drv --class '*' items "$caption" 1001)"

  # Replace All through the Edit menu (its last item).
  keys_to "$caption" alt+e Up Return
  local replace
  replace=$(drv controls "Replace All")
  echo "$replace"
  expect_eq "String1" "$(editor_expected 1203 Edit 160 24 209 24 "$dpi")" "$(editor_control 1203 "$replace")"
  expect_line "Label1" '^control 1201 Static .* String to replace:$' "$replace"
  editor_shot replace "Replace All"
  drv settext "Replace All" 1203 "Ran from"
  drv settext "Replace All" 1204 "Done in"
  drv click "Replace All" "&OK" >/dev/null
  drv gone "Replace All" >/dev/null

  # Save, then the file holds the edited, moved and replaced lines.
  keys_to "$caption" alt+f s
  printf '/sleep 1\r\n; first\r\n/pause Done in the editor\r\n' >"$TARV_CASE_DIR/expected.qd"
  wait_until 60 cmp -s "$TARV_CASE_DIR/expected.qd" "$file" || true
  expect_eq "saved file" "$(od -c <"$TARV_CASE_DIR/expected.qd")" "$(od -c <"$file")"

  # Run: the file runs and its /pause shows its box; the caption comes back.
  # (the caption changes while the file runs: the box is what comes next)
  keys_to "$caption" alt+f r
  drv wait Information >/dev/null
  editor_shot run-pause Information
  drv click Information OK >/dev/null
  drv gone Information >/dev/null
  # The caption shows the run until it has ended.
  drv --class '*' wait "$caption" >/dev/null
  expect_eq "status after the run" "" "$(drv text "$caption" 1005)"

  # About, then Exit.
  keys_to "$caption" alt+h a
  local about
  about=$(drv controls "About Tarv32")
  echo "$about"
  expect_line "version label" '^control 1303 Static .* Version [0-9.]+$' "$about"
  expect_line "copyright label" '^control 1304 Static .* Copyright' "$about"
  editor_shot about "About Tarv32"
  drv click "About Tarv32" OK >/dev/null
  drv gone "About Tarv32" >/dev/null
  keys_to "$caption" alt+f x
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
}

case_editor_process_list_find() {
  local dpi
  dpi=$(drv dpi)
  start_bg tarv "$(TARV_EXE)" "/plist"
  local plist
  plist=$(drv controls "List of running processes")
  echo "$plist"
  expect_eq "PList" "$(editor_expected 1401 ListBox 16 8 361 249 "$dpi")" "$(editor_control 1401 "$plist")"
  expect_eq "Button1" "$(editor_expected 1 Button 392 232 64 25 "$dpi")" "$(editor_control 1 "$plist")"
  expect_eq "tab order" "1401 1 1402 1403" "$(awk '$1 == "control" { printf "%s%s", sep, $2; sep = " " }' <<<"$plist")"
  editor_shot process-list "List of running processes"
  drv click "List of running processes" "&Find..." >/dev/null
  local box
  box=$(drv controls "Enter find string")
  expect_line "prompt" '^control 101 Static .* Please Enter string to find$' "$box"
  editor_shot find "Enter find string"
  drv settext "Enter find string" 102 "tarv"
  drv click "Enter find string" "OK" >/dev/null
  drv gone "Enter find string" >/dev/null
  editor_shot process-list-found "List of running processes"
  drv click "List of running processes" "&Close" >/dev/null
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
}
