#include "TvlByteQueue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "TvlByteChunk.h"
#include "TvlChunkPool.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Pattern(uint32_t n, uint8_t seed)
{
    Bytes bytes(n);
    for (uint32_t i = 0; i < n; ++i)
        bytes[i] = static_cast<uint8_t>(seed + i * 7);
    return bytes;
}

// Everything the queue holds, in order, without changing it.
Bytes Contents(const CTvlByteQueue& queue)
{
    Bytes bytes;
    for (const CTvlByteChunk* chunk = queue.FirstChunk(); chunk; chunk = chunk->next) {
        const uint8_t* area = chunk->Front() - chunk->Start();
        for (uint32_t i = 0; i < chunk->Count(); ++i)
            bytes.push_back(area[(chunk->Start() + i) % CTvlByteChunk::kSize]);
    }
    return bytes;
}

int ChunkCount(const CTvlByteQueue& queue)
{
    int count = 0;
    for (const CTvlByteChunk* chunk = queue.FirstChunk(); chunk; chunk = chunk->next)
        ++count;
    return count;
}

TEST(TvlByteChunk, WriteWrapsAroundTheRing)
{
    auto chunk = std::make_unique<CTvlByteChunk>();
    const Bytes head = Pattern(8100, 1);
    EXPECT_EQ(chunk->Write(head.data(), 8100), 0u);
    EXPECT_EQ(chunk->Consume(100), 0u);
    EXPECT_EQ(chunk->Start(), 100u);
    EXPECT_EQ(chunk->Count(), 8000u);

    const Bytes more = Pattern(300, 50);
    EXPECT_EQ(chunk->Write(more.data(), 300), 108u) << "92 at the end, 100 at the front";
    EXPECT_EQ(chunk->Count(), 8192u);
    EXPECT_EQ(chunk->FrontLength(), 8092u);
    EXPECT_EQ(chunk->Front()[8091], more[91]);
    EXPECT_EQ((chunk->Front() - 100)[0], more[92]);
    EXPECT_EQ((chunk->Front() - 100)[99], more[191]);
    EXPECT_EQ(chunk->Write(more.data(), 5), 5u) << "a full chunk takes nothing";
}

TEST(TvlByteChunk, ConsumeAnswersWhatWasMissing)
{
    const struct {
        uint32_t held;
        uint32_t consume;
        uint32_t answer;
        uint32_t countAfter;
        uint32_t startAfter;
    } cases[] = {
        {10, 4, 0, 6, 4}, {10, 10, 0, 0, 0}, {10, 15, 5, 0, 0}, {0, 3, 3, 0, 0}, {10, 0, 0, 10, 0},
    };
    for (const auto& c : cases) {
        auto chunk = std::make_unique<CTvlByteChunk>();
        const Bytes bytes = Pattern(c.held, 0);
        chunk->Write(bytes.data(), c.held);
        EXPECT_EQ(chunk->Consume(c.consume), c.answer) << c.held << "-" << c.consume;
        EXPECT_EQ(chunk->Count(), c.countAfter);
        EXPECT_EQ(chunk->Start(), c.startAfter);
    }
}

TEST(TvlByteQueue, WritingAcrossAWrappedLastChunk)
{
    CTvlByteQueue queue;
    const Bytes first = Pattern(8100, 3);
    queue.Write(first.data(), 8100);
    queue.Discard(100);
    ASSERT_EQ(queue.LastChunk()->Start(), 100u);
    ASSERT_EQ(queue.LastChunk()->Count(), 8000u);

    const Bytes second = Pattern(8192, 9);
    queue.Write(second.data(), 8192);
    EXPECT_EQ(ChunkCount(queue), 2);
    EXPECT_EQ(queue.FirstChunk()->Count(), 8192u);
    EXPECT_EQ(queue.LastChunk()->Count(), 8000u);
    EXPECT_EQ(queue.Size(), 16192u);

    Bytes expected(first.begin() + 100, first.end());
    expected.insert(expected.end(), second.begin(), second.end());
    EXPECT_EQ(Contents(queue), expected);
}

