#include "ClientRegistry.h"

#include "StampedRecord.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace {

const std::string kClientKey = "Software\\Sonorelle Networks\\Client";
const char kGoldenRecord[] = "2nGeSLHtNR1maYzc797D2314CdkBWDTpmj71hXzBZM51geESHCVXmg==";

struct RawValue
{
    DWORD type;
    std::vector<uint8_t> data;

    std::string Text() const
    {
        std::string text(data.begin(), data.end());
        while (!text.empty() && text.back() == '\0')
            text.pop_back();
        return text;
    }
};

// Reads a value straight from the registry, without the code under test.
std::optional<RawValue> ReadRaw(const std::string& subkey, const std::string& name)
{
    const std::string path = subkey.empty() ? kClientKey : kClientKey + "\\" + subkey;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    RawValue value{};
    DWORD size = 0;
    LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size);
    if (status == ERROR_SUCCESS) {
        value.data.resize(size);
        status = RegQueryValueExA(key, name.c_str(), nullptr, &value.type, value.data.data(), &size);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    return value;
}

bool KeyExists(const std::string& subkey)
{
    const std::string path = subkey.empty() ? kClientKey : kClientKey + "\\" + subkey;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void WriteRawText(const std::string& name, const std::string& text)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kClientKey.c_str(), 0, nullptr, 0,
                                             KEY_WRITE, nullptr, &key, nullptr));
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

// Every test starts and ends without the engine's key in the test prefix.
class ClientRegistryTest : public ::testing::Test
{
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kClientKey.c_str()); }
    void TearDown() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, kClientKey.c_str()); }

    CClientRegistry m_registry;
};

} // namespace

TEST_F(ClientRegistryTest, LayoutIsCreatedUnderLocalMachine)
{
    EXPECT_TRUE(m_registry.StoreAcceptedAgreement("2.1.0.7"));
    EXPECT_TRUE(m_registry.RegisterModuleFile("C:\\Program Files\\Voice\\SnCom.dll"));
    EXPECT_TRUE(m_registry.WriteContent(ContentArea::Kept, "snver.enc", {1, 2, 3}));
    EXPECT_TRUE(m_registry.WriteContent(ContentArea::Running, "qpl.dll", {4}));
    m_registry.AppendLastError("boom", 0);

    const auto agreement = ReadRaw("", "LAST EULA");
    ASSERT_TRUE(agreement);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), agreement->type);
    EXPECT_EQ("2.1.0.7", agreement->Text());

    const auto directory = ReadRaw("Directories", "SnCom.dll");
    ASSERT_TRUE(directory);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), directory->type);
    EXPECT_EQ("C:\\Program Files\\Voice\\", directory->Text());

    const auto kept = ReadRaw("Content", "snver.enc");
    ASSERT_TRUE(kept);
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), kept->type);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 3}), kept->data);

    const auto running = ReadRaw("Content\\temp", "qpl.dll");
    ASSERT_TRUE(running);
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), running->type);
    EXPECT_EQ((std::vector<uint8_t>{4}), running->data);

    const auto log = ReadRaw("LastError", "AUD");
    ASSERT_TRUE(log);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), log->type);
    EXPECT_EQ("boom", log->Text());
}

TEST_F(ClientRegistryTest, RegistersTheRunningModule)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    ASSERT_GT(length, 0u);
    const std::string full(path, length);
    const size_t slash = full.rfind('\\');

    EXPECT_TRUE(m_registry.RegisterModulePath(nullptr));
    const auto directory = ReadRaw("Directories", full.substr(slash + 1));
    ASSERT_TRUE(directory);
    EXPECT_EQ(full.substr(0, slash + 1), directory->Text());
    EXPECT_EQ(full.substr(0, slash + 1), m_registry.ReadDirectory(full.substr(slash + 1)));
}

