# Soaks: long runs of the real tarv32.exe that the suite does not run by
# default (their functions are not named case_*); run one by name:
#
#   tests/wine/run-wine-suite.sh build-win64 soak_sys_thousand_programs_then_waitall
#
# Figures go to BUILD_DIR/wine-artifacts/figures.log.

# 1,000 programs started without /wait, then one /waitall: every program is
# waited for (groups of 64 handles), the one non-zero exit code in the
# middle survives as errorlevel(), and no program is left behind.
soak_no_testwin_left() { ! pgrep -f 'testwin\.exe' >/dev/null; }

soak_sys_thousand_programs_then_waitall() {
  sys_prepare
  local count=${TARV_SOAK_PROGRAMS:-1000}
  local half=$(((count - 1) / 2))
  sys_script thousand \
    '/set n = 0' \
    '/do {' \
    '  testwin.exe exit 0' \
    '  /set n = env(n) + 1' \
    "} /while env(n) ne $half" \
    'testwin.exe exit 7 500' \
    '/set n = env(n) + 1' \
    '/do {' \
    '  testwin.exe exit 0' \
    '  /set n = env(n) + 1' \
    "} /while env(n) ne $count" \
    '/waitall' \
    '/pause "started " & env(n) & ", errorlevel " & errorlevel()'
  local start=$SECONDS
  TARV_UI=console start_bg thousand "$(TARV_EXE)" thousand.qd
  local peak=0 rss
  while kill -0 "$BG_PID" 2>/dev/null; do
    rss=$(awk '/^VmRSS/ { print $2 }' "/proc/$BG_PID/status" 2>/dev/null || echo 0)
    [ "${rss:-0}" -gt "$peak" ] && peak=$rss
    sleep 0.5
  done
  wait_bg 30
  echo "$count programs and /waitall: $((SECONDS - start)) s, tarv32.exe resident at most $peak KB" |
    tee -a "$TARV_ARTIFACTS/figures.log"
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "after /waitall" "started $count, errorlevel 7" "$(sys_paused thousand)"
  expect_no_line "no failed wait" 'Error waiting' "$(errors_of thousand)"
  # Wine signals a process's end before its Linux process has gone: allow
  # the last ones time to leave.
  wait_until 60 soak_no_testwin_left || true
  local left
  left=$(pgrep -c -f 'testwin\.exe' || true)
  [ "$left" -eq 0 ] || ps -ef | grep '[t]estwin' >&2
  expect_eq "programs left" "0" "$left"
}