TEST(TvlByteQueue, DiscardReturnsEmptiedChunksButKeepsTheLast)
{
    CTvlByteQueue queue;
    const Bytes bytes = Pattern(3 * 8192 + 10, 0);
    queue.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    ASSERT_EQ(ChunkCount(queue), 4);

    const int pooled = CTvlChunkPool::Count();
    queue.Discard(8192 + 5);
    EXPECT_EQ(ChunkCount(queue), 3);
    EXPECT_EQ(CTvlChunkPool::Count(), pooled + 1);
    EXPECT_EQ(Contents(queue), Bytes(bytes.begin() + 8197, bytes.end()));

    queue.Discard(queue.Size());
    EXPECT_EQ(ChunkCount(queue), 1) << "the last chunk stays, empty";
    EXPECT_EQ(queue.LastChunk(), queue.FirstChunk());
    EXPECT_EQ(queue.Size(), 0u);
    EXPECT_EQ(CTvlChunkPool::Count(), pooled + 3);

    uint32_t length = 99;
    EXPECT_EQ(queue.Front(length), nullptr);
    EXPECT_EQ(length, 0u);

    queue.Write(bytes.data(), 4);
    EXPECT_EQ(ChunkCount(queue), 1) << "the kept chunk is written again";
    queue.Discard(1000);
    EXPECT_EQ(queue.Size(), 0u);

    queue.Clear();
    EXPECT_EQ(queue.FirstChunk(), nullptr);
    EXPECT_EQ(CTvlChunkPool::Count(), pooled + 4);
}

TEST(TvlByteQueue, MoveFromTakesEveryByteInOrder)
{
    CTvlByteQueue source;
    CTvlByteQueue target;
    const Bytes a = Pattern(100, 1);
    const Bytes b = Pattern(20000, 2);
    target.Write(a.data(), 100);
    source.Write(b.data(), 8150);
    source.Discard(8000);  // the source's first chunk now starts at 8000
    source.Write(b.data() + 8150, 20000 - 8150);

    target.MoveFrom(source);
    EXPECT_EQ(source.Size(), 0u);
    Bytes expected = a;
    expected.insert(expected.end(), b.begin() + 8000, b.end());
    EXPECT_EQ(Contents(target), expected);
    EXPECT_EQ(target.Size(), expected.size());

    target.MoveFrom(target);
    EXPECT_EQ(target.Size(), expected.size());
}

TEST(TvlByteQueue, FrontGivesTheContiguousStart)
{
    CTvlByteQueue queue;
    const Bytes bytes = Pattern(8192, 0);
    queue.Write(bytes.data(), 8192);
    queue.Discard(8000);
    queue.Write(bytes.data(), 50);  // wraps to the front of the same chunk
    uint32_t length = 0;
    const uint8_t* front = queue.Front(length);
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(length, 192u);
    EXPECT_EQ(front[0], bytes[8000]);
    queue.Discard(length);
    front = queue.Front(length);
    EXPECT_EQ(length, 50u);
    EXPECT_EQ(front[49], bytes[49]);
}

TEST(TvlChunkPool, KeepsAtMost1024Chunks)
{
    std::vector<CTvlByteChunk*> chunks;
    for (int i = 0; i < CTvlChunkPool::kSlots + 3; ++i)
        chunks.push_back(CTvlChunkPool::Get());
    EXPECT_EQ(CTvlChunkPool::Count(), 0);
    const Bytes bytes = Pattern(10, 0);
    chunks[0]->Write(bytes.data(), 10);
    chunks[0]->next = chunks[1];
    for (CTvlByteChunk* chunk : chunks)
        CTvlChunkPool::Put(chunk);
    EXPECT_EQ(CTvlChunkPool::Count(), CTvlChunkPool::kSlots);

    // Pooled chunks come back empty and unlinked.
    for (int i = 0; i < CTvlChunkPool::kSlots; ++i) {
        CTvlByteChunk* chunk = CTvlChunkPool::Get();
        EXPECT_EQ(chunk->Count(), 0u);
        EXPECT_EQ(chunk->Start(), 0u);
        EXPECT_EQ(chunk->next, nullptr);
        chunks[static_cast<size_t>(i)] = chunk;
    }
    for (int i = 0; i < CTvlChunkPool::kSlots; ++i)
        CTvlChunkPool::Put(chunks[static_cast<size_t>(i)]);
}

} // namespace
