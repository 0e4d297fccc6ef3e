# The Information dialog: its layout at the screen's DPI (designed at 120
# pixels per inch), a long text shown whole, and the anchors when resized.

# Expected line of a control: ID CLASS, then its rectangle scaled to DPI.
expected_control() {
  local id=$1 class=$2 left=$3 top=$4 width=$5 height=$6 dpi=$7
  echo "control $id $class $(scaled "$left" "$dpi") $(scaled "$top" "$dpi") $(scaled "$width" "$dpi") $(scaled "$height" "$dpi")"
}

control_rect() {
  local id=$1 text=$2
  awk -v id="$id" '$1 == "control" && $2 == id { print "control", $2, $3, $4, $5, $6, $7; exit }' <<<"$text"
}

numbered_lines() {
  local count=$1
  awk -v n="$count" 'BEGIN { for (i = 1; i <= n; i++) printf "Line %05d of the run log: echo command number %d\r\n", i, i }'
}

# Sets the screen DPI of the prefix; Wine reads it when its server starts.
set_prefix_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -k
  wineserver -w
  wineserver -p
}

case_information_dialog_layout_text_and_resizing() {
  check_information_dialog
}

case_information_dialog_scales_from_120_dpi() {
  trap 'set_prefix_dpi 96' EXIT
  set_prefix_dpi 120
  expect_eq "screen DPI" 120 "$(drv dpi)"
  check_information_dialog
}

check_information_dialog() {
  local dpi lines=4000
  dpi=$(drv dpi)
  start_bg probe "$(TARV_PROBE)" infodlg "$lines"
  local controls
  controls=$(drv controls Information)
  echo "$controls" | cut -c1-160

  # The window: 636 x 287 at 120 pixels per inch, centred on the 1280 x 1024 screen.
  local width height
  width=$(scaled 636 "$dpi")
  height=$(scaled 287 "$dpi")
  expect_eq "window size" "$width $height" "$(field_of window 4 "$controls") $(field_of window 5 "$controls")"
  expect_eq "window position" "$(((1280 - width) / 2)) $(((1024 - height) / 2))" \
    "$(field_of window 2 "$controls") $(field_of window 3 "$controls")"

  # Msg and OKBtn where the layout puts them; tab order OKBtn, Msg.
  expect_eq "Msg" "$(expected_control 101 Edit 6 6 617 173 "$dpi")" "$(control_rect 101 "$controls")"
  expect_eq "OKBtn" "$(expected_control 1 Button 278 204 93 31 "$dpi")" "$(control_rect 1 "$controls")"
  expect_eq "tab order" "1 101" "$(awk '$1 == "control" { printf "%s%s", sep, $2; sep = " " }' <<<"$controls")"
  expect_line "OKBtn caption" '^control 1 Button .* len=2 OK$' "$controls"

  # The whole text is there, line by line.
  drv_raw text Information 101 >"$TARV_CASE_DIR/shown.txt"
  numbered_lines "$lines" >"$TARV_CASE_DIR/expected.txt"
  cmp "$TARV_CASE_DIR/expected.txt" "$TARV_CASE_DIR/shown.txt"

  screenshot "$TARV_ARTIFACTS/information-dialog-${dpi}dpi.png" Information

  # Resizing: Msg follows all four sides, OKBtn keeps its distance to the bottom.
  local clientH msgW msgH okTop
  clientH=$(field_of window 8 "$controls")
  read -r _ _ _ _ _ msgW msgH <<<"$(control_rect 101 "$controls")"
  okTop=$(awk '$1 == "control" && $2 == 1 { print $5 }' <<<"$controls")
  local resized
  resized=$(drv resize Information $((width + 150)) $((height + 120)))
  local after
  after=$(drv controls Information)
  local clientH2
  clientH2=$(field_of window 8 "$after")
  expect_eq "client growth" "$((clientH + 120))" "$clientH2"
  expect_eq "Msg size after resizing" "$((msgW + 150)) $((msgH + 120))" \
    "$(awk '$1 == "control" && $2 == 101 { print $6, $7 }' <<<"$after")"
  expect_eq "OKBtn distance to the bottom" "$((clientH - okTop))" \
    "$((clientH2 - $(awk '$1 == "control" && $2 == 1 { print $5 }' <<<"$after")))"
  echo "$resized"

  drv click Information OK >/dev/null
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "probe output" "closed" "$(output_of probe)"
}

case_information_dialog_shows_lone_line_feeds_as_lines() {
  start_bg probe "$(TARV_PROBE)" infodlg-mixed
  drv wait Information >/dev/null
  drv_raw text Information 101 >"$TARV_CASE_DIR/shown.txt"
  printf 'first\r\nsecond\r\nthird fourth' >"$TARV_CASE_DIR/expected.txt"
  cmp "$TARV_CASE_DIR/expected.txt" "$TARV_CASE_DIR/shown.txt"
  drv click Information OK >/dev/null
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
}
