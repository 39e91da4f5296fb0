#!/usr/bin/env bash
# Runs every fuzz target for SECONDS (default 300), four at a time, then prints per target the
# executions, libFuzzer's coverage (cov: edges, ft: features) and the crash files it wrote.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (TARGET as fuzz_pak; default all)
# Grown corpora and findings stay in build/fuzz-runs/TARGET/; the committed seeds are only read.
# Exits non-zero when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
shift || true
[[ $seconds =~ ^[0-9]+$ ]] || { echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]"; exit 2; }

# The targets are the clang sub-build of build/.
cmake -S . -B build -G Ninja ${TVL_CMAKE_ARGS:-} -DTVL_FUZZERS=ON >/dev/null
cmake --build build --target fuzzers -j"$(nproc)"
bin=build/fuzz-build/tests/fuzz
runs=build/fuzz-runs

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in tests/fuzz/fuzz_*.cpp; do targets+=("$(basename "$src" .cpp)"); done
fi

run_one() {
  local name=$1 out=$runs/$1
  mkdir -p "$out/corpus" "$out/findings"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "$bin/$name" -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$out/findings/" "$out/corpus" "tests/fuzz/corpus/$name" >"$out/log" 2>&1 || true
}

running=0
for name in "${targets[@]}"; do
  [ -x "$bin/$name" ] || { echo "no fuzz target $name"; exit 2; }
  rm -rf "${runs:?}/$name/findings"
  run_one "$name" &
  running=$((running + 1))
  if [ $running -ge 4 ]; then wait -n; running=$((running - 1)); fi
done
wait

found=0
printf '%-18s %12s %8s %8s  %s\n' target executions cov ft findings
for name in "${targets[@]}"; do
  log=$runs/$name/log
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  status=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$status")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$status")
  crashes=$(find "$runs/$name/findings" -type f | sort | tr '\n' ' ')
  [ -z "$crashes" ] || found=1
  printf '%-18s %12s %8s %8s  %s\n' "$name" "${execs:-?}" "${cov:-?}" "${ft:-?}" "${crashes:-none}"
done
[ $found -eq 0 ] || echo "findings above; each target's log is $runs/TARGET/log"
exit $found
