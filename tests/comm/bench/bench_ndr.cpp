// Cost of coding a typical chat message with TvlNdr beside a plain memcpy of
// the same bytes, with the heap allocations per message. An outgoing message
// must not allocate once the block pool is warm; the program fails if it does.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "TvlBlob.h"
#include "TvlNdr.h"

extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);
extern "C" void __libc_free(void* block);

namespace {

std::atomic<uint64_t> g_allocations{0};

} // namespace

// Every heap allocation of the process passes through these and is counted.
extern "C" void* malloc(size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(size);
}

extern "C" void* calloc(size_t count, size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(count, size);
}

extern "C" void* realloc(void* block, size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(block, size);
}

void* operator new(size_t size)
{
    if (void* block = malloc(size ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept
{
    __libc_free(block);
}

void operator delete(void* block, size_t) noexcept
{
    __libc_free(block);
}

namespace {

struct ChatMessage {
    uint16_t key = 0x0102;
    uint32_t id = 0x11223344;
    uint16_t op = 17;
    uint32_t object = 0x55667788;
    uint16_t mode = 5;
    std::string text = std::string(80, 'm');
};

void Write(const ChatMessage& message, TvlNdr& writer)
{
    writer.PutShort(message.key);
    writer.PutLong(message.id);
    writer.PutShort(message.op);
    writer.PutLong(message.object);
    writer.PutShort(message.mode);
    writer.PutText(message.text);
    writer.PutLong(0);
    writer.PutBytes(0, nullptr);
}

bool Read(TvlNdr& reader, ChatMessage& out, CTvlBlob& blob)
{
    return reader.GetShort(out.key) && reader.GetLong(out.id) && reader.GetShort(out.op) &&
           reader.GetLong(out.object) && reader.GetShort(out.mode) && reader.GetText(out.text) &&
           blob.Unmarshal(reader, false);
}

constexpr int kWarmUp = 16;
bool g_outgoingAllocated = false;

void SetAllocationCounter(benchmark::State& state, uint64_t allocations)
{
    state.counters["allocs/msg"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations());
}

void BM_OutgoingMessage(benchmark::State& state)
{
    const ChatMessage message;
    for (int i = 0; i < kWarmUp; ++i) {
        TvlNdr writer;
        Write(message, writer);
    }
    const uint64_t before = g_allocations.load();
    for (auto _ : state) {
        TvlNdr writer;
        Write(message, writer);
        benchmark::DoNotOptimize(writer.Data());
        benchmark::ClobberMemory();
    }
    const uint64_t allocations = g_allocations.load() - before;
    SetAllocationCounter(state, allocations);
    if (allocations) {
        g_outgoingAllocated = true;
        state.SkipWithError("an outgoing message allocated after warm-up");
    }
}
BENCHMARK(BM_OutgoingMessage);

void BM_MessageWriteRead(benchmark::State& state)
{
    const ChatMessage message;
    ChatMessage received;
    CTvlBlob blob;
    const uint64_t before = g_allocations.load();
    for (auto _ : state) {
        TvlNdr writer;
        Write(message, writer);
        TvlNdr reader(writer.Used(), writer.Data());
        if (!Read(reader, received, blob))
            state.SkipWithError("message did not read back");
        benchmark::DoNotOptimize(received.mode);
    }
    SetAllocationCounter(state, g_allocations.load() - before);
}
BENCHMARK(BM_MessageWriteRead);

void BM_MemcpySameBytes(benchmark::State& state)
{
    TvlNdr encoded;
    Write(ChatMessage(), encoded);
    uint8_t copy[256];
    const uint64_t before = g_allocations.load();
    for (auto _ : state) {
        std::memcpy(copy, encoded.Data(), encoded.Used());
        benchmark::DoNotOptimize(copy);
        benchmark::ClobberMemory();
    }
    SetAllocationCounter(state, g_allocations.load() - before);
    state.counters["bytes/msg"] = encoded.Used();
}
BENCHMARK(BM_MemcpySameBytes);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_outgoingAllocated) {
        std::fprintf(stderr, "FAIL: an outgoing message allocated after warm-up\n");
        return 1;
    }
    return 0;
}
