// The runtime heap: the process heap, with constants of the program image recognised by
// address range and never released. Blocks carry no header of ours (except in the 64-bit build's
// above-4 GB test mode, runtime/high_heap.h).
#pragma once
#include <cstddef>
#include <cstdint>

#include "runtime/abi/values.h"

namespace rt {

// Sets the read-only range [start, start + length) whose blocks FreeBlock ignores and ReallocBlock copies.
void SetConstantBounds(const void* start, uint32_t length);
bool InConstantArea(const void* p);

void* AllocBlock(uint32_t size);     // failure: runtime error "分配 %d 字节内存失败!"
void* TryAllocBlock(uint32_t size);  // failure: null
void* ReallocBlock(void* block, uint32_t size);
void FreeBlock(void* block);
// Runtime blocks alive now (the process heap's busy blocks, or the above-4 GB mode's blocks).
size_t LiveBlocks();
void MakeArrayPrivate(uint32_t elementWidth, void** arrayPointer);
// Frees an array value; Text and ByteArray elements are freed first.
void FreeArray(TypeCode type, void* array);

char* DupText(const char* text);                        // null for null or ""
char* TextFromBytes(const void* bytes, int32_t length);  // null when length < 1
void* ByteArrayFromBytes(const void* bytes, uint32_t length);  // null when length is 0

// Size in bytes of a whole array block.
uint32_t ArrayBlockSize(const void* array, uint32_t elementWidth);

}  // namespace rt
