#!/usr/bin/env bash
# Fails when a hand-written C++ file of the tree differs from what
# clang-format makes of it with the checked-in .clang-format. Generated
# tables (first line "Generated from ...") are left as their generator
# writes them. Lists the files that differ.
#   tools/check-format.sh          check
#   tools/check-format.sh --fix    format them in place
set -uo pipefail
cd "$(dirname "$0")/.."

hand_written() {
  git ls-files '*.cpp' '*.h' | while read -r file; do
    head -n 1 "$file" | grep -q '^// Generated from ' || echo "$file"
  done
}

if [[ "${1:-}" == "--fix" ]]; then
  hand_written | xargs clang-format -i
  exit 0
fi
differ=0
checked=0
while read -r file; do
  checked=$((checked + 1))
  if ! clang-format --dry-run --Werror "$file" >/dev/null 2>&1; then
    echo "not formatted: $file (tools/check-format.sh --fix)"
    differ=$((differ + 1))
  fi
done < <(hand_written)
echo "format: $checked files checked, $differ not formatted"
[[ $differ -eq 0 ]]
