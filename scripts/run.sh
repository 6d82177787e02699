#!/usr/bin/env bash
# Installs what is missing, builds, and starts gearconsole. Without a display
# it starts the program under a private Xvfb for a few seconds and saves a
# screenshot to build/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh

export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/gearconsole-runtime.XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/gearconsole "$@"
fi

echo "run: no display here; starting gearconsole under a private Xvfb for a few seconds"
source scripts/xvfb.sh
start_private_xvfb
./build/gearconsole "$@" &
program=$!
sleep 5
import -window root build/screenshot.png
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
stop_private_xvfb
echo "run: screenshot saved to build/screenshot.png"
