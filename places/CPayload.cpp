#include "CPayload.h"

#include <algorithm>

namespace {

constexpr uint32_t kHeaderLength = 2;

// Reads one NUL-ended text from [*cursor, end), moving the cursor past it.
std::string TakeIdentityText(const uint8_t*& cursor, const uint8_t* end)
{
    const uint8_t* stop = std::find(cursor, end, uint8_t{0});
    const size_t length = static_cast<size_t>(stop - cursor);
    std::string text(reinterpret_cast<const char*>(cursor), std::min(length, CPayload::kMaxIdentityText));
    cursor = stop == end ? end : stop + 1;
    return text;
}

void AppendIdentityText(std::string& data, const std::string& text)
{
    data.append(text.c_str());
    data.push_back('\0');
}

}  // namespace

CPayload::CPayload(uint8_t type, uint8_t code, uint32_t length, const uint8_t* bytes)
    : CTvlBlob(type, code, length, bytes)
{
}

uint8_t CPayload::GetByte() const
{
    return Length() >= 1 ? Bytes()[0] : 0;
}

uint8_t CPayload::GetCode() const
{
    return Length() >= kHeaderLength ? Bytes()[1] : 0;
}

const uint8_t* CPayload::Data(uint32_t& length) const
{
    if (Length() <= kHeaderLength) {
        length = 0;
        return nullptr;
    }
    length = Length() - kHeaderLength;
    return Bytes() + kHeaderLength;
}

bool CPayload::GetString(std::string& name) const
{
    if (GetByte() != kTextWithName || GetCode() != 0)
        return false;
    uint32_t length = 0;
    const uint8_t* data = Data(length);
    if (!data)
        return false;
    const uint32_t nameLength = data[0];
    if (nameLength == 0 || nameLength > length - 1)
        return false;
    name.assign(reinterpret_cast<const char*>(data + 1), nameLength);
    return true;
}

bool CPayload::ReadIdentity(CIdentityTexts& texts) const
{
    uint32_t length = 0;
    const uint8_t* cursor = Data(length);
    if (GetByte() != kIdentityData || !cursor)
        return false;
    const uint8_t* end = cursor + length;
    texts.gender = TakeIdentityText(cursor, end);
    texts.hobbies = TakeIdentityText(cursor, end);
    texts.occupation = TakeIdentityText(cursor, end);
    texts.quote = TakeIdentityText(cursor, end);
    return true;
}

std::unique_ptr<CPayload> CPayload::MakeString(const std::string& name)
{
    if (name.empty() || name.size() > kMaxNameLength)
        return nullptr;
    std::string data(1, static_cast<char>(name.size()));
    data += name;
    return std::make_unique<CPayload>(kTextWithName, 0, static_cast<uint32_t>(data.size()),
                                      reinterpret_cast<const uint8_t*>(data.data()));
}

std::unique_ptr<CPayload> CPayload::MakeIdentity(const CIdentityTexts& texts)
{
    std::string data;
    AppendIdentityText(data, texts.gender);
    AppendIdentityText(data, texts.hobbies);
    AppendIdentityText(data, texts.occupation);
    AppendIdentityText(data, texts.quote);
    return std::make_unique<CPayload>(kIdentityData, 0, static_cast<uint32_t>(data.size()),
                                      reinterpret_cast<const uint8_t*>(data.data()));
}
