# Every character arrives as itself: texts of six scripts, each written in a
# command file of another encoding, go through /pause, /set and env(), a
# nested file's name, a program's arguments, a window title matched by
# /waitfor, /activate, /close and /waitclose, and the keys /sendkeys types.

# sample-name encoding text
UNICODE_SAMPLES=(
  "ascii legacy Notepad"
  "latin legacy Grüße €"
  "greek utf-8 Ελληνικά"
  "cyrillic utf-8-sig Привет"
  "cjk utf-16 日本語"
  "astral utf-8 Smile 😀"
)

# Writes NAME.qd in ENCODING (a Python codec; "legacy" is code page 1252)
# with the lines given on standard input.
unicode_script() {
  python3 -c '
import sys
name, encoding = sys.argv[1], sys.argv[2]
text = sys.stdin.read().replace("\n", "\r\n")
codec = "cp1252" if encoding == "legacy" else encoding
open(name + ".qd", "wb").write(text.encode(codec))' "$1" "$2"
}

case_unicode_texts_reach_every_boundary_as_themselves() {
  sys_prepare
  local sample name encoding text failed=0
  for sample in "${UNICODE_SAMPLES[@]}"; do
    read -r name encoding text <<<"$sample"
    printf '/pause nested %s\r\n' "$text" >"$text.qd"
    unicode_script "$name" "$encoding" <<SCRIPT
/set TARV_TEXT = "$text"
testwin.exe window "$text Window" $name.log
/waitfor $text Window
/activate *$text Win*
/sendkeys $text
/close $text Window
/waitclose $text Window
/waitall
testwin.exe /wait args ${name}_args.log env(TARV_TEXT) "$text"
@"$text.qd"
/pause "env " & env(TARV_TEXT)
SCRIPT
    sys_run_console "$name"
    expect_eq "$name: exit status" 0 "$BG_STATUS" || { errors_of "$name" >&2; failed=1; }
    expect_eq "$name: /pause of the nested file and of env()" "nested $text
env $text" "$(sys_paused "$name")" || failed=1
    expect_eq "$name: text typed into the window" "text $text" "$(sed -n '/^text /p' "$name.log")" || failed=1
    expect_eq "$name: the program's arguments" "$text
$text" "$(tr -d '\r' <"${name}_args.log")" || failed=1
  done
  [ "$failed" -eq 0 ]
}

# A title is matched whole, however long: the end of a 300-character title
# is found.
case_unicode_long_titles_match_at_their_end() {
  sys_prepare
  local title
  title="Long $(printf 'Ω%.0s' {1..300}) END"
  wine testwin.exe window "$title" long.log &
  local window=$!
  sys_script long '/waitfor *END' '/close *Ω END' '/waitclose *END'
  sys_run_console long
  wait_pid "$window" 30
  expect_eq "exit status" 0 "$BG_STATUS" || errors_of long >&2
  expect_line "closed" '^close$' "$(sys_log long.log)"
}

# A file that is not valid UTF-8 is read in the legacy code page; a
# byte-order mark is dropped before the parse.
case_unicode_marks_and_legacy_files_parse() {
  sys_prepare
  printf '\xef\xbb\xbf/pause marked\r\n' >marked.qd
  printf '/pause caf\xe9\r\n' >legacy.qd
  sys_run_console marked
  expect_eq "marked: exit status" 0 "$BG_STATUS"
  expect_eq "marked" "marked" "$(sys_paused marked)"
  sys_run_console legacy
  expect_eq "legacy" "café" "$(sys_paused legacy)"
}

# Where the process code page is not UTF-8 (Windows before 10 version
# 1903), a UTF-8 or UTF-16 file is converted to it, and a character it lacks
# is an error naming its line and column (sysprobe has no UTF-8 manifest).
case_unicode_files_on_a_legacy_code_page() {
  sys_prepare
  printf 'Gr\xc3\xbc\xc3\x9fe \xe2\x82\xac' >latin.qd
  python3 -c 'open("greek.qd", "wb").write("\ufeff/pause a\r\n/pause bΩ\r\n".encode("utf-16-le"))'
  expect_eq "UTF-8 in code page 1252" "text 47 72 fc df 65 20 80" \
    "$(wine "$(SYSPROBE)" readtext latin.qd | tr -d '\r')"
  expect_eq "a character that code page 1252 lacks" \
    'failed: "greek.qd" line 2, column 9: the character U+03A9 is not in this system'"'"'s code page 1252 (such characters need Windows 10 version 1903 or later)' \
    "$(wine "$(SYSPROBE)" readtext greek.qd | tr -d '\r')"
}
