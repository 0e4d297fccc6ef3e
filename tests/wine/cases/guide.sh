# Every example of the user guide run by tarv32.exe: those that need Windows
# (programs, Notepad, keystrokes) run only here; the others run natively too.

case_guide_examples() {
  python3 "$TARV_ROOT/tests/e2e/guide_examples.py" "$TARV_ROOT/docs/user-guide.md" "$(TARV_EXE)" --wine
}
