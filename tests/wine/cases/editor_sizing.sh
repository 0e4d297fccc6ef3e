# The editor window sizes and maximises: the list grows with it, the move
# buttons keep their place at its right edge, every text still fits, and a
# long line shows whole once the list is wide enough (before that, the
# list's horizontal extent asks for a scroll bar). At 96 and 120 pixels per
# inch. And the window list: none of Tarv32's own windows in it, and opened
# from the editor, a button that writes an /activate line into the file.

# The right and bottom distances of control ID to the client area's edges:
# "RIGHT BOTTOM".
sizing_distances() {
  local id=$1 listing=$2 clientW clientH left top width height
  read -r _ _ _ _ _ _ clientW clientH <<<"$(grep '^window' <<<"$listing")"
  read -r _ _ _ left top width height <<<"$(editor_control "$id" "$listing")"
  echo "$((clientW - left - width)) $((clientH - top - height))"
}

# "WIDTH HEIGHT" of control ID.
sizing_size() { editor_control "$1" "$2" | awk '{ print $6, $7 }'; }

# The extent check: "scrolls" when the list's horizontal extent exceeds its
# client width, "whole" otherwise.
sizing_scrolls() {
  local extent client
  read -r _ extent _ client <<<"$(drv extent "$1" 1001)"
  echo "extent $extent client $client" >&2
  [ "$extent" -gt "$client" ] && echo scrolls || echo whole
}

editor_sizing_at_screen_dpi() {
  local dpi file winfile caption
  dpi=$(drv dpi)
  file="$TARV_CASE_DIR/wide.qd"
  # About 120 characters: wider than the list as designed, narrower than a
  # maximised list on the 1280 pixel screen.
  printf '/sleep 0\r\n/pause %s\r\n; end\r\n' "$(printf 'word%03d ' $(seq 1 14))" >"$file"
  winfile=$(winepath -w "$file" 2>/dev/null | tr -d '\r')
  caption="wide.qd - Tarv Command File Editor"
  start_bg tarv "$(TARV_EXE)" "/edit $winfile"

  local designed
  designed=$(drv controls "$caption")
  echo "$designed"
  expect_eq "long line at the designed size" scrolls "$(sizing_scrolls "$caption")"

  local maximised
  drv show "$caption" maximize
  maximised=$(drv controls "$caption")
  echo "$maximised"
  local designedW designedH maximisedW maximisedH
  read -r designedW designedH <<<"$(sizing_size 1001 "$designed")"
  read -r maximisedW maximisedH <<<"$(sizing_size 1001 "$maximised")"
  expect_eq "list grew" "wider taller" \
    "$([ "$maximisedW" -gt $((designedW + 300)) ] && echo wider) $([ "$maximisedH" -gt $((designedH + 200)) ] && echo taller)"
  expect_eq "list keeps its margins" "$(sizing_distances 1001 "$designed")" "$(sizing_distances 1001 "$maximised")"
  local id
  for id in 1002 1003 1004; do
    expect_eq "control $id keeps its right margin" "$(sizing_distances "$id" "$designed" | cut -d' ' -f1)" \
      "$(sizing_distances "$id" "$maximised" | cut -d' ' -f1)"
    expect_eq "control $id inside the window" yes \
      "$(sizing_distances "$id" "$maximised" | awk '$1 >= 0 && $2 >= 0 { print "yes" }')"
  done
  expect_eq "long line when maximised" whole "$(sizing_scrolls "$caption")"
  texts_fit "$caption"
  screenshot "$TARV_ARTIFACTS/editor-maximised-${dpi}dpi.png" "$caption"

  # Restored, it cannot be made smaller than designed.
  drv show "$caption" restore >/dev/null
  local smallest
  smallest=$(drv --class '*' resize "$caption" 100 100)
  expect_eq "smallest size" "$(scaled 540 "$dpi") $(scaled 398 "$dpi")" \
    "$(field_of window 4 "$smallest") $(field_of window 5 "$smallest")"
  expect_eq "list at the smallest size" "$(sizing_size 1001 "$designed")" \
    "$(sizing_size 1001 "$(drv controls "$caption")")"

  drv close "$caption" >/dev/null
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
}

