// Keeps the throttle's values under a private test key of the registry and
// reads them back.
#include "CUpdateCheckStore.h"

#include "RegistryKey.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

constexpr const char* kParentPath = "Software\\ZanthTests";
constexpr const char* kKeyName = "VoiceControlThrottle";
constexpr uint32_t kNow = 1900000000;

class UpdateCheckStoreTest : public ::testing::Test
{
protected:
    void SetUp() override { RemoveTestKey(); }
    void TearDown() override { RemoveTestKey(); }

    static void RemoveTestKey()
    {
        const CRegistryKey parent = CRegistryKey::Create(HKEY_CURRENT_USER, kParentPath);
        ASSERT_TRUE(parent.IsOpen());
        parent.DeleteTree(kKeyName);
    }

    const std::string keyPath = std::string(kParentPath) + "\\" + kKeyName;
    CUpdateCheckStore store{HKEY_CURRENT_USER, keyPath};
};

TEST_F(UpdateCheckStoreTest, MissingKeyMakesACheckDue)
{
    EXPECT_TRUE(store.IsUpdateCheckDue(kNow));
}

TEST_F(UpdateCheckStoreTest, StoredStampHoldsTheNextCheckBackForHalfAnHour)
{
    ASSERT_TRUE(store.SetNextUpdateCheck(kNow));

    const CRegistryKey key = CRegistryKey::Open(HKEY_CURRENT_USER, keyPath, KEY_READ);
    ASSERT_TRUE(key.IsOpen());
    const std::optional<std::string> stored = key.ReadText("snnaut");
    ASSERT_TRUE(stored.has_value());
    EXPECT_FALSE(stored->empty());

    EXPECT_FALSE(store.IsUpdateCheckDue(kNow));
    EXPECT_FALSE(store.IsUpdateCheckDue(kNow + 1800));
    EXPECT_TRUE(store.IsUpdateCheckDue(kNow + 1801));
}

TEST_F(UpdateCheckStoreTest, AtMostOneCheckRunsPerHalfHour)
{
    EXPECT_TRUE(store.TakeUpdateCheck(kNow));
    EXPECT_FALSE(store.TakeUpdateCheck(kNow));
    EXPECT_FALSE(store.TakeUpdateCheck(kNow + 1800));
    EXPECT_TRUE(store.TakeUpdateCheck(kNow + 1801));
    EXPECT_FALSE(store.TakeUpdateCheck(kNow + 1802));
}

TEST_F(UpdateCheckStoreTest, NoCheckRunsWhenTheStampCannotBeStored)
{
    // A root that is no open key: neither reading nor writing can succeed.
    const HKEY noKey = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0xDEAD0000u));
    CUpdateCheckStore unwritable(noKey, keyPath);
    EXPECT_FALSE(unwritable.TakeUpdateCheck(kNow));
}

TEST_F(UpdateCheckStoreTest, DamagedStampMakesACheckDue)
{
    const CRegistryKey key = CRegistryKey::Create(HKEY_CURRENT_USER, keyPath);
    ASSERT_TRUE(key.WriteText("snnaut", "not a stamped record"));
    EXPECT_TRUE(store.IsUpdateCheckDue(kNow));
}

TEST_F(UpdateCheckStoreTest, RecordsTheLibraryFolderUnderItsFileName)
{
    ASSERT_TRUE(store.RecordLibraryFolder("C:\\Program Files\\Lumora\\SNMurro.dll"));
    EXPECT_FALSE(store.RecordLibraryFolder("SNMurro.dll"));

    const CRegistryKey key =
        CRegistryKey::Open(HKEY_CURRENT_USER, keyPath + "\\Directories", KEY_READ);
    ASSERT_TRUE(key.IsOpen());
    EXPECT_EQ(key.ReadText("SNMurro.dll"), std::optional<std::string>("C:\\Program Files\\Lumora\\"));
}

} // namespace
