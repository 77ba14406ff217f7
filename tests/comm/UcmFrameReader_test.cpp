#include "UcmFrameReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <random>

#include "WireEncoder.h"

namespace {

constexpr uint8_t kBoth = CUcmFrameReader::kKeepAlive | CUcmFrameReader::kSequence;

struct Outcome {
    std::vector<Bytes> frames;
    int32_t code = 0;
};

// Feeds the stream as a receiver would: each read takes the next chunk size,
// cut to the room the reader offers, and every whole frame is cut at once.
Outcome Feed(const Bytes& stream, uint8_t options, const std::function<size_t()>& nextChunk)
{
    CUcmFrameReader reader(options);
    Outcome outcome;
    size_t pos = 0;
    while (pos < stream.size()) {
        const uint32_t room = reader.ReadRoom();
        EXPECT_GT(room, 0u) << "read with no room at " << pos;
        if (room == 0)
            break;
        const size_t n = std::min({nextChunk(), size_t{room}, stream.size() - pos});
        std::memcpy(reader.ReadArea(), stream.data() + pos, n);
        reader.Added(static_cast<uint32_t>(n));
        pos += n;
        Bytes frame;
        for (;;) {
            const CUcmFrameReader::Result result = reader.Next(frame, outcome.code);
            if (result == CUcmFrameReader::kFailed)
                return outcome;
            if (result == CUcmFrameReader::kNeedMore)
                break;
            outcome.frames.push_back(frame);
        }
    }
    return outcome;
}

Outcome FeedWhole(const Bytes& stream, uint8_t options)
{
    return Feed(stream, options, [] { return SIZE_MAX; });
}

Bytes Payload(size_t length, uint32_t seed)
{
    std::mt19937 random(seed);
    Bytes payload(length);
    for (uint8_t& byte : payload)
        byte = static_cast<uint8_t>(random());
    if (!payload.empty())
        payload[0] = 0x80;
    return payload;
}

struct Recorded {
    Bytes stream;
    std::vector<Bytes> frames;
};

// A server stream: numbered frames running past the wrap of the sequence
// number, keep-alive bytes between some of them, and optionally the frames
// around the size of the receive buffer and one of 100 KiB.
Recorded Record(bool withLargeFrames)
{
    std::vector<size_t> sizes;
    for (size_t i = 0; i < (withLargeFrames ? 300 : 140); ++i)
        sizes.push_back(1 + (i * 7) % 24);
    if (withLargeFrames) {
        for (size_t size = 8187; size <= 8193; ++size)
            sizes.insert(sizes.begin() + static_cast<long>(size - 8180) * 20, size);
        sizes.insert(sizes.begin() + 250, 100 * 1024);
    }
    Recorded recorded;
    uint32_t seq = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        seq = seq == 127 ? 1 : seq + 1;
        recorded.frames.push_back(Payload(sizes[i], static_cast<uint32_t>(i)));
        recorded.stream = recorded.stream + Frame(recorded.frames.back(), seq);
        if (i % 3 == 0)
            recorded.stream.insert(recorded.stream.end(), i % 4 + 1, 0x80);
    }
    return recorded;
}

TEST(UcmFrameReader, RecordedStreamSplitAtEveryBoundary)
{
    const Recorded recorded = Record(false);
    for (size_t cut = 1; cut < recorded.stream.size(); ++cut) {
        size_t reads = 0;
        const Outcome outcome = Feed(recorded.stream, kBoth, [&] {
            return reads++ == 0 ? cut : SIZE_MAX;
        });
        ASSERT_EQ(outcome.code, 0) << "cut at " << cut;
        ASSERT_EQ(outcome.frames, recorded.frames) << "cut at " << cut;
    }
}

TEST(UcmFrameReader, RecordedStreamByteByByteAndInRandomChunks)
{
    const Recorded recorded = Record(true);
    const Outcome single = Feed(recorded.stream, kBoth, [] { return size_t{1}; });
    EXPECT_EQ(single.code, 0);
    EXPECT_EQ(single.frames, recorded.frames);

    const Outcome whole = FeedWhole(recorded.stream, kBoth);
    EXPECT_EQ(whole.code, 0);
    EXPECT_EQ(whole.frames, recorded.frames);

    for (uint32_t seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        std::uniform_int_distribution<size_t> chunk(1, seed % 2 ? 16 : 20000);
        const Outcome outcome = Feed(recorded.stream, kBoth, [&] { return chunk(random); });
        EXPECT_EQ(outcome.code, 0) << "seed " << seed;
        EXPECT_EQ(outcome.frames, recorded.frames) << "seed " << seed;
    }
}

TEST(UcmFrameReader, FramesAroundTheBufferSizeFitWhateverTheReadSize)
{
    // A full buffer of header and payload must never leave the reader with
    // no room: 5 header bytes and 8187-8192 payload bytes.
    for (size_t size = 8187; size <= 8193; ++size) {
        const Bytes payload = Payload(size, static_cast<uint32_t>(size));
        const Bytes stream = Frame(payload, 1) + Frame({7}, 2);
        const Outcome outcome = FeedWhole(stream, kBoth);
        EXPECT_EQ(outcome.code, 0) << size;
        EXPECT_EQ(outcome.frames, (std::vector<Bytes>{payload, {7}})) << size;
    }
}

