# tarv32.exe itself: a failing run ends in the one "TARV32: " error box (or,
# with TARV_UI=console, in a line on standard error), exit status 1; its
# version resource; its imports; /? and --version on its standard output.

# A command file that does not exist: the run fails as soon as it starts.
missing_script() { echo "no-such-script-$$.qd"; }

case_failed_run_shows_tarv32_error_box() {
  local script
  script=$(missing_script)
  start_bg tarv "$(TARV_EXE)" "$script"
  local controls
  controls=$(drv controls Error)
  echo "$controls"
  expect_line "error text" "^control 65535 Static .* TARV32: .*$script" "$controls"
  expect_line "OK button" '^control 1 Button .* OK$' "$controls"
  drv click Error OK >/dev/null
  wait_bg 60
  expect_eq "exit status" 1 "$BG_STATUS"
}

case_console_interface_reports_failure_on_stderr() {
  local script
  script=$(missing_script)
  TARV_UI=console start_bg tarv "$(TARV_EXE)" "$script"
  wait_bg 60
  expect_eq "exit status" 1 "$BG_STATUS"
  local errors
  errors=$(errors_of tarv)
  expect_eq "first line" "Error: TARV32: " "$(head -n 1 <<<"$errors" | cut -c1-15)"
  expect_line "standard error" "\"$script\"" "$errors"
  expect_eq "standard output" "" "$(output_of tarv)"
}

# Asked for its usage or version, the program writes it to the standard output
# it was given and ends with 0, before any window; a near miss is a command.
case_first_contact_prints_usage_and_version() {
  start_bg help "$(TARV_EXE)" '/?'
  wait_bg 60
  expect_eq "/? exit status" 0 "$BG_STATUS"
  expect_line "usage" '^  tarv32\.exe /\? +prints this usage and exits$' "$(output_of help)"
  expect_line "guide" '^The user guide: user-guide\.html, beside tarv32\.exe$' "$(output_of help)"
  grep -q $'\r$' "$TARV_CASE_DIR/help.out" || { echo "the usage lines do not end in CR LF" >&2; return 1; }
  start_bg version "$(TARV_EXE)" --version
  wait_bg 60
  expect_eq "--version exit status" 0 "$BG_STATUS"
  expect_eq "version" "Tarv32 $(sed -n 's/^project(Tarv32 VERSION \([0-9.]*\).*/\1/p' "$TARV_ROOT/CMakeLists.txt")" \
    "$(output_of version)"
  TARV_UI=console start_bg near "$(TARV_EXE)" '--version x'
  wait_bg 60
  expect_eq "a near miss's exit status" 1 "$BG_STATUS"
  expect_line "a near miss, parsed as a command text" '^syntax error at -$' "$(output_of near)"
}

case_version_resource_is_readable() {
  start_bg probe "$(TARV_PROBE)" version "$(winepath -w "$(TARV_EXE)")"
  wait_bg 60
  expect_eq "exit status" 0 "$BG_STATUS"
  local out
  out=$(output_of probe)
  expect_line "FileVersion" '^FileVersion=[0-9]+\.[0-9]+\.[0-9]+\.0$' "$out"
  expect_line "LegalCopyright" '^LegalCopyright=Copyright .*Tarv32' "$out"
  expect_line "ProductName" '^ProductName=Tarv32$' "$out"
}

case_program_imports_only_system_dlls() {
  local dlls
  dlls=$("$TARV_OBJDUMP" -p "$(TARV_EXE)" | awk '/DLL Name:/ { print tolower($3) }')
  echo "$dlls"
  expect_no_line "imports" '^lib|mingw|pthread|stdc\+\+|gcc' "$dlls"
  expect_line "imports" '^user32\.dll$' "$dlls"
}

case_committed_icon_matches_its_generator() {
  python3 "$TARV_ROOT/tools/make_icon.py" "$TARV_CASE_DIR/tarv32.ico"
  cmp "$TARV_ROOT/src/run/win32/tarv32.ico" "$TARV_CASE_DIR/tarv32.ico"
}
