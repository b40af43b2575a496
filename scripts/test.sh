#!/usr/bin/env bash
# Builds everything and runs every test (unit, integration in real windows, black-box) under
# Wine in a virtual display, for each target: the 32-bit program (natively where the machine runs
# 32-bit code, emulated where it does not), the 64-bit build natively, and the 64-bit build again
# with every runtime block above 4 GB (REELSCOUT_HIGH_HEAP=1), where an address cut to 32 bits
# fails at once. REELSCOUT_TARGETS picks some of "32 64 64-high" for a quick loop; extra arguments
# go to ctest (e.g. -R Values).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/setup.sh"
"$here/check-pointer-casts.sh"

targets="${REELSCOUT_TARGETS:-32 64 64-high}"
passed=0 failed=0 status=0
for t in $targets; do
  bits="${t%%-*}"
  case "$t" in 32|64|64-high) ;; *) echo "test: unknown target $t (32, 64 or 64-high)"; exit 2 ;; esac
  log="$(mktemp)"
  set +e
  (
    set -euo pipefail
    export REELSCOUT_TARGET="$bits"
    [ "$t" = 64-high ] && export REELSCOUT_HIGH_HEAP=1
    "$here/build.sh" all scan_bench scan_ui_bench  # the benchmarks too, so they keep compiling
    . "$here/env.sh"
    how=natively
    [ "$bits" = 32 ] && reelscout_32bit_emulated && how="emulated (this machine runs no 32-bit code)"
    echo "test: target $t, $bits-bit build in $REELSCOUT_BUILD_DIR, run $how"
    . "$here/xvfb.sh"
    cd "$REELSCOUT_BUILD_DIR"
    ctest --output-on-failure -j"$(nproc)" "$@"
  ) 2>&1 | tee "$log"
  rc=${PIPESTATUS[0]}
  set -e
  [ "$rc" -ne 0 ] && status=1
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [ -n "$line" ]; then
    total=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
    bad=$(sed -E 's/.*, ([0-9]+) tests? failed.*/\1/' <<<"$line")
    passed=$((passed + total - bad)); failed=$((failed + bad))
    echo "test: target $t: $((total - bad)) passed, $bad failed"
  else
    echo "test: target $t: no test summary (the build or the set-up failed)"
    status=1
  fi
  rm -f "$log"
done
echo "total: $passed passed, $failed failed"
exit "$status"
