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

# The identifiers of the prefix's service processes in a "pid PATH" list.
sys_service_pids() {
  awk '{ n = split($2, part, /\\/); if (tolower(part[n]) ~ /^(services|winedevice|plugplay|svchost|rpcss)\.exe$/) print $1 }' "$1"
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
  # The same system processes, by identifier, in both pictures: the services
  # that live as long as the prefix (explorer.exe, for one, comes and goes
  # with windows between the two pictures).
  expect_eq "identifiers" "$(sys_service_pids toolhelp.txt)" "$(sys_service_pids psapi.txt)"

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

# The wait by executable name (for a document served by a program that was
# already running) lasts until no process of that file name is left,
# whatever the letter case and the path given.
case_sys_wait_by_name_lasts_until_the_last_such_program_ends() {
  sys_prepare sx_byname.exe
  wine "$TARV_CASE_DIR/sx_byname.exe" window "Sx ByName One" one.log &
  local first=$!
  wine "$TARV_CASE_DIR/sx_byname.exe" window "Sx ByName Two" two.log &
  local second=$!
  sys_wait_for_line one.log '^state '
  sys_wait_for_line two.log '^state '
  start_bg waitname "$(SYSPROBE)" waitname 'C:\elsewhere\SX_ByName.EXE'
  # The first program ends: the wait goes on while the second runs.
  drv --class '*' close "Sx ByName One" >/dev/null
  wait_pid "$first" 60
  kill -0 "$BG_PID" 2>/dev/null || { echo "the wait ended while the second program ran: $(output_of waitname)" >&2; false; }
  drv --class '*' close "Sx ByName Two" >/dev/null
  wait_bg 60
  wait_pid "$second" 60
  expect_line "waitname" '^ended after [0-9]+ ms$' "$(output_of waitname)"
}

case_sys_wait_by_name_without_such_program_returns_at_once() {
  local out ms
  out=$(wine "$(SYSPROBE)" waitname sx_never_started.exe | tr -d '\r')
  ms=$(sed -n 's/^ended after \([0-9]*\) ms$/\1/p' <<<"$out")
  # At once: well under the time of even a slow start of a program.
  [ -n "$ms" ] && [ "$ms" -lt 3000 ] || { echo "unexpected: [$out]" >&2; false; }
}

case_sys_find_executable_names_the_serving_program() {
  cd "$TARV_CASE_DIR"
  wine reg add 'HKCR\.txt' /ve /d txtfile /f >/dev/null 2>&1
  echo text >sxfind.txt
  echo data >sxfind.sxq
  local dir
  dir=$(winepath -w "$TARV_CASE_DIR")
  expect_eq "document" 'found C:\windows\system32\notepad.exe' \
    "$(wine "$(SYSPROBE)" findexe sxfind.txt "$dir" | tr -d '\r')"
  # SE_ERR_NOASSOC and ERROR_FILE_NOT_FOUND, as the shell numbers them.
  expect_eq "no association" "error 31" "$(wine "$(SYSPROBE)" findexe sxfind.sxq "$dir" | tr -d '\r')"
  expect_eq "missing document" "error 2" "$(wine "$(SYSPROBE)" findexe sxmissing.txt "$dir" | tr -d '\r')"
}

# A wait for all that the system refuses is handed back to the main thread
# with the system's error (which then shows "Error waiting for all
# processes: " with its text) instead of waiting for ever.
case_sys_failed_wait_for_all_reports_the_system_error() {
  # ERROR_INVALID_HANDLE
  expect_eq "wait" "failed 6" "$(wine "$(SYSPROBE)" waitbad | tr -d '\r')"
}

# The pids of the processes named NAMES (an extended regular expression)
# in a "pid PATH" list, one a line.
sys_pids_named() {
  awk -v names="^($2)[.]exe$" '{ n = split($2, part, /\\/); if (tolower(part[n]) ~ names) print $1 }' "$1" | sort
}

# /kill * ends the user's programs but leaves Wine's own processes (the
# services and the desktop's explorer) and the run itself alone, naming each
# one it skipped in the debug trace.
case_sys_kill_all_spares_the_system_processes() {
  sys_prepare sx_victim.exe
  wine "$TARV_CASE_DIR/sx_victim.exe" window "Sx Victim" victim.log &
  local victim=$!
  sys_wait_for_line victim.log '^state '
  wine "$(SYSPROBE)" toolhelp | tr -d '\r' >before.txt
  local trace
  trace=$(winepath -w "$TARV_CASE_DIR/trace.log")
  sys_script killall "/set debug = \"${trace//\\/\\\\}\"" '/kill /warn *' '/pause after kill'
  sys_run_console killall
  wait_pid "$victim" 30
  wine "$(SYSPROBE)" toolhelp | tr -d '\r' >after.txt
  cat before.txt after.txt
  local lines
  lines=$(tr -d '\r' <trace.log)
  grep -E '^(skipping|killed) ' <<<"$lines" || true
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "standard error" 'Information: after kill' "$(errors_of killall)"
  expect_line "system processes listed" '^[0-9]+ services\.exe$' "$(cat before.txt)"
  local services='services|winedevice|plugplay|svchost|rpcss'
  expect_eq "services left running" "$(sys_pids_named before.txt "$services")" \
    "$(sys_pids_named after.txt "$services" | grep -Fxf <(sys_pids_named before.txt "$services"))"
  # Wine ends the desktop's explorer a second after the last program using
  # the desktop (slow starts under load leave such gaps): the trace tells
  # whether /kill spared it.
  expect_line "the desktop's explorer skipped" \
    "^skipping pid $(sys_pids_named before.txt explorer): it is a system process \\(desktop shell\\)$" "$lines"
  expect_no_line "the user's program ended" 'sx_victim\.exe$' "$(cat after.txt)"
  expect_line "a service skipped" '^skipping pid [0-9]+: it is a system process' "$lines"
  expect_line "the program itself skipped" '^skipping pid [0-9]+: it is this program$' "$lines"
  expect_line "the user's program killed" '^killed pid [0-9]+$' "$lines"
}

# Programs started without /wait give back their handles as they end: over
# 300 starts the handle values that the system gives the new processes (the
# lowest free slots; in the debug trace) stay low, and /waitall still reads
# every exit code.
case_sys_background_starts_hold_no_handles() {
  sys_prepare
  local trace
  trace=$(winepath -w "$TARV_CASE_DIR/trace.log")
  sys_script many \
    "/set debug = \"${trace//\\/\\\\}\"" \
    '/set n = 0' \
    '/do {' \
    '   /set n = env(n) + 1' \
    '   /if env(n) eq 150 {' \
    '      testwin.exe exit 5' \
    '   } /else {' \
    '      testwin.exe exit 0' \
    '   }' \
    '} /while env(n) ne 300' \
    '/waitall' \
    '/pause "waited " & errorlevel()'
  sys_run_console many 600
  expect_eq "standard error" 'Information: waited 5' "$(errors_of many)"
  local values first most
  values=$(tr -d '\r' <trace.log | sed -n 's/^started process handle //p')
  first=$(head -n 1 <<<"$values")
  most=$(sort -n <<<"$values" | tail -n 1)
  echo "process handles over $(wc -l <<<"$values") starts: first $first, highest $most"
  expect_eq "starts traced" 300 "$(wc -l <<<"$values")"
  # Handles come 4 apart: 300 handles kept open would add 1200.
  [ "$most" -lt $((first + 200)) ] || { echo "handles kept: first $first, highest $most" >&2; false; }
}
