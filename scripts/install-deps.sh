#!/usr/bin/env bash
# Installs what Sondrix needs to build, run and test, and any packages named as arguments,
# when they are missing.
set -euo pipefail
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libsndfile1-dev libsdl2-dev libpulse-dev
          fonts-liberation2 xvfb xauth qt6-svg-dev desktop-file-utils appstream dpkg-dev file openbox
          clang libclang-rt-dev lintian "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
