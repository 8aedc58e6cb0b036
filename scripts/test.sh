#!/usr/bin/env bash
# Sets up, builds and runs every test suite (build folder: build/).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${PF_JOBS:-$(nproc)}  # parallel jobs; PF_JOBS limits them on a shared machine
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
