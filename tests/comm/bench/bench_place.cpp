// Cost of the client place's two heaviest incoming paths: decoding and
// applying the entry snapshot of a place with 1,000 persons (time, and heap
// bytes that stay allocated per person), and dispatching op-17 lines (a
// member's chat) to the place's callback.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "PlaceBytes.h"
#include "PlaceDoubles.h"
#include "ZrPlaceBinding.h"

namespace {

std::atomic<int64_t> g_liveBytes{0};
constexpr size_t kHeader = 16;

// A place that only counts the lines it hears.
class CountingPlace : public CZrClientPlace {
public:
    explicit CountingPlace(CZrPerson* myself) : CZrClientPlace(myself, new CZrGroup, new CZrGroup, nullptr) {}
    void OnReceive(CZrObject*, uint32_t, const std::string&, const CTvlBlob&) override { ++lines; }
    uint64_t lines = 0;
};

struct Bench {
    Bench() : myself(new CZrPerson), place(myself)
    {
        connection.Open(protocol, 1);
        Feed(CWireEncoder().Header(0).U16(3).U16(1).U16(0));
        place.SendBlobRequest(connection, CZrString("ann", 1), "", 0x100, 0, 0);
        connection.Flush();
        PlaceBytes::WelcomeFields fields;
        Feed(PlaceBytes::Welcome(0, fields));
    }
    ~Bench() { delete myself; }

    void Feed(const Bytes& message)
    {
        connection.session->OnMessage(static_cast<uint32_t>(message.size()), message.data());
    }
    void RequestEntry()
    {
        place.SetPendingMember("http://page/", "", nullptr, CZrPlaceSelector());
        connection.Flush();
        connection.socket.sent.clear();
    }
    uint16_t Key() { return place.GetBinding()->Key(); }

    CZrClientProtocol protocol{CZrProtocol::kDefaultRegistrationLimit};
    ConnectionDouble connection;
    CZrPerson* myself;
    CountingPlace place;
};

constexpr uint32_t kPersons = 1000;

Bytes Snapshot(uint16_t key)
{
    TreeBytes children;
    for (uint32_t i = 0; i < kPersons; ++i)
        children.PersonChild(1000 + i, "person" + std::to_string(i), 0x100, TreeBytes().XY(i % 100, i / 100));
    return PlaceBytes::Op(key, 7, 3, PlaceBytes::Snapshot2(100, PlaceBytes::Room(102, 2000, children, kPersons)).Bytes());
}

void BM_EnterSnapshot1000(benchmark::State& state)
{
    Bench bench;
    int64_t bytesPerPerson = 0;
    for (auto _ : state) {
        state.PauseTiming();
        bench.RequestEntry();
        const Bytes snapshot = Snapshot(bench.Key());
        const int64_t before = g_liveBytes.load();
        state.ResumeTiming();
        bench.Feed(snapshot);
        state.PauseTiming();
        bytesPerPerson = (g_liveBytes.load() - before) / kPersons;
        if (!bench.place.IsReady() || bench.place.GetRoom()->ChildCount() != static_cast<int32_t>(kPersons))
            state.SkipWithError("the snapshot was not applied");
        state.ResumeTiming();
    }
    state.counters["bytes_per_person"] = static_cast<double>(bytesPerPerson);
    state.counters["persons"] = kPersons;
}
BENCHMARK(BM_EnterSnapshot1000)->Unit(benchmark::kMicrosecond);

void BM_Op17Lines(benchmark::State& state)
{
    Bench bench;
    bench.RequestEntry();
    bench.Feed(PlaceBytes::Op(bench.Key(), 7, 3,
                              PlaceBytes::Snapshot2(100, PlaceBytes::Room(102, 10, TreeBytes().PersonChild(8, "bob"), 1))
                                  .Bytes()));
    const Bytes line =
        PlaceBytes::Op(bench.Key(), 8, 17, CWireEncoder().U32(100).U16(5).Text("hello everybody, how are you?").Blob({}));
    constexpr int kLines = 100000;
    for (auto _ : state) {
        for (int i = 0; i < kLines; ++i)
            bench.Feed(line);
    }
    if (bench.place.lines != static_cast<uint64_t>(state.iterations()) * kLines)
        state.SkipWithError("lines were lost");
    state.SetItemsProcessed(state.iterations() * kLines);
    state.counters["ns_per_line"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kLines,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Op17Lines)->Unit(benchmark::kMillisecond);

} // namespace

// Heap bytes in use, counted through the global allocation functions.
void* operator new(size_t size)
{
    auto* block = static_cast<uint8_t*>(std::malloc(size + kHeader));
    if (!block)
        throw std::bad_alloc();
    *reinterpret_cast<size_t*>(block) = size;
    g_liveBytes += static_cast<int64_t>(size);
    return block + kHeader;
}

void operator delete(void* pointer) noexcept
{
    if (!pointer)
        return;
    auto* block = static_cast<uint8_t*>(pointer) - kHeader;
    g_liveBytes -= static_cast<int64_t>(*reinterpret_cast<size_t*>(block));
    std::free(block);
}

void operator delete(void* pointer, size_t) noexcept
{
    operator delete(pointer);
}

BENCHMARK_MAIN();
