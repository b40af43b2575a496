#!/usr/bin/env bash
# Makes 32-bit Linux programs (Wine's 32-bit loader among them) run on a machine whose kernel
# refuses them. Some virtual machines run 64-bit user code only: there an i386 execve fails with
# "Exec format error", and no 32-bit Windows program can start under Wine. This hands such
# programs to QEMU's user-mode emulator through binfmt_misc, so Wine and everything it starts
# run as before, only slower. Where 32-bit programs already run, it does nothing.
#
# The emulator comes from Debian's bookworm-backports (QEMU 10): bookworm's own QEMU 7.2 searches
# the guest's address space page by page for every unplaced mapping, and with the address space
# Wine reserves each search takes long enough that making the Wine prefix alone took over ten
# minutes (about 20 s with QEMU 10).
set -euo pipefail

probe=/usr/lib/wine/wine  # the 32-bit loader of Debian's wine32
runs_32bit() { "$probe" --version >/dev/null 2>&1; }

[ -x "$probe" ] || { echo "emulate-32bit: $probe is missing (wine32:i386 is not installed)"; exit 1; }
runs_32bit && exit 0

echo "setup: this machine runs no 32-bit programs; handing them to QEMU's user-mode emulator"
SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
emulator=/usr/bin/qemu-i386
if ! "$emulator" --version 2>/dev/null | grep -qE 'version (9\.[1-9]|[1-9][0-9])'; then
  if ! grep -rqs 'bookworm-backports' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: bookworm-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' |
      $SUDO tee /etc/apt/sources.list.d/bookworm-backports.sources >/dev/null
  fi
  for attempt in 1 2 3; do
    $SUDO apt-get update -q || true
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends -t bookworm-backports qemu-user &&
      break
    [ "$attempt" -eq 3 ] && { echo "emulate-32bit: qemu-user could not be installed"; exit 1; }
    sleep 30
  done
fi

misc=/proc/sys/fs/binfmt_misc
[ -e "$misc/register" ] || $SUDO mount -t binfmt_misc binfmt_misc "$misc"
# An earlier entry of the same name (another emulator, say) gives way to this one.
[ -e "$misc/qemu-i386" ] && echo -1 | $SUDO tee "$misc/qemu-i386" >/dev/null
# i386 ELF executables and shared objects; F opens the emulator now, so it serves every mount
# namespace and chroot as well.
magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
printf ':qemu-i386:M::%s:%s:%s:F\n' "$magic" "$mask" "$emulator" | $SUDO tee "$misc/register" >/dev/null

runs_32bit || { echo "emulate-32bit: 32-bit programs still do not run"; exit 1; }
echo "setup: 32-bit programs now run through $emulator"
