# The release archive made by CPack: it holds the program, the user guide,
# the Windows examples and the association guide (and nothing meant for the
# developers or for Linux), and the program in it runs an example.

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
  for file in tarv32.exe user-guide.html user-guide.md associating-qd-files.txt examples/windows/hello-windows.qd \
    examples/windows/notepad.qd; do
    [ -f "$unpacked/$top/$file" ] || { echo "archive lacks $file" >&2; return 1; }
  done
  for file in README.md examples/linux/demo.qd examples/demo.qd; do
    [ ! -e "$unpacked/$top/$file" ] || { echo "archive holds $file" >&2; return 1; }
  done
  grep -q '<nav class="toc' "$unpacked/$top/user-guide.html" || { echo "the guide has no table of contents" >&2; return 1; }
  TARV_UI=console start_bg packaged "$unpacked/$top/tarv32.exe" "$(winepath -w "$unpacked/$top/examples/windows/hello-windows.qd")"
  wait_bg 120
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "standard error" "Information: Tarv32 ran cmd 3 times; the last exit status was 3" "$(errors_of packaged)"
}
