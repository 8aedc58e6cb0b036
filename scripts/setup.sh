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
  # Another package manager (an unattended upgrade on a fresh machine) may hold the dpkg
  # lock: wait for it up to five minutes instead of failing at once.
  echo "setup.sh: installing ${missing[*]} (waiting up to 5 minutes for another package manager's lock)" >&2
  $SUDO apt-get -o DPkg::Lock::Timeout=300 update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get -o DPkg::Lock::Timeout=300 install -y -qq "${missing[@]}"
fi
