#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and
# runs the whole test suite, with warnings as errors. The exit status is ctest's.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DARROWPLAN_SANITIZE=ON -DARROWPLAN_WERROR=ON \
      -DARROWPLAN_BUILD_BENCH=OFF >/dev/null
cmake --build build/test -j2
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
set +e
ctest --test-dir build/test -j2 --output-on-failure "$@"
status=$?
exit $status
