#!/usr/bin/env bash
# Configures and builds with the default preset.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset "${PRESET:-default}" >/dev/null
cmake --build --preset "${PRESET:-default}" -j "$(nproc)"
