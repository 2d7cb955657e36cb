#!/usr/bin/env bash
# Builds the project file fuzz target with clang into build/fuzz, seeds its
# corpus from the project files under tests/data and runs it for a bounded
# time: the first argument in seconds, 300 when none is given. Inputs that
# crash are left in build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-300}"

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DARROWPLAN_FUZZ=ON -DARROWPLAN_BUILD_TESTS=OFF -DARROWPLAN_BUILD_BENCH=OFF \
    -DARROWPLAN_BUILD_UI=OFF >/dev/null
cmake --build build/fuzz -j2 --target loadproject_fuzz

corpus=build/fuzz/corpus/loadproject
mkdir -p "$corpus" build/fuzz/artifacts
cp tests/data/*.prt tests/data/corrupt/*.prt "$corpus"/

exec build/fuzz/fuzz/loadproject_fuzz "$corpus" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build/fuzz/artifacts/ -print_final_stats=1
