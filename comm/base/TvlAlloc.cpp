#include "TvlAlloc.h"

#include <cstdlib>
#include <new>

#include "TvlLog.h"
#include "TvlObject.h"

namespace {

// The slot array exists from the first TvlPoolGet until process exit.
uint8_t** g_slots = nullptr;

void ReleasePool()
{
    for (int i = 0; i < kTvlPoolSlots; ++i)
        std::free(g_slots[i]);
    delete[] g_slots;
    g_slots = nullptr;
}

void CreatePool()
{
    g_slots = new (std::nothrow) uint8_t*[kTvlPoolSlots]();
    if (!g_slots)
        TvlOutOfMemory();
    std::atexit(ReleasePool);
}

uint8_t* TakePooledBlock()
{
    for (int i = 0; i < kTvlPoolSlots; ++i) {
        if (uint8_t* block = g_slots[i]) {
            g_slots[i] = nullptr;
            return block;
        }
    }
    return nullptr;
}

} // namespace

uint8_t* TvlPoolGet(uint32_t size)
{
    if (!g_slots)
        CreatePool();
    uint8_t* block = size == kTvlPoolBlockSize ? TakePooledBlock() : nullptr;
    if (!block)
        block = static_cast<uint8_t*>(std::malloc(size ? size : 1));
    if (!block)
        TvlOutOfMemory();
    return block;
}

void TvlPoolPut(uint32_t size, uint8_t* block)
{
    if (size == kTvlPoolBlockSize && g_slots) {
        for (int i = 0; i < kTvlPoolSlots; ++i) {
            if (!g_slots[i]) {
                g_slots[i] = block;
                return;
            }
        }
    }
    std::free(block);
}

int TvlPoolCount()
{
    int count = 0;
    for (int i = 0; g_slots && i < kTvlPoolSlots; ++i)
        count += g_slots[i] != nullptr;
    return count;
}

void* TvlAlloc(size_t size, int32_t& mark)
{
    mark = 1;
    if (size == 0)
        return nullptr;
    void* block = std::malloc(size);
    if (!block)
        TvlOutOfMemory();
    return block;
}

void TvlFree(void* block, int32_t /*mark*/, bool owned)
{
    if (block && owned)
        std::free(block);
}

void* TvlNew(size_t size)
{
    void* block = ::operator new(size, std::nothrow);
    if (!block)
        TvlOutOfMemory();
    return block;
}

void TvlDelete(CTvlObject* object)
{
    delete object;
}
