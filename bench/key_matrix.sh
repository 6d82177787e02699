#!/usr/bin/env bash
# Time to send a full keyboard key matrix to a virtual keyboard, the share of
# the two mandatory 128 ms pauses, and the overhead beyond them.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/bench/bench_key_matrix ] || bash scripts/build.sh >/dev/null
QT_QPA_PLATFORM=offscreen ./build/bench/bench_key_matrix
