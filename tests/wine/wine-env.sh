# Headless Wine for the test suite; source it, then call tarv_wine_start.
#
# tarv_wine_start starts Xvfb on a free display and a Wine prefix in a
# temporary directory (no Mono or Gecko prompts, a Wine desktop window that
# fills the screen, a persistent wineserver) and warms it up; an EXIT trap
# tears everything down again.
# A new prefix takes about 25 s; when TARV_WINE_PREFIX_CACHE names a tar
# file, the first run keeps its finished prefix there (about 1.3 GB) and
# later runs unpack it instead (a few seconds).
#
# TARV_WINE_ARCH chooses the prefix: win32 (the program as it ships, i686)
# or win64 (the same sources built for x86-64 with cmake/mingw-x86_64.cmake).
# In win64 mode, wine and wine-stable in a private bin directory put first
# on PATH start Wine's 64-bit loader (Debian's wine script would pick the
# 32-bit one whenever it is installed).
#
# Wine's 32-bit loader is an i386 Linux program. A kernel that runs 64-bit
# programs only refuses it; there it runs under qemu-i386 (qemu-user 8 or
# later, static): tarv_wine_enter runs the calling script again inside a
# private user, mount and PID namespace whose own binfmt_misc instance hands
# i386 programs to the emulator (kernel 6.7 or later). Nothing is registered
# for the machine, and every process of the run ends with the namespace.
# Where neither way works, scripts fall back to the x86-64 build and
# tarv_wine_32bit says why. TARV_WINE_32BIT=emulated takes the emulator even
# where the kernel runs 32-bit programs itself (to try that way), =native
# never takes it; the default, auto, prefers native.

TARV_WINE_LOADER32=/usr/lib/wine/wine
TARV_WINE_SCREEN=1280x1024
TARV_QEMU_I386=${TARV_QEMU_I386:-/usr/bin/qemu-i386}
# qemu-i386 for i386 ELF executables and shared objects; F: the kernel opens
# the emulator at registration, so it needs nothing from the namespace later.
TARV_BINFMT_I386=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$TARV_QEMU_I386"':F'

tarv_wine_log() { echo "wine-env: $*" >&2; }

# Runs COMMAND... with i386 programs handed to qemu-i386 by a binfmt_misc
# instance of its own, in new user, mount and PID namespaces. COMMAND is the
# namespace's first process: when it ends, so does every process left in it;
# when unshare is ended, COMMAND gets SIGTERM.
tarv_wine_emulated() {
  unshare --user --map-root-user --mount --pid --kill-child=SIGTERM --mount-proc -- \
    bash -c 'mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc &&
             printf "%s" "$1" >/proc/sys/fs/binfmt_misc/register &&
             shift && exec "$@"' tarv-wine-emulated "$TARV_BINFMT_I386" "$@"
}

# How 32-bit Wine runs here: sets TARV_WINE_WAY to native or emulated and
# returns 0, or sets TARV_WINE_WHY to the reason it cannot and returns 1.
# Inside tarv_wine_enter's namespace the way is emulated.
tarv_wine_32bit() {
  TARV_WINE_WHY=
  if [ "${TARV_WINE_INSIDE_EMULATION:-}" = 1 ]; then
    TARV_WINE_WAY=emulated
    "$TARV_WINE_LOADER32" --version >/dev/null 2>&1 && return 0
    TARV_WINE_WHY="$TARV_WINE_LOADER32 does not start under $TARV_QEMU_I386"
    return 1
  fi
  if [ ! -x "$TARV_WINE_LOADER32" ]; then
    TARV_WINE_WHY="no $TARV_WINE_LOADER32 (tools/setup.sh --all installs wine32:i386)"
    return 1
  fi
  local native emulated version
  case ${TARV_WINE_32BIT:-auto} in
    auto | native | emulated) ;;
    *)
      TARV_WINE_WHY="TARV_WINE_32BIT is '$TARV_WINE_32BIT'; it takes auto, native or emulated"
      return 1
      ;;
  esac
  if [ "${TARV_WINE_32BIT:-auto}" = emulated ]; then
    native="TARV_WINE_32BIT=emulated"
  elif native=$("$TARV_WINE_LOADER32" --version 2>&1); then
    TARV_WINE_WAY=native
    return 0
  else
    native="$TARV_WINE_LOADER32 cannot start natively: $(head -n 1 <<<"$native")"
    if [ "${TARV_WINE_32BIT:-auto}" = native ]; then
      TARV_WINE_WHY="$native (and TARV_WINE_32BIT=native)"
      return 1
    fi
  fi
  if [ ! -x "$TARV_QEMU_I386" ]; then
    TARV_WINE_WHY="$native, and there is no $TARV_QEMU_I386 (tools/setup.sh --all installs qemu-user)"
    return 1
  fi
  version=$("$TARV_QEMU_I386" --version 2>/dev/null | sed -n '1s/.*version \([0-9]*\)\..*/\1/p')
  if [ -z "$version" ] || [ "$version" -lt 8 ]; then
    TARV_WINE_WHY="$native, and $TARV_QEMU_I386 (version ${version:-unknown}) is too slow for Wine: qemu-user 8 or later is needed (tools/setup.sh --all)"
    return 1
  fi
  if ! emulated=$(tarv_wine_emulated "$TARV_WINE_LOADER32" --version 2>&1); then
    TARV_WINE_WHY="$native, and not under $TARV_QEMU_I386 in a private binfmt_misc either (needs unprivileged user namespaces and kernel 6.7 or later): $(tail -n 1 <<<"$emulated")"
    return 1
  fi
  TARV_WINE_WAY=emulated
}

