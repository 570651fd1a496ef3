#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Kelmaz need.
# Does nothing when they are all present; uses sudo when not run as root.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-webengine-dev libgl1-mesa-dev
    libgtest-dev libgmock-dev libbenchmark-dev libuchardet-dev
    clang libclang-rt-dev clang-format
    qt6-translations-l10n fonts-ipafont-gothic xvfb xauth
    gnugo libsqlite3-dev
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
