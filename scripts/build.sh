#!/usr/bin/env bash
# Installs what is missing, then configures and builds the exe and the tests.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/setup.sh"
. "$here/env.sh"
if [ ! -f "$REELSCOUT_BUILD/build.ninja" ]; then
  cmake -S "$REELSCOUT_ROOT" -B "$REELSCOUT_BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$REELSCOUT_ROOT/cmake/mingw-i686.cmake" >/dev/null
fi
cmake --build "$REELSCOUT_BUILD" -- -j"$(nproc)" "$@"
