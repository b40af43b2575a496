#!/usr/bin/env bash
# Fails on a cast of a pointer (or of a pointer-sized integer) to a 32-bit integer anywhere in the
# sources outside the ABI helpers (runtime/abi/), where the one conversion between addresses and
# the words that carry them lives. On the 64-bit build such a cast cuts an address in half, and
# the compiler says nothing about an explicit cast. Casts split over several lines are found too.
#   check-pointer-casts.sh [folder ...]   (default: the project's source folders)
#   check-pointer-casts.sh --self-test    (shows the check finds what it must and only that)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

scan() {
  # Prints file:line: text for every offending cast in the C++ files under the given folders.
  find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -not -path '*/runtime/abi/*' -print0 |
    xargs -0 -r perl -0777 -ne '
      my $narrow = qr/(?:u?int32_t|u?int16_t|DWORD|UINT|ULONG|LONG|INT|int|unsigned(?:\s+int)?|long|WORD|BOOL)/;
      my $wide = qr/(?:u?intptr_t|UINT_PTR|DWORD_PTR|ULONG_PTR|LONG_PTR|INT_PTR|size_t|u?int64_t|SIZE_T)/;
      my @patterns = (
        qr/reinterpret_cast\s*<\s*(?:const\s+)?$narrow\s*>\s*\(/,
        qr/static_cast\s*<\s*$narrow\s*>\s*\(\s*reinterpret_cast\s*<\s*$wide\s*>/,
        qr/static_cast\s*<\s*$narrow\s*>\s*\(\s*(?:Word|ServiceWord)\s*\(/,
        qr/\(\s*$narrow\s*\)\s*\(?\s*(?:reinterpret_cast\s*<\s*$wide\s*>|\(\s*$wide\s*\))/,
        qr/\b(?:PtrToUlong|PtrToUint|PtrToLong|PtrToInt|PtrToUshort|HandleToULong|HandleToLong|HandleToUlong)\s*\(/,
      );
      for my $p (@patterns) {
        while (/$p/g) {
          my $line = 1 + (substr($_, 0, $-[0]) =~ tr/\n//);
          my ($text) = (substr($_, $-[0]) =~ /^([^\n]*)/);
          print "$ARGV:$line: $text\n";
        }
      }'
}

if [ "${1:-}" = --self-test ]; then
  dir="$(mktemp -d)"
  trap 'rm -rf "$dir"' EXIT
  mkdir -p "$dir/bad" "$dir/good" "$dir/runtime/abi"
  cat >"$dir/bad/a.cpp" <<'SRC'
uint32_t a = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
uint32_t b = static_cast<uint32_t>(
    reinterpret_cast<uintptr_t>(window));
DWORD c = (DWORD)(DWORD_PTR)handle;
int d = reinterpret_cast<int>(p);
ULONG e = PtrToUlong(p);
CmdArg f = MakeInt(static_cast<int32_t>(Word(feed)));
SRC
  cat >"$dir/good/b.cpp" <<'SRC'
AddrWord a = Word(p);
uint32_t b = HandleWord(window);
HMENU c = HandleFromWord<HMENU>(id);
LONG_PTR d = reinterpret_cast<LONG_PTR>(view);
uint32_t e = static_cast<uint32_t>(text.size());
SRC
  cp "$dir/bad/a.cpp" "$dir/runtime/abi/helpers.h"
  found=$(scan "$dir/bad" | wc -l)
  clean=$(scan "$dir/good" "$dir/runtime" | wc -l)
  if [ "$found" -eq 6 ] && [ "$clean" -eq 0 ]; then
    echo "pointer casts: self-test passed (6 of 6 cuts found, none in good code or in the ABI helpers)"
    exit 0
  fi
  echo "pointer casts: self-test FAILED: found $found of 6 cuts, $clean in good code or the ABI helpers"
  scan "$dir/bad" "$dir/good" "$dir/runtime"
  exit 1
fi

folders=("$@")
[ ${#folders[@]} -eq 0 ] && folders=("$root/runtime" "$root/forms" "$root/modules" "$root/app" "$root/tools" "$root/tests")
hits=$(scan "${folders[@]}")
if [ -n "$hits" ]; then
  echo "pointer casts: a pointer is cast to a 32-bit integer outside runtime/abi/ (use Word, AddrLow/AddrHigh, HandleWord):"
  echo "$hits"
  exit 1
fi
echo "pointer casts: none outside the ABI helpers"
