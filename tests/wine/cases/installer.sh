# The Windows installer made by CPack: a silent installation for the current
# user puts the program, Start-menu entries for the editor and the user guide
# and the .qd association in place
# (files under the user's profile, registry keys under HKEY_CURRENT_USER
# only); opening a .qd file as a double click does runs it, "Edit" opens it
# in the editor, the Start-menu entry opens the editor; a silent
# uninstallation takes all of it away again.

# A Windows environment variable of the prefix, as Windows writes it.
installer_win_env() { wine cmd /c echo "%$1%" | tr -d '\r'; }

installer_unix_path() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }

# The data of a REG_SZ or REG_DWORD value ("" for the key's default value),
# or nothing when the key or the value is missing.
installer_reg_value() {
  local key=$1 name=$2 listing
  if [ -z "$name" ]; then
    listing=$(wine reg query "$key" /ve 2>/dev/null | tr -d '\r') || return 0
  else
    listing=$(wine reg query "$key" /v "$name" 2>/dev/null | tr -d '\r') || return 0
  fi
  awk '$2 ~ /^REG_/ { sub(/^ *[^ ]+( [^ ]+)* +REG_[A-Z_]+ +/, ""); print; exit }' <<<"$listing"
}

installer_reg_exists() { wine reg query "$1" >/dev/null 2>&1; }

installer_expect_no_key() {
  ! installer_reg_exists "$1" && return 0
  echo "registry key left behind: $1" >&2
  wine reg query "$1" 2>&1 | tr -d '\r' >&2
  return 1
}

# Windows looks associations up in HKEY_CLASSES_ROOT, which shows the user's
# HKCU\Software\Classes over the machine's classes; Wine 8 shows the
# machine's alone. Where the user's .qd keys do not show there, they are
# copied to the machine's classes for the shell to find, and removed again
# by installer_unshow_user_classes.
INSTALLER_CLASS_KEYS=(.qd Tarv32.CommandFile 'Tarv32.CommandFile\shell'
  'Tarv32.CommandFile\shell\open\command' 'Tarv32.CommandFile\shell\edit\command')
installer_show_user_classes() {
  INSTALLER_SHOWN=0
  installer_reg_exists 'HKCR\Tarv32.CommandFile' && return 0
  local key
  for key in "${INSTALLER_CLASS_KEYS[@]}"; do
    wine reg add 'HKLM\Software\Classes\'"$key" /ve /d "$(installer_reg_value 'HKCU\Software\Classes\'"$key" "")" /f \
      >/dev/null 2>&1 || { echo "cannot copy $key to HKLM" >&2; return 1; }
  done
  INSTALLER_SHOWN=1
}
installer_unshow_user_classes() {
  [ "$INSTALLER_SHOWN" = 1 ] || return 0
  wine reg delete 'HKLM\Software\Classes\.qd' /f >/dev/null 2>&1
  wine reg delete 'HKLM\Software\Classes\Tarv32.CommandFile' /f >/dev/null 2>&1
  INSTALLER_SHOWN=0
}

# Every file under DIR, relative to it, one per line, sorted.
installer_tree() { (cd "$1" && find . -type f | sort); }

# Every file and folder of the user's profile but the temporary files.
installer_profile_tree() { (cd "$1" && find . -path ./Temp -prune -o -print | sort); }

# Waits up to SECONDS until PATH no longer exists.
installer_wait_gone() {
  local path=$1 limit=$2 i
  for i in $(seq 1 $((limit * 10))); do
    [ -e "$path" ] || return 0
    sleep 0.1
  done
  echo "$path still there after $limit s" >&2
  return 1
}

