// A test mode of the 64-bit build in which the runtime heap hands out blocks from above 4 GB.
// Under 64-bit Wine the process heap, stacks and most allocations sit below 4 GB, so an address
// cut to 32 bits would often still work in a test; with REELSCOUT_HIGH_HEAP=1 in the environment
// every runtime block (and so every text, byte array, cell and result that crosses the interface)
// has an address above 4 GB, and a cut shows at once. The 32-bit program never enables it.
#pragma once
#include <cstddef>
#include <cstdint>

namespace rt {

// Whether the mode is on (decided once, from the environment, on first use).
bool HighHeapEnabled();
// Blocks of the mode; null when the size cannot be had. Realloc moves when the block's size
// class is outgrown and keeps the contents up to the smaller size.
void* HighAlloc(uint32_t size);
void* HighRealloc(void* block, uint32_t size);
// False when the block is not one of the mode's (the caller frees it elsewhere).
bool HighFree(void* block);
bool InHighHeap(const void* block);
// Blocks handed out and not yet freed.
size_t HighLiveBlocks();

}  // namespace rt
