#!/usr/bin/env bash
# Installs what building and testing Tarv32 needs on Debian 12, and nothing
# when it is all there already (a dpkg query per package, no network).
#   tools/setup.sh          native build and unit tests only
#   tools/setup.sh --all    also MinGW-w64, wine32, Xvfb and the fuzzing compiler
set -euo pipefail

native=(cmake make g++ libgtest-dev libgmock-dev libbenchmark-dev python3)
windows=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine32:i386 wine64
         xvfb xauth xdotool x11-utils imagemagick
         clang libclang-rt-14-dev valgrind)

wanted=("${native[@]}")
[[ "${1:-}" == "--all" ]] && wanted+=("${windows[@]}")

missing=()
for pkg in "${wanted[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$pkg")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