case_installer_installs_associates_and_uninstalls_for_the_user() {
  command -v makensis >/dev/null || { echo "makensis not found: install Debian's nsis (tools/setup.sh)" >&2; return 1; }
  (cd "$TARV_BUILD" && cpack -G NSIS >"$TARV_CASE_DIR/cpack.log" 2>&1) || { cat "$TARV_CASE_DIR/cpack.log" >&2; return 1; }
  local setup staged
  setup=$(ls "$TARV_BUILD"/Tarv32-*-win*-setup.exe 2>/dev/null | head -n 1)
  [ -n "$setup" ] || { echo "no installer in $TARV_BUILD" >&2; return 1; }
  # What cpack put into the installer, as it staged it.
  staged=$(ls -d "$TARV_BUILD"/_CPack_Packages/*/NSIS/"$(basename "$setup" .exe)" 2>/dev/null | head -n 1)
  [ -f "$staged/tarv32.exe" ] || { echo "no staged files for $setup" >&2; return 1; }
  # It asks Windows for no elevation: the manifest runs it as its caller.
  grep -aq 'level="asInvoker"' "$setup" || { echo "the installer does not run as its caller" >&2; return 1; }

  local classes='HKCU\Software\Classes' uninstall_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarv32'
  local install_dir start_entry guide_entry
  install_dir="$(installer_win_env LOCALAPPDATA)\\Programs\\Tarv32"
  start_entry="$(installer_win_env APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Tarv32.lnk"
  guide_entry="$(installer_win_env APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Tarv32 user guide.lnk"
  local unix_dir unix_entry unix_guide_entry
  unix_dir=$(installer_unix_path "$install_dir")
  unix_entry=$(installer_unix_path "$start_entry")
  unix_guide_entry=$(installer_unix_path "$guide_entry")
  [ ! -e "$unix_dir" ] || { echo "$install_dir exists before the installation" >&2; return 1; }
  local profile profile_before
  profile=$(installer_unix_path "$(installer_win_env USERPROFILE)")
  profile_before=$(installer_profile_tree "$profile")

  start_bg setup "$setup" /S
  wait_bg 300
  expect_eq "installer exit status" 0 "$BG_STATUS"

  # The files of the package and the uninstaller, nothing else.
  expect_eq "installed files" "$( (installer_tree "$staged"; echo ./Uninstall.exe) | sort)" "$(installer_tree "$unix_dir")"
  cmp "$staged/tarv32.exe" "$unix_dir/tarv32.exe"
  [ -f "$unix_entry" ] || { echo "no Start-menu entry $start_entry" >&2; return 1; }
  # The guide's entry points at the installed HTML page (a shortcut holds
  # its target's path as text).
  [ -f "$unix_dir/user-guide.html" ] || { echo "no user guide in $install_dir" >&2; return 1; }
  grep -aq 'user-guide.html' "$unix_guide_entry" || { echo "no guide entry $guide_entry" >&2; return 1; }
  expect_eq ".qd" "Tarv32.CommandFile" "$(installer_reg_value "$classes\\.qd" "")"
  expect_eq "open command" "\"$install_dir\\tarv32.exe\" \"%1\"" \
    "$(installer_reg_value "$classes\\Tarv32.CommandFile\\shell\\open\\command" "")"
  expect_eq "edit command" "\"$install_dir\\tarv32.exe\" \"/edit %1\"" \
    "$(installer_reg_value "$classes\\Tarv32.CommandFile\\shell\\edit\\command" "")"
  expect_eq "uninstall entry" "$install_dir" "$(installer_reg_value "HKCU\\$uninstall_key" InstallLocation)"
  expect_eq "quiet uninstall" "\"$install_dir\\Uninstall.exe\" /S" \
    "$(installer_reg_value "HKCU\\$uninstall_key" QuietUninstallString)"
  installer_expect_no_key "HKLM\\$uninstall_key"
  installer_expect_no_key 'HKLM\Software\Classes\.qd'
  installer_expect_no_key 'HKLM\Software\Classes\Tarv32.CommandFile'

  installer_show_user_classes
  expect_eq "the shell's open command" "\"$install_dir\\tarv32.exe\" \"%1\"" \
    "$(installer_reg_value 'HKCR\Tarv32.CommandFile\shell\open\command' "")"

  # A script in a folder whose name has a blank, opened as a double click
  # opens it: it runs, and what it computes lands in a file.
  local scripts="$TARV_CASE_DIR/my scripts" opened=$TARV_CASE_DIR/opened.txt
  mkdir -p "$scripts"
  rm -f "$opened"
  printf '; written by the installer case\r\n/set TARV_ANSWER = 40 + 2\r\ncmd /hide /wait "/c" "echo ran " & env(TARV_ANSWER) & "> " & env(TARV_OPENED)\r\n' \
    >"$scripts/job one.qd"
  local script
  script=$(winepath -w "$scripts/job one.qd" 2>/dev/null | tr -d '\r')
  TARV_UI=console TARV_OPENED=$(winepath -w "$opened" 2>/dev/null | tr -d '\r') \
    start_bg open "$TARV_BUILD/tarvdriver.exe" open open "$script"
  wait_bg 120
  expect_eq "open" "exit 0" "$(output_of open)" || { errors_of open >&2; return 1; }
  expect_eq "what the opened script wrote" "ran 42" "$(tr -d '\r' <"$opened" | sed 's/ *$//')"
  expect_eq "the opened script's errors" "" "$(errors_of open)"

  # "Edit" opens the same file in the editor.
  start_bg edit "$TARV_BUILD/tarvdriver.exe" open edit "$script"
  drv --timeout 120000 wait "job one.qd - Tarv Command File Editor" >/dev/null
  drv close "job one.qd - Tarv Command File Editor"
  wait_bg 120
  expect_eq "edit" "exit 0" "$(output_of edit)" || { errors_of edit >&2; return 1; }

  # The Start-menu entry opens an empty editor. (The shell may start a
  # shortcut's program without giving its process: then the window tells.)
  start_bg menu "$TARV_BUILD/tarvdriver.exe" open open "$start_entry"
  drv --timeout 120000 wait "Untitled - Tarv Command File Editor" >/dev/null
  drv close "Untitled - Tarv Command File Editor"
  drv gone "Untitled - Tarv Command File Editor" >/dev/null
  wait_bg 120
  expect_line "Start-menu entry" '^(exit 0|started)$' "$(output_of menu)" || { errors_of menu >&2; return 1; }

  installer_unshow_user_classes

  # The uninstaller runs a copy of itself from the temporary folder and ends
  # at once; the copy removes the folder last.
  start_bg uninstall "$unix_dir/Uninstall.exe" /S
  wait_bg 120
  expect_eq "uninstaller exit status" 0 "$BG_STATUS"
  installer_wait_gone "$unix_dir" 300
  [ ! -e "$unix_entry" ] || { echo "Start-menu entry left behind: $start_entry" >&2; return 1; }
  [ ! -e "$unix_guide_entry" ] || { echo "Start-menu entry left behind: $guide_entry" >&2; return 1; }
  installer_expect_no_key "$classes\\.qd"
  installer_expect_no_key "$classes\\Tarv32.CommandFile"
  installer_expect_no_key "HKCU\\$uninstall_key"
  # Not a file or folder more in the profile than before the installation
  # (the temporary folder holds the uninstaller's copy of itself, which
  # Windows deletes at the next start).
  expect_eq "the profile after uninstalling" "$profile_before" "$(installer_profile_tree "$profile")"
  # The script the user opened is the user's: it stays.
  [ -f "$scripts/job one.qd" ]
}
