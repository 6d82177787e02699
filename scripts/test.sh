#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through CTest,
# headless (Qt's offscreen platform; tests that need an X server start a
# private Xvfb of their own).
#   bash scripts/test.sh              the plain build in build/
#   bash scripts/test.sh --sanitize   AddressSanitizer + UBSan build in build-sanitize/
#   bash scripts/test.sh --fuzz       libFuzzer targets (clang) in build-fuzz/: corpora replayed, each target run briefly
# Arguments after the mode go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
case "${1:-}" in
  --sanitize) shift; exec bash scripts/test_sanitized.sh "$@" ;;
  --fuzz)     shift; exec bash scripts/test_fuzz.sh "$@" ;;
esac
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/gearconsole-runtime.XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"
ctest --test-dir build --output-on-failure --timeout 300 "$@"
