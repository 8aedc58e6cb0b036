#!/usr/bin/env bash
# Sets up, builds and runs every test suite (build folder: build/). The build is a Release
# build, as a user makes it, with warnings as errors.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${PF_JOBS:-$(nproc)}  # parallel jobs; PF_JOBS limits them on a shared machine
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPF_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"
