#!/usr/bin/env bash
# Builds the libFuzzer harnesses of fuzz/ (clang, AddressSanitizer + UBSan, ccache) into
# build-fuzz/ and runs them.
#   scripts/fuzz.sh [TARGET|all] [SECONDS]
# SECONDS 0 runs only the committed corpus (fuzz/corpus/TARGET/) and the shared hostile
# inputs (../shared/reproducers/, when present) once each, and fails on any finding; more
# seconds fuzz each target that long, growing build-fuzz/corpus/TARGET/. FUZZ_JOBS sets the
# build's parallel jobs (default 2), FUZZ_WORKERS the fuzzing processes per target (1).
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:-all}
seconds=${2:-60}
jobs=${FUZZ_JOBS:-2}
workers=${FUZZ_WORKERS:-1}
all=(records export_document locale cleaners exports image editing stitching)

if [ "$target" = all ]; then
  targets=("${all[@]}")
elif printf '%s\n' "${all[@]}" | grep -qx "$target"; then
  targets=("$target")
else
  echo "fuzz: unknown target $target (one of: ${all[*]}, all)" >&2
  exit 2
fi
case "$seconds" in '' | *[!0-9]*) echo "fuzz: SECONDS must be a whole number" >&2; exit 2 ;; esac

cc=$(command -v clang-14 || command -v clang || true)
cxx=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$cc" ] || [ -z "$cxx" ]; then
  echo "fuzz: clang is not installed (scripts/setup.sh installs clang-14 and libfuzzer-14-dev)" >&2
  exit 2
fi
launcher=()
export CCACHE_BASEDIR="$PWD"
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER="$cc" \
  -DCMAKE_CXX_COMPILER="$cxx" "${launcher[@]}" >/dev/null
cmake --build build-fuzz --parallel "$jobs" --target "${targets[@]/#/fuzz_}"

reproducers=${FUZZ_REPRODUCERS:-../shared/reproducers}
if [ ! -d "$reproducers" ]; then
  echo "fuzz: note: $reproducers is absent; running the committed corpus only"
  reproducers=""
fi

# Leaks are findings too; a case may take 25 s (sanitizers are slow) and 2 GB. The fuzzers
# run inside build-fuzz/, where libFuzzer leaves its worker logs.
root=$PWD
options=(-timeout=25 -rss_limit_mb=2048 -malloc_limit_mb=2048 -print_final_stats=1)
[ "$workers" -gt 1 ] && options+=(-jobs="$workers" -workers="$workers")
failed=()
for t in "${targets[@]}"; do
  mkdir -p "fuzz/corpus/$t" "build-fuzz/artifacts/$t" "build-fuzz/corpus/$t"
  inputs=("$root/fuzz/corpus/$t")
  [ -n "$reproducers" ] && inputs+=("$(cd "$reproducers" && pwd)")
  log=$root/build-fuzz/$t.log
  echo "fuzz: $t"
  ok=1
  if [ "$seconds" -eq 0 ]; then
    (cd build-fuzz && ./fuzz_"$t" "${options[@]}" -runs=0 -artifact_prefix="artifacts/$t/" "${inputs[@]}") >"$log" 2>&1 || ok=0
  else
    (cd build-fuzz && ./fuzz_"$t" "${options[@]}" -max_total_time="$seconds" -artifact_prefix="artifacts/$t/" \
      "corpus/$t" "${inputs[@]}") >"$log" 2>&1 || ok=0
  fi
  { grep -h "stat::number_of_executed_units" "$log" build-fuzz/fuzz-*.log 2>/dev/null || true; } |
    awk '{n += $2} END {if (n) print "fuzz: " n " executions"}'
  if [ "$ok" -eq 0 ]; then
    echo "fuzz: $t FOUND SOMETHING (build-fuzz/$t.log, build-fuzz/artifacts/$t/)" >&2
    tail -n 30 "$log" >&2
    failed+=("$t")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: no findings"
