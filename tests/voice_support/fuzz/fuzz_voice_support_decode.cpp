// Feeds arbitrary text to the decoders that take data from the network or the
// registry: base64, the own UTF-8 decoder and stamped records.
#include "Base64.h"
#include "StampedRecord.h"
#include "Utf8Codec.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void FuzzBase64(const char* text, size_t size)
{
    const std::vector<uint8_t> bytes = Base64Decode(text, size);
    Check(bytes.size() <= size * 3 / 4);
    const std::string encoded = Base64Encode(bytes.data(), bytes.size());
    const std::vector<uint8_t> again = Base64Decode(encoded.data(), encoded.size());
    Check(again == bytes);
}

void FuzzUtf8(const char* text, size_t size)
{
    const size_t needed = Utf8Decode(text, size, nullptr, 0);
    Check(needed >= 1 && needed <= size + 1);
    std::vector<char16_t> chars(needed);
    Check(Utf8Decode(text, size, chars.data(), chars.size()) == needed);
    std::vector<char16_t> cut(needed / 2 + 1);
    Utf8Decode(text, size, cut.data(), cut.size());
    const size_t encodedSize = Utf8Encode(chars.data(), needed - 1, nullptr, 0);
    std::vector<char> bytes(encodedSize);
    Check(Utf8Encode(chars.data(), needed - 1, bytes.data(), bytes.size()) == encodedSize);
}

void FuzzStampedRecord(const char* text, size_t size)
{
    const StampedRecord record = DecodeStampedRecord(text, size);
    if (record.valid)
        Check(record.text.compare(0, 5, "http:") == 0 && record.storedCrc == record.computedCrc);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Copied into a block of exactly the input's size, so that any read past
    // the end is caught.
    std::vector<char> text(data, data + size);
    const char* begin = text.empty() ? "" : text.data();
    FuzzBase64(begin, size);
    FuzzUtf8(begin, size);
    FuzzStampedRecord(begin, size);
    return 0;
}
