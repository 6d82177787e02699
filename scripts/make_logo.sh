#!/usr/bin/env bash
# Draws the tray icon modules/img/logo.ico (16, 32 and 48 px): an orange
# "V" on a dark rounded square. Run again after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
convert -size 256x256 xc:none -fill '#1a1a1a' -draw 'roundrectangle 8,8 247,247 40,40' \
  -fill '#ea5413' -draw 'polygon 52,56 100,56 128,150 156,56 204,56 148,206 108,206' \
  "$tmp/logo.png"
for size in 16 32 48; do convert "$tmp/logo.png" -resize ${size}x${size} "$tmp/logo-$size.png"; done
convert "$tmp/logo-16.png" "$tmp/logo-32.png" "$tmp/logo-48.png" modules/img/logo.ico
echo "wrote modules/img/logo.ico"