TEST_F(ClientRegistryTest, ModuleWithoutDirectoryIsNotRecorded)
{
    EXPECT_FALSE(m_registry.RegisterModuleFile("SnCom.dll"));
    EXPECT_FALSE(m_registry.RegisterModuleFile("C:\\Voice\\x"));
    EXPECT_FALSE(KeyExists("Directories"));
}

TEST_F(ClientRegistryTest, ErrorLogKeepsTheNewestFiveFirst)
{
    for (int entry = 1; entry <= 7; ++entry)
        m_registry.AppendLastError("e" + std::to_string(entry), 3);
    EXPECT_EQ("e7|e6|e5|e4|e3", ReadRaw("LastError", "DWN").value().Text());

    m_registry.LogErrorCode(0x1f, 6, "0x%x");
    m_registry.LogErrorCode(205, 6, "%u");
    EXPECT_EQ("205|0x1f", ReadRaw("LastError", "ATH").value().Text());

    m_registry.AppendLastError("other", 12);
    EXPECT_EQ("other", ReadRaw("LastError", "MIS").value().Text());
}

TEST_F(ClientRegistryTest, AgreementRecordRules)
{
    struct Case
    {
        std::optional<std::string> stored;
        bool accepted;
        std::optional<std::string> storedAfter;
    };
    const Case cases[] = {
        {std::nullopt, false, std::nullopt},
        {std::string("2.1.0.7"), true, std::string("2.1.0.7")},
        {std::string("2.0.9.1"), true, std::string("2.1.0.7")},
        {std::string("1.0.0."), false, std::string("1.0.0.")},
        {std::string(""), false, std::string("")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.value_or("(none)"));
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, kClientKey.c_str());
        if (c.stored)
            WriteRawText("LAST EULA", *c.stored);
        EXPECT_EQ(c.accepted, m_registry.CheckAcceptedAgreement("2.1.0.7"));
        const auto after = ReadRaw("", "LAST EULA");
        EXPECT_EQ(c.storedAfter, after ? std::optional<std::string>(after->Text()) : std::nullopt);
    }
    EXPECT_TRUE(m_registry.StoreAcceptedAgreement("2.1.0.7"));
    EXPECT_TRUE(m_registry.CheckAcceptedAgreement("2.1.0.7"));
}

TEST_F(ClientRegistryTest, UnopenableKeyCountsAsAcceptedAndChangesNothing)
{
    // A root that is no open key: every open and create fails.
    const HKEY invalidRoot = reinterpret_cast<HKEY>(static_cast<uintptr_t>(0xDEADBEE0));
    const CClientRegistry registry(invalidRoot);
    EXPECT_TRUE(registry.CheckAcceptedAgreement("2.1.0.7"));
    EXPECT_FALSE(registry.StoreAcceptedAgreement("2.1.0.7"));
    EXPECT_FALSE(registry.WriteDirectory("SnCom.dll", "C:\\Voice\\"));
    EXPECT_FALSE(registry.ReadStampedValue("snacus", true));
    registry.AppendLastError("lost", 0);
    registry.LogErrorCode(1, 3, "%u");
    EXPECT_FALSE(KeyExists(""));
}

TEST_F(ClientRegistryTest, StampedValueIsReadAndDeletedOnRequest)
{
    WriteRawText("snacus", kGoldenRecord);
    const auto kept = m_registry.ReadStampedValue("snacus", false);
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->valid);
    EXPECT_EQ("http://127.0.0.1:8000/updates", kept->text);
    EXPECT_TRUE(ReadRaw("", "snacus"));

    const auto taken = m_registry.ReadStampedValue("snacus", true);
    ASSERT_TRUE(taken);
    EXPECT_EQ(1700000000u, taken->expiry);
    EXPECT_FALSE(ReadRaw("", "snacus"));
    EXPECT_FALSE(m_registry.ReadStampedValue("snacus", true));
}

TEST_F(ClientRegistryTest, DamagedStampedValueIsDeletedAndNotValid)
{
    WriteRawText("snacus", "not a record at all");
    const auto record = m_registry.ReadStampedValue("snacus", true);
    ASSERT_TRUE(record);
    EXPECT_FALSE(record->valid);
    EXPECT_FALSE(ReadRaw("", "snacus"));
}