case_editor_sizes_and_maximises_at_96_dpi() {
  expect_eq "screen DPI" 96 "$(drv dpi)"
  editor_sizing_at_screen_dpi
}

case_editor_sizes_and_maximises_at_120_dpi() {
  trap 'set_prefix_dpi 96' EXIT
  set_prefix_dpi 120
  expect_eq "screen DPI" 120 "$(drv dpi)"
  editor_sizing_at_screen_dpi
}

# Neither from a script nor from the editor does the window list show the
# list itself, its buttons or the editor behind it; from the editor its
# button puts the picked title into the file after the selected line.
case_window_list_without_its_own_windows_adds_activate_lines() {
  start_bg probe "$(TARV_PROBE)" info "A window to list"
  local probe=$BG_PID
  drv wait Information >/dev/null
  local own='^(List of windows|&Close|&Refresh|&Find\.\.\.|Add /&activate line to the command file|.* - Tarv Command File Editor)$'

  start_bg tarv "$(TARV_EXE)" "/wlist"
  local listing items
  listing=$(drv controls "List of windows")
  expect_no_line "no /activate button from a script" '^control 1404 ' "$listing"
  items=$(drv items "List of windows" 1401)
  echo "$items"
  expect_line "the other program's window" '^Information$' "$items"
  expect_no_line "own windows" "$own" "$items"
  drv click "List of windows" "&Close" >/dev/null
  wait_bg 60

  local file winfile caption
  file="$TARV_CASE_DIR/picked.qd"
  printf 'notepad\r\n/pause done\r\n' >"$file"
  winfile=$(winepath -w "$file" 2>/dev/null | tr -d '\r')
  caption="picked.qd - Tarv Command File Editor"
  start_bg tarv "$(TARV_EXE)" "/edit $winfile"
  drv --class '*' wait "$caption" >/dev/null
  keys_to "$caption" Home alt+l w
  listing=$(drv controls "List of windows")
  expect_line "/activate button" '^control 1404 Button .* Add /&activate line to the command file$' "$listing"
  expect_eq "owned by the editor" "owner $caption disabled" "$(drv owner "List of windows")"
  items=$(drv items "List of windows" 1401)
  expect_no_line "own windows" "$own" "$items"
  # Each activation of the list fills it anew, without a selection. Where
  # Wine's focus handling activated it again between the pick and the
  # click, the button found nothing selected: pick again, as a user would.
  local attempt index
  for attempt in 1 2 3; do
    index=$(drv items "List of windows" 1401 | grep -nx Information | head -n 1 | cut -d: -f1)
    drv select "List of windows" 1401 $((index - 1)) >/dev/null
    drv click "List of windows" "Add /&activate line to the command file" >/dev/null
    drv idle "List of windows" >/dev/null
    drv --class '*' items "$caption" 1001 | grep -q '^/activate ' && break
    echo "attempt $attempt: the list lost its selection before the click" >&2
  done
  expect_eq "lines after adding" "$(printf 'notepad\n/activate Information\n/pause done')" \
    "$(drv --class '*' items "$caption" 1001)"
  drv click "List of windows" "&Close" >/dev/null
  drv gone "List of windows" >/dev/null

  keys_to "$caption" alt+f s
  printf 'notepad\r\n/activate Information\r\n/pause done\r\n' >"$TARV_CASE_DIR/expected.qd"
  wait_until 60 cmp -s "$TARV_CASE_DIR/expected.qd" "$file" || true
  expect_eq "saved file" "$(od -c <"$TARV_CASE_DIR/expected.qd")" "$(od -c <"$file")"
  drv close "$caption" >/dev/null
  wait_bg 60
  expect_eq "editor exit status" 0 "$BG_STATUS"

  drv click Information OK >/dev/null
  wait_pid "$probe" 60
}
