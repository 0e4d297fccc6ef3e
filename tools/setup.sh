#!/usr/bin/env bash
# Installs what building and testing Tarv32 needs on Debian 12, and nothing
# when it is all there already (a dpkg query per package, no network).
#   tools/setup.sh          native build and unit tests only
#   tools/setup.sh --all    also MinGW-w64, Wine, Xvfb with xterm and a window
#                           manager for the desktop cases, NSIS, the fuzzing
#                           compiler, Chromium for the check of the guide's page,
#                           and qemu-user from the backports suite
#                           (its qemu-i386 runs the 32-bit Wine on kernels
#                           that run 64-bit programs only)
set -euo pipefail

native=(cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev python3
        libx11-dev libxtst-dev libxkbcommon-dev clang-format
        python3-markdown dpkg-dev lintian)
windows=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine32:i386 wine64
         fonts-wine xvfb xauth xdotool x11-utils x11-apps x11-xkb-utils xterm openbox icewm fluxbox dash
         imagemagick nsis chromium
         clang libclang-rt-14-dev valgrind)
# qemu-user before this version (Debian 12's own 7.2) takes about a minute of
# CPU for every 32-bit Wine process: too slow to use.
emulator=qemu-user
emulator_min_version=1:10

all=false
[[ "${1:-}" == "--all" ]] && all=true
wanted=("${native[@]}")
$all && wanted+=("${windows[@]}")

installed() { [[ $(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true) == "install ok installed" ]]; }
emulator_current() {
  installed "$emulator" &&
    dpkg --compare-versions "$(dpkg-query -W -f='${Version}' "$emulator")" ge "$emulator_min_version"
}

missing=()
for pkg in "${wanted[@]}"; do
  installed "$pkg" || missing+=("$pkg")
done
need_emulator=false
$all && ! emulator_current && need_emulator=true
[[ ${#missing[@]} -eq 0 ]] && ! $need_emulator && exit 0

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
apt_get() { $sudo apt-get -q -o DPkg::Lock::Timeout=600 "$@"; }

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
backports="$codename-backports"

# The apt source files of this machine, one-line and deb822 alike.
source_files() {
  local f
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
    [[ -f "$f" ]] && echo "$f"
  done
}

# Prints "URI<TAB>SUITE<TAB>SIGNED-BY" for every "deb" source of this machine.
deb_sources() {
  local f
  while read -r f; do
    case $f in
      *.sources)
        awk -v OFS='\t' '
          function flush() {
            if (types ~ /(^| )deb( |$)/ && enabled != "no")
              for (i = 1; i <= nu; i++) for (j = 1; j <= ns; j++) print uris[i], suites[j], signed
            types = ""; enabled = ""; signed = ""; nu = 0; ns = 0
          }
          /^[ \t]*#/ { next }
          /^[ \t]*$/ { flush(); next }
          /^[ \t]/ { next }  # continuation of a multi-line field
          {
            key = tolower($1); sub(/:$/, "", key); $1 = ""; sub(/^[ \t]+/, "")
            if (key == "types") types = $0
            else if (key == "enabled") enabled = tolower($0)
            else if (key == "signed-by" && $0 !~ /^-/) signed = $0  # a path, not an inline key
            else if (key == "uris") nu = split($0, uris, /[ \t]+/)
            else if (key == "suites") ns = split($0, suites, /[ \t]+/)
          }
          END { flush() }' "$f"
        ;;
      *)
        # deb [options] URI SUITE COMPONENT...
        awk -v OFS='\t' '
          $1 != "deb" { next }
          {
            line = $0; signed = ""
            if (match(line, /\[[^]]*\]/)) {
              opts = substr(line, RSTART + 1, RLENGTH - 2)
              line = substr(line, 1, RSTART - 1) substr(line, RSTART + RLENGTH)
              if (match(opts, /signed-by=[^ \t]+/)) signed = substr(opts, RSTART + 10, RLENGTH - 10)
            }
            split(line, w, /[ \t]+/)
            print w[2], w[3], signed
          }' "$f"
        ;;
    esac
  done < <(source_files)
}

# Adds the backports suite, through the mirror that already serves the
# release itself, unless some source names it already.
add_backports() {
  local sources mirror signed file=/etc/apt/sources.list.d/$backports.sources
  sources=$(deb_sources)
  if awk -F'\t' -v s="$backports" '$2 == s { found = 1 } END { exit !found }' <<<"$sources"; then
    return 0
  fi
  mirror=$(awk -F'\t' -v s="$codename" '$2 == s { print $1; exit }' <<<"$sources")
  signed=$(awk -F'\t' -v s="$codename" '$2 == s { print $3; exit }' <<<"$sources")
  if [[ -z "$codename" || -z "$mirror" ]]; then
    echo "setup: no apt source serves the release '${codename:-unknown}'; cannot add $backports" >&2
    return 1
  fi
  echo "Adding $backports from $mirror"
  {
    echo "Types: deb"
    echo "URIs: $mirror"
    echo "Suites: $backports"
    echo "Components: main"
    [[ -n "$signed" ]] && echo "Signed-By: $signed"
  } | $sudo tee "$file" >/dev/null
}

if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
# Without the emulator, 32-bit Wine still runs where the kernel runs 32-bit
# programs itself; elsewhere the Wine suite says what is missing.
if $need_emulator && ! add_backports; then
  echo "setup: going on without $emulator" >&2
  need_emulator=false
fi
apt_get update
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  apt_get install -y --no-install-recommends "${missing[@]}"
fi
if $need_emulator; then
  echo "Installing $emulator from $backports"
  # Without recommends: binfmt-support would register the emulator for the
  # whole machine; the Wine suite registers it privately instead.
  if ! apt_get install -y --no-install-recommends -t "$backports" "$emulator" || ! emulator_current; then
    echo "setup: no $emulator $emulator_min_version or later from $backports; going on without it" >&2
  fi
fi
