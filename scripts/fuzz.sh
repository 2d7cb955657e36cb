#!/usr/bin/env bash
# Builds a fuzz target with clang into build/fuzz, seeds its corpus and runs
# it for a bounded time.
#   scripts/fuzz.sh [SECONDS] [loadproject|importxml]
# SECONDS defaults to 300, the target to loadproject (the project file
# reader and writer); importxml fuzzes the interchange XML importer. The
# corpus grows in build/fuzz/corpus/TARGET between runs; inputs that crash
# are left in build/fuzz/artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-300}"
target="${2:-loadproject}"

case "$target" in
loadproject) seeds=(tests/data/*.prt tests/data/corrupt/*.prt share/示例/*.prt) ;;
importxml) seeds=(tests/data/xml/*.xml) ;;
*) echo "unknown fuzz target: $target (loadproject or importxml)" >&2; exit 2 ;;
esac

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DARROWPLAN_FUZZ=ON -DARROWPLAN_BUILD_TESTS=OFF -DARROWPLAN_BUILD_BENCH=OFF \
    -DARROWPLAN_BUILD_UI=OFF >/dev/null
cmake --build build/fuzz -j2 --target "${target}_fuzz"

corpus="build/fuzz/corpus/$target"
mkdir -p "$corpus" build/fuzz/artifacts
cp "${seeds[@]}" "$corpus"/

exec "build/fuzz/fuzz/${target}_fuzz" "$corpus" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build/fuzz/artifacts/ -print_final_stats=1
