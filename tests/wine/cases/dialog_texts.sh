# Every text of every window of the program shows whole: no static text or
# button caption is wider (or, wrapped, taller) than its control, measured in
# the control's own font at 96 and at 120 pixels per inch.

# Checks the window CAPTION (and the OTHER texts "ID=TEXT" that its
# controls can show); prints its cut texts and fails on any.
texts_fit() {
  local caption=$1 report
  shift
  report=$(drv cuts "$caption" "$@")
  echo "$caption: $(grep '^checked' <<<"$report")"
  expect_no_line "cut texts of \"$caption\"" '^cut ' "$report"
}

# The captions of the argument field that the command dialog shows for the
# commands it offers (upper caption 1103, lower caption 1104).
texts_argument_captions() {
  local caption
  for caption in Command Comment Window Directory ".qd file" Condition Program Message Keystrokes variable Seconds; do
    printf '%s\n' "1103=$caption"
  done
  for caption in Arguments Text filename name pathname expression text "to send" "= value" "to sleep"; do
    printf '%s\n' "1104=$caption"
  done
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
  keys_to "$caption" alt+h a
  texts_fit "About Tarv32"
  import -window root "$TARV_ARTIFACTS/texts-about-${dpi}dpi.png" 2>/dev/null || true
  drv click "About Tarv32" OK >/dev/null
  drv gone "About Tarv32" >/dev/null
  keys_to "$caption" alt+l w
  texts_fit "List of windows"
  drv click "List of windows" "&Close" >/dev/null
  drv gone "List of windows" >/dev/null
  keys_to "$caption" alt+e Up Return
  texts_fit "Replace All"
  drv click "Replace All" "&Cancel" >/dev/null
  drv gone "Replace All" >/dev/null
  # The command dialog, with every caption its argument field can have.
  keys_to "$caption" Home Return
  local captions
  mapfile -t captions < <(texts_argument_captions)
  texts_fit "Enter command line and options" "${captions[@]}"
  import -window root "$TARV_ARTIFACTS/texts-command-${dpi}dpi.png" 2>/dev/null || true
  drv click "Enter command line and options" "&Cancel" >/dev/null
  drv gone "Enter command line and options" >/dev/null
  keys_to "$caption" alt+f x
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
