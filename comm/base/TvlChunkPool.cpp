#include "TvlChunkPool.h"

#include <cstdlib>
#include <new>

#include "TvlLog.h"

namespace {

// Filled slots are kept at the front: [0, g_count).
CTvlByteChunk** g_slots = nullptr;
int g_count = 0;

void ReleasePool()
{
    for (int i = 0; i < g_count; ++i)
        delete g_slots[i];
    delete[] g_slots;
    g_slots = nullptr;
    g_count = 0;
}

void CreatePool()
{
    g_slots = new (std::nothrow) CTvlByteChunk*[CTvlChunkPool::kSlots]();
    if (!g_slots)
        TvlOutOfMemory();
    std::atexit(ReleasePool);
}

} // namespace

CTvlByteChunk* CTvlChunkPool::Get()
{
    if (!g_slots)
        CreatePool();
    if (g_count > 0)
        return g_slots[--g_count];
    return new (std::nothrow) CTvlByteChunk;
}

void CTvlChunkPool::Put(CTvlByteChunk* chunk)
{
    if (!chunk)
        return;
    if (!g_slots || g_count == kSlots) {
        delete chunk;
        return;
    }
    chunk->Reset();
    g_slots[g_count++] = chunk;
}

int CTvlChunkPool::Count()
{
    return g_count;
}
