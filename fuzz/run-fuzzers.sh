#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each one, one after the other,
# for N seconds (default 60).
#
#   fuzz/run-fuzzers.sh [seconds] [build dir] [target...]
#
# Every target that fuzz/CMakeLists.txt names with tarv_add_fuzzer is
# built (only those, so a tool that does not build with clang is no
# obstacle) and run; naming targets after the build dir runs only those.
# Each gets its own corpus
# in <build dir>/corpus/<target>, seeded from the command files and cases in
# examples/ and tests/, from a few built-in command lines and from binary
# garbage (every byte value, in a few orders); a target with a dictionary
# fuzz/<target>.dict runs with it. A crash, leak or
# undefined behaviour stops the script with the target's exit status; the
# reproducer is left in <build dir>/artifacts/<target>/.
set -euo pipefail

seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${2:-$root/build-fuzz}"
shift $(( $# < 2 ? $# : 2 ))

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DTARV_FUZZ=ON -DTARV_TESTS=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARV_SANITIZE=ON >/dev/null

names=()
while read -r name; do names+=("$name"); done < <(
  sed -n 's/^[[:space:]]*tarv_add_fuzzer([[:space:]]*\([A-Za-z0-9_-]*\).*/\1/p' "$root"/fuzz/CMakeLists.txt | sort -u)
if [[ $# -gt 0 ]]; then names=("$@"); fi
if [[ ${#names[@]} -eq 0 ]]; then
  echo "no tarv_add_fuzzer targets in $root/fuzz/CMakeLists.txt" >&2
  exit 1
fi
cmake --build "$build" -j2 --target "${names[@]}"

seed_corpus() {
  local dir="$1"
  mkdir -p "$dir"
  find "$root/examples" "$root/tests" -type f \
    \( -name '*.qd' -o -path '*/e2e/cases/*' \) -size -64k 2>/dev/null |
    while read -r file; do cp "$file" "$dir/seed-$(cksum <"$file" | cut -d' ' -f1)"; done
  printf '/activate Untitled - Notepad\r\n' >"$dir/builtin-1"
  printf '{ /activate Notepad }\r\n' >"$dir/builtin-2"
  printf '/if errorlevel() eq 0 {\n notepad /wait "c:\\a b.txt"\n}\n/else {\n /pause no\n}\n' >"$dir/builtin-3"
  printf '/do {\n/sleep 1 /* wait */\n}\n/while env("X") ne "1"\n# done\n' >"$dir/builtin-4"
  printf 'env("PATH") & "\\"x\\"" + 12 - errorlevel()' >"$dir/builtin-5"
  local i
  for ((i = 0; i < 256; ++i)); do printf "\\$(printf %03o "$i")"; done >"$dir/binary-1"
  for ((i = 255; i >= 0; --i)); do printf "\\$(printf %03o $(((i * 37) % 256)))"; done >"$dir/binary-2"
  { printf '/if 1 eq 1 {\n'; cat "$dir/binary-2"; printf '\n}\n'; } >"$dir/binary-3"
}

for name in "${names[@]}"; do
  target="$build/fuzz/$name"
  corpus="$build/corpus/$name"
  artifacts="$build/artifacts/$name/"
  seed_corpus "$corpus"
  mkdir -p "$artifacts"
  options=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts")
  if [[ -f "$root/fuzz/$name.dict" ]]; then options+=(-dict="$root/fuzz/$name.dict"); fi
  echo "== $name: $seconds s"
  "$target" "${options[@]}" "$corpus"
done
echo "all ${#names[@]} fuzz targets ran $seconds s each without a finding"
