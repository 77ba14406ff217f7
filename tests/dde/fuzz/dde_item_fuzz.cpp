// Arbitrary bytes read by the factory's item for each of the thirty codes,
// at the server end and at a client end. A successful read must write back
// exactly the size it reports.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "CZrDdeItem.h"

namespace {

const uint16_t kCodes[] = {0x000, 0x001, 0x002, 0x003, 0x004, 0x100, 0x101, 0x102,
                           0x103, 0x200, 0x201, 0x202, 0x300, 0x301, 0x302, 0x303,
                           0x304, 0x305, 0x306, 0x400, 0x401, 0x500, 0x501, 0x502,
                           0x600, 0x700, 0x800, 0x900, 0x901, 0x902};

void ReadAndWriteBack(uint16_t code, int32_t side, const uint8_t* data, uint32_t size)
{
    std::unique_ptr<CZrDdeItem> item = CZrDdeItem::CreateByType(code, side);
    if (!item)
        abort();
    if (!item->Read(data, size))
        return;
    uint32_t written = 0;
    item->Write(written);
    if (written != item->GetSize())
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > 0xFFFFFFFFu)
        return 0;
    // Exact-size copy, so that AddressSanitizer sees any read past the end.
    std::unique_ptr<uint8_t[]> copy(new uint8_t[size]);
    if (size != 0)
        std::memcpy(copy.get(), data, size);
    for (uint16_t code : kCodes) {
        ReadAndWriteBack(code, 0, copy.get(), static_cast<uint32_t>(size));
        ReadAndWriteBack(code, 1, copy.get(), static_cast<uint32_t>(size));
    }
    return 0;
}
