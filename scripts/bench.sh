#!/usr/bin/env bash
# Builds and runs the benchmarks; they print figures (nothing here passes or fails on time).
#   bash scripts/bench.sh   (BENCH_PAGES, BENCH_ROUNDS, BENCH_IDS, BENCH_LONG_IDS, BENCH_UI_ROUNDS set the sizes)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/build.sh" scan_bench scan_ui_bench
. "$here/env.sh"
. "$here/xvfb.sh"
# scan_bench [pages] [rounds]: the page fetch against a bare WinINet loop, conversion and search.
"$REELSCOUT_ROOT/tools/wine-run" "$REELSCOUT_BUILD/tests/bench/scan_bench.exe" "${BENCH_PAGES:-2000}" "${BENCH_ROUNDS:-5}"
# scan_ui_bench [ids] [long-ids] [rounds]: the shipped program scanning the demo site, driven from outside.
"$REELSCOUT_ROOT/tools/wine-run" "$REELSCOUT_BUILD/tests/bench/scan_ui_bench.exe" "${BENCH_IDS:-2000}" "${BENCH_LONG_IDS:-30000}" \
  "${BENCH_UI_ROUNDS:-7}"
