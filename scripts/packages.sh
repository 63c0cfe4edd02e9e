#!/usr/bin/env bash
# Installs the Debian packages the build needs (Debian 12). Skips apt when all are present.
set -euo pipefail
packages=(
  cmake g++ make pkg-config
  libsqlite3-dev libicu-dev
  libpq-dev postgresql
  libgtest-dev libgmock-dev
  libbenchmark-dev sqlite3
  libcli11-dev
  qt6-base-dev libgl-dev
  fonts-dejavu-core
  poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
