#!/usr/bin/env bash
# Runs one label's tests (unit or display) of a -DTVL_SANITIZE=ON build with leak checking. Any
# ASan, LSan or UBSan report fails the test it happens in.
set -euo pipefail
build=$1; label=$2
here=$(cd "$(dirname "$0")" && pwd)
[ -f "$build/CTestTestfile.cmake" ] || { echo "sanitizer build $build was not built"; exit 1; }
export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$here/lsan.supp
export UBSAN_OPTIONS=print_stacktrace=1
# Mesa unloads its software driver when the display closes; blocks that only the driver's globals
# point at then look leaked (lsan.supp says how that was shown). Preloaded, it is never unloaded,
# so those stay reachable and its frames keep their names. The preload comes before ASan's runtime
# in the library list, which is harmless here: the driver defines no allocator.
driver=/usr/lib/$(gcc -dumpmachine)/dri/swrast_dri.so
if [ "$label" = display ] && [ -f "$driver" ]; then
  export LD_PRELOAD=$driver ASAN_OPTIONS=$ASAN_OPTIONS:verify_asan_link_order=0
fi
exec ctest --test-dir "$build" -L "$label" --output-on-failure -j"${TVL_SANITIZE_JOBS:-4}"
