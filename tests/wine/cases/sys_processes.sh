# The running processes: /kill by executable name, and the two process
# pictures (tool-help and psapi) that the commands read.

case_sys_kill_ends_every_program_of_that_name() {
  sys_prepare sx_killme.exe
  sys_script kill \
    '/set debug = on' \
    'sx_killme.exe window "Sx Kill One" one.log' \
    'sx_killme.exe window "Sx Kill Two" two.log' \
    '/waitfor Sx Kill One' \
    '/waitfor Sx Kill Two' \
    '/kill SX_KillMe.exe' \
    '/waitall' \
    '/pause "killed " & errorlevel()' \
    '/kill /warn sx_killme*'
  sys_run_console kill
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "standard error" 'Information: killed 1
Error: /kill could not find "SX_KILLME*" program running' "$(errors_of kill)"
  # Neither window saw a close: the processes were terminated.
  expect_no_line "closed" '^close$' "$(cat one.log two.log)"
}

case_sys_kill_traces_each_process_and_spares_itself() {
  sys_prepare
  local trace
  trace=$(winepath -w "$TARV_CASE_DIR/trace.log")
  sys_script spare "/set debug = \"${trace//\\/\\\\}\"" '/kill /warn tarv32.exe' '/pause after kill'
  sys_run_console spare
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "standard error" 'Error: /kill could not find "TARV32.EXE" program running
Information: after kill' "$(errors_of spare)"
  local lines
  lines=$(tr -d '\r' <trace.log)
  expect_line "own process listed" '^name="TARV32.EXE", Par="TARV32.EXE"$' "$lines"
  expect_no_line "nothing killed" '^killing pid' "$lines"
}

# Both back ends see the same processes; psapi gives full paths and writes
# its steps to the debug trace.
case_sys_toolhelp_and_psapi_list_the_same_processes() {
  cd "$TARV_CASE_DIR"
  wine "$(SYSPROBE)" toolhelp | tr -d '\r' >toolhelp.txt
  wine "$(SYSPROBE)" psapi 'C:\sx-psapi-trace.log' | tr -d '\r' >psapi.txt
  cat toolhelp.txt psapi.txt
  expect_line "tool-help names" '^[0-9]+ services\.exe$' "$(cat toolhelp.txt)"
  expect_line "psapi paths" '^[0-9]+ C:\\windows\\system32\\services\.exe$' "$(cat psapi.txt)"
  expect_line "psapi sees itself" '^[0-9]+ .*\\sysprobe\.exe$' "$(cat psapi.txt)"
  # The same system processes, by identifier, in both pictures.
  local system_pids
  system_pids=$(awk '$2 != "sysprobe.exe" { print $1 }' toolhelp.txt)
  expect_eq "identifiers" "$system_pids" "$(awk '$2 !~ /sysprobe\.exe$/ { print $1 }' psapi.txt)"

  local count trace
  count=$(wc -l <psapi.txt)
  trace=$(tr -d '\r' <"$WINEPREFIX/drive_c/sx-psapi-trace.log")
  expect_eq "trace start" "in GetProcNT
GetProcNT: loading library
GetProcNT: done loading library
GetProcNT: doing EnumProcesses
nProdIds = $count, maxProc=500, nbytes=$((count * 4))
GetProcNT: assigning pid
GetProcNT: doing OpenProcess" "$(head -n 7 <<<"$trace")"
  expect_eq "one pass per process and the end" "$((count + 1))" "$(grep -c '^in GetProcNT$' <<<"$trace")"
  expect_eq "processes inspected" "$count" "$(grep -c '^GetProcNT: doing CloseHandle(hProc)$' <<<"$trace")"
  expect_eq "trace end" "GetProcNT: exiting
in GetProcNT" "$(tail -n 2 <<<"$trace")"
}
