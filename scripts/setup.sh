#!/usr/bin/env bash
# Installs what the build and the tests need on a Debian 12 machine and prepares the
# project's own Wine prefixes, a 32-bit and a 64-bit one. Every step checks first, so a second run takes seconds.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
. "$here/env.sh"

need_pkgs=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools wine wine32:i386 wine64 xvfb xauth xdotool
           imagemagick x11-utils locales fonts-wqy-microhei fonts-wine libboost1.81-dev
           googletest cmake ninja-build file)

missing=()
for p in "${need_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  if ! dpkg --print-foreign-architectures | grep -qx i386; then $SUDO dpkg --add-architecture i386; fi
  # A mirror in the middle of a sync fails one index or another for a while. With the security
  # suite's i386 index missing, the 32-bit libraries cannot match the 64-bit ones that suite
  # would upgrade, so the second try prefers the release's own versions throughout; later tries
  # update again, a little later each time, before giving up.
  for attempt in 1 2 3 4 5; do
    $SUDO apt-get update -q || echo "setup: apt-get update reported a failure (attempt $attempt of 5)"
    release=()
    [ "$attempt" -ge 2 ] && release=(-t bookworm)
    if DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${release[@]}" "${missing[@]}"; then
      break
    fi
    [ "$attempt" -eq 5 ] && { echo "setup: the packages could not be installed"; exit 1; }
    echo "setup: install failed (attempt $attempt of 5); trying again in $((attempt * 30 - 30)) s"
    sleep $((attempt * 30 - 30))
  done
fi

# zh_CN.UTF-8 makes Wine's ANSI code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

# Checked at every run: a machine whose kernel runs no 32-bit programs loses the emulator's
# registration when it restarts.
"$here/emulate-32bit.sh"
REELSCOUT_TARGET=32 "$here/make-wineprefix.sh"
REELSCOUT_TARGET=64 "$here/make-wineprefix.sh"
