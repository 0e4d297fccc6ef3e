# Every text of every window of the program shows whole: no static text or
# button caption is wider (or, wrapped, taller) than its control, measured in
# the control's own font at 96 and at 120 pixels per inch.

# Checks the window CAPTION; prints its cut texts and fails on any.
texts_fit() {
  local caption=$1 report
  report=$(drv cuts "$caption")
  echo "$caption: $(grep '^checked' <<<"$report")"
  expect_no_line "cut texts of \"$caption\"" '^cut ' "$report"
}

# Types TEXT as the command of the command dialog and waits until the
# dialog has taken it (its labels follow each typed character).
texts_type_command() {
  local text=$1 i
  xdotool key --delay 60 ctrl+a BackSpace
  [ -z "$text" ] || xdotool type --delay 60 -- "$text"
  for i in $(seq 1 300); do
    [ "$(drv text "Enter command line and options" 1102)" == "$text" ] && return 0
    sleep 0.1
  done
  echo "the command box never showed [$text]" >&2
  return 1
}

texts_of_every_window() {
  local dpi
  dpi=$(drv dpi)
  echo "at $dpi dpi"
  local kind
  for kind in error info warning ask; do
    start_bg probe "$(TARV_PROBE)" "$kind" "Save the changes to the command file?"
    local caption
    case $kind in
      error) caption=Error ;; info) caption=Information ;; warning) caption=Warning ;; ask) caption=Confirm ;;
    esac
    texts_fit "$caption"
    drv click "$caption" "$([ "$kind" = ask ] && echo "&No" || echo OK)" >/dev/null
    wait_bg 60
  done
  start_bg probe "$(TARV_PROBE)" infodlg 20
  texts_fit Information
  drv click Information OK >/dev/null
  wait_bg 60

  local file winfile caption
  file="$TARV_CASE_DIR/texts.qd"
  printf '/sleep 0\r\n' >"$file"
  winfile=$(winepath -w "$file" 2>/dev/null | tr -d '\r')
  caption="texts.qd - Tarv Command File Editor"
  start_bg tarv "$(TARV_EXE)" "/edit $winfile"
  texts_fit "$caption"
  editor_keys alt+h a
  texts_fit "About Tarv32"
  import -window root "$TARV_ARTIFACTS/texts-about-${dpi}dpi.png" 2>/dev/null || true
  drv click "About Tarv32" "&Ok" >/dev/null
  drv gone "About Tarv32" >/dev/null
  editor_keys alt+e Up Return
  texts_fit "Replace All"
  drv click "Replace All" "&Cancel" >/dev/null
  drv gone "Replace All" >/dev/null
  # The command dialog with each pair of argument captions it shows.
  editor_keys Home Return
  drv wait "Enter command line and options" >/dev/null
  local command
  for command in "" ";" "@" /activate /cd /edit /if /kill /pause /sendkeys /set /sleep; do
    texts_type_command "$command"
    texts_fit "Enter command line and options"
  done
  import -window root "$TARV_ARTIFACTS/texts-command-${dpi}dpi.png" 2>/dev/null || true
  drv click "Enter command line and options" "&Cancel" >/dev/null
  drv gone "Enter command line and options" >/dev/null
  editor_keys alt+f x
  drv wait Confirm >/dev/null
  drv click Confirm "&No" >/dev/null
  wait_bg 60

  start_bg tarv "$(TARV_EXE)" "/wlist"
  texts_fit "List of windows"
  drv click "List of windows" "&Find..." >/dev/null
  texts_fit "Enter find string"
  expect_eq "Find box owner" "owner List of windows disabled" "$(drv owner "Enter find string")"
  drv click "Enter find string" "Cancel" >/dev/null
  drv gone "Enter find string" >/dev/null
  drv click "List of windows" "&Close" >/dev/null
  wait_bg 60
}

case_dialog_texts_fit_at_96_dpi() {
  texts_of_every_window
}

case_dialog_texts_fit_at_120_dpi() {
  trap 'set_prefix_dpi 96' EXIT
  set_prefix_dpi 120
  expect_eq "screen DPI" 120 "$(drv dpi)"
  texts_of_every_window
}
