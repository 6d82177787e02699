#!/usr/bin/env bash
# Host-side cost of programming 32 KiB through burnlet against the simulated boot loader:
# time per KiB and status reads per block. Builds what it needs into the build directory.
# Usage: bench/burnlet_program.sh [BUILD_DIR]   (default: build-burnlet beside this folder)
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build-burnlet}"

if [ ! -f "$build/build.ninja" ] && [ ! -f "$build/Makefile" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
cmake --build "$build" --target burnlet-bench >/dev/null
"$build/burnlet/bench/burnlet-bench"
