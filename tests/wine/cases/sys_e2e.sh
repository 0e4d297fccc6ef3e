# The end-to-end cases of tests/e2e/cases run by tarv32.exe under Wine; a
# case marked "# expect platform: posix" is skipped by the runner, and a
# command file without expectations is one that the cases use.

case_sys_e2e_cases_pass_under_wine() {
  local case failed=0 out
  for case in "$TARV_ROOT"/tests/e2e/cases/*.qd; do
    grep -q '^# expect ' "$case" || continue # a file that the cases use
    out=$(python3 "$TARV_ROOT/tests/e2e/run_case.py" "$(TARV_EXE)" "$case" --wine 2>&1) || failed=1
    echo "$out"
  done
  [ "$failed" -eq 0 ]
}
