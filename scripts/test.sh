#!/usr/bin/env bash
# Sets up, builds and runs every test: unit, display (under Xvfb), end-to-end and fuzz, and the
# unit and display tests once more in an ASan+LSan+UBSan build (build-sanitize/, run by the
# sanitize.unit and sanitize.display tests). Arguments go to ctest: scripts/test.sh -L unit.
set -euo pipefail
cd "$(dirname "$0")/.."
export TVL_CMAKE_ARGS="${TVL_CMAKE_ARGS:-} -DTVL_SANITIZE_BUILD=$PWD/build-sanitize"
scripts/setup.sh
cmake -S . -B build-sanitize -G Ninja -DTVL_SANITIZE=ON -DTVL_FUZZERS=OFF -DTVL_BENCH=OFF >/dev/null
cmake --build build-sanitize -j"$(nproc)"
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing: display tests cannot run"; exit 1; }
export ALSOFT_DRIVERS=null
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  ctest --test-dir build --output-on-failure -j"$(nproc)" "$@"
