# Sourced by the project's scripts: the Wine settings every run and test uses.
REELSCOUT_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export REELSCOUT_ROOT
export WINEPREFIX="${REELSCOUT_WINEPREFIX:-$HOME/.cache/reelscout/wine32}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# LC_ALL, not LANG: an inherited LC_ALL would override LANG. This makes GetACP() 936.
export LC_ALL=zh_CN.UTF-8
export REELSCOUT_BUILD="${REELSCOUT_BUILD:-$REELSCOUT_ROOT/build}"
