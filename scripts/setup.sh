#!/usr/bin/env bash
# Installs what Sumora needs to build, run and test on Debian 12. Safe to run again: it only
# installs what is missing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config git
    clang clang-format
    qt6-base-dev libgl-dev
    libgtest-dev libsimde-dev
    libcurl4-openssl-dev
    lighttpd
    zlib1g-dev libdeflate-dev libisal-dev
    xvfb xauth rhash hyperfine python3 strace
    shared-mime-info desktop-file-utils libglib2.0-bin
    fonts-roboto-unhinted
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
