#!/usr/bin/env bash
# Runs one fuzz target over its committed seeds for a bounded number of inputs.
# New inputs go to a scratch folder, so the committed corpus stays as it is.
set -euo pipefail
bin=$1; seeds=$2
[ -x "$bin" ] || { echo "fuzz target $bin was not built"; exit 1; }
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
cd "$scratch"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
"$bin" -runs="${FUZZ_RUNS:-50000}" -max_len=4096 -timeout=10 "$scratch" "$seeds"
