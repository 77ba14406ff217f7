#include "StampedRecord.h"

#include "Base64.h"
#include "Blowfish.h"
#include "Crc16.h"

#include <ctime>
#include <vector>

namespace {

constexpr size_t kMinimumStoredLength = 8;
constexpr size_t kCrcSize = 2;
constexpr size_t kHeaderSize = 6;
constexpr size_t kMinimumValidLength = 12;
constexpr std::string_view kRequiredPrefix = "http:";
constexpr int64_t kSecondsPerDay = 86400;

uint16_t ReadLittleEndian16(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8));
}

uint32_t ReadLittleEndian32(const uint8_t* bytes)
{
    return uint32_t{bytes[0]} | (uint32_t{bytes[1]} << 8) | (uint32_t{bytes[2]} << 16) |
           (uint32_t{bytes[3]} << 24);
}

void AppendLittleEndian(uint64_t value, size_t byteCount, std::vector<uint8_t>& out)
{
    for (size_t i = 0; i < byteCount; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

std::vector<uint8_t> DecipherRecord(const char* text, size_t length)
{
    const std::vector<uint8_t> cipher = Base64Decode(text, length);
    std::vector<uint8_t> plain =
        BlowfishCryptBuffer(BlowfishDirection::Decipher, cipher.data(), cipher.size(),
                            kDefaultBlowfishKey.data(), kDefaultBlowfishKey.size())
            .bytes;
    while (!plain.empty() && plain.back() == 0)
        plain.pop_back();
    return plain;
}

} // namespace

StampedRecord DecodeStampedRecord(const char* text, size_t length)
{
    StampedRecord record;
    if (length < kMinimumStoredLength)
        return record;
    const std::vector<uint8_t> plain = DecipherRecord(text, length);
    if (plain.size() >= kHeaderSize) {
        record.storedCrc = ReadLittleEndian16(plain.data());
        record.expiry = ReadLittleEndian32(plain.data() + kCrcSize);
    }
    if (plain.size() > kHeaderSize) {
        record.computedCrc = Crc16(plain.data() + kCrcSize, plain.size() - kCrcSize);
        record.text.assign(plain.begin() + kHeaderSize, plain.end());
    }
    record.valid = plain.size() >= kMinimumValidLength &&
                   record.storedCrc == record.computedCrc &&
                   record.text.compare(0, kRequiredPrefix.size(), kRequiredPrefix) == 0;
    return record;
}

std::string EncodeStampedRecord(std::string_view text, int32_t days)
{
    const int64_t expiry = static_cast<int64_t>(std::time(nullptr)) + days * kSecondsPerDay;
    return EncodeStampedRecordUntil(text, static_cast<uint32_t>(expiry));
}

std::string EncodeStampedRecordUntil(std::string_view text, uint32_t expiry)
{
    std::vector<uint8_t> body;
    AppendLittleEndian(expiry, 4, body);
    body.insert(body.end(), text.begin(), text.end());
    std::vector<uint8_t> record;
    AppendLittleEndian(Crc16(body.data(), body.size()), kCrcSize, record);
    record.insert(record.end(), body.begin(), body.end());
    const BlowfishBuffer cipher =
        BlowfishCryptBuffer(BlowfishDirection::Encipher, record.data(), record.size(),
                            kDefaultBlowfishKey.data(), kDefaultBlowfishKey.size());
    return Base64Encode(cipher.bytes.data(), cipher.bytes.size());
}
