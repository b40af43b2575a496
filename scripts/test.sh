#!/usr/bin/env bash
# Builds everything and runs every test (unit, integration in real windows, black-box) under
# Wine in a virtual display. Extra arguments go to ctest (e.g. -R Values).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/build.sh"
. "$here/env.sh"
. "$here/xvfb.sh"
cd "$REELSCOUT_BUILD"
ctest --output-on-failure -j"$(nproc)" "$@"
