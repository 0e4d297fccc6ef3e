# Every example of the user guide run by tarv32.exe: those that need Windows
# (programs, Notepad, keystrokes) run only here; the others run natively too.
# The guide is for Windows users, so none of its examples may be skipped here.

case_guide_examples() {
  local out
  # The summary line judges the case; the output is shown either way.
  out=$(python3 "$TARV_ROOT/tests/e2e/guide_examples.py" "$TARV_ROOT/docs/user-guide.md" "$(TARV_EXE)" --wine 2>&1) || true
  echo "$out"
  expect_line "summary" '^guide examples: [0-9]+ passed, 0 failed, 0 skipped' "$out"
}
