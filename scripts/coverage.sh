#!/usr/bin/env bash
# Line and branch coverage of the libraries per folder: builds the tree with --coverage
# into build-cov/, runs every test suite and prints the gcovr summary per folder.
#   scripts/coverage.sh [-j N]    (N parallel build and test jobs, default 4)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=4
[ "${1:-}" = "-j" ] && jobs=${2:?-j needs a number}
[[ "${1:-}" =~ ^-j[0-9]+$ ]] && jobs=${1#-j}
command -v gcovr >/dev/null || { echo "coverage.sh: gcovr is missing (bash scripts/setup.sh)" >&2; exit 1; }
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# gcov finds the sources by the paths the compiler was given: no relative paths from ccache.
export CCACHE_BASEDIR=
cmake -S . -B build-cov -DCMAKE_BUILD_TYPE=Debug -DPF_BENCH=OFF "${launcher[@]}" \
      -DCMAKE_CXX_FLAGS="--coverage -O0" -DCMAKE_EXE_LINKER_FLAGS="--coverage" >/dev/null
cmake --build build-cov -j"$jobs"
find build-cov -name '*.gcda' -delete
ctest --test-dir build-cov -j"$jobs" --output-on-failure >build-cov/ctest.log \
  || { tail -30 build-cov/ctest.log; echo "coverage.sh: some tests fail (build-cov/ctest.log)" >&2; exit 1; }
# The libraries only: the tests, benchmarks, fuzz targets and build-time tools are not measured.
gcovr -r . --object-directory build-cov -j "$jobs" --exclude 'tests/' --exclude 'bench/' \
      --exclude 'fuzz/' --exclude 'build-cov/' --exclude '.*/tools/' --exclude-throw-branches \
      --json-summary build-cov/coverage.json >/dev/null 2>build-cov/gcovr.log
python3 - build-cov/coverage.json <<'PY'
import json, sys, collections
files = json.load(open(sys.argv[1]))['files']
agg = collections.OrderedDict()
for f in sorted(files, key=lambda f: f['filename']):
    d = f['filename'].split('/')[0] if '/' in f['filename'] else '.'
    a = agg.setdefault(d, [0, 0, 0, 0])
    a[0] += f['line_covered']; a[1] += f['line_total']
    a[2] += f['branch_covered']; a[3] += f['branch_total']
pct = lambda c, t: f"{100.0 * c / t:6.1f} %" if t else "     - "
print(f"{'folder':<12}{'lines':>16}{'line %':>10}{'branches':>16}{'branch %':>10}")
tot = [0, 0, 0, 0]
for d, a in agg.items():
    tot = [x + y for x, y in zip(tot, a)]
    print(f"{d:<12}{a[0]:>7} of {a[1]:<6}{pct(a[0], a[1]):>10}{a[2]:>7} of {a[3]:<6}{pct(a[2], a[3]):>10}")
print(f"{'total':<12}{tot[0]:>7} of {tot[1]:<6}{pct(tot[0], tot[1]):>10}{tot[2]:>7} of {tot[3]:<6}{pct(tot[2], tot[3]):>10}")
sys.exit(0 if tot[1] else 1)  # no lines measured: the coverage data did not fit the sources
PY
