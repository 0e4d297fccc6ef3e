# Program arguments on their way to a Windows program: awkward words arrive
# exactly (through the C runtime's argv and through CommandLineToArgvW), a
# batch file never receives what cmd.exe would run, and cmd's own command is
# passed as the script wrote it.

# The words as the script writes them, and as the program must receive them.
SX_WORDS_SCRIPT=$'"quote \\"inside\\" here" "" "tab\tinside" "C:\\\\my dir\\\\" "a\\\\\\"b" "\\\\\\\\server\\\\share" "a\\\\\\\\b" "\\"" "Grüße" "Привет мир" "日本" "😀" "x&y|z<>^%PATH%!" next'
SX_WORDS_RECEIVED=$'quote "inside" here\n\ntab\tinside\nC:\\my dir\\\na\\"b\n\\\\server\\share\na\\\\b\n"\nGrüße\nПривет мир\n日本\n😀\nx&y|z<>^%PATH%!\nnext'

case_sys_awkward_words_reach_the_program_exactly() {
  sys_prepare
  sys_script words "testwin.exe /wait args args.log $SX_WORDS_SCRIPT" \
    "testwin.exe /wait wargs wargs.log $SX_WORDS_SCRIPT" '/pause "words " & errorlevel()'
  sys_run_console words
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "errorlevel" "words 0" "$(sys_paused words)"
  expect_eq "words through argv" "$SX_WORDS_RECEIVED" "$(cat args.log)"
  expect_eq "words through CommandLineToArgvW" "$SX_WORDS_RECEIVED" "$(cat wargs.log)"
}

# Each refused argument names the batch file (also one the shell finds for
# a name without extension), the argument and the character; /warn goes
# on, the default stops the run. No refused argument reaches cmd.exe, so no
# file is made by it.
case_sys_batch_file_never_receives_what_cmd_would_run() {
  sys_prepare
  printf '@echo off\r\necho %%*>>bat.log\r\n' >"$TARV_CASE_DIR/show.bat"
  sys_script inject \
    '/set TARV_SX_INJ = "a\" & echo.>INJ2.txt & \""' \
    'show.bat /wait /warn ok "x&echo.>INJ1.txt"' \
    'show.bat /wait /warn env(TARV_SX_INJ)' \
    'show.bat /wait /warn "e>f"' \
    'show /wait /warn "x|y"' \
    'show.bat /wait "a b" "C:\Program Files (x86)\x" "k=v" ""' \
    '/pause "accepted " & errorlevel()' \
    'SHOW.BAT /wait "50%"' \
    '/pause not reached'
  sys_run_console inject
  expect_eq "exit status" 1 "$BG_STATUS"
  local made
  made=$(ls INJ1.txt INJ2.txt f 2>/dev/null || true)
  expect_eq "files made by cmd.exe" "" "$made"
  expect_eq "what the batch file received" '"a b" "C:\Program Files (x86)\x" "k=v" ""' "$(tr -d '\r' <bat.log)"
  expect_eq "standard error" 'Warning: Could not start batch file "show.bat": argument 2 "x&echo.>INJ1.txt" holds "&", which cmd.exe would run as a command
Warning: Could not start batch file "show.bat": argument 1 "a" & echo.>INJ2.txt & "" holds """, which cmd.exe would take as the end of a quoted text
Warning: Could not start batch file "show.bat": argument 1 "e>f" holds ">", which cmd.exe would take as a redirection
Warning: Could not start batch file "show": argument 1 "x|y" holds "|", which cmd.exe would run as a command
Information: accepted 0
Error: TARV32: ERROR: The following command: 
@ "inject.qd"
Failed with the following error(s):
ERROR: The following command: 
SHOW.BAT/wait "50%"
Failed with the following error(s):
Could not start batch file "SHOW.BAT": argument 1 "50%" holds "%", which cmd.exe would expand as a variable' \
    "$(errors_of inject)"
}

# cmd's words are its own command line, joined as written: the quotes around
# a file name inside the shell command stay quotes for cmd.exe.
case_sys_cmd_runs_the_shell_command_as_written() {
  sys_prepare
  sys_script shell \
    'cmd /hide /wait "/c" "echo made by cmd> \"my out.txt\""' \
    'cmd /hide /wait "/c" "if exist \"my out.txt\" exit 7"' \
    '/pause "cmd " & errorlevel()'
  sys_run_console shell
  expect_eq "exit status" 0 "$BG_STATUS"
  expect_eq "errorlevel" "cmd 7" "$(sys_paused shell)"
  expect_eq "file made by cmd" "made by cmd" "$(tr -d '\r' <'my out.txt')"
}
