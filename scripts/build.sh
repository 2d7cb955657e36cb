#!/usr/bin/env bash
# Optimised build of the programs and the benchmarks into build/release.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DARROWPLAN_BUILD_TESTS=OFF >/dev/null
cmake --build build/release -j2