TEST(UcmFrameReader, LargeFramesGetABufferOfTheirOwn)
{
    CUcmFrameReader reader(0);
    const Bytes payload = Payload(100 * 1024, 5);
    const Bytes stream = Frame(payload);
    uint32_t first = reader.ReadRoom();
    std::memcpy(reader.ReadArea(), stream.data(), first);
    reader.Added(first);
    Bytes frame;
    int32_t code = 0;
    EXPECT_EQ(reader.Next(frame, code), CUcmFrameReader::kNeedMore);
    EXPECT_EQ(reader.ExpectedLength(), payload.size());
    size_t pos = first;
    while (pos < stream.size()) {
        const uint32_t room = reader.ReadRoom();
        ASSERT_GT(room, 0u);
        ASSERT_LE(room, stream.size() - pos) << "never more than the frame still needs";
        std::memcpy(reader.ReadArea(), stream.data() + pos, room);
        reader.Added(room);
        pos += room;
    }
    EXPECT_EQ(reader.Next(frame, code), CUcmFrameReader::kFrameReady);
    EXPECT_EQ(frame, payload);
    EXPECT_EQ(reader.Buffered(), 0u);
    EXPECT_EQ(reader.ReadRoom(), CUcmFrameReader::kBufferSize);
}

struct FailureCase {
    const char* name;
    uint8_t options;
    Bytes stream;
    size_t framesBefore;
    int32_t code;
    CUcmFrameReader::Failure failure;
};

TEST(UcmFrameReader, FailuresTable)
{
    const Bytes a{1}, b{2};
    const FailureCase cases[] = {
        {"number out of order", kBoth, Frame(a, 1) + Frame(b, 3), 1, 10,
         CUcmFrameReader::kBadSequence},
        {"first number not 1", kBoth, Frame(a, 2), 0, 10, CUcmFrameReader::kBadSequence},
        {"sequence byte missing after one was seen", kBoth, Frame(a, 1) + Frame(b), 1, 10,
         CUcmFrameReader::kMissingSequence},
        {"length 0 is an orderly end", kBoth, Frame(a, 1) + Frame({}, 2), 1, 46,
         CUcmFrameReader::kEmptyFrame},
        {"length 0 without options", 0, Frame(a) + Frame({}), 1, 46, CUcmFrameReader::kEmptyFrame},
        {"length over the cap", 0, Frame(a) + CWireEncoder().U32(CUcmFrameReader::kMaxFrame + 1).Get(),
         1, 11, CUcmFrameReader::kTooLong},
        {"length 0xFFFFFFFF", kBoth, CWireEncoder().U8(0x81).U32(0xFFFFFFFF).Get(), 0, 11,
         CUcmFrameReader::kTooLong},
        {"keep-alive byte without the keep-alive option", CUcmFrameReader::kSequence,
         Bytes{0x80} + Frame(a, 1), 0, 10, CUcmFrameReader::kBadSequence},
    };
    for (const FailureCase& c : cases) {
        for (const bool bytewise : {false, true}) {
            const Outcome outcome = bytewise ? Feed(c.stream, c.options, [] { return size_t{1}; })
                                             : FeedWhole(c.stream, c.options);
            EXPECT_EQ(outcome.frames.size(), c.framesBefore) << c.name;
            EXPECT_EQ(outcome.code, c.code) << c.name;
        }
        CUcmFrameReader reader(c.options);
        std::memcpy(reader.ReadArea(), c.stream.data(), c.stream.size());
        reader.Added(static_cast<uint32_t>(c.stream.size()));
        Bytes frame;
        int32_t code = 0;
        while (reader.Next(frame, code) == CUcmFrameReader::kFrameReady) {
        }
        EXPECT_EQ(reader.LastFailure(), c.failure) << c.name;
        EXPECT_EQ(reader.Next(frame, code), CUcmFrameReader::kFailed) << c.name << ": failure sticks";
        EXPECT_EQ(code, c.code) << c.name;
    }
}

TEST(UcmFrameReader, SequenceNumbersWrapAfter127)
{
    Bytes stream;
    std::vector<Bytes> expected;
    for (uint32_t i = 0; i < 130; ++i) {
        expected.push_back({static_cast<uint8_t>(i)});
        stream = stream + Frame(expected.back(), i % 127 + 1);
    }
    EXPECT_EQ(stream[(127 - 1) * 6], 0xFF);
    EXPECT_EQ(stream[127 * 6], 0x81);
    const Outcome outcome = FeedWhole(stream, CUcmFrameReader::kSequence);
    EXPECT_EQ(outcome.code, 0);
    EXPECT_EQ(outcome.frames, expected);
    const Outcome noWrap = FeedWhole(stream + Frame({1}, 3), CUcmFrameReader::kSequence);
    EXPECT_EQ(noWrap.code, 10);
}

TEST(UcmFrameReader, KeepAliveBytesAreSkippedOnlyBetweenFrames)
{
    const Bytes payload{0x80, 0x80, 0x80};
    const Outcome outcome =
        FeedWhole(Bytes{0x80, 0x80} + Frame(payload) + Bytes{0x80} + Frame(payload), CUcmFrameReader::kKeepAlive);
    EXPECT_EQ(outcome.code, 0);
    EXPECT_EQ(outcome.frames, (std::vector<Bytes>{payload, payload}));
}

TEST(UcmFrameReader, CapItselfIsAccepted)
{
    CUcmFrameReader reader(0);
    const Bytes header = CWireEncoder().U32(CUcmFrameReader::kMaxFrame).Get();
    std::memcpy(reader.ReadArea(), header.data(), header.size());
    reader.Added(4);
    Bytes frame;
    int32_t code = 0;
    EXPECT_EQ(reader.Next(frame, code), CUcmFrameReader::kNeedMore);
    EXPECT_EQ(reader.ExpectedLength(), CUcmFrameReader::kMaxFrame);
    EXPECT_GT(reader.ReadRoom(), 0u);
}

} // namespace
