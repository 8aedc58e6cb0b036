#!/usr/bin/env bash
# Fault guard: places each seeded fault of the fault lists (tests/faults/*.tsv) one at a
# time into a scratch copy of the tree, builds only that module's test binary, runs it and
# reports whether the tests caught the fault. The tree itself is never modified.
#
#   scripts/faults.sh [--tree DIR] [--module M]... [--list FILE]... [-j N] [--keep]
#
#   --tree DIR   the tree to test (default: the repository this script is in)
#   --module M   only the faults of module M (test_M); repeatable
#   --list FILE  fault list to use; repeatable (default: DIR/tests/faults/*.tsv)
#   -j N         N modules at a time, each in its own scratch build (default 1)
#   --keep       keep the scratch folder (its path is printed)
# Environment: PF_BUILD_JOBS (build jobs per scratch build, default 4), PF_FAULT_TIMEOUT
# (seconds one test run may take, default 600), PF_FAULTS_SCRATCH (where to make the
# scratch folder, default $TMPDIR or /tmp).
# Exit status: 0 when every fault was placed and run, 1 when a fault list is wrong or a
# module's tests fail without any fault, 2 on bad usage.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
helper="$here/faults.py"
tree=$(cd "$here/.." && pwd)
modules=() lists=() jobs=1 keep=0
while [ $# -gt 0 ]; do
  case "$1" in
    --tree) tree=$(cd "${2:?--tree needs a folder}" && pwd); shift 2 ;;
    --module) modules+=("${2:?--module needs a name}"); shift 2 ;;
    --list) lists+=("$(realpath "${2:?--list needs a file}")"); shift 2 ;;
    -j) jobs=${2:?-j needs a number}; shift 2 ;;
    -j*) jobs=${1#-j}; shift ;;
    --keep) keep=1; shift ;;
    -h|--help) sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) echo "faults.sh: unknown argument '$1' (see --help)" >&2; exit 2 ;;
  esac
