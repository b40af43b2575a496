#!/usr/bin/env bash
# Creates and configures the Wine prefix of the target REELSCOUT_TARGET (32 or 64) once; later
# runs only check the stamp.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/env.sh"
stamp="$WINEPREFIX/.reelscout-configured-v1"
[ -f "$stamp" ] && exit 0

echo "setup: creating the $REELSCOUT_TARGET-bit Wine prefix in $WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
"$REELSCOUT_WINE" wineboot -i >/dev/null 2>&1 </dev/null
wineserver -w
# Quiet crashes: without this a crashing test waits for ever on a crash dialog.
"$REELSCOUT_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
# Wine draws captions, frames and menus itself: reliable focus without a window manager.
"$REELSCOUT_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
# Debian's Wine does not load its own fonts from /usr/share: copy them into the prefix.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$fonts"
for d in /usr/share/wine/fonts /usr/share/fonts/truetype/wine; do
  [ -d "$d" ] && cp -n "$d"/* "$fonts"/ 2>/dev/null || true
done
touch "$stamp"
