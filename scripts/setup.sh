#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test the program. Idempotent.
set -euo pipefail
pkgs=(cmake g++ clang pkg-config make libgtest-dev libgmock-dev libbenchmark-dev
      libcminpack-dev libpng-dev libclang-rt-dev rsync gcovr)
missing=()
for p in "${pkgs[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
