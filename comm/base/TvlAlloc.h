// Allocation wrappers and the process-wide pool of 1024-byte coder blocks.
// Every failed allocation ends the process through TvlOutOfMemory.
#pragma once

#include <cstddef>
#include <cstdint>

class CTvlObject;

// Size of the blocks that the pool keeps, and how many it keeps.
constexpr uint32_t kTvlPoolBlockSize = 1024;
constexpr int kTvlPoolSlots = 5;

// A block of `size` bytes: for exactly 1024 the first pooled block when there
// is one, else a fresh allocation.
uint8_t* TvlPoolGet(uint32_t size);

// Gives a block back: a 1024-byte block goes into the first empty slot;
// any other size, or a full pool, frees it.
void TvlPoolPut(uint32_t size, uint8_t* block);

// Number of free blocks the pool holds now.
int TvlPoolCount();

// Allocates `size` bytes (none for 0) and sets `mark` to 1, the mark of the
// library's allocator.
void* TvlAlloc(size_t size, int32_t& mark);

// Frees a block of TvlAlloc when it exists and `owned` is set. The library
// has one allocator, so every mark frees the same way.
void TvlFree(void* block, int32_t mark, bool owned);

// Raw allocation of `size` bytes, released with ::operator delete.
void* TvlNew(size_t size);

// Deletes a present object.
void TvlDelete(CTvlObject* object);
