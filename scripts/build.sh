#!/usr/bin/env bash
# Installs what is missing, then configures and builds the exe and the tests of the target
# REELSCOUT_TARGET (32, the default, or 64). Arguments go to the build tool (target names).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/setup.sh"
. "$here/env.sh"
options=(-DCMAKE_TOOLCHAIN_FILE="$REELSCOUT_ROOT/cmake/mingw-i686.cmake")
if [ "$REELSCOUT_TARGET" = 64 ]; then
  # The 64-bit build checks its generated image against the 32-bit build's.
  options=(-DCMAKE_TOOLCHAIN_FILE="$REELSCOUT_ROOT/cmake/mingw-x86_64.cmake"
           -DREELSCOUT_PEER_BUILD="${REELSCOUT_BUILD:-$REELSCOUT_ROOT/build}")
fi
if [ ! -f "$REELSCOUT_BUILD_DIR/build.ninja" ]; then
  cmake -S "$REELSCOUT_ROOT" -B "$REELSCOUT_BUILD_DIR" -G Ninja "${options[@]}" >/dev/null
fi
cmake --build "$REELSCOUT_BUILD_DIR" -- -j"$(nproc)" "$@"
