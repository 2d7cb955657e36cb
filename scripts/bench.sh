#!/usr/bin/env bash
# Runs the benchmarks of the optimised build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
exec build/release/bench/arrowplan-bench "$@"