# The Windows build under ROOT that a script uses unless told otherwise:
# build-win32, or build-win64 (the same sources for x86-64) where 32-bit
# Wine cannot run either way, saying why.
tarv_wine_default_build() {
  local root=$1
  if tarv_wine_32bit; then
    echo "$root/build-win32"
  else
    tarv_wine_log "32-bit Wine cannot run here: $TARV_WINE_WHY"
    tarv_wine_log "using the x86-64 build of the same sources instead"
    echo "$root/build-win64"
  fi
}

# Call with the script's path and arguments before tarv_wine_start, once
# TARV_WINE_ARCH is known: a win32 run that needs the emulator continues as
# the same script inside tarv_wine_emulated (this never returns then).
tarv_wine_enter() {
  [ "${TARV_WINE_ARCH:-win32}" = win32 ] || return 0
  [ "${TARV_WINE_INSIDE_EMULATION:-}" = 1 ] && return 0
  tarv_wine_32bit || return 0  # tarv_wine_start reports it
  [ "$TARV_WINE_WAY" = emulated ] || return 0
  export TARV_WINE_INSIDE_EMULATION=1
  tarv_wine_emulated bash "$@"
  exit $?
}

# What runs the programs, for the reader of a log.
tarv_wine_description() {
  if [ "${TARV_WINE_ARCH:-win32}" = win64 ]; then
    echo "win64, the x86-64 build"
  elif tarv_wine_32bit && [ "$TARV_WINE_WAY" = emulated ]; then
    echo "win32 under qemu-i386 user emulation"
  else
    echo "win32, native 32-bit"
  fi
}

# The prefix a program needs, from the machine field of its PE header
# (0x8664 x86-64, 0x14c i386): win64 or win32.
tarv_wine_arch_of() {
  local pe
  pe=$(od -An -tu4 -j 60 -N 4 "$1" | tr -d ' ')
  case $(od -An -tx2 -j $((pe + 4)) -N 2 "$1" | tr -d ' ') in
    8664) echo win64 ;;
    *) echo win32 ;;
  esac
}

tarv_wine_check_tools() {
  local tool
  for tool in wine wineserver wineboot winepath Xvfb; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      tarv_wine_log "missing $tool (apt-get install wine wine32:i386 wine64 xvfb)"
      return 1
    fi
  done
  local loader=/usr/lib/wine/wine
  [ "$TARV_WINE_ARCH" = win64 ] && loader=/usr/lib/wine/wine64
  if [ ! -x "$loader" ]; then
    tarv_wine_log "missing $loader (apt-get install $([ "$TARV_WINE_ARCH" = win64 ] && echo wine64 || echo wine32:i386))"
    return 1
  fi
  if [ "$TARV_WINE_ARCH" = win32 ]; then
    tarv_wine_32bit || { tarv_wine_log "32-bit Wine cannot run here: $TARV_WINE_WHY"; return 1; }
  elif ! "$loader" --version >/dev/null 2>&1; then
    tarv_wine_log "the Wine loader $loader cannot run here: $("$loader" --version 2>&1 | head -n 1)"
    return 1
  fi
}

