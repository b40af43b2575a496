#!/usr/bin/env bash
# Builds the program and starts it under Wine, as a user would. Without a display it starts a
# virtual one, drives a short demo scan (when the demo site is used) and saves a screenshot of
# the filled window. It runs the build that runs natively here: the 32-bit program where the
# machine runs 32-bit code, else the 64-bit one; `--target 32` or `--target 64` (first) picks
# one. Other arguments go to the program.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/setup.sh"
if [ "${1:-}" = --target ]; then
  export REELSCOUT_TARGET="${2:?--target takes 32 or 64}"
  shift 2
else
  . "$here/env.sh"
  if reelscout_32bit_emulated; then export REELSCOUT_TARGET=64; else export REELSCOUT_TARGET=32; fi
fi
"$here/build.sh" reelscout demosite demoscan
. "$here/env.sh"
how=natively
[ "$REELSCOUT_TARGET" = 32 ] && reelscout_32bit_emulated && how="emulated: this machine runs no 32-bit code"
echo "run: the $REELSCOUT_TARGET-bit build ($how)"
virtual=0
[ -z "${DISPLAY:-}" ] && virtual=1
. "$here/xvfb.sh"

# The program scans the bundled demo movie site unless another host is named.
site_pid=""
case " $* " in
  *" --site-host "*) ;;
  *)
    "$REELSCOUT_WINE" "$REELSCOUT_BUILD_DIR/bin/demosite.exe" --port 8642 >"$REELSCOUT_BUILD_DIR/demosite.log" 2>&1 </dev/null &
    site_pid=$!
    echo "run: demo movie site on http://127.0.0.1:8642/movie/<id>"
    ;;
esac

exe="$REELSCOUT_BUILD_DIR/bin/$REELSCOUT_EXE_NAME"
echo "run: starting $exe $*"
"$REELSCOUT_WINE" "$exe" "$@" >"$REELSCOUT_BUILD_DIR/reelscout-wine.log" 2>&1 </dev/null &
pid=$!
cleanup() {
  kill -TERM "$pid" 2>/dev/null || true
  [ -n "$site_pid" ] && kill -TERM "$site_pid" 2>/dev/null || true
  [ -n "${REELSCOUT_XVFB_PID:-}" ] && kill "$REELSCOUT_XVFB_PID" 2>/dev/null || true
}
trap cleanup INT TERM EXIT

if [ "$virtual" = 1 ]; then
  if [ -n "$site_pid" ]; then
    # Nobody can watch: answer the warning, scan IDs 10001 to 10030 of the demo site, answer the summary.
    "$REELSCOUT_WINE" "$REELSCOUT_BUILD_DIR/bin/demoscan.exe" 2>/dev/null </dev/null | tr -d '\r' || echo "run: the demo scan did not finish"
  else
    sleep 4
  fi
  shot="$REELSCOUT_BUILD_DIR/screenshot.png"
  import -window root "$shot" 2>/dev/null && echo "run: screenshot of the virtual screen saved to $shot"
  echo "run: the program keeps running on the virtual display $DISPLAY; Ctrl+C ends it"
fi
set +e
wait "$pid"
rc=$?
echo "run: the program ended with exit code $rc"
exit 0
