#!/usr/bin/env bash
# Installs what building, testing and running Mirvaso needs on Debian 12 (run as root).
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libcurl4-openssl-dev qt6-base-dev libgtest-dev libbenchmark-dev
  openssl ca-certificates python3
  fonts-ipafont-gothic xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
