#!/usr/bin/env bash
# Time to apply a whole keyboard page (key matrix, five macros, lighting,
# stage colours, one picture) to a virtual keyboard, and the overhead beyond
# the mandatory settle pauses.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/bench/bench_keyboard_page ] || bash scripts/build.sh >/dev/null
./build/bench/bench_keyboard_page
