#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest,
# headless (Qt's offscreen platform; tests that need an X server start a
# private Xvfb of their own).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/gearconsole-runtime.XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"
ctest --test-dir build --output-on-failure --timeout 300 "$@"