TEST_F(ClientRegistryTest, ReadingNeverCreatesKeys)
{
    EXPECT_FALSE(m_registry.ReadDirectory("SnCom.dll"));
    EXPECT_FALSE(m_registry.ReadContent(ContentArea::Kept, "snver.enc"));
    EXPECT_FALSE(m_registry.ReadStampedValue("snacus", true));
    EXPECT_FALSE(m_registry.DeleteDirectory("SnCom.dll"));
    EXPECT_FALSE(KeyExists(""));
}

TEST_F(ClientRegistryTest, DirectoriesAndContentByName)
{
    EXPECT_TRUE(m_registry.WriteDirectory("qpl.dll", "C:\\Codecs\\"));
    EXPECT_EQ("C:\\Codecs\\", m_registry.ReadDirectory("qpl.dll"));
    EXPECT_TRUE(m_registry.DeleteDirectory("qpl.dll"));
    EXPECT_FALSE(m_registry.ReadDirectory("qpl.dll"));

    const std::vector<uint8_t> bytes = {0, 0xFF, 0, 7};
    EXPECT_TRUE(m_registry.WriteContent(ContentArea::Kept, "list", bytes));
    EXPECT_TRUE(m_registry.WriteContent(ContentArea::Running, "list", {9}));
    EXPECT_EQ(bytes, m_registry.ReadContent(ContentArea::Kept, "list"));
    EXPECT_EQ((std::vector<uint8_t>{9}), m_registry.ReadContent(ContentArea::Running, "list"));

    EXPECT_TRUE(m_registry.DeleteRunningContent());
    EXPECT_FALSE(KeyExists("Content\\temp"));
    EXPECT_EQ(bytes, m_registry.ReadContent(ContentArea::Kept, "list"));
    EXPECT_TRUE(m_registry.DeleteContent(ContentArea::Kept, "list"));
    EXPECT_FALSE(m_registry.ReadContent(ContentArea::Kept, "list"));
}

TEST_F(ClientRegistryTest, KeptRunningContentMovesIntoContent)
{
    EXPECT_FALSE(m_registry.KeepRunningContent()); // nothing running
    EXPECT_TRUE(m_registry.WriteContent(ContentArea::Kept, "list", {1}));
    EXPECT_TRUE(m_registry.WriteContent(ContentArea::Kept, "other", {2}));
    EXPECT_TRUE(m_registry.WriteContent(ContentArea::Running, "list", {9, 8}));
    EXPECT_TRUE(m_registry.WriteContent(ContentArea::Running, "codec", {}));
    EXPECT_TRUE(m_registry.WriteContent(ContentArea::Running, "a much longer value name", {7}));

    EXPECT_TRUE(m_registry.KeepRunningContent());
    EXPECT_FALSE(KeyExists("Content\\temp"));
    EXPECT_EQ((std::vector<uint8_t>{9, 8}), m_registry.ReadContent(ContentArea::Kept, "list"));
    EXPECT_EQ((std::vector<uint8_t>{2}), m_registry.ReadContent(ContentArea::Kept, "other"));
    EXPECT_EQ(std::vector<uint8_t>{}, m_registry.ReadContent(ContentArea::Kept, "codec"));
    EXPECT_EQ((std::vector<uint8_t>{7}), m_registry.ReadContent(ContentArea::Kept, "a much longer value name"));
}

TEST_F(ClientRegistryTest, ValueOfAnotherTypeIsNotRead)
{
    EXPECT_TRUE(m_registry.WriteContent(ContentArea::Kept, "blob", {1}));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kClientKey + "\\Content").c_str(),
                                           0, KEY_WRITE, &key));
    const char text[] = "text";
    RegSetValueExA(key, "blob", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof(text));
    RegCloseKey(key);
    EXPECT_FALSE(m_registry.ReadContent(ContentArea::Kept, "blob"));
}
