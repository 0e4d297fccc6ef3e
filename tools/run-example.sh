#!/usr/bin/env bash
# Builds the native program build/tarv32 (installing cmake and g++ when they
# are missing) and runs an example command file with it.
#   tools/run-example.sh [examples/linux/NAME.qd]
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2 --target tarv32
exec build/tarv32 "${1:-examples/linux/demo.qd}"
