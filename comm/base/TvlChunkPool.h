// CTvlChunkPool: process-wide store of up to 1024 free byte chunks.
#pragma once

#include "TvlByteChunk.h"

class CTvlChunkPool {
public:
    static constexpr int kSlots = 1024;

    // A free chunk from the pool, or a new empty one; nullptr when memory
    // runs out. The slot array is made at the first call.
    static CTvlByteChunk* Get();
    // Empties the chunk and keeps it; deletes it when the pool is full or
    // does not exist.
    static void Put(CTvlByteChunk* chunk);
    // Chunks the pool holds now.
    static int Count();
};
