#!/usr/bin/env bash
# Sets up and builds everything; runs the member program on the bundled example member
# once the program exists.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${PF_JOBS:-$(nproc)}  # parallel jobs; PF_JOBS limits them on a shared machine
bash scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
if [ -x build/stahl_ec3/stahl_ec3 ]; then
  build/stahl_ec3/stahl_ec3 example/BEISPIEL 0 1 1 -refresh
else
  echo "Built all libraries, tests and benchmarks; the member program itself is not built yet."
fi