# Takes the first display from :91 on that no X server uses and no other
# suite has claimed, and starts Xvfb there. The claim is a lock of our own
# (flock, released by the kernel when the suite's last process ends): Xvfb
# judges another server's lock file by its process number, which a suite in
# its own PID namespace cannot see, so two suites starting at the same moment
# took the same display, and the end of one broke the other's connections.
tarv_wine_start_xvfb() {
  local n
  for n in $(seq 91 140); do
    exec {TARV_DISPLAY_CLAIM}>>"/tmp/.tarv-wine-display-$n" 2>/dev/null || continue
    if flock -n "$TARV_DISPLAY_CLAIM" && [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      tarv_wine_run_xvfb "$n"
      return
    fi
    exec {TARV_DISPLAY_CLAIM}>&-
  done
  tarv_wine_log "no free X display"
  return 1
}

tarv_wine_run_xvfb() {
  local n=$1 i
  Xvfb ":$n" -screen 0 "${TARV_WINE_SCREEN}x24" -nolisten tcp >"$TARV_WINE_DIR/xvfb.log" 2>&1 &
  TARV_XVFB_PID=$!
  export DISPLAY=":$n"
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    kill -0 "$TARV_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  tarv_wine_log "Xvfb did not start on :$n"
  return 1
}

tarv_wine_create_prefix() {
  local cache=$1
  if [ -n "$cache" ] && [ -f "$cache" ]; then
    mkdir -p "$WINEPREFIX" && tar -xf "$cache" -C "$WINEPREFIX" && return 0
    tarv_wine_log "cannot unpack $cache; creating a new prefix"
    rm -rf "$WINEPREFIX"
  fi
  local start=$SECONDS
  wineboot -i >"$TARV_WINE_DIR/wineboot.log" 2>&1 || { tarv_wine_log "wineboot failed"; return 1; }
  wineserver -w
  # Every program shows its windows inside one Wine desktop window the size
  # of the screen. Wine then decides alone which window is in front, as
  # Windows does; on the bare X screen it follows the X server's focus
  # changes, which, late under load and with no window manager, can hand
  # the front to no window (keys are lost) or close an open menu.
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$TARV_WINE_SCREEN" /f >/dev/null 2>&1
  wineserver -w
  tarv_wine_log "prefix created in $((SECONDS - start)) s"
  if [ -n "$cache" ]; then
    mkdir -p "$(dirname "$cache")" && tar -cf "$cache.tmp" -C "$WINEPREFIX" . && mv "$cache.tmp" "$cache"
  fi
  return 0
}

tarv_wine_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1
  fi
  if [ -n "${TARV_XVFB_PID:-}" ]; then
    kill "$TARV_XVFB_PID" 2>/dev/null
    wait "$TARV_XVFB_PID" 2>/dev/null
  fi
  if [ -n "${TARV_WINE_DIR:-}" ] && [ -d "$TARV_WINE_DIR" ]; then
    rm -rf "$TARV_WINE_DIR"
  fi
  TARV_XVFB_PID= TARV_WINE_DIR=
}

tarv_wine_use_loader64() {
  local bin="$TARV_WINE_DIR/bin" name
  mkdir -p "$bin"
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$bin/$name"
    chmod +x "$bin/$name"
  done
  export PATH="$bin:$PATH" WINELOADER=/usr/lib/wine/wine64
}

tarv_wine_start() {
  TARV_WINE_ARCH=${TARV_WINE_ARCH:-win32}
  tarv_wine_check_tools || return 1
  TARV_WINE_DIR=$(mktemp -d /tmp/tarv-wine.XXXXXX) || return 1
  trap tarv_wine_stop EXIT
  # Ended from outside, the run still tears down what it started.
  trap 'exit 130' INT
  trap 'exit 143' TERM
  [ "$TARV_WINE_ARCH" = win64 ] && tarv_wine_use_loader64
  export WINEPREFIX="$TARV_WINE_DIR/prefix" WINEARCH=$TARV_WINE_ARCH WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  tarv_wine_start_xvfb || return 1
  tarv_wine_create_prefix "${TARV_WINE_PREFIX_CACHE:-}" || return 1
  # One server for the whole suite: each later start of it costs time.
  wineserver -p
  wine cmd /c exit 0 >/dev/null 2>&1 || { tarv_wine_log "Wine does not start programs"; return 1; }
}
