#include "StampedRecord.h"

#include "Base64.h"
#include "Blowfish.h"
#include "Crc16.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

// Produced by an independent implementation of the record format.
const char kGoldenRecord[] = "2nGeSLHtNR1maYzc797D2314CdkBWDTpmj71hXzBZM51geESHCVXmg==";
const char kGoldenText[] = "http://127.0.0.1:8000/updates";
const uint32_t kGoldenExpiry = 1700000000;

StampedRecord Decode(const std::string& text)
{
    return DecodeStampedRecord(text.data(), text.size());
}

std::vector<uint8_t> Decipher(const std::string& stored)
{
    const std::vector<uint8_t> cipher = Base64Decode(stored.data(), stored.size());
    return BlowfishCryptBuffer(BlowfishDirection::Decipher, cipher.data(), cipher.size(), nullptr)
        .bytes;
}

std::string Encipher(const std::vector<uint8_t>& plain)
{
    const BlowfishBuffer cipher =
        BlowfishCryptBuffer(BlowfishDirection::Encipher, plain.data(), plain.size(), nullptr);
    return Base64Encode(cipher.bytes.data(), cipher.bytes.size());
}

} // namespace

TEST(StampedRecord, EncodesTheGoldenRecord)
{
    EXPECT_EQ(kGoldenRecord, EncodeStampedRecordUntil(kGoldenText, kGoldenExpiry));
}

TEST(StampedRecord, DecodesTheGoldenRecord)
{
    const StampedRecord record = Decode(kGoldenRecord);
    EXPECT_TRUE(record.valid);
    EXPECT_EQ(kGoldenText, record.text);
    EXPECT_EQ(kGoldenExpiry, record.expiry);
    EXPECT_EQ(record.computedCrc, record.storedCrc);
}

TEST(StampedRecord, FieldsAreLittleEndianWhereTheFormatPutsThem)
{
    const std::string text = "http://x.example/";
    const std::vector<uint8_t> plain = Decipher(EncodeStampedRecordUntil(text, 0x12345678));
    ASSERT_EQ(24u, plain.size()); // 6 + 17 bytes, padded to a multiple of 8
    const uint16_t crc = Crc16(plain.data() + 2, 4 + text.size());
    EXPECT_EQ(crc & 0xFF, plain[0]);
    EXPECT_EQ(crc >> 8, plain[1]);
    EXPECT_EQ((std::vector<uint8_t>{0x78, 0x56, 0x34, 0x12}),
              std::vector<uint8_t>(plain.begin() + 2, plain.begin() + 6));
    EXPECT_EQ(text, std::string(plain.begin() + 6, plain.begin() + 6 + text.size()));
    EXPECT_EQ(0, plain.back());
}

TEST(StampedRecord, RoundTripsKeepTextAndExpiry)
{
    const std::string texts[] = {
        "http://updates.example/updates",
        "1700001800",                     // the control's time stamps
        "https://secure.example/",        // good CRC, but not "http:"
        std::string(300, 'h'),
        "http://\xC3\xA9\x01\x7F",
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        const StampedRecord record = Decode(EncodeStampedRecordUntil(text, 4000000000u));
        EXPECT_EQ(text, record.text);
        EXPECT_EQ(4000000000u, record.expiry);
        EXPECT_EQ(record.storedCrc, record.computedCrc);
        EXPECT_EQ(text.rfind("http:", 0) == 0, record.valid);
    }
}

TEST(StampedRecord, ExpiryCountsDaysFromNow)
{
    const uint32_t before = static_cast<uint32_t>(std::time(nullptr));
    const StampedRecord record = Decode(EncodeStampedRecord("http://a.example/", 3));
    const uint32_t after = static_cast<uint32_t>(std::time(nullptr));
    EXPECT_GE(record.expiry, before + 3 * 86400);
    EXPECT_LE(record.expiry, after + 3 * 86400);
}

TEST(StampedRecord, IncompleteOrDamagedRecordsAreNotValid)
{
    std::string tampered = kGoldenRecord;
    tampered[20] = tampered[20] == 'A' ? 'B' : 'A';
    struct Case
    {
        const char* what;
        std::string stored;
    };
    const Case cases[] = {
        {"shorter than 8 characters", std::string(kGoldenRecord, 7)},
        {"empty", ""},
        {"not base64", "!!!!!!!!!!!!"},
        {"damaged", tampered},
        {"text without \"http:\"", EncodeStampedRecordUntil("ftp://x.example/", kGoldenExpiry)},
        {"under 12 bytes", EncodeStampedRecordUntil("http:", kGoldenExpiry)},
        {"no text", EncodeStampedRecordUntil("", kGoldenExpiry)},
        {"only a CRC", Encipher({0x34, 0x12})},
        {"one byte", Encipher({0x01})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(Decode(c.stored).valid);
    }
}

TEST(StampedRecord, RecordWithoutWholeFixedFieldsReadsNothing)
{
    const StampedRecord record = Decode(Encipher({0x34, 0x12, 0x01}));
    EXPECT_EQ(0, record.storedCrc);
    EXPECT_EQ(0u, record.expiry);
    EXPECT_TRUE(record.text.empty());
}

TEST(StampedRecord, DecodesOnlyWithinTheGivenLength)
{
    // The text after the given length must not be taken into the record.
    const std::string stored = std::string(kGoldenRecord) + EncodeStampedRecordUntil("http://other.example/", 1);
    const StampedRecord record = DecodeStampedRecord(stored.data(), std::strlen(kGoldenRecord));
    EXPECT_TRUE(record.valid);
    EXPECT_EQ(kGoldenText, record.text);
}
