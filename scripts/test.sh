#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/packages.sh
scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --preset "${PRESET:-default}" -j "$(nproc)"
