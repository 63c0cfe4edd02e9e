#!/usr/bin/env bash
# Sets up, builds and runs every test; the cases labelled "postgres" run against a throwaway
# PostgreSQL cluster that scripts/with-pg.sh starts and stops around the run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/packages.sh
scripts/build.sh
QT_QPA_PLATFORM=offscreen scripts/with-pg.sh ctest --preset "${PRESET:-default}" -j "$(nproc)"
