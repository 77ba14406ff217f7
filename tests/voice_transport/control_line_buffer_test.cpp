#include "ControlLineBuffer.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase
{
    const char* name;
    std::vector<std::string> reads;
    std::vector<std::string> lines;
    size_t pending;
};

TEST(ControlLineBuffer, CutsReadsIntoLines)
{
    const SplitCase cases[] = {
        {"two lines in one read", {"abc\ndef\n"}, {"abc", "def"}, 0},
        {"line split over two reads", {"ab", "c\n"}, {"abc"}, 0},
        {"line split over three reads", {"a", "b", "c\nd"}, {"abc"}, 1},
        {"empty lines skipped", {"\n\nabc\n\n\ndef\n"}, {"abc", "def"}, 0},
        {"no line feed yet", {"abc"}, {}, 3},
        {"tail kept after last line feed", {"abc\nde", "f\ngh"}, {"abc", "def"}, 2},
        {"carriage return is part of the line", {"abc\r\n"}, {"abc\r"}, 0},
        {"zero byte is part of the line", {std::string("a\0b\n", 4)}, {std::string("a\0b", 3)},
         0},
    };
    for (const SplitCase& c : cases) {
        ControlLineBuffer buffer;
        std::vector<std::string> lines;
        for (const std::string& read : c.reads) {
            size_t tooLong = 0;
            EXPECT_EQ(buffer.Append(read.data(), read.size(), lines, tooLong),
                      ControlLineBuffer::Status::Ok)
                << c.name;
        }
        EXPECT_EQ(lines, c.lines) << c.name;
        EXPECT_EQ(buffer.Pending(), c.pending) << c.name;
    }
}

TEST(ControlLineBuffer, UnfinishedLineOf2048BytesIsReportedAndDropped)
{
    ControlLineBuffer buffer;
    std::vector<std::string> lines;
    size_t tooLong = 0;
    const std::string longest(2047, 'x');
    EXPECT_EQ(buffer.Append(longest.data(), longest.size(), lines, tooLong),
              ControlLineBuffer::Status::Ok);
    EXPECT_EQ(buffer.Room(), 8191u - 2047u);
    EXPECT_EQ(buffer.Append("y", 1, lines, tooLong), ControlLineBuffer::Status::TooLong);
    EXPECT_EQ(tooLong, 2048u);
    EXPECT_EQ(buffer.Pending(), 0u);
    EXPECT_EQ(buffer.Room(), 8191u);

    const std::string next = "ok\n";
    EXPECT_EQ(buffer.Append(next.data(), next.size(), lines, tooLong),
              ControlLineBuffer::Status::Ok);
    EXPECT_EQ(lines, std::vector<std::string>{"ok"});
}

TEST(ControlLineBuffer, CompleteLinesBeforeAnOverlongTailAreStillDelivered)
{
    ControlLineBuffer buffer;
    std::vector<std::string> lines;
    size_t tooLong = 0;
    const std::string read = "first\n" + std::string(3000, 'z');
    EXPECT_EQ(buffer.Append(read.data(), read.size(), lines, tooLong),
              ControlLineBuffer::Status::TooLong);
    EXPECT_EQ(lines, std::vector<std::string>{"first"});
    EXPECT_EQ(tooLong, 3000u);
}

} // namespace
