#!/usr/bin/env bash
# Sets up, builds and runs every test: unit, display (under Xvfb), end-to-end and fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing: display tests cannot run"; exit 1; }
export ALSOFT_DRIVERS=null
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  ctest --test-dir build --output-on-failure -j"$(nproc)" "$@"
