#!/usr/bin/env bash
# Installs the Debian packages that building and testing Levrona need and that
# this machine lacks. Safe to run again: it installs nothing that is present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev
  libsqlite3-dev zlib1g-dev libsodium-dev libcurl4-openssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  sqlite3 python3 python3-pyftpdlib
  clang libclang-rt-14-dev  # the fuzz build (fuzz/run.sh); the second carries libFuzzer
  locales
  fonts-liberation poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
