// Every item in every form against bytes written by hand from the item
// layouts, the other end's reading of them, and every truncated prefix.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>

#include "DdeGoldenCases.h"

namespace {

class DdeGoldenTest : public testing::TestWithParam<DdeGoldenCase>
{
};

class DdeGoldenWriteTest : public DdeGoldenTest
{
};

std::vector<DdeGoldenCase> WrittenCases()
{
    std::vector<DdeGoldenCase> written;
    for (const DdeGoldenCase& c : DdeGoldenCases()) {
        if (c.makeWriter)
            written.push_back(c);
    }
    return written;
}

std::string CaseName(const testing::TestParamInfo<DdeGoldenCase>& info)
{
    std::string name;
    for (char c : info.param.name)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

Bytes WriteItem(CZrDdeItem& item)
{
    uint32_t size = 0;
    const uint8_t* data = item.Write(size);
    return Bytes(data, data + size);
}

TEST_P(DdeGoldenWriteTest, WriterProducesTheBytesAndReportsTheirSize)
{
    const DdeGoldenCase& c = GetParam();
    std::unique_ptr<CZrDdeItem> writer = c.makeWriter();
    ASSERT_TRUE(writer);
    EXPECT_EQ(writer->GetType(), c.type);
    EXPECT_EQ(writer->GetSize(), c.bytes.size());
    EXPECT_EQ(WriteItem(*writer), c.bytes);
}

TEST_P(DdeGoldenTest, OtherEndReadsTheValues)
{
    const DdeGoldenCase& c = GetParam();
    std::unique_ptr<CZrDdeItem> reader = ReadItem(c.type, c.readerSide, c.bytes);
    ASSERT_TRUE(reader) << "read failed";
    c.checkRead(*reader);
    if (c.rewritesSame) {
        EXPECT_EQ(WriteItem(*reader), c.bytes);
    }
}

// Every prefix in an exact-size heap buffer: under AddressSanitizer a read
// one byte too far stops the test.
TEST_P(DdeGoldenTest, EveryPrefixFailsOrLeavesTheOptionalTailAbsent)
{
    const DdeGoldenCase& c = GetParam();
    for (size_t length = 0; length < c.bytes.size(); ++length) {
        std::unique_ptr<CZrDdeItem> item = CZrDdeItem::CreateByType(c.type, c.readerSide);
        ASSERT_TRUE(item);
        std::unique_ptr<uint8_t[]> data(new uint8_t[length]);
        std::copy(c.bytes.begin(), c.bytes.begin() + static_cast<std::ptrdiff_t>(length), data.get());
        const bool expected = length >= c.shortestValidPrefix;
        EXPECT_EQ(item->Read(data.get(), static_cast<uint32_t>(length)), expected)
            << "prefix of " << length << " bytes";
    }
}

INSTANTIATE_TEST_SUITE_P(AllItems, DdeGoldenTest, testing::ValuesIn(DdeGoldenCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(AllItems, DdeGoldenWriteTest, testing::ValuesIn(WrittenCases()), CaseName);

// Every one of the thirty codes has at least one hand-written case.
TEST(DdeGoldenCoverage, EveryTypeCodeHasACase)
{
    const uint16_t codes[] = {0x000, 0x001, 0x002, 0x003, 0x004, 0x100, 0x101, 0x102,
                              0x103, 0x200, 0x201, 0x202, 0x300, 0x301, 0x302, 0x303,
                              0x304, 0x305, 0x306, 0x400, 0x401, 0x500, 0x501, 0x502,
                              0x600, 0x700, 0x800, 0x900, 0x901, 0x902};
    for (uint16_t code : codes) {
        bool found = false;
        for (const DdeGoldenCase& c : DdeGoldenCases())
            found = found || c.type == code;
        EXPECT_TRUE(found) << std::hex << code;
    }
}

} // namespace
