#!/usr/bin/env bash
# Builds and runs the benchmarks; they print figures (nothing here passes or fails on time).
#   bash scripts/bench.sh [pages] [rounds]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/build.sh" scan_bench
. "$here/env.sh"
. "$here/xvfb.sh"
"$REELSCOUT_ROOT/tools/wine-run" "$REELSCOUT_BUILD/tests/bench/scan_bench.exe" "$@"
