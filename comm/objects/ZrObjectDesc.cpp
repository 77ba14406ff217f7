#include "ZrObjectDesc.h"

#include "TvlNdr.h"
#include "ZrKind.h"

namespace {
constexpr bool kLittleEndian = false;
}

CZrObjectDesc::CZrObjectDesc(uint32_t kind)
    : id(0), kind(kind), flag(0), status(kDefaultStatus), address(0), capacity(0), memberCount(0),
      observerCount(0), copyNumber(0)
{
}

CZrObjectDesc::~CZrObjectDesc() = default;

bool CZrObjectDesc::ReadNested(TvlNdr& reader, uint32_t ownerId, int32_t level)
{
    if (level > kZrMaxDescLevels)
        return false;
    if (!reader.GetLong(id) || !reader.GetKind(kind) || !reader.GetBool(flag) || !reader.GetText(name) ||
        !position.Read(reader) || !items.Read(reader, false))
        return false;
    if ((kind & kZrKindPerson) == 0)
        return ReadContainerPart(reader, ownerId, level);
    if (!ReadPersonPart(reader))
        return false;
    kind = ZrKindForOwner(kind, id, ownerId);
    return true;
}

bool CZrObjectDesc::ReadContainerPart(TvlNdr& reader, uint32_t ownerId, int32_t level)
{
    uint32_t count;
    if (!reader.GetShort(capacity) || !reader.GetLong(memberCount) || !reader.GetLong(observerCount) ||
        !reader.GetLong(count))
        return false;
    if ((kind != kZrKindCorridor && memberCount > capacity) || count > memberCount)
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        auto member = std::make_unique<CZrObjectDesc>(kZrKindPerson);
        if (!member->ReadNested(reader, ownerId, level + 1))
            return false;
        members.push_back(std::move(member));
    }
    return !ZrKindIsReplicated(kind) || reader.GetByte(copyNumber);
}

bool CZrObjectDesc::ReadPersonPart(TvlNdr& reader)
{
    return reader.GetByte(status) && reader.GetText(fullName) && reader.GetText(location) &&
           reader.GetText(email) && reader.GetLong(address, kLittleEndian);
}
