# The release archive made by CPack: it holds the program, the README, the
# examples and the association guide, and the program in it runs an example.

case_release_archive_runs_an_example() {
  (cd "$TARV_BUILD" && cpack -G ZIP >"$TARV_CASE_DIR/cpack.log" 2>&1) || { cat "$TARV_CASE_DIR/cpack.log" >&2; return 1; }
  local archive
  archive=$(ls "$TARV_BUILD"/Tarv32-*-win*.zip 2>/dev/null | head -n 1)
  [ -n "$archive" ] || { echo "no archive in $TARV_BUILD" >&2; return 1; }
  local unpacked=$TARV_CASE_DIR/unpacked
  mkdir -p "$unpacked"
  (cd "$unpacked" && python3 -m zipfile -e "$archive" .) || return 1
  local top
  top=$(ls "$unpacked")
  local file
  for file in tarv32.exe README.md associating-qd-files.txt examples/hello-windows.qd examples/demo.qd; do
    [ -f "$unpacked/$top/$file" ] || { echo "archive lacks $file" >&2; return 1; }
  done
  TARV_UI=console start_bg packaged "$unpacked/$top/tarv32.exe" "$(winepath -w "$unpacked/$top/examples/hello-windows.qd")"
  wait_bg 120
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "standard error" "Information: Tarv32 ran cmd 3 times; the last exit status was 3" "$(errors_of packaged)"
}
