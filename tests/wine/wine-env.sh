# Headless Wine for the test suite; source it, then call tarv_wine_start.
#
# tarv_wine_start starts Xvfb on a free display and a 32-bit Wine prefix in a
# temporary directory (no Mono or Gecko prompts, unmanaged X11 windows so
# that closing a dialog does not wait for a window manager, a persistent
# wineserver) and warms it up; an EXIT trap tears everything down again.
# A new prefix takes about 25 s; when TARV_WINE_PREFIX_CACHE names a tar
# file, the first run keeps its finished prefix there (about 1.3 GB) and
# later runs unpack it instead (a few seconds).
#
# TARV_WINE_ARCH chooses the prefix: win32 (the program as it ships, i686)
# or win64 (the same sources built for x86-64 with cmake/mingw-x86_64.cmake).
# Wine's 32-bit loader is an i386 Linux program: on a kernel whose 32-bit
# emulation is switched off (boot option ia32_emulation=off) it cannot start
# at all, and tarv_wine_start says so; the 64-bit build still runs there.
# In win64 mode, wine and wine-stable in a private bin directory put first
# on PATH start Wine's 64-bit loader (Debian's wine script would pick the
# 32-bit one whenever it is installed).

tarv_wine_log() { echo "wine-env: $*" >&2; }

# The Windows build under ROOT that a script uses unless told otherwise:
# build-win32, or build-win64 (the same sources for x86-64) where 32-bit
# Wine cannot run.
tarv_wine_default_build() {
  local root=$1
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "$root/build-win32"
  else
    tarv_wine_log "32-bit Wine cannot run here: using the x86-64 build of the same sources"
    echo "$root/build-win64"
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
  if ! "$loader" --version >/dev/null 2>&1; then
    tarv_wine_log "the 32-bit Wine loader $loader cannot run here: $("$loader" --version 2>&1 | head -n 1)"
    if dmesg 2>/dev/null | grep -q "32-bit emulation disabled"; then
      tarv_wine_log "the kernel has 32-bit emulation switched off (ia32_emulation=off)"
    fi
    return 1
  fi
}

tarv_wine_free_display() {
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

tarv_wine_start_xvfb() {
  local n
  n=$(tarv_wine_free_display) || { tarv_wine_log "no free X display"; return 1; }
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$TARV_WINE_DIR/xvfb.log" 2>&1 &
  TARV_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
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
  # Without a window manager every hide or destroy of a managed window
  # waits for a timeout.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
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
  [ "$TARV_WINE_ARCH" = win64 ] && tarv_wine_use_loader64
  export WINEPREFIX="$TARV_WINE_DIR/prefix" WINEARCH=$TARV_WINE_ARCH WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  tarv_wine_start_xvfb || return 1
  tarv_wine_create_prefix "${TARV_WINE_PREFIX_CACHE:-}" || return 1
  # One server for the whole suite: each later start of it costs time.
  wineserver -p
  wine cmd /c exit 0 >/dev/null 2>&1 || { tarv_wine_log "Wine does not start programs"; return 1; }
}
