#!/usr/bin/env bash
# Builds and starts the desktop program. Without an argument it opens the
# first bundled sample plan.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
exec build/release/app/arrowplan "$@"
