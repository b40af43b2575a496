#!/usr/bin/env bash
# Builds the benchmarks for both targets and runs them on each target that runs natively here
# (BENCH_TARGETS="32 64" picks; a target run emulated says so in its first line). They print
# figures; nothing here passes or fails on time.
#   bash scripts/bench.sh   (BENCH_PAGES, BENCH_ROUNDS, BENCH_IDS, BENCH_LONG_IDS, BENCH_UI_ROUNDS set the sizes)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/setup.sh"
. "$here/env.sh"
native="32 64"
reelscout_32bit_emulated && native="64"
for t in 32 64; do REELSCOUT_TARGET=$t "$here/build.sh" scan_bench scan_ui_bench; done
for t in ${BENCH_TARGETS:-$native}; do
  (
    export REELSCOUT_TARGET=$t
    . "$here/env.sh"
    REELSCOUT_EMULATED=0
    [ "$t" = 32 ] && reelscout_32bit_emulated && REELSCOUT_EMULATED=1
    export REELSCOUT_EMULATED
    . "$here/xvfb.sh"
    # scan_bench [pages] [rounds]: the page fetch against a bare WinINet loop, conversion and search.
    "$REELSCOUT_ROOT/tools/wine-run" "$REELSCOUT_BUILD_DIR/tests/bench/scan_bench.exe" "${BENCH_PAGES:-2000}" "${BENCH_ROUNDS:-5}"
    # scan_ui_bench [ids] [long-ids] [rounds]: the shipped program scanning the demo site, driven from outside.
    "$REELSCOUT_ROOT/tools/wine-run" "$REELSCOUT_BUILD_DIR/tests/bench/scan_ui_bench.exe" "${BENCH_IDS:-2000}" \
      "${BENCH_LONG_IDS:-30000}" "${BENCH_UI_ROUNDS:-7}"
  )
done
