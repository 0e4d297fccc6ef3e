# The command dialog gives back every line it did not change: a file of
# awkward lines (quotes kept where they were written, /set, a rest-of-line
# argument with a closing brace, a path that ends in a backslash), each line
# opened in the dialog and confirmed with OK, is saved byte for byte as it was.

# The lines, and what the dialog shows of each in Prog and in Args.
EDITOR_DIALOG_LINES=(
  '/set debug = on' '/set' 'debug = on'
  '/pause say "hi" to Ann' '/pause' 'say "hi" to Ann'
  '/pause C:\temp\' '/pause' 'C:\temp\'
  '/pause "a" & env(X)' '/pause' '"a" & env(X)'
  '/pause a}b' '/pause' 'a}b'
  'C:\wr\showcl.exe /wait "a b" c' 'C:\wr\showcl.exe' '"a b" c'
  '@"C:\wr\my notes\x.qd"' '@' '"C:\wr\my notes\x.qd"'
  '"C:\Program Files\x.exe" /min one' '"C:\Program Files\x.exe"' 'one'
  '; a note' '; a note' ''
)

# True once FILE's modification time is no longer STAMP.
editor_dialog_saved() { [ "$(stat -c %y "$1")" != "$2" ]; }

case_editor_dialog_keeps_unchanged_lines() {
  local file winfile caption dialog="Enter command line and options"
  file="$TARV_CASE_DIR/awkward.qd"
  local i
  : >"$file"
  for ((i = 0; i < ${#EDITOR_DIALOG_LINES[@]}; i += 3)); do
    printf '%s\r\n' "${EDITOR_DIALOG_LINES[i]}" >>"$file"
  done
  cp "$file" "$TARV_CASE_DIR/expected.qd"
  winfile=$(winepath -w "$file" 2>/dev/null | tr -d '\r')
  caption="awkward.qd - Tarv Command File Editor"
  start_bg tarv "$(TARV_EXE)" "/edit $winfile"
  drv --class '*' wait "$caption" >/dev/null

  local line d downs
  for ((i = 0; i < ${#EDITOR_DIALOG_LINES[@]}; i += 3)); do
    line=$((i / 3))
    downs=()
    for ((d = 0; d < line; d++)); do downs+=(Down); done
    keys_to "$caption" Home "${downs[@]}" Return
    drv wait "$dialog" >/dev/null
    expect_eq "Prog of line $line" "${EDITOR_DIALOG_LINES[i + 1]}" "$(drv text "$dialog" 1102)"
    expect_eq "Args of line $line" "${EDITOR_DIALOG_LINES[i + 2]}" "$(drv text "$dialog" 1105)"
    drv click "$dialog" "&OK" >/dev/null
    drv gone "$dialog" >/dev/null
    drv --class '*' idle "$caption" >/dev/null
  done

  local stamp
  stamp=$(stat -c %y "$file")
  keys_to "$caption" alt+f s
  wait_until 60 editor_dialog_saved "$file" "$stamp"
  expect_eq "saved file" "$(od -c <"$TARV_CASE_DIR/expected.qd")" "$(od -c <"$file")"

  keys_to "$caption" alt+f x
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
}
