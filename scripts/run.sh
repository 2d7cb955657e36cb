#!/usr/bin/env bash
# Builds and starts the desktop program. Without an argument it opens the
# first bundled sample plan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
app=build/release/app
if [ $# -eq 0 ]; then
  first=$(find "$app/示例" -maxdepth 1 -name '*.prt' | LC_ALL=C sort | head -n 1)
  if [ -n "$first" ]; then set -- "$first"; fi
fi
exec "$app/arrowplan" "$@"
