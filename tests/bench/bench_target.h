// The first line every benchmark prints: which build it is, and whether it ran under an emulator
// (whose figures say nothing about the program's speed). scripts/bench.sh sets REELSCOUT_EMULATED.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <cstring>

inline void PrintBenchTarget(const char* name) {
  const char* emulated = std::getenv("REELSCOUT_EMULATED");
  const bool underEmulator = emulated && std::strcmp(emulated, "1") == 0;
  std::printf("%s: %d-bit build (%s), %s\n", name, static_cast<int>(sizeof(void*) * 8),
              sizeof(void*) == 8 ? "x86_64" : "i686",
              underEmulator ? "run EMULATED: these figures mean nothing about the program's speed" : "run natively");
  std::fflush(stdout);
}
