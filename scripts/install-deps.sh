#!/usr/bin/env bash
# Installs the Debian 12 packages the program, its tests and its screenshots need. Installs
# only what is missing, so a second run costs nothing.
set -euo pipefail

packages=(
  g++ cmake ninja-build ccache pkg-config
  qt6-base-dev libqt6sql6-sqlite libqt6sql6-psql libgl1-mesa-dev
  libquazip1-qt6-dev libqt6svg6
  libgtest-dev libgmock-dev
  postgresql postgresql-client
  fonts-noto-cjk xvfb poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
