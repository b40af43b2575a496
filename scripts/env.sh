# Sourced by the project's scripts: the Wine settings every run and test uses.
# REELSCOUT_TARGET picks the build: 32 (the 32-bit program, build/, prefix wine32) or 64 (the
# 64-bit build, build64/, prefix wine64). REELSCOUT_BUILD/REELSCOUT_WINEPREFIX override the
# 32-bit folders, REELSCOUT_BUILD64/REELSCOUT_WINEPREFIX64 the 64-bit ones.
REELSCOUT_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export REELSCOUT_ROOT
export REELSCOUT_TARGET="${REELSCOUT_TARGET:-32}"
if [ "$REELSCOUT_TARGET" = 64 ]; then
  export WINEPREFIX="${REELSCOUT_WINEPREFIX64:-$HOME/.cache/reelscout/wine64}"
  export WINEARCH=win64
  # The 64-bit loader itself: Debian's `wine` wrapper would start the 32-bit one first.
  export WINELOADER=/usr/lib/wine/wine64
  REELSCOUT_WINE=/usr/lib/wine/wine64
  REELSCOUT_BUILD_DIR="${REELSCOUT_BUILD64:-$REELSCOUT_ROOT/build64}"
  REELSCOUT_EXE_NAME=reelscout64.exe
else
  export WINEPREFIX="${REELSCOUT_WINEPREFIX:-$HOME/.cache/reelscout/wine32}"
  export WINEARCH=win32
  unset WINELOADER
  REELSCOUT_WINE=wine
  REELSCOUT_BUILD_DIR="${REELSCOUT_BUILD:-$REELSCOUT_ROOT/build}"
  REELSCOUT_EXE_NAME=reelscout.exe
fi
export REELSCOUT_WINE REELSCOUT_BUILD_DIR REELSCOUT_EXE_NAME
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# LC_ALL, not LANG: an inherited LC_ALL would override LANG. This makes GetACP() 936.
export LC_ALL=zh_CN.UTF-8

# Whether 32-bit programs run here only through QEMU's user-mode emulator (see emulate-32bit.sh).
reelscout_32bit_emulated() {
  local entry=/proc/sys/fs/binfmt_misc/qemu-i386
  [ -e "$entry" ] && head -n 1 "$entry" 2>/dev/null | grep -qx enabled
}
