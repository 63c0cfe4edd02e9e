#!/usr/bin/env bash
# Sets up and opens the product on the demo database (created on first run).
# Without a display it runs offscreen and writes a screenshot of the browse window instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/packages.sh
scripts/build.sh
mkdir -p demo
args=(--db demo/idjrnl-demo.db --registry demo/registry "$@")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running offscreen, screenshot in demo/browse.png"
  QT_QPA_PLATFORM=offscreen build/bin/idjrnl "${args[@]}" --screenshot demo/browse.png
else
  build/bin/idjrnl "${args[@]}"
fi
