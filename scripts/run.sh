#!/usr/bin/env bash
# Sets up and builds what one refresh needs (the program, the profile library file, oli2png
# and oli2txt; the test suites and benchmarks are left to scripts/test.sh), then renews the
# print list of the bundled example member "BSP1" in a fresh copy of example/
# (build/example-run/), writes the list as plain UTF-8 text, draws its section picture as PNG
# and prints the paths of the list, its text form, the plot file and the picture. example/ is
# not touched.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${PF_JOBS:-$(nproc)}  # parallel jobs; PF_JOBS limits them on a shared machine
bash scripts/setup.sh
# The build of the test command (scripts/test.sh), so that the two never rebuild each other.
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DPF_WERROR=ON >/dev/null
cmake --build build -j"$jobs" --target stahl_ec3_program profil_library_data oli2png oli2txt

run="$root/build/example-run"
rm -rf "$run"
mkdir -p "$run/exec" "$run/private"
cp -R example/. "$run/"

# The program ends a good refresh with exit code 1; any other code is a failure, and what it
# wrote on standard error stands above this message.
set +e
(cd "$run" && EXEC="$run/exec" YRMPRIVATE="$run/private" "$root/build/stahl_ec3/stahl_ec3" BSP1 0 1 1 -refresh)
rc=$?
set -e
if [ "$rc" -ne 1 ]; then
  echo "run.sh: stahl_ec3 BSP1 0 1 1 -refresh ended with exit code $rc (1 is a good refresh)" >&2
  exit 1
fi
"$root/build/tests/testsupport/oli2txt" "$run/BSP1_01.OLI" >"$run/BSP1_01.txt"
png=$(cd "$run" && "$root/build/tests/testsupport/oli2png" BSP1_01.OLI "$run")
echo "print list: $run/BSP1_01.OLI"
echo "as text:    $run/BSP1_01.txt"
echo "plot file:  $run/BSP10001.SPF"
echo "picture:    $png"