done
[[ "$jobs" =~ ^[1-9][0-9]*$ ]] || { echo "faults.sh: -j needs a positive number" >&2; exit 2; }
if [ ${#lists[@]} -eq 0 ]; then
  shopt -s nullglob
  lists=("$tree"/tests/faults/*.tsv)
  shopt -u nullglob
  [ ${#lists[@]} -gt 0 ] || { echo "faults.sh: no fault lists in $tree/tests/faults" >&2; exit 1; }
fi
build_jobs=${PF_BUILD_JOBS:-4}
timeout_s=${PF_FAULT_TIMEOUT:-600}

scratch=$(mktemp -d "${PF_FAULTS_SCRATCH:-${TMPDIR:-/tmp}}/pf-faults.XXXXXX")
cleanup() { if [ "$keep" -eq 1 ]; then echo "scratch kept: $scratch"; else rm -rf "$scratch"; fi; }
trap cleanup EXIT
trap 'exit 130' INT TERM

# Check every fault against the tree before building anything: a fault whose old text is
# not found exactly once stops the run.
margs=()
for m in "${modules[@]}"; do margs+=(--module "$m"); done
python3_bin=/usr/bin/python3; [ -x "$python3_bin" ] || python3_bin=python3
if ! "$python3_bin" "$helper" list "$tree" "${margs[@]}" "${lists[@]}" >"$scratch/faults"; then
  echo "faults.sh: the fault lists do not fit the tree $tree (see above)" >&2
  exit 1
fi
[ -s "$scratch/faults" ] || { echo "faults.sh: no faults selected" >&2; exit 1; }
cut -f2 "$scratch/faults" | awk '!seen[$0]++' >"$scratch/modules"

export CCACHE_BASEDIR="$scratch" CCACHE_NOHASHDIR=1  # the scratch builds share cache entries
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

# worker W: one scratch copy and build; runs the faults of the modules given, in sequence.
worker() {
  local w=$1; shift
  local src="$scratch/w$w/src" bld="$scratch/w$w/build" log="$scratch/w$w/log"
  mkdir -p "$src"
  if ! rsync -a --delete --exclude '/build*' --exclude '/.git' "$tree/" "$src/"; then
    for m in "$@"; do echo "$m	-	copy-failed" >>"$scratch/results.$w"; done
    return
  fi
  if ! cmake -S "$src" -B "$bld" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPF_BENCH=OFF \
       "${launcher[@]}" >"$log" 2>&1 </dev/null; then
    for m in "$@"; do echo "$m	-	config-failed" >>"$scratch/results.$w"; done
    echo "faults.sh: configuring the scratch build failed (log: $log)" >&2
    return
  fi
  local m id file
  for m in "$@"; do
    if ! cmake --build "$bld" -j"$build_jobs" --target "test_$m" >"$log" 2>&1 </dev/null; then
      echo "$m	-	baseline-build-failed" >>"$scratch/results.$w"
      echo "[$m] the unfaulted tree does not build test_$m: its faults are skipped (log: $log)" >&2
      continue
    fi
    # A suite's binary stands in its folder of the build, the test-support suite's beside them.
    local dir="$bld/tests/$m"
    [ -f "$bld/tests/$m/test_$m" ] || [ ! -f "$bld/tests/test_$m" ] || dir="$bld/tests"
    local bin="$dir/test_$m"
    if ! (cd "$dir" && timeout "$timeout_s" "$bin" --gtest_brief=1 >"$log" 2>&1 </dev/null); then
      echo "$m	-	baseline-tests-fail" >>"$scratch/results.$w"
      echo "[$m] test_$m fails without any fault: its faults are skipped (log: $log)" >&2
      continue
    fi
    while IFS=$'\t' read -r id fm file; do
      [ "$fm" = "$m" ] || continue
      cp -p "$src/$file" "$scratch/w$w/orig"
      if ! "$python3_bin" "$helper" apply "$src" "$id" "${lists[@]}" </dev/null; then
        echo "$m	$id	apply-failed" >>"$scratch/results.$w"
        continue
      fi
      local result
      if ! cmake --build "$bld" -j"$build_jobs" --target "test_$m" >"$log" 2>&1 </dev/null; then
        result=caught-by-build
      elif (cd "$dir" && timeout "$timeout_s" "$bin" --gtest_brief=1 >"$log" 2>&1 </dev/null); then
        result=survived
      else
        result=caught
      fi
      cp "$scratch/w$w/orig" "$src/$file"   # restored text, new time: the next build redoes it
      touch "$src/$file"
      printf '%-8s %-10s %s\n' "$id" "$m" "$result"
      echo "$m	$id	$result" >>"$scratch/results.$w"
    done <"$scratch/faults"
  done
}

# Deal the modules out to the workers (module k goes to worker k mod N).
mapfile -t all_modules <"$scratch/modules"
nw=$(( jobs < ${#all_modules[@]} ? jobs : ${#all_modules[@]} ))
echo "faults: $(wc -l <"$scratch/faults") in ${#all_modules[@]} modules, tree $tree, $nw scratch build(s)"
pids=()
for ((w = 0; w < nw; w++)); do
  mine=()
  for ((k = w; k < ${#all_modules[@]}; k += nw)); do mine+=("${all_modules[k]}"); done
  worker "$w" "${mine[@]}" &
  pids+=($!)
done
for p in "${pids[@]}"; do wait "$p"; done

# Summary: per module the rate, then the total.
cat "$scratch"/results.* 2>/dev/null | awk -F'\t' -v order="$(tr '\n' ' ' <"$scratch/modules")" '
  { if ($2 == "-") { bad[$1] = $3; next }
    n[$1]++
    if ($3 ~ /^caught/) c[$1]++
    if ($3 == "caught-by-build") b[$1]++
    if ($3 == "survived") s[$1] = s[$1] " " $2
    if ($3 == "apply-failed") { af++; s[$1] = s[$1] " " $2 "(not placed)" } }
  END {
    split(order, mods, " "); status = 0
    printf "\n%-10s %7s %7s  %s\n", "module", "caught", "rate", "survived"
    for (k = 1; k in mods; k++) {
      m = mods[k]
      if (m in bad) { printf "%-10s %s\n", m, bad[m]; status = 1; continue }
      printf "%-10s %3d/%-3d %6.1f%%  %s%s\n", m, c[m], n[m], n[m] ? 100 * c[m] / n[m] : 0, s[m],
             b[m] ? "  (" b[m] " by a build failure)" : ""
      tc += c[m]; tn += n[m]
    }
    printf "\n%d of %d caught\n", tc, tn
    if (af) status = 1
    exit status
  }'
