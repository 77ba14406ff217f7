#include "UpdateCheckThrottle.h"

#include "StampedRecord.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr uint32_t kNow = 1900000000;

std::string StampFor(uint64_t nextCheck)
{
    return EncodeStampedRecordUntil(std::to_string(nextCheck), kNow);
}

struct DueCase
{
    const char* name;
    std::optional<std::string> stored;
    bool due;
};

class UpdateCheckDueTest : public ::testing::TestWithParam<DueCase>
{
};

TEST_P(UpdateCheckDueTest, DecidesFromTheStoredTime)
{
    const DueCase& c = GetParam();
    std::optional<std::string_view> stored;
    if (c.stored)
        stored = *c.stored;
    EXPECT_EQ(IsUpdateCheckDue(stored, kNow), c.due) << c.name;
}

std::string Tampered(std::string record)
{
    record[1] = record[1] == 'A' ? 'B' : 'A';
    return record;
}

INSTANTIATE_TEST_SUITE_P(
    Stamps, UpdateCheckDueTest,
    ::testing::Values(
        DueCase{"missing", std::nullopt, true},
        DueCase{"empty", std::string(), true},
        DueCase{"not a record", std::string("plain text value"), true},
        DueCase{"crc mismatch", Tampered(StampFor(kNow + 1800)), true},
        DueCase{"not a number", EncodeStampedRecordUntil("soon", kNow), true},
        DueCase{"a second ago", StampFor(kNow - 1), true},
        DueCase{"now", StampFor(kNow), false},
        DueCase{"in half an hour", StampFor(kNow + 1800), false},
        DueCase{"in an hour", StampFor(kNow + 3600), false},
        DueCase{"clock set back", StampFor(kNow + 3601), true},
        DueCase{"beyond 32 bits", StampFor(uint64_t{kNow} + 0x100000000ull), true}));

TEST(UpdateCheckThrottle, NextRecordPostponesTheCheckByHalfAnHour)
{
    const std::string record = NextUpdateCheckRecord(kNow);

    const StampedRecord decoded = DecodeStampedRecord(record.data(), record.size());
    EXPECT_EQ(decoded.storedCrc, decoded.computedCrc);
    EXPECT_EQ(decoded.text, std::to_string(kNow + 1800));
    EXPECT_EQ(decoded.expiry, kNow);
    EXPECT_LE(record.size(), kUpdateCheckValueMaximum);

    EXPECT_FALSE(IsUpdateCheckDue(std::string_view(record), kNow));
    EXPECT_FALSE(IsUpdateCheckDue(std::string_view(record), kNow + 1800));
    EXPECT_TRUE(IsUpdateCheckDue(std::string_view(record), kNow + 1801));
    EXPECT_TRUE(IsUpdateCheckDue(std::string_view(record), kNow - 1801));
}

struct FolderCase
{
    const char* path;
    std::optional<LibraryFolderEntry> entry;
};

class LibraryFolderTest : public ::testing::TestWithParam<FolderCase>
{
};

TEST_P(LibraryFolderTest, SplitsThePathAtTheLastBackslash)
{
    const FolderCase& c = GetParam();
    const std::optional<LibraryFolderEntry> entry = MakeLibraryFolderEntry(c.path);
    ASSERT_EQ(entry.has_value(), c.entry.has_value()) << c.path;
    if (entry) {
        EXPECT_EQ(entry->valueName, c.entry->valueName) << c.path;
        EXPECT_EQ(entry->folder, c.entry->folder) << c.path;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, LibraryFolderTest,
    ::testing::Values(
        FolderCase{"C:\\Program Files\\Lumora\\SNMurro.dll",
                   LibraryFolderEntry{"SNMurro.dll", "C:\\Program Files\\Lumora\\"}},
        FolderCase{"C:\\ab", LibraryFolderEntry{"ab", "C:\\"}},
        FolderCase{"C:\\a", std::nullopt},
        FolderCase{"C:\\dir\\", std::nullopt},
        FolderCase{"SNMurro.dll", std::nullopt},
        FolderCase{"", std::nullopt}));

} // namespace
