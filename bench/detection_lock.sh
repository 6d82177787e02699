#!/usr/bin/env bash
# Detection's time to get the device lock while the vendor-report poll reads a
# secondary interface (median and max over repeated detections). Optional
# argument: the number of detections (default 15).
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/bench/bench_detection_lock ] || bash scripts/build.sh >/dev/null
QT_QPA_PLATFORM=offscreen ./build/bench/bench_detection_lock "$@"
